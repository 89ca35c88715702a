#pragma once

#include <QString>
#include <QStringList>

namespace tvs {

// The procedure call text: name, a blank, each argument between single quotes,
// arguments separated by `separator` ("', '" as a rule; "','" where a procedure's
// text has no blank after the comma). A single quote inside a value is doubled so
// that no value can end its literal. No arguments: the name alone.
//
// The call text travels as XML character data, so characters that XML 1.0 cannot
// carry are removed from the values (a control character pasted into a description
// would otherwise make the whole envelope ill-formed and the call fail): U+0000 to
// U+001F except tab, line feed and carriage return, the noncharacters U+FFFE and
// U+FFFF, and a surrogate that is not half of a pair (it encodes no character).
// Everything else, emoji included, stays.
QString callText(const QString &procedure, const QStringList &args,
                 const QString &separator = QStringLiteral("', '"));

// The text without the characters XML 1.0 cannot carry (see callText).
QString xmlCharactersOnly(const QString &text);

// Escapes the XML specials "&", "<" and ">" for the envelope and drops what
// xmlCharactersOnly drops, so that no envelope (the side services' parameters
// included) is ill-formed.
QString escapeXmlText(const QString &text);

} // namespace tvs
