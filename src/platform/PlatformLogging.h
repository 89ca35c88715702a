#pragma once

#include <QLoggingCategory>

namespace tvs {

// Screens, transitions and dialogs.
Q_DECLARE_LOGGING_CATEGORY(lcUi)
// Settings, network path, URL opening.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)

} // namespace tvs
