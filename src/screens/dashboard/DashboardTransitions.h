#pragma once

#include "ScreenNames.h"

namespace tvs::DashboardTransition {

// The transitions that leave the dashboard and its drawer. The registrar registers `All`;
// the controllers perform and compare these constants.
inline constexpr Transition main_to_detail{QLatin1String("main_to_detail"), ScreenId::MainDetailController};
inline constexpr Transition main_to_carList0{QLatin1String("main_to_carList0"), ScreenId::CarListController};
inline constexpr Transition main_to_carList9{QLatin1String("main_to_carList9"), ScreenId::CarListController};
inline constexpr Transition main_to_auction1{QLatin1String("main_to_auction1"), ScreenId::AuctionController};
inline constexpr Transition main_to_auction2{QLatin1String("main_to_auction2"), ScreenId::AuctionController};
inline constexpr Transition main_to_web2{QLatin1String("main_to_web2"), ScreenId::WebController};
inline constexpr Transition main_to_carCancel{QLatin1String("main_to_carCancel"),
                                              ScreenId::CarListController};
inline constexpr Transition main_to_carExport{QLatin1String("main_to_carExport"),
                                              ScreenId::CarListController};
inline constexpr Transition main_to_workOrder{QLatin1String("main_to_workOrder"), ScreenId::WorkOrder_p1};
inline constexpr Transition main_to_enterCar{QLatin1String("main_to_enterCar"), ScreenId::EnterCarController};

inline constexpr Transition All[] = {
    main_to_detail, main_to_carList0,  main_to_carList9,  main_to_auction1,  main_to_auction2,
    main_to_web2,   main_to_carCancel, main_to_carExport, main_to_workOrder, main_to_enterCar};

} // namespace tvs::DashboardTransition
