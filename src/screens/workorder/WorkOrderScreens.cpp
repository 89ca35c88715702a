#include "Navigator.h"
#include "WorkOrderLogging.h"
#include "WorkOrder_p1.h"
#include "WorkOrder_p2.h"
#include "WorkOrder_p3.h"
#include "WorkWrite_p1.h"
#include "WorkWrite_p2.h"

#include <QUrl>

namespace tvs {

Q_LOGGING_CATEGORY(lcWorkOrder, "tvs.workorder", QtInfoMsg)

namespace {

template <typename Controller> void registerPage(Navigator &navigator, const QString &identifier)
{
    navigator.registerScreen(identifier,
                             QUrl(QStringLiteral("qrc:/tvs/workorder/%1Page.qml").arg(identifier)),
                             [](ScreenContext *context) { return new Controller(context); });
}

} // namespace

// The work-order screens and the transitions that leave them; the drawer
// registers "main_to_workOrder", which leads here.
void registerWorkOrderScreens(Navigator &navigator)
{
    registerPage<WorkOrder_p1>(navigator, QStringLiteral("WorkOrder_p1"));
    registerPage<WorkOrder_p2>(navigator, QStringLiteral("WorkOrder_p2"));
    registerPage<WorkOrder_p3>(navigator, QStringLiteral("WorkOrder_p3"));
    registerPage<WorkWrite_p1>(navigator, QStringLiteral("WorkWrite_p1"));
    registerPage<WorkWrite_p2>(navigator, QStringLiteral("WorkWrite_p2"));

    const struct
    {
        const char *transition;
        const char *destination;
    } transitions[] = {
        {"WorkOrder1_to_WorkOrder2", "WorkOrder_p2"}, {"WorkOrder2_to_WorkOrder3", "WorkOrder_p3"},
        {"order_to_write", "WorkWrite_p1"},           {"WorkWrite_to_Web", "WebController"},
        {"WorkWrite_to_WorkWrite2", "WorkWrite_p2"},
    };
    for (const auto &t : transitions) {
        navigator.registerTransition(QString::fromLatin1(t.transition), QString::fromLatin1(t.destination),
                                     Navigator::Kind::Push);
    }
}

} // namespace tvs
