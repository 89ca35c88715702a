#include "MainDrawerController.h"

#include "AppData.h"
#include "CarListController.h"
#include "Config.h"
#include "DashboardLogging.h"
#include "DashboardTransitions.h"
#include "DealerFields.h"
#include "ScreenContext.h"
#include "WizardState.h"

namespace tvs {

MainDrawerController::MainDrawerController(ScreenContext *context, QObject *parent) : Screen(context, parent)
{
}

QString MainDrawerController::lastSignInText(const QString &sUserLastDate)
{
    if (sUserLastDate.size() < 12)
        return sUserLastDate;
    for (qsizetype i = 0; i < 12; ++i) {
        if (!sUserLastDate.at(i).isDigit() || sUserLastDate.at(i).unicode() > 0x7f)
            return sUserLastDate; // not the expected digits: cutting it up would garble it
    }
    return sUserLastDate.mid(0, 4) + u'-' + sUserLastDate.mid(4, 2) + u'-' + sUserLastDate.mid(6, 2) + u' ' +
           sUserLastDate.mid(8, 2) + u':' + sUserLastDate.mid(10, 2);
}

void MainDrawerController::viewDidLoad()
{
    const auto &userInfo = AppData::shared()->userInfo;
    if (userInfo.contains(DealerField::sUserName))
        m_userName = userInfo.value(DealerField::sUserName);
    // The service writes a first sign-in's date as an empty element.
    m_lastDay = !userInfo.value(DealerField::sUserLastDate).isEmpty()
                    ? lastSignInText(userInfo.value(DealerField::sUserLastDate))
                    : QStringLiteral("첫 접속입니다.");
    const ScreenContext *ctx = context();
    if (userInfo.contains(DealerField::sUserPicturePath) && ctx && ctx->config)
        m_userImage = ctx->config->userPictureUrl(userInfo.value(DealerField::sUserPicturePath));
    emit labelsChanged();
}

void MainDrawerController::open(const QString &transition)
{
    if (!m_menuEnabled) {
        qCInfo(lcDashboard) << "signing out; the menu opens nothing:" << transition;
        return;
    }
    performSegue(transition);
}

void MainDrawerController::prepareForSegue(const QString &identifier, Screen *destination)
{
    // Nothing of an abandoned edit may carry over: its car code would make the
    // new car an update of that car.
    if (identifier == DashboardTransition::main_to_enterCar) {
        WizardState::startNew();
        return;
    }
    auto *list = qobject_cast<CarListController *>(destination);
    if (!list)
        return;
    if (identifier == DashboardTransition::main_to_carCancel)
        list->showCars(QStringLiteral("차량 입고를 취소할 수 있습니다."), 0, CarListController::Mode::Cancel);
    else if (identifier == DashboardTransition::main_to_carExport)
        list->showCars(QStringLiteral("차량 출고요청을 할 수 있습니다."), 0,
                       CarListController::Mode::Release);
}

} // namespace tvs
