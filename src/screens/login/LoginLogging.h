#pragma once

#include <QLoggingCategory>

namespace tvs {

// The login screen. Never given a password, a digest or a sign-in token.
Q_DECLARE_LOGGING_CATEGORY(lcLogin)

} // namespace tvs
