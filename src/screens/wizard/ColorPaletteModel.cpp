#include "ColorPaletteModel.h"

#include "WizardCodes.h"

#include <QColor>

namespace tvs {

QVariantList ColorRow::cells() const
{
    return {name, code, QColor::fromRgb(border), QColor::fromRgb(upper), QColor::fromRgb(lower), checked};
}

ColorPaletteModel::ColorPaletteModel(QObject *parent)
    : RowListModel({"colorName", "colorCode", "borderColor", "color1", "color2", "checked"}, {}, parent)
{
    QList<ColorRow> rows;
    for (const Colors &entry : WizardCodes::palette())
        rows.append(
            ColorRow{entry.colorName, entry.colorCode, entry.borderColor, entry.color1, entry.color2});
    setRows(std::move(rows));
}

void ColorPaletteModel::select(int row)
{
    if (row == m_selected)
        return;
    changeRow(m_selected, [](ColorRow &swatch) { swatch.checked = false; });
    m_selected = row;
    changeRow(row, [](ColorRow &swatch) { swatch.checked = true; });
}

} // namespace tvs
