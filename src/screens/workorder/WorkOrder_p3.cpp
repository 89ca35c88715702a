#include "WorkOrder_p3.h"

#include "AppData.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "WorkOrderFields.h"
#include "WorkOrderLogging.h"
#include "WorkOrderTransitions.h"
#include "WorkWrite_p1.h"

#include <algorithm>

namespace tvs {

namespace {

// A registration time YYYYMMDDhhmmss as YYYY.MM.DD hh:mm:ss; any other text as it stands.
QString registrationTime(const QString &t)
{
    if (t.size() != 14 || !std::all_of(t.cbegin(), t.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return t; // not the documented form: cutting it up would garble it
    return t.left(4) + u'.' + t.mid(4, 2) + u'.' + t.mid(6, 2) + u' ' + t.mid(8, 2) + u':' + t.mid(10, 2) +
           u':' + t.mid(12, 2);
}

} // namespace

WorkOrder_p3::WorkOrder_p3(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_jobs(context ? context->procedures : nullptr, this),
      m_table(
          {"cell_Time", "cell_JobNumber", "cell_RepairPrice", "cell_CarNumber", "cell_JobCode"},
          JobField::sJobListCode,
          [this](const Record &order) {
              return QVariantList{
                  registrationTime(order.value(JobField::sJobListRegdate)),
                  QStringLiteral("작업 지시번호: ") + order.value(JobField::sJobListCode),
                  // An empty price element shows no price, not a lone " 원".
                  !order.value(JobField::iJobPrice).isEmpty()
                      ? AppData::formatThousands(order.value(JobField::iJobPrice)) + QStringLiteral(" 원")
                      : QString(),
                  car_Number,
                  // Names the row's buttons for a screen reader ("수정 J00011").
                  order.value(JobField::sJobListCode),
              };
          },
          this)
{
}

void WorkOrder_p3::setCar(const QString &code, const QString &carNumber)
{
    productCode = code;
    car_Number = carNumber;
}

void WorkOrder_p3::viewDidLoad()
{
    fetch(true);
}

void WorkOrder_p3::viewWillAppear()
{
    setLoading(true);
    // Back from writing an order: the list shows what the service has now.
    if (m_appeared)
        fetch(false);
    m_appeared = true;
}

void WorkOrder_p3::viewDidAppear()
{
    setLoading(false);
}

void WorkOrder_p3::fetch(bool firstTime)
{
    m_jobs.jobOrders(AppData::shared()->userCode(), productCode,
                     m_latest.track([this, firstTime](const QueryResult<Records> &result) {
                         if (alertIfFailed(this, result,
                                           QStringLiteral("작업 지시 목록을 불러오지 못했습니다."),
                                           [this, firstTime] { fetch(firstTime); }))
                             return; // the list keeps what it showed
                         m_table.setRows(result.value);
                         // A car without orders goes straight to a new one, once: coming
                         // back from it must find the list, not open another. Nor while
                         // the dealer is already elsewhere.
                         const bool shown = navigator() && navigator()->top() == this;
                         if (result.nothingFound && firstTime && shown)
                             openNewOrder();
                     }));
}

void WorkOrder_p3::openNewOrder()
{
    openWriting(Record());
}

void WorkOrder_p3::openWriting(const Record &order)
{
    m_writeOrder = order;
    performSegue(WorkOrderTransition::order_to_write);
}

bool WorkOrder_p3::openToChanges(const Record &order)
{
    if (order.value(JobField::sJobOrderListStatus) == QLatin1String("1"))
        return true;
    presentAlert(QStringLiteral("오류"),
                 QStringLiteral("이미 주문접수 상태입니다.\n주문접수 상태이면 취소하실 수 없습니다."));
    return false;
}

void WorkOrder_p3::cell_EditButton_Action(int tag)
{
    if (!m_table.hasRow(tag)) {
        qCWarning(lcWorkOrder) << "job orders: no row" << tag;
        return;
    }
    const Record order = m_table.record(tag);
    if (!openToChanges(order))
        return;
    // Without its number the order would be written as a new one.
    if (order.value(JobField::sJobListCode).isEmpty()) {
        qCWarning(lcWorkOrder) << "job orders: row" << tag << "has no order number to edit";
        return;
    }
    openWriting(order);
}

void WorkOrder_p3::cell_DelButton_Action(int tag)
{
    if (!m_table.hasRow(tag)) {
        qCWarning(lcWorkOrder) << "job orders: no row" << tag;
        return;
    }
    const Record order = m_table.record(tag);
    qCDebug(lcWorkOrder) << "job order status:" << order.value(JobField::sJobOrderListStatus);
    if (!openToChanges(order))
        return;
    // The service has no procedure that deletes a job order: the question is
    // asked, and either answer leaves the order as it is.
    presentActions(QString(), QStringLiteral("삭제하시겠습니까?"),
                   {{QStringLiteral("확인"), DialogAction::Default},
                    {QStringLiteral("취소"), DialogAction::Destructive}},
                   [](int) {});
}

void WorkOrder_p3::prepareForSegue(const QString &identifier, Screen *destination)
{
    auto *writing = qobject_cast<WorkWrite_p1 *>(destination);
    // Editing hands the car's code too: the inspection items and the
    // inspection record page are the car's.
    if (identifier != WorkOrderTransition::order_to_write || !writing)
        return;
    // The order's own work and shop start its job lines, as long as the dealer has
    // written none for it in this session.
    JobLine first{m_writeOrder.value(JobField::sJobContent), {}};
    if (!m_writeOrder.value(JobField::sStoreCode).isEmpty())
        first.shop = Record{{JobField::sStoreCode, m_writeOrder.value(JobField::sStoreCode)},
                            {JobField::sStoreName, m_writeOrder.value(JobField::sStoreName)}};
    writing->setOrder(productCode, m_writeOrder.value(JobField::sJobListCode), first);
}

} // namespace tvs
