#pragma once

#include <QString>

// Declares the constant `name` that holds the field name "name". Record fields are
// named in code exactly as the service spells them, so each is written once and the
// constant cannot drift from its text.
#define TVS_FIELD(name) inline const QString name = QStringLiteral(#name)
