#include "OptionBoxModel.h"

namespace tvs {

void OptionBoxModel::setRows(const Records &rows, const QList<bool> &selected)
{
    beginResetModel();
    m_rows = rows;
    m_selected = selected;
    endResetModel();
    emit countChanged();
}

QString OptionBoxModel::heading() const
{
    QStringList names;
    for (const Record &row : m_rows) {
        const QString name = row.value(QStringLiteral("sCarOptionName"));
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names.join(QStringLiteral(" · "));
}

double OptionBoxModel::contentHeight() const
{
    const qsizetype lines = (m_rows.size() + 1) / 2;
    if (lines == 0)
        return 0;
    return double(lines) * kItemHeight + double(lines - 1) * kSpacing;
}

int OptionBoxModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant OptionBoxModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Record &row = m_rows.at(index.row());
    switch (role) {
    case TitleRole:
        return row.value(QStringLiteral("sCarOptionDetailName"));
    case SelectedRole:
        return m_selected.value(index.row());
    case HasTitleRole:
        return row.contains(QStringLiteral("sCarOptionDetailName"));
    }
    return {};
}

QHash<int, QByteArray> OptionBoxModel::roleNames() const
{
    return {{TitleRole, "btn_Option"}, {SelectedRole, "selected"}, {HasTitleRole, "hasTitle"}};
}

} // namespace tvs
