#pragma once

#include "ScreenNames.h"

namespace tvs::InventoryTransition {

// The transitions that leave the car list and the car detail. The registrar registers `All`;
// the controllers perform and compare these constants.
TVS_PUSH(list_to_detail, MainDetailController);
TVS_PUSH(detail_to_enter, EnterCarController);
TVS_PUSH(detail_to_web2, WebController);
TVS_PUSH(detail_to_web3, WebController);
TVS_PUSH(detail_to_web4, WebController);

inline constexpr Transition All[] = {list_to_detail, detail_to_enter, detail_to_web2, detail_to_web3,
                                     detail_to_web4};

} // namespace tvs::InventoryTransition
