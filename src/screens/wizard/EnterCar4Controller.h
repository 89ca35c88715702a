#pragma once

#include "ColorPaletteModel.h"
#include "Screen.h"

namespace tvs {

// Step 4 of the registration wizard: the 30 body colours as round swatches; the
// marked one's code goes to the wizard's state. A car that already has a colour
// code starts with that colour marked.
class EnterCar4Controller : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QObject *colorCollView READ palette CONSTANT)
    Q_PROPERTY(int selectedColor READ selectedColor NOTIFY selectionChanged)

public:
    explicit EnterCar4Controller(ScreenContext *context, QObject *parent = nullptr);

    void viewDidLoad() override;

    // A swatch was chosen (didSelectItem).
    Q_INVOKABLE void selectColor(int index);
    Q_INVOKABLE void import_p4_btns();

    QObject *palette() { return &m_palette; }
    ColorPaletteModel &paletteModel() { return m_palette; }
    int selectedColor() const { return m_palette.selectedRow(); }

signals:
    void selectionChanged();
    // The body scrolls, animated, to its bottom (where next is).
    void scrollToBottomRequested();

private:
    ColorPaletteModel m_palette;
};

} // namespace tvs
