#include "WorkOrderLogging.h"
#include "WorkOrderTransitions.h"
#include "WorkOrder_p1.h"
#include "WorkOrder_p2.h"
#include "WorkOrder_p3.h"
#include "WorkWrite_p1.h"
#include "WorkWrite_p2.h"

namespace tvs {

Q_LOGGING_CATEGORY(lcWorkOrder, "tvs.workorder", QtInfoMsg)

// The work-order screens and the transitions that leave them; the drawer
// registers the transition that leads here.
void registerWorkOrderScreens(Navigator &navigator)
{
    registerScreen<WorkOrder_p1>(navigator, ScreenId::WorkOrder_p1,
                                 "qrc:/tvs/workorder/WorkOrder_p1Page.qml");
    registerScreen<WorkOrder_p2>(navigator, ScreenId::WorkOrder_p2,
                                 "qrc:/tvs/workorder/WorkOrder_p2Page.qml");
    registerScreen<WorkOrder_p3>(navigator, ScreenId::WorkOrder_p3,
                                 "qrc:/tvs/workorder/WorkOrder_p3Page.qml");
    registerScreen<WorkWrite_p1>(navigator, ScreenId::WorkWrite_p1,
                                 "qrc:/tvs/workorder/WorkWrite_p1Page.qml");
    registerScreen<WorkWrite_p2>(navigator, ScreenId::WorkWrite_p2,
                                 "qrc:/tvs/workorder/WorkWrite_p2Page.qml");
    registerTransitions(navigator, WorkOrderTransition::All);
}

} // namespace tvs
