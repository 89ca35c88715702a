#pragma once

#include "ScreenNames.h"

namespace tvs::WorkOrderTransition {

// The transitions that leave the work-order screens. The registrar registers `All`;
// the controllers perform and compare these constants.
TVS_PUSH(WorkOrder1_to_WorkOrder2, WorkOrder_p2);
TVS_PUSH(WorkOrder2_to_WorkOrder3, WorkOrder_p3);
TVS_PUSH(order_to_write, WorkWrite_p1);
TVS_PUSH(WorkWrite_to_Web, WebController);
TVS_PUSH(WorkWrite_to_WorkWrite2, WorkWrite_p2);

inline constexpr Transition All[] = {WorkOrder1_to_WorkOrder2, WorkOrder2_to_WorkOrder3, order_to_write,
                                     WorkWrite_to_Web, WorkWrite_to_WorkWrite2};

} // namespace tvs::WorkOrderTransition
