#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace tvs {

// A car status label as the rows show it: the word with its blanks, and the
// label's background.
struct StatusLabel
{
    QString text;
    QColor background;
};

// The label of a car status code "1" .. "19" (whole-text comparison); any other
// code gets "  Error  " on navy.
StatusLabel carStatusLabel(const QString &code);

// A signed decimal integer with the current locale's grouping; any other text unchanged.
QString formatThousands(const QString &text);

// A text that is a whole decimal number (digits with an optional sign, within 64 bits).
// Anything else, including the empty text and surrounding blanks, is no number.
std::optional<qint64> decimalInteger(const QString &text);

} // namespace tvs
