#include "WorkWrite_p1.h"

#include "AppData.h"
#include "Navigator.h"
#include "ScreenContext.h"
#include "WebController.h"
#include "WorkOrderLogging.h"
#include "WorkWrite_p2.h"

namespace tvs {

const QString WorkWrite_p1::kNoShopTitle = QStringLiteral("정비소 선택");

WorkWrite_p1::WorkWrite_p1(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_jobs(context ? context->procedures : nullptr, this),
      m_table(
          {"cell_label", "cell_Button"}, QStringLiteral("sCarProductCheckItemCode"),
          [](const Record &item) {
              return QVariantList{
                  item.value(QStringLiteral("sCarProductCheckItemName")) + u'(' +
                      item.value(QStringLiteral("sCarProductCheckItemContent")) + u')',
                  kNoShopTitle,
              };
          },
          this)
{
}

void WorkWrite_p1::setOrder(const QString &productCode, const QString &jobListCode)
{
    take_ProductCode = productCode;
    take_JobListCode = jobListCode;
}

void WorkWrite_p1::viewDidLoad()
{
    // Each reply has its own answer: they may come in either order.
    m_jobs.inspectionItems(take_ProductCode, take_JobListCode, [this](const QueryResult<Records> &result) {
        m_itemsAnswered = true;
        if (result.ok()) {
            m_noItems = result.nothingFound;
            m_table.setRows(result.value);
        } else {
            requestFailed(result);
        }
        decideSkip();
    });
    m_jobs.repairShops([this](const QueryResult<Records> &result) {
        m_shopsAnswered = true;
        if (result.ok())
            repairResultList = result.value;
        else
            requestFailed(result);
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

void WorkWrite_p1::requestFailed(const QueryResult<Records> &result)
{
    if (result.status != QueryStatus::TransportError || m_networkAlertShown)
        return;
    m_networkAlertShown = true;
    presentAlert(QStringLiteral("네트워크 오류"), QStringLiteral("네트워크를 연결해주세요."));
}

void WorkWrite_p1::decideSkip()
{
    if (!m_itemsAnswered || !m_shopsAnswered)
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
        names.append(shop.value(QStringLiteral("sStoreName")));
    presentChoice(QStringLiteral("정비소 선택"), names, true, [this, tag, names](int chosen) {
        // The choice is only shown: the shops go to the job lines whatever was chosen.
        if (chosen >= 0 && chosen < names.size())
            m_table.setCell(tag, "cell_Button", names.at(chosen));
    });
}

void WorkWrite_p1::openInspectionRecord()
{
    performSegue(QStringLiteral("WorkWrite_to_Web"));
}

void WorkWrite_p1::openJobLines()
{
    performSegue(QStringLiteral("WorkWrite_to_WorkWrite2"));
}

void WorkWrite_p1::prepareForSegue(const QString &identifier, Screen *destination)
{
    if (auto *web = qobject_cast<WebController *>(destination)) {
        if (identifier == QLatin1String("WorkWrite_to_Web"))
            web->setPage(QStringLiteral("record"), take_ProductCode, QStringLiteral("성능 점검 기록부"));
    } else if (auto *lines = qobject_cast<WorkWrite_p2 *>(destination)) {
        if (identifier == QLatin1String("WorkWrite_to_WorkWrite2"))
            lines->setOrder(repairResultList,
                            JobOrderKey{AppData::shared()->userCode(), take_ProductCode, take_JobListCode});
    }
}

} // namespace tvs
