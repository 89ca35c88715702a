#pragma once

#include "ScreenNames.h"

namespace tvs::InventoryTransition {

// The transitions that leave the car list and the car detail. The registrar registers `All`;
// the controllers perform and compare these constants.
inline constexpr Transition list_to_detail{QLatin1String("list_to_detail"), ScreenId::MainDetailController};
inline constexpr Transition detail_to_enter{QLatin1String("detail_to_enter"), ScreenId::EnterCarController};
inline constexpr Transition detail_to_web2{QLatin1String("detail_to_web2"), ScreenId::WebController};
inline constexpr Transition detail_to_web3{QLatin1String("detail_to_web3"), ScreenId::WebController};
inline constexpr Transition detail_to_web4{QLatin1String("detail_to_web4"), ScreenId::WebController};

inline constexpr Transition All[] = {list_to_detail, detail_to_enter, detail_to_web2, detail_to_web3,
                                     detail_to_web4};

} // namespace tvs::InventoryTransition
