#include "CarRowModel.h"

#include "ThemeColors.h"

namespace tvs {

CarRowModel::CarRowModel(QObject *parent) : QAbstractListModel(parent) {}

void CarRowModel::setDates(const CarRowDates &dates)
{
    m_dates = dates;
    recompute();
}

void CarRowModel::setConfig(const Config *config)
{
    m_config = config;
    recompute();
}

void CarRowModel::recompute()
{
    if (m_rows.isEmpty())
        return;
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_views[i] = CarRowView::from(m_rows.at(i), m_dates, m_config);
    emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void CarRowModel::setRows(const Records &rows)
{
    const bool countChanges = rows.size() != m_rows.size();
    beginResetModel();
    m_rows = rows;
    m_views.clear();
    m_views.reserve(m_rows.size());
    for (const Record &row : std::as_const(m_rows))
        m_views.append(CarRowView::from(row, m_dates, m_config));
    endResetModel();
    if (countChanges)
        emit countChanged();
}

void CarRowModel::clear()
{
    setRows({});
}

void CarRowModel::removeAt(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    m_views.removeAt(row);
    endRemoveRows();
    // Row indices (the row buttons' tags) after the removed row move up by one.
    if (row < m_rows.size())
        emit dataChanged(index(row), index(int(m_rows.size()) - 1), {CellIndex});
    emit countChanged();
}

Record CarRowModel::record(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : Record();
}

CarRowView CarRowModel::view(int row) const
{
    return row >= 0 && row < m_views.size() ? m_views.at(row) : CarRowView();
}

int CarRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CarRowModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_views.size())
        return {};
    const CarRowView &v = m_views.at(index.row());
    switch (role) {
    case CellImg:
        return v.picture.toString(QUrl::FullyEncoded);
    case CellName:
        return v.name;
    case CellInfo:
        return v.info;
    case CellInfo2:
        return v.info2;
    case CellState:
        return v.stateText;
    case CellStateColor:
        return v.stateColor.isValid() ? v.stateColor : theme::clear();
    case CellBackground:
        return v.background;
    case CellIndex:
        return index.row();
    default:
        return {};
    }
}

QHash<int, QByteArray> CarRowModel::roleNames() const
{
    return {
        {CellImg, QByteArrayLiteral("cell_img")},
        {CellName, QByteArrayLiteral("cell_name")},
        {CellInfo, QByteArrayLiteral("cell_info")},
        {CellInfo2, QByteArrayLiteral("cell_info2")},
        {CellState, QByteArrayLiteral("cell_state")},
        {CellStateColor, QByteArrayLiteral("cell_stateColor")},
        {CellBackground, QByteArrayLiteral("cell_background")},
        {CellIndex, QByteArrayLiteral("cell_index")},
    };
}

} // namespace tvs
