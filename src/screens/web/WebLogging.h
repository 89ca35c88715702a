#pragma once

#include <QLoggingCategory>

namespace tvs {
// The web page screen: addresses, loads, certificates.
Q_DECLARE_LOGGING_CATEGORY(lcWeb)
} // namespace tvs
