#include "MainController.h"

#include "AppData.h"
#include "AuctionController.h"
#include "CarListController.h"
#include "Config.h"
#include "DashboardLogging.h"
#include "DashboardTransitions.h"
#include "DealerFields.h"
#include "MainDetailController.h"
#include "MainDrawerController.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "WebController.h"

#include <QPointer>
#include <QTimer>

namespace tvs {

namespace {

constexpr int kRefreshDelayMs = 1000;
constexpr int kSignOutDelayMs = 1000;
constexpr qreal kRestorePull = -50;

} // namespace

const QList<MainController::Filter> &MainController::filters()
{
    static const QList<Filter> list = {
        {QStringLiteral("전체"), 0, QStringLiteral("전체 ▾")},
        {QStringLiteral("판매중"), 1, QStringLiteral("판매중 ▾")},
        {QStringLiteral("검사중"), 2, QStringLiteral("검사중 ▾")},
        {QStringLiteral("입고중"), 3, QStringLiteral("입고중 ▾")},
        {QStringLiteral("출고중(차량판매)"), 4, QStringLiteral("출고중 ▾")},
        {QStringLiteral("출고중(위탁차량반환)"), 5, QStringLiteral("출고중 ▾")},
        {QStringLiteral("출고요청(구입취소요청)"), 7, QStringLiteral("출고요청 ▾")},
        {QStringLiteral("출고요청(성능점검 후 입고취소요청)"), 25, QStringLiteral("출고요청 ▾")},
        {QStringLiteral("판매완료"), 9, QStringLiteral("판매완료 ▾")},
    };
    return list;
}

MainController::MainController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_cars(context ? context->procedures : nullptr, this),
      m_table(new CarTable(this)), m_drawer(new MainDrawerController(context, this))
{
    m_table->rows()->setConfig(context ? context->config : nullptr);
}

MainController::~MainController() = default;

QObject *MainController::mainTable() const
{
    return m_table->view();
}

int MainController::expectedCount(int filter) const
{
    // Held cars (every car the list of 0 shows) and sold cars are counted.
    if (filter == 0)
        return count0().toInt();
    if (filter == 9)
        return count1().toInt();
    return 0;
}

QObject *MainController::drawer() const
{
    return m_drawer;
}

QString MainController::drawerButtonImage() const
{
    return isOpenDrawer ? QStringLiteral("ico_logout") : QStringLiteral("ico_setting");
}

void MainController::viewDidLoad()
{
    const auto &userInfo = AppData::shared()->userInfo;
    if (userInfo.contains(DealerField::sUserName))
        m_userName = userInfo.value(DealerField::sUserName);
    // Without a picture path (or a host to fetch it from) the page shows "the_thumbnail".
    const ScreenContext *ctx = context();
    if (userInfo.contains(DealerField::sUserPicturePath) && ctx && ctx->config)
        m_userImage = ctx->config->userPictureUrl(userInfo.value(DealerField::sUserPicturePath));
    emit userChanged();

    const CarRowDates dates = CarRowDates::fromNow(now());
    now4Month = dates.now4Month;
    now7Day = dates.now7Day;
    m_table->rows()->setDates(dates);

    m_drawer->setIdentifier(QStringLiteral("MainDrawerController"));
    m_drawer->viewDidLoad();
}

void MainController::viewWillAppear()
{
    sendCountRequest();
    AppData::setLoading(this, true);
}

void MainController::viewDidAppear()
{
    AppData::setLoading(this, false);
}

void MainController::viewWillDisappear()
{
    // A drawer entry opened a screen: coming back, the dealer finds the dashboard, not the menu.
    if (isOpenDrawer && !m_signOutPending) {
        isOpenDrawer = false;
        emit drawerChanged();
    }
}

void MainController::sendCountRequest()
{
    auto showCounts = m_latestCounts.track([this](const QueryResult<CarCounts> &result) {
        if (alertIfFailed(this, result, QStringLiteral("차량 현황을 불러오지 못했습니다."),
                          [this] { sendCountRequest(); }))
            return; // the counts and rows keep what they showed
        // A count the reply lacks, or sends empty, keeps the tile's value.
        for (std::size_t i = 0; i < result.value.size(); ++i) {
            if (result.value[i] && !result.value[i]->isEmpty())
                getCarCountList[qsizetype(i)] = *result.value[i];
        }
        emit countsChanged();
    });
    m_cars.counts(AppData::shared()->userCode(), [this, showCounts](const QueryResult<CarCounts> &result) {
        showCounts(result);
        // The list follows every answered count, also one a newer count request
        // superseded: that newer one may still fail, and the list keeps only its newest answer.
        if (result.ok())
            sendListRequest();
    });
}

void MainController::sendListRequest()
{
    sendListRequest(Filter{QString(), searchNum, filterButtonTitle});
}

void MainController::sendListRequest(const Filter &filter)
{
    // Each whole reply replaces the list: rows of earlier replies never stay. A failed
    // load keeps the rows it showed, under the filter title they belong to.
    m_table->load(
        m_cars, AppData::shared()->userCode(), filter.searchNum, expectedCount(filter.searchNum),
        [](const Records &rows) { return rows; },
        [this, filter](const QueryResult<Records> &result) {
            return alertIfFailed(this, result, QStringLiteral("차량 목록을 불러오지 못했습니다."),
                                 [this, filter] { sendListRequest(filter); });
        },
        [this, filter] {
            m_selectedRow = -1;
            // The title changes with the rows, so it always names what is listed.
            if (searchNum != filter.searchNum || filterButtonTitle != filter.title) {
                searchNum = filter.searchNum;
                filterButtonTitle = filter.title;
                emit filterChanged();
            }
        });
}

void MainController::tablefilterAction()
{
    QList<DialogAction> actions;
    for (const Filter &filter : filters())
        actions.append(DialogAction{filter.entry, DialogAction::Default});
    actions.append(DialogAction{QStringLiteral("선택취소"), DialogAction::Destructive});
    presentActions(QStringLiteral("차량상태 선택"), QString(), actions,
                   [this](int index) { chooseFilter(index); });
}

void MainController::chooseFilter(int index)
{
    if (index < 0 || index >= filters().size())
        return; // "선택취소": filter and title stay
    // The filter's rows and title come together with its answer: until then, and
    // after a failure, the dealer sees the last list under its own title.
    sendListRequest(filters().at(index));
}

void MainController::tableRefreshAction()
{
    emit refreshSpinRequested();
    QTimer::singleShot(kRefreshDelayMs, this, [this] { sendListRequest(); });
}

void MainController::drawerAction()
{
    // Signing out, the drawer slides away for good: a tap on its shade must not bring it back.
    if (m_signOutPending)
        return;
    toggleDrawer();
}

void MainController::toggleDrawer()
{
    isOpenDrawer = !isOpenDrawer;
    emit drawerChanged();
}

void MainController::logoutAction()
{
    if (!isOpenDrawer || m_signOutPending)
        return;
    m_signOutPending = true;
    // Nothing opens from the menu while the dealer is on the way out.
    m_drawer->setMenuEnabled(false);
    QPointer<Navigator> nav = navigator();
    QTimer::singleShot(kSignOutDelayMs, this, [this, nav] {
        if (!nav) {
            qCWarning(lcDashboard) << "no navigator to return to the login screen";
            m_signOutPending = false;
            m_drawer->setMenuEnabled(true);
            return;
        }
        qCInfo(lcDashboard) << "signing out";
        // The record and the job lines written in this session are the signed-out
        // dealer's: the next dealer to sign in here sees none of them, even where
        // the reply of that sign-in lacks a key.
        AppData::shared()->userInfo.clear();
        AppData::shared()->jobLines.clear();
        // A fresh login screen replaces the whole stack, so nothing of the
        // signed-out dealer stays alive below it or can be reached by going back.
        nav->resetTo(ScreenId::LoginController);
    });
}

void MainController::icoSet_OutAction()
{
    // While the sign-out runs the button does nothing: a second tap would open
    // the drawer again over the screen that is about to go.
    if (m_signOutPending)
        return;
    logoutAction();
    toggleDrawer();
}

void MainController::scrollViewDidEndDragging(qreal contentOffsetY, qreal safeAreaHeight, qreal tableHeight)
{
    if (!isOpenTable) {
        mainTableConstant = -(safeAreaHeight - tableHeight);
        isOpenTable = true;
    } else if (contentOffsetY <= kRestorePull) {
        mainTableConstant = 0;
        isOpenTable = false;
    } else {
        return;
    }
    emit tableChanged();
}

void MainController::open(const QString &transition)
{
    // Once the drawer slid away on sign-out, the dashboard lies open under the dealer's
    // finger for the rest of the delay: nothing opens from it any more.
    if (m_signOutPending) {
        qCInfo(lcDashboard) << "signing out; nothing opens:" << transition;
        return;
    }
    performSegue(transition);
}

void MainController::openCar(int row)
{
    if (row < 0 || row >= m_table->rows()->count()) {
        qCWarning(lcDashboard) << "no car row" << row;
        return;
    }
    m_selectedRow = row;
    open(DashboardTransition::main_to_detail);
}

void MainController::prepareForSegue(const QString &identifier, Screen *destination)
{
    if (auto *detail = qobject_cast<MainDetailController *>(destination)) {
        if (identifier == DashboardTransition::main_to_detail)
            detail->setCar(m_table->rows()->record(m_selectedRow));
    } else if (auto *list = qobject_cast<CarListController *>(destination)) {
        if (identifier == DashboardTransition::main_to_carList0)
            list->showCars(QStringLiteral("현재 보유 중인 차량"), 0, CarListController::Mode::Plain,
                           expectedCount(0));
        else if (identifier == DashboardTransition::main_to_carList9)
            list->showCars(QStringLiteral("판매완료 된 차량"), 9, CarListController::Mode::Plain,
                           expectedCount(9));
    } else if (auto *auctions = qobject_cast<AuctionController *>(destination)) {
        if (identifier == DashboardTransition::main_to_auction1)
            auctions->setOpenPage(1);
        else if (identifier == DashboardTransition::main_to_auction2)
            auctions->setOpenPage(2);
    } else if (auto *web = qobject_cast<WebController *>(destination)) {
        if (identifier == DashboardTransition::main_to_web2)
            web->setPage(QStringLiteral("bizRequest"), QString(), QStringLiteral("업무 요청"));
    }
}

} // namespace tvs
