#pragma once

#include <QLoggingCategory>

namespace tvs {
// The registration wizard: its lists, the lookup, the registration and the hand-off.
Q_DECLARE_LOGGING_CATEGORY(lcWizard)
} // namespace tvs
