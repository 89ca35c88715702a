#include "DashboardLogging.h"

namespace tvs {
Q_LOGGING_CATEGORY(lcDashboard, "tvs.dashboard", QtInfoMsg)
} // namespace tvs
