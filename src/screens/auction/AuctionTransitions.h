#pragma once

#include "ScreenNames.h"

namespace tvs::AuctionTransition {

// The transitions that leave the auction board, named as the screens they open.
// The registrar registers `All`; the board performs and compares these constants.
inline constexpr Transition auctionDetail{ScreenId::auctionDetail, ScreenId::auctionDetail};
inline constexpr Transition auctionPopCall{ScreenId::auctionPopCall, ScreenId::auctionPopCall,
                                           Navigator::Kind::OverContext};

inline constexpr Transition All[] = {auctionDetail, auctionPopCall};

} // namespace tvs::AuctionTransition
