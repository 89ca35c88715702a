#include "MainController.h"

#include "AppData.h"
#include "CallText.h"
#include "Config.h"
#include "DashboardLogging.h"
#include "MainDrawerController.h"
#include "Navigator.h"
#include "ProcedureCaller.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QPointer>
#include <QTimer>
#include <QVariantMap>

namespace tvs {

namespace {

constexpr int kRefreshDelayMs = 1000;
constexpr int kSignOutDelayMs = 1000;
constexpr qreal kRestorePull = -50;

ReplyShape countShape()
{
    ReplyShape shape;
    shape.namedElements =
        QSet<QString>(MainController::countElements().cbegin(), MainController::countElements().cend());
    shape.cleaning = Cleaning::Trimming;
    return shape;
}

ReplyShape listShape()
{
    ReplyShape shape;
    shape.rowFields = QSet<QString>(carRecordFields().cbegin(), carRecordFields().cend());
    shape.cleaning = Cleaning::Trimming;
    return shape;
}

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

const QStringList &MainController::countElements()
{
    static const QStringList names = {QStringLiteral("sSellWait"), QStringLiteral("sSellComplete"),
                                      QStringLiteral("sAuction"), QStringLiteral("AuctionComplete")};
    return names;
}

MainController::MainController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_rows(new CarRowModel(this)),
      m_drawer(new MainDrawerController(context, this))
{
    m_rows->setConfig(context ? context->config : nullptr);
}

MainController::~MainController() = default;

QObject *MainController::mainTable() const
{
    return m_rows;
}

QObject *MainController::drawer() const
{
    return m_drawer;
}

QString MainController::drawerButtonImage() const
{
    return isOpenDrawer ? QStringLiteral("ico_logout") : QStringLiteral("ico_setting");
}

QString MainController::userCode() const
{
    return AppData::shared()->userInfo.value(QStringLiteral("sUserCode"));
}

void MainController::viewDidLoad()
{
    const auto &userInfo = AppData::shared()->userInfo;
    if (userInfo.contains(QStringLiteral("sUserName")))
        m_userName = userInfo.value(QStringLiteral("sUserName"));
    // Without a picture path (or a host to fetch it from) the page shows "the_thumbnail".
    const ScreenContext *ctx = context();
    if (userInfo.contains(QStringLiteral("sUserPicturePath")) && ctx && ctx->config)
        m_userImage = ctx->config->userPictureUrl(userInfo.value(QStringLiteral("sUserPicturePath")));
    emit userChanged();

    const Clock fallbackClock;
    const Clock *clock = ctx && ctx->clock ? ctx->clock : &fallbackClock;
    const CarRowDates dates = CarRowDates::fromNow(clock->now());
    now4Month = dates.now4Month;
    now7Day = dates.now7Day;
    m_rows->setDates(dates);

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

void MainController::sendCountRequest()
{
    ProcedureCaller *procedures = context() ? context()->procedures : nullptr;
    if (!procedures) {
        qCWarning(lcDashboard) << "no procedure client; the counts are not fetched";
        return;
    }
    if (!AppData::shared()->userInfo.contains(QStringLiteral("sUserCode"))) {
        qCWarning(lcDashboard) << "no user code in the session; the counts and cars are not fetched";
        return;
    }
    const quint64 sequence = ++m_countSequence;
    procedures->call(kProcedureList, callText(QStringLiteral("ps_UserCarCount"), {userCode()}), countShape(),
                     this, [this, sequence](const ProcedureReply &reply) { countReplied(sequence, reply); });
}

void MainController::countReplied(quint64 sequence, const ProcedureReply &reply)
{
    if (sequence != m_countSequence) {
        qCDebug(lcDashboard) << "count reply" << sequence << "superseded by" << m_countSequence;
        return;
    }
    if (!reply.ok()) {
        qCWarning(lcDashboard) << "count request failed:" << reply.error;
        return;
    }
    qCDebug(lcDashboard).noquote() << "getCount: " << QString::fromUtf8(reply.body);
    if (!reply.walk.complete)
        qCWarning(lcDashboard) << "count reply broke off:" << reply.walk.error;
    const QStringList &names = countElements();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (reply.walk.named.contains(names.at(i)))
            getCarCountList[i] = reply.walk.named.value(names.at(i));
    }
    sendListRequest();
    emit countsChanged();
}

void MainController::sendListRequest()
{
    ProcedureCaller *procedures = context() ? context()->procedures : nullptr;
    if (!procedures) {
        qCWarning(lcDashboard) << "no procedure client; the cars are not fetched";
        return;
    }
    if (!AppData::shared()->userInfo.contains(QStringLiteral("sUserCode"))) {
        qCWarning(lcDashboard) << "no user code in the session; the cars are not fetched";
        return;
    }
    const quint64 sequence = ++m_listSequence;
    procedures->call(
        kProcedureList,
        callText(QStringLiteral("ps_GetUserProductCar_Info2"), {userCode(), QString::number(searchNum)}),
        listShape(), this, [this, sequence](const ProcedureReply &reply) { listReplied(sequence, reply); });
}

void MainController::listReplied(quint64 sequence, const ProcedureReply &reply)
{
    if (sequence != m_listSequence) {
        qCDebug(lcDashboard) << "car list reply" << sequence << "superseded by" << m_listSequence;
        return;
    }
    if (!reply.ok()) {
        qCWarning(lcDashboard) << "car list request failed:" << reply.error;
        return;
    }
    qCDebug(lcDashboard).noquote() << "getData: " << QString::fromUtf8(reply.body);
    if (!reply.walk.complete)
        qCWarning(lcDashboard) << "car list reply broke off after" << reply.walk.rows.size()
                               << "rows:" << reply.walk.error;
    // Each reply replaces the list: rows of earlier replies never stay.
    m_selectedRow = -1;
    Records cars;
    for (const Record &row : reply.walk.rows) {
        // "Nothing found" may come as a row holding only "rtn": not a car.
        if (!row.isEmpty())
            cars.append(row);
    }
    m_rows->setRows(cars);
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
    const Filter &filter = filters().at(index);
    // The rows of the previous filter must not stand under the new title.
    m_selectedRow = -1;
    m_rows->clear();
    searchNum = filter.searchNum;
    sendListRequest();
    filterButtonTitle = filter.title;
    emit filterChanged();
}

void MainController::tableRefreshAction()
{
    emit refreshSpinRequested();
    QTimer::singleShot(kRefreshDelayMs, this, [this] { sendListRequest(); });
}

void MainController::drawerAction()
{
    isOpenDrawer = !isOpenDrawer;
    emit drawerChanged();
}

void MainController::logoutAction()
{
    if (!isOpenDrawer || m_signOutPending)
        return;
    m_signOutPending = true;
    QPointer<Navigator> nav = navigator();
    QTimer::singleShot(kSignOutDelayMs, this, [this, nav] {
        if (!nav) {
            qCWarning(lcDashboard) << "no navigator to return to the login screen";
            m_signOutPending = false;
            return;
        }
        qCInfo(lcDashboard) << "signing out";
        // A fresh login screen replaces the whole stack, so nothing of the
        // signed-out dealer stays alive below it or can be reached by going back.
        nav->resetTo(QStringLiteral("LoginController"));
    });
}

void MainController::icoSet_OutAction()
{
    logoutAction();
    drawerAction();
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

void MainController::selectRow(int row)
{
    if (row < 0 || row >= m_rows->count()) {
        qCWarning(lcDashboard) << "no car row" << row;
        return;
    }
    m_selectedRow = row;
    performSegue(QStringLiteral("main_to_detail"));
}

void MainController::prepareForSegue(const QString &identifier, Screen *destination)
{
    if (!destination)
        return;
    const auto hand = [destination, &identifier](const char *name, const QVariant &value) {
        if (!destination->setProperty(name, value))
            qCWarning(lcDashboard) << identifier << ": the destination has no field" << name;
    };
    if (identifier == QStringLiteral("main_to_detail")) {
        // The car detail takes the whole record as a map of field to text.
        const Record record = m_rows->record(m_selectedRow);
        QVariantMap takeList;
        for (const auto &[name, value] : record.fields())
            takeList.insert(name, value);
        hand("takeList", takeList);
    } else if (identifier == QStringLiteral("main_to_carList0")) {
        hand("subTitle", QStringLiteral("현재 보유 중인 차량"));
        hand("searchNum", 0);
    } else if (identifier == QStringLiteral("main_to_carList9")) {
        hand("subTitle", QStringLiteral("판매완료 된 차량"));
        hand("searchNum", 9);
    } else if (identifier == QStringLiteral("main_to_auction1")) {
        hand("openPage", 1);
    } else if (identifier == QStringLiteral("main_to_auction2")) {
        hand("openPage", 2);
    } else if (identifier == QStringLiteral("main_to_web2")) {
        hand("ch", QStringLiteral("bizRequest"));
        hand("setTitle", QStringLiteral("업무 요청"));
    }
}

} // namespace tvs
