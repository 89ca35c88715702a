#include "NetLog.h"

namespace tvs {
Q_LOGGING_CATEGORY(lcNet, "tvs.net", QtInfoMsg)
} // namespace tvs
