#pragma once

#include <QString>
#include <QStringList>

namespace tvs {

// The procedure call text: name, a blank, each argument between single quotes,
// arguments separated by `separator` ("', '" as a rule; "','" where a procedure's
// text has no blank after the comma). A single quote inside a value is doubled so
// that no value can end its literal. No arguments: the name alone.
QString callText(const QString &procedure, const QStringList &args,
                 const QString &separator = QStringLiteral("', '"));

// Escapes the XML specials "&", "<" and ">" for the envelope.
QString escapeXmlText(const QString &text);

} // namespace tvs
