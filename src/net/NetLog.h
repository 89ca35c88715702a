#pragma once

#include <QLoggingCategory>

namespace tvs {
// The transport's diagnostic log ("tvs.net"). Call texts are never written at
// warning level: a login's text holds the dealer's password digest.
Q_DECLARE_LOGGING_CATEGORY(lcNet)
} // namespace tvs
