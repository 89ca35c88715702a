#include "MainController.h"
#include "Navigator.h"

#include <QUrl>

namespace tvs {

// The dashboard registers its own screen and every transition that leaves it;
// the destinations register their screens under these identifiers.
void registerDashboardScreens(Navigator &navigator)
{
    navigator.registerScreen(QStringLiteral("MainView"),
                             QUrl(QStringLiteral("qrc:/tvs/dashboard/MainPage.qml")),
                             [](ScreenContext *context) { return new MainController(context); });

    const struct
    {
        const char *transition;
        const char *destination;
    } transitions[] = {
        {"main_to_detail", "MainDetailController"}, {"main_to_carList0", "CarListController"},
        {"main_to_carList9", "CarListController"},  {"main_to_auction1", "AuctionController"},
        {"main_to_auction2", "AuctionController"},  {"main_to_web2", "WebController"},
        {"main_to_carCancel", "CarListController"}, {"main_to_carExport", "CarListController"},
        {"main_to_workOrder", "WorkOrder_p1"},      {"main_to_enterCar", "EnterCarController"},
    };
    for (const auto &t : transitions) {
        navigator.registerTransition(QString::fromLatin1(t.transition), QString::fromLatin1(t.destination),
                                     Navigator::Kind::Push);
    }
}

} // namespace tvs
