#pragma once

#include "Screen.h"

#include <QList>
#include <QRgb>
#include <QString>

namespace tvs {

// The wizard's fixed code tables. A code names something only within its own
// table: "A000002" is diesel among the fuels and automatic among the gearboxes.

// A name shown to the dealer and the code stored for it.
struct NamedCode
{
    QString name;
    QString code;
};

// One gearbox: `name` shown, `eng` the code stored.
struct Transmisson
{
    QString name;
    QString eng;
};

// One body colour: `color1` paints the upper half of the swatch, `color2` the
// lower half (equal for a one-colour entry), `borderColor` its rim.
struct Colors
{
    QString colorName;
    QString colorCode;
    QRgb borderColor;
    QRgb color1;
    QRgb color2;
};

namespace WizardCodes {
// Gasoline .. LPG hybrid, in list order.
const QList<NamedCode> &fuels();
// Manual .. other, in list order.
const QList<Transmisson> &transmissions();
// The automatic gearbox: where a new registration starts.
inline const QString kAutomatic = QStringLiteral("A000002");
// How the shop holds the car, in dialog order; "1" when nothing is chosen.
const QList<NamedCode> &saleTypes();
inline const QString kDefaultSaleType = QStringLiteral("1");
// The 30 body colours, in display order.
const QList<Colors> &palette();

// The name of `code` in `table`; empty when the table has no such code.
QString nameOf(const QList<NamedCode> &table, const QString &code);
QString transmissionName(const QString &eng);

// Offers the names of `table` in a choice titled `title`, with "선택 취소"; `chosen`
// gets the entry the dealer picked, and a cancel changes nothing.
template <typename Entry, typename Chosen>
void choose(Screen &screen, const QString &title, const QList<Entry> &table, Chosen chosen)
{
    QStringList names;
    for (const Entry &entry : table)
        names.append(entry.name);
    screen.presentChoice(title, names, true, [&table, chosen = std::move(chosen)](int i) {
        if (i >= 0)
            chosen(table.at(i));
    });
}
} // namespace WizardCodes

} // namespace tvs
