#pragma once

#include "ScreenNames.h"

namespace tvs::WizardTransition {

// The transitions between the registration steps. The registrar registers `All`;
// the controllers perform and compare these constants.
inline constexpr Transition enter_to_enter2{QLatin1String("enter_to_enter2"), ScreenId::EnterCar2};
inline constexpr Transition enter2_to_enter3{QLatin1String("enter2_to_enter3"), ScreenId::EnterCar3};
inline constexpr Transition enter3_to_enter4{QLatin1String("enter3_to_enter4"), ScreenId::EnterCar4};
inline constexpr Transition enter4_to_enter5{QLatin1String("enter4_to_enter5"), ScreenId::EnterCar5};

inline constexpr Transition All[] = {enter_to_enter2, enter2_to_enter3, enter3_to_enter4, enter4_to_enter5};

} // namespace tvs::WizardTransition
