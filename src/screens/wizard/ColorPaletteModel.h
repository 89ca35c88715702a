#pragma once

#include "RowListModel.h"

#include <QRgb>

namespace tvs {

// One swatch of the palette.
struct ColorRow
{
    enum Role {
        NameRole = Qt::UserRole + 1, // colorName
        CodeRole,
        BorderRole, // colorBox, the rim
        UpperRole,  // colorpattern1
        LowerRole,  // colorpattern2
        SelectedRole,
    };

    QString name;
    QString code;
    QRgb border = 0;
    QRgb upper = 0;
    QRgb lower = 0;
    bool checked = false;

    QString key() const { return code; }
    QVariant outlet(int role) const;
    friend bool operator==(const ColorRow &, const ColorRow &) = default;
};

// The colour cells of step 4 (`ColorCell`): the fixed palette, one of them
// selected (its check mark shown) or none.
class ColorPaletteModel : public RowListModel<ColorRow>
{
public:
    using enum ColorRow::Role;

    explicit ColorPaletteModel(QObject *parent = nullptr);

    void select(int row);
    int selectedRow() const { return m_selected; }

private:
    int m_selected = -1;
};

} // namespace tvs
