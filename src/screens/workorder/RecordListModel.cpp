#include "RecordListModel.h"

namespace tvs {

RecordListModel::RecordListModel(const QByteArrayList &outlets, QString keyField, Cell cell, QObject *parent)
    : RowListModel(outlets, {}, parent), m_outlets(outlets), m_keyField(std::move(keyField)),
      m_cell(std::move(cell))
{
}

void RecordListModel::setRows(const Records &records)
{
    QList<RecordRow> next;
    next.reserve(records.size());
    for (const Record &record : records)
        next.append(RecordRow{record.value(m_keyField), record, m_cell(record)});
    RowListModel::setRows(std::move(next));
}

void RecordListModel::setCell(int row, const QByteArray &outlet, const QVariant &value)
{
    const qsizetype column = m_outlets.indexOf(outlet);
    changeRow(row, [column, &value](RecordRow &changed) {
        if (column >= 0 && column < changed.shown.size())
            changed.shown[column] = value;
    });
}

} // namespace tvs
