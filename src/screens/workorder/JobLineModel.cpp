#include "JobLineModel.h"
#include "WorkOrderFields.h"

namespace tvs {

const QString JobLineModel::kNoShopTitle = QStringLiteral("정비소 선택");

QVariantList JobLineRow::cells() const
{
    return {id, line.content,
            line.shop.isEmpty() ? JobLineModel::kNoShopTitle : line.shop.value(JobField::sStoreName)};
}

JobLineModel::JobLineModel(QObject *parent)
    : RowListModel({"lineId", "cell_JobContent", "cellJobButton"}, {}, parent)
{
}

void JobLineModel::setLines(const QList<JobLine> &lines)
{
    QList<JobLineRow> next;
    for (const JobLine &line : lines)
        next.append(JobLineRow{m_nextId++, line});
    setRows(std::move(next));
}

QList<JobLine> JobLineModel::lines() const
{
    QList<JobLine> out;
    out.reserve(count());
    for (const JobLineRow &row : rows())
        out.append(row.line);
    return out;
}

int JobLineModel::rowOf(int lineId) const
{
    for (qsizetype i = 0; i < rows().size(); ++i) {
        if (rows().at(i).id == lineId)
            return int(i);
    }
    return -1;
}

int JobLineModel::append(const JobLine &line)
{
    appendRows({JobLineRow{m_nextId, line}});
    return m_nextId++;
}

bool JobLineModel::setContent(int lineId, const QString &content)
{
    return changeRow(rowOf(lineId), [&content](JobLineRow &row) { row.line.content = content; });
}

bool JobLineModel::setShop(int lineId, const Record &shop)
{
    return changeRow(rowOf(lineId), [&shop](JobLineRow &row) { row.line.shop = shop; });
}

} // namespace tvs
