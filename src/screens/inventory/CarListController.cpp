#include "CarListController.h"

#include "AppData.h"
#include "CallText.h"
#include "Config.h"
#include "InventoryLog.h"
#include "MainDetailController.h"
#include "ProcedureCaller.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QDate>
#include <QSet>

namespace tvs {

Q_LOGGING_CATEGORY(lcInventory, "tvs.inventory", QtInfoMsg)

namespace {

const QString kCancelButton = QStringLiteral("  취소요청  ");
const QString kReleaseButton = QStringLiteral("  출고요청  ");

} // namespace

const QStringList CarListController::kCancelStatuses = {
    QStringLiteral("2"),  QStringLiteral("3"),  QStringLiteral("16"), QStringLiteral("17"),
    QStringLiteral("18"), QStringLiteral("19"), QStringLiteral("20"), QStringLiteral("21"),
};

const QStringList CarListController::kReleaseStatuses = {
    QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("11"), QStringLiteral("12"),
};

CarListController::CarListController(ScreenContext *context, QObject *parent) : Screen(context, parent) {}

QString CarListController::rowButtonTitle() const
{
    return isCarCheck1 ? kCancelButton : isCarCheck2 ? kReleaseButton : QString();
}

void CarListController::setSubTitle(const QString &text)
{
    if (subTitle == text)
        return;
    subTitle = text;
    emit subTitleChanged();
}

QString CarListController::userCode() const
{
    return AppData::shared()->userInfo.value(QStringLiteral("sUserCode"));
}

void CarListController::viewDidLoad()
{
    emit subTitleChanged();
    const Clock fallbackClock;
    const Clock *clock = context() && context()->clock ? context()->clock : &fallbackClock;
    const QDate today = clock->now().date();
    now4Month = today.addMonths(-4).toString(QStringLiteral("yyyyMMdd"));
    now7Day = today.addDays(-7).toString(QStringLiteral("yyyyMMdd"));
    m_model.setDates(CarRowDates{now4Month, now7Day});
    m_model.setConfig(context() ? context()->config : nullptr);
    fetchList();
}

void CarListController::viewWillAppear()
{
    setLoading(true);
}

void CarListController::viewDidAppear()
{
    setLoading(false);
}

void CarListController::fetchList()
{
    if (!context() || !context()->procedures) {
        qCWarning(lcInventory) << "car list: no procedure service";
        return;
    }
    if (!AppData::shared()->userInfo.contains(QStringLiteral("sUserCode"))) {
        qCWarning(lcInventory) << "car list: no user code in the session; nothing fetched";
        return;
    }
    ReplyShape shape;
    shape.rowFields = QSet<QString>(carRecordFields().cbegin(), carRecordFields().cend());
    shape.cleaning = Cleaning::Trimming;
    const QString text =
        callText(QStringLiteral("ps_GetUserProductCar_Info2"), {userCode(), QString::number(searchNum)});
    context()->procedures->call(kProcedureList, text, shape, this,
                                [this](const ProcedureReply &reply) { listArrived(reply); });
}

Record CarListController::storedRecord(const Record &reply)
{
    Record stored;
    for (const auto &[field, value] : reply.fields()) {
        if (field == QLatin1String("sCarProductYearMonth"))
            stored.insert(field, value + QStringLiteral("년식"));
        else if (field == QLatin1String("sCarName3"))
            stored.insert(field, value.section(QLatin1Char('('), 0, 0));
        else
            stored.insert(field, value);
    }
    return stored;
}

void CarListController::listArrived(const ProcedureReply &reply)
{
    if (!reply.ok()) {
        qCWarning(lcInventory) << "car list:" << reply.error;
        return;
    }
    qCDebug(lcInventory).noquote() << "getData: " << QString::fromUtf8(reply.body);
    if (!reply.walk.complete)
        qCWarning(lcInventory) << "car list: reply broke off, keeping the rows read before:"
                               << reply.walk.error;

    Records rows;
    for (const Record &row : reply.walk.rows) {
        // The "nothing found" answer is a row holding only "rtn": not a car.
        if (!row.isEmpty())
            rows.append(storedRecord(row));
    }

    if (isCarCheck1 || isCarCheck2) {
        const QStringList &kept = isCarCheck1 ? kCancelStatuses : kReleaseStatuses;
        Records getMyCarListFilter;
        for (const Record &row : std::as_const(rows)) {
            if (row.contains(QStringLiteral("sCarStatus")) &&
                kept.contains(row.value(QStringLiteral("sCarStatus"))))
                getMyCarListFilter.append(row);
        }
        rows = getMyCarListFilter;
    }
    getMyCarList = rows;
    reloadTable();
}

void CarListController::reloadTable()
{
    m_model.setRows(getMyCarList);
    emit rowsChanged();
}

void CarListController::Action_isCarCheck1(int tag)
{
    if (!isCarCheck1)
        return;
    requestStatusChange(tag, QStringLiteral("차량 입고를 취소하시겠습니까?"),
                        {{QStringLiteral("확인"), DialogAction::Default},
                         {QStringLiteral("취소"), DialogAction::Destructive}},
                        {QStringLiteral("7")});
}

void CarListController::Action_isCarCheck2(int tag)
{
    if (!isCarCheck2 || isCarCheck1)
        return;
    requestStatusChange(tag, QStringLiteral("출고 사유를 선택해주세요."),
                        {{QStringLiteral("차량 판매"), DialogAction::Default},
                         {QStringLiteral("위탁 차량 반환"), DialogAction::Default},
                         {QStringLiteral("구입 취소"), DialogAction::Default},
                         {QStringLiteral("선택 취소"), DialogAction::Destructive}},
                        {QStringLiteral("14"), QStringLiteral("5"), QStringLiteral("7")});
}

void CarListController::requestStatusChange(int tag, const QString &message,
                                            const QList<DialogAction> &actions, const QStringList &statuses)
{
    if (tag < 0 || tag >= getMyCarList.size()) {
        qCWarning(lcInventory) << "car list: row button with tag" << tag << "outside the list";
        return;
    }
    const Record car = getMyCarList.at(tag);
    presentActions(car.value(QStringLiteral("sCarName3")), message, actions,
                   [this, car, statuses](int pressed) {
                       if (pressed < 0 || pressed >= statuses.size())
                           return; // the closing button: nothing is sent
                       // The list may have been fetched again while the alert was
                       // open, so the car is looked up rather than trusted by index.
                       const qsizetype at = getMyCarList.indexOf(car);
                       if (at < 0) {
                           qCWarning(lcInventory) << "car list: the chosen car is no longer listed";
                           return;
                       }
                       sendStatusChange(car, statuses.at(pressed));
                       getMyCarList.removeAt(at);
                       reloadTable();
                   });
}

void CarListController::sendStatusChange(const Record &car, const QString &newStatus)
{
    if (!context() || !context()->procedures) {
        qCWarning(lcInventory) << "car list: no procedure service";
        return;
    }
    const QString text = callText(QStringLiteral("ps_SetProductCar_Status"),
                                  {car.value(QStringLiteral("sCarProductCode")), newStatus, userCode(),
                                   QStringLiteral("MOBILE_DEALER")});
    context()->procedures->call(
        kProcedureExecute, text, ReplyShape{}, this, [this](const ProcedureReply &reply) {
            if (reply.status == ProcedureReply::TransportError) {
                // The change never reached the service: tell the dealer
                // and show the car again as the service has it.
                qCWarning(lcInventory) << "status change:" << reply.error;
                presentAlert(QStringLiteral("상태 변경 실패"),
                             QStringLiteral("차량 상태를 변경하지 못했습니다. "
                                            "네트워크 연결을 확인해주세요."));
                fetchList();
                return;
            }
            qCInfo(lcInventory).noquote() << "status change: " << QString::fromUtf8(reply.body);
        });
}

void CarListController::selectRow(int row)
{
    if (row < 0 || row >= getMyCarList.size())
        return;
    m_selectedRow = row;
    performSegue(QStringLiteral("list_to_detail"));
}

void CarListController::prepareForSegue(const QString &identifier, Screen *destination)
{
    if (identifier != QLatin1String("list_to_detail"))
        return;
    auto *detail = qobject_cast<MainDetailController *>(destination);
    if (!detail || m_selectedRow < 0 || m_selectedRow >= getMyCarList.size())
        return;
    detail->takeList = getMyCarList.at(m_selectedRow);
}

} // namespace tvs
