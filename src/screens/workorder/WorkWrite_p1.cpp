#include "WorkWrite_p1.h"

#include "AppData.h"
#include "CarFields.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "WebController.h"
#include "WorkOrderFields.h"
#include "WorkOrderLogging.h"
#include "WorkOrderTransitions.h"
#include "WorkWrite_p2.h"

namespace tvs {

const QString WorkWrite_p1::kNoShopTitle = QStringLiteral("정비소 선택");

WorkWrite_p1::WorkWrite_p1(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_jobs(context ? context->procedures : nullptr, this),
      m_table(
          {"cell_label", "cell_Button"}, CarField::sCarProductCheckItemCode,
          [](const Record &item) {
              return QVariantList{
                  item.value(CarField::sCarProductCheckItemName) + u'(' +
                      item.value(CarField::sCarProductCheckItemContent) + u')',
                  kNoShopTitle,
              };
          },
          this)
{
}

void WorkWrite_p1::setOrder(const QString &productCode, const QString &jobListCode, const JobLine &firstLine)
{
    take_ProductCode = productCode;
    take_JobListCode = jobListCode;
    m_firstLine = firstLine;
}

void WorkWrite_p1::viewDidLoad()
{
    // Both at once; each reply has its own answer: they may come in either order.
    fetchItems();
    fetchShops();
}

void WorkWrite_p1::fetchItems()
{
    m_jobs.inspectionItems(take_ProductCode, take_JobListCode, [this](const QueryResult<Records> &result) {
        if (alertIfFailed(this, result, QStringLiteral("점검 항목을 불러오지 못했습니다."),
                          [this] { fetchItems(); }))
            return;
        m_itemsAnswered = true;
        m_noItems = result.nothingFound;
        m_table.setRows(result.value);
        decideSkip();
    });
}

void WorkWrite_p1::fetchShops()
{
    m_shopsInFlight = true;
    m_jobs.repairShops([this](const QueryResult<Records> &result) {
        m_shopsInFlight = false;
        if (alertIfFailed(
                this, result, QStringLiteral("정비소 목록을 불러오지 못했습니다."), [this] { fetchShops(); },
                [this] { setWaitingForShops(false); }))
            return;
        repairResultList = result.value;
        m_shopsArrived = true;
        if (m_waitingForShops) {
            setWaitingForShops(false);
            openJobLines();
            return;
        }
        decideSkip();
    });
}

void WorkWrite_p1::viewWillAppear()
{
    setLoading(true);
}

void WorkWrite_p1::viewDidAppear()
{
    setLoading(false);
}

void WorkWrite_p1::setWaitingForShops(bool waiting)
{
    if (waiting == m_waitingForShops)
        return;
    m_waitingForShops = waiting;
    setLoading(waiting);
}

void WorkWrite_p1::decideSkip()
{
    if (!m_itemsAnswered || !m_shopsArrived)
        return;
    // With a single shop (or none) there is nothing to choose on the next step either.
    const bool shown = navigator() && navigator()->top() == this;
    if (m_noItems && m_table.count() == 0 && repairResultList.size() >= 2 && shown) {
        qCDebug(lcWorkOrder) << "no inspection items: on to the job lines";
        openJobLines();
    }
}

void WorkWrite_p1::cell_ButtonAction(int tag)
{
    if (!m_table.hasRow(tag)) {
        qCWarning(lcWorkOrder) << "inspection items: no row" << tag;
        return;
    }
    QStringList names;
    for (const Record &shop : std::as_const(repairResultList))
        names.append(shop.value(JobField::sStoreName));
    presentChoice(QStringLiteral("정비소 선택"), names, true, [this, tag, names](int chosen) {
        // The choice is only shown: the shops go to the job lines whatever was chosen.
        if (chosen >= 0 && chosen < names.size())
            m_table.setCell(tag, "cell_Button", names.at(chosen));
    });
}

void WorkWrite_p1::openInspectionRecord()
{
    performSegue(WorkOrderTransition::WorkWrite_to_Web);
}

void WorkWrite_p1::openJobLines()
{
    // The job lines take the shop list with them: without it they would offer no shop.
    if (!m_shopsArrived) {
        setWaitingForShops(true);
        if (!m_shopsInFlight)
            fetchShops();
        return;
    }
    if (navigator() && navigator()->top() != this)
        return;
    performSegue(WorkOrderTransition::WorkWrite_to_WorkWrite2);
}

void WorkWrite_p1::prepareForSegue(const QString &identifier, Screen *destination)
{
    if (auto *web = qobject_cast<WebController *>(destination)) {
        if (identifier == WorkOrderTransition::WorkWrite_to_Web)
            web->setPage(QStringLiteral("record"), take_ProductCode, QStringLiteral("성능 점검 기록부"));
    } else if (auto *lines = qobject_cast<WorkWrite_p2 *>(destination)) {
        if (identifier == WorkOrderTransition::WorkWrite_to_WorkWrite2)
            lines->setOrder(repairResultList,
                            JobOrderKey{AppData::shared()->userCode(), take_ProductCode, take_JobListCode},
                            m_firstLine);
    }
}

} // namespace tvs
