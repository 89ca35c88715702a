#include "ColorPaletteModel.h"

#include "WizardCodes.h"

#include <QColor>

namespace tvs {

void ColorPaletteModel::select(int row)
{
    if (row == m_selected)
        return;
    const int before = m_selected;
    m_selected = row;
    for (int changed : {before, row}) {
        if (changed >= 0 && changed < rowCount())
            emit dataChanged(index(changed), index(changed), {SelectedRole});
    }
}

int ColorPaletteModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(WizardCodes::palette().size());
}

QVariant ColorPaletteModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Colors &entry = WizardCodes::palette().at(index.row());
    switch (role) {
    case NameRole:
        return entry.colorName;
    case CodeRole:
        return entry.colorCode;
    case BorderRole:
        return QColor::fromRgb(entry.borderColor);
    case UpperRole:
        return QColor::fromRgb(entry.color1);
    case LowerRole:
        return QColor::fromRgb(entry.color2);
    case SelectedRole:
        return index.row() == m_selected;
    default:
        return {};
    }
}

QHash<int, QByteArray> ColorPaletteModel::roleNames() const
{
    return {{NameRole, "colorName"}, {CodeRole, "colorCode"}, {BorderRole, "borderColor"},
            {UpperRole, "color1"},   {LowerRole, "color2"},   {SelectedRole, "checked"}};
}

} // namespace tvs
