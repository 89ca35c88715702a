#pragma once

#include "ScreenNames.h"

namespace tvs::DashboardTransition {

// The transitions that leave the dashboard and its drawer. The registrar registers `All`;
// the controllers perform and compare these constants.
TVS_PUSH(main_to_detail, MainDetailController);
TVS_PUSH(main_to_carList0, CarListController);
TVS_PUSH(main_to_carList9, CarListController);
TVS_PUSH(main_to_auction1, AuctionController);
TVS_PUSH(main_to_auction2, AuctionController);
TVS_PUSH(main_to_web2, WebController);
TVS_PUSH(main_to_carCancel, CarListController);
TVS_PUSH(main_to_carExport, CarListController);
TVS_PUSH(main_to_workOrder, WorkOrder_p1);
TVS_PUSH(main_to_enterCar, EnterCarController);

inline constexpr Transition All[] = {
    main_to_detail, main_to_carList0,  main_to_carList9,  main_to_auction1,  main_to_auction2,
    main_to_web2,   main_to_carCancel, main_to_carExport, main_to_workOrder, main_to_enterCar};

} // namespace tvs::DashboardTransition
