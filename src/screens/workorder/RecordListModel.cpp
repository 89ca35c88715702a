#include "RecordListModel.h"

namespace tvs {

RecordListModel::RecordListModel(QByteArrayList outlets, Cell cell, QObject *parent)
    : QAbstractListModel(parent), m_outlets(std::move(outlets)), m_cell(std::move(cell))
{
}

void RecordListModel::setRows(const Records &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
    emit countChanged();
}

QVariant RecordListModel::cell(int row, const QByteArray &outlet) const
{
    const qsizetype at = m_outlets.indexOf(outlet);
    if (!hasRow(row) || at < 0)
        return {};
    return m_cell(row, m_rows.at(row)).value(at);
}

void RecordListModel::refresh(int row)
{
    if (hasRow(row))
        emit dataChanged(index(row), index(row));
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    const int at = role - (Qt::UserRole + 1);
    if (!index.isValid() || at < 0 || at >= m_outlets.size())
        return {};
    return cell(index.row(), m_outlets.at(at));
}

QHash<int, QByteArray> RecordListModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (qsizetype i = 0; i < m_outlets.size(); ++i)
        names.insert(Qt::UserRole + 1 + int(i), m_outlets.at(i));
    return names;
}

} // namespace tvs
