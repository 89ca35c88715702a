#include "OptionGridModel.h"

#include <QStringList>

namespace tvs {

void OptionGridModel::setRows(const Records &rows, const QList<bool> &selected)
{
    beginResetModel();
    m_rows = rows;
    m_selected = selected;
    m_selected.resize(m_rows.size());
    endResetModel();
    emit countChanged();
}

void OptionGridModel::setSelected(int row, bool selected)
{
    if (row < 0 || row >= m_selected.size() || m_selected.at(row) == selected)
        return;
    m_selected[row] = selected;
    emit dataChanged(index(row), index(row), {SelectedRole});
}

QString OptionGridModel::heading() const
{
    QStringList names;
    for (const Record &row : m_rows) {
        const QString name = row.value(QStringLiteral("sCarOptionName"));
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names.join(QStringLiteral(" · "));
}

double OptionGridModel::contentHeight() const
{
    const qsizetype lines = (m_rows.size() + 1) / 2;
    if (lines == 0)
        return 0;
    return double(lines) * kItemHeight + double(lines - 1) * kSpacing;
}

int OptionGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant OptionGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Record &row = m_rows.at(index.row());
    switch (role) {
    case TitleRole: {
        const QString name = row.value(QStringLiteral("sCarOptionDetailName"));
        return name.isEmpty() && m_codeForUntitled ? row.value(QStringLiteral("sCarOptionDetailCode")) : name;
    }
    case SelectedRole:
        return m_selected.value(index.row());
    default:
        return {};
    }
}

QHash<int, QByteArray> OptionGridModel::roleNames() const
{
    return {{TitleRole, "btn_Option"}, {SelectedRole, "selected"}};
}

} // namespace tvs
