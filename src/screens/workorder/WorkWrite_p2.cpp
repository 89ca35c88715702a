#include "WorkWrite_p2.h"

#include "AppData.h"
#include "WorkOrderFields.h"
#include "WorkOrderLogging.h"

namespace tvs {

WorkWrite_p2::WorkWrite_p2(ScreenContext *context, QObject *parent) : Screen(context, parent) {}

void WorkWrite_p2::setOrder(const Records &shops, const JobOrderKey &key, const JobLine &firstLine)
{
    takeRepairList = shops;
    orderKey = key;
    m_firstLine = firstLine;
}

void WorkWrite_p2::viewDidLoad()
{
    // An order met for the first time starts with one line (empty, or the order's
    // own work); one the dealer wrote before comes back as it was left, even with no
    // line at all.
    m_lines.setLines(AppData::shared()->jobLines.lines(orderKey).value_or(QList<JobLine>{m_firstLine}));
}

void WorkWrite_p2::viewWillAppear()
{
    setLoading(true);
}

void WorkWrite_p2::viewDidAppear()
{
    setLoading(false);
}

void WorkWrite_p2::keep()
{
    AppData::shared()->jobLines.keep(orderKey, m_lines.lines());
}

void WorkWrite_p2::cell_JobButtonAction(int lineId)
{
    if (m_lines.rowOf(lineId) < 0) {
        qCWarning(lcWorkOrder) << "job lines: no line" << lineId;
        return;
    }
    QStringList names;
    for (const Record &shop : std::as_const(takeRepairList))
        names.append(shop.value(JobField::sStoreName));
    const Records shops = takeRepairList;
    presentChoice(QStringLiteral("정비소 선택"), names, true, [this, lineId, shops](int chosen) {
        // The line may have been removed while the choice was open.
        if (chosen >= 0 && chosen < shops.size() && m_lines.setShop(lineId, shops.at(chosen)))
            keep();
    });
}

void WorkWrite_p2::cell_AddButtonAction()
{
    m_lines.append(JobLine{});
    keep();
    emit editingEnded();
}

void WorkWrite_p2::cell_DelButtonAction(int lineId)
{
    if (!m_lines.remove(lineId)) {
        qCWarning(lcWorkOrder) << "job lines: no line" << lineId << "to remove";
        return;
    }
    keep();
    emit editingEnded();
}

void WorkWrite_p2::setJobContent(int lineId, const QString &text)
{
    if (m_lines.setContent(lineId, text))
        keep();
}

} // namespace tvs
