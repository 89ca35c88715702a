#pragma once

#include <QLoggingCategory>

namespace tvs {

// The QR source: camera discovery, capture, decoding.
Q_DECLARE_LOGGING_CATEGORY(lcQr)

} // namespace tvs
