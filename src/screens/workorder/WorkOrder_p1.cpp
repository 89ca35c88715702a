#include "WorkOrder_p1.h"

#include "WorkOrderTransitions.h"
#include "WorkOrder_p2.h"

namespace tvs {

WorkOrder_p1::WorkOrder_p1(ScreenContext *context, QObject *parent) : Screen(context, parent) {}

void WorkOrder_p1::search()
{
    performSegue(WorkOrderTransition::WorkOrder1_to_WorkOrder2);
}

void WorkOrder_p1::prepareForSegue(const QString &identifier, Screen *destination)
{
    auto *found = qobject_cast<WorkOrder_p2 *>(destination);
    if (identifier == WorkOrderTransition::WorkOrder1_to_WorkOrder2 && found)
        found->setSearchCarnum(carNum);
}

} // namespace tvs
