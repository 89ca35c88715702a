#pragma once

#include <QLoggingCategory>

namespace tvs {
Q_DECLARE_LOGGING_CATEGORY(lcWorkOrder)
} // namespace tvs
