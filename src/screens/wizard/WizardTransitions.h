#pragma once

#include "ScreenNames.h"

namespace tvs::WizardTransition {

// The transitions between the registration steps. The registrar registers `All`;
// the controllers perform and compare these constants.
TVS_PUSH(enter_to_enter2, EnterCar2);
TVS_PUSH(enter2_to_enter3, EnterCar3);
TVS_PUSH(enter3_to_enter4, EnterCar4);
TVS_PUSH(enter4_to_enter5, EnterCar5);

inline constexpr Transition All[] = {enter_to_enter2, enter2_to_enter3, enter3_to_enter4, enter4_to_enter5};

} // namespace tvs::WizardTransition
