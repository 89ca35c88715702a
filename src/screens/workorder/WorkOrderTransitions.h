#pragma once

#include "ScreenNames.h"

namespace tvs::WorkOrderTransition {

// The transitions that leave the work-order screens. The registrar registers `All`;
// the controllers perform and compare these constants.
inline constexpr Transition WorkOrder1_to_WorkOrder2{QLatin1String("WorkOrder1_to_WorkOrder2"),
                                                     ScreenId::WorkOrder_p2};
inline constexpr Transition WorkOrder2_to_WorkOrder3{QLatin1String("WorkOrder2_to_WorkOrder3"),
                                                     ScreenId::WorkOrder_p3};
inline constexpr Transition order_to_write{QLatin1String("order_to_write"), ScreenId::WorkWrite_p1};
inline constexpr Transition WorkWrite_to_Web{QLatin1String("WorkWrite_to_Web"), ScreenId::WebController};
inline constexpr Transition WorkWrite_to_WorkWrite2{QLatin1String("WorkWrite_to_WorkWrite2"),
                                                    ScreenId::WorkWrite_p2};

inline constexpr Transition All[] = {WorkOrder1_to_WorkOrder2, WorkOrder2_to_WorkOrder3, order_to_write,
                                     WorkWrite_to_Web, WorkWrite_to_WorkWrite2};

} // namespace tvs::WorkOrderTransition
