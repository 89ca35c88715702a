#pragma once

#include "ScreenNames.h"

namespace tvs::LoginTransition {

// The transition that leaves the sign-in. The registrar registers `All`;
// the controllers perform and compare these constants.
inline constexpr Transition login_to_main{QLatin1String("login_to_main"), ScreenId::MainView};

inline constexpr Transition All[] = {login_to_main};

} // namespace tvs::LoginTransition
