#pragma once

#include "RowListModel.h"

#include <QRgb>

namespace tvs {

// One swatch of the palette.
struct ColorRow
{
    QString name;
    QString code;
    QRgb border = 0; // colorBox, the rim
    QRgb upper = 0;  // colorpattern1
    QRgb lower = 0;  // colorpattern2
    bool checked = false;

    QString key() const { return code; }
    QVariantList cells() const;
    friend bool operator==(const ColorRow &, const ColorRow &) = default;
};

// The colour cells of step 4 (`ColorCell`): the fixed palette, one of them
// selected (its check mark shown) or none.
class ColorPaletteModel : public RowListModel<ColorRow>
{
    Q_OBJECT

public:
    explicit ColorPaletteModel(QObject *parent = nullptr);

    void select(int row);
    int selectedRow() const { return m_selected; }

private:
    int m_selected = -1;
};

} // namespace tvs
