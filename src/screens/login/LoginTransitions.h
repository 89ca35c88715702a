#pragma once

#include "ScreenNames.h"

namespace tvs::LoginTransition {

// The transition that leaves the sign-in. The registrar registers `All`;
// the controllers perform and compare these constants.
TVS_PUSH(login_to_main, MainView);

inline constexpr Transition All[] = {login_to_main};

} // namespace tvs::LoginTransition
