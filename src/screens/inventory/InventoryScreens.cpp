#include "CarListController.h"
#include "InventoryLogging.h"
#include "MainDetailController.h"
#include "Navigator.h"

#include <QUrl>

namespace tvs {

Q_LOGGING_CATEGORY(lcInventory, "tvs.inventory", QtInfoMsg)

// The inventory screens and the transitions that leave them; the openers
// (dashboard, drawer, job writing) register the transitions that lead here.
void registerInventoryScreens(Navigator &navigator)
{
    navigator.registerScreen(QStringLiteral("CarListController"),
                             QUrl(QStringLiteral("qrc:/tvs/inventory/CarListPage.qml")),
                             [](ScreenContext *context) { return new CarListController(context); });
    navigator.registerScreen(QStringLiteral("MainDetailController"),
                             QUrl(QStringLiteral("qrc:/tvs/inventory/MainDetailPage.qml")),
                             [](ScreenContext *context) { return new MainDetailController(context); });

    const struct
    {
        const char *transition;
        const char *destination;
    } transitions[] = {
        {"list_to_detail", "MainDetailController"}, {"detail_to_enter", "EnterCarController"},
        {"detail_to_web2", "WebController"},        {"detail_to_web3", "WebController"},
        {"detail_to_web4", "WebController"},
    };
    for (const auto &t : transitions) {
        navigator.registerTransition(QString::fromLatin1(t.transition), QString::fromLatin1(t.destination),
                                     Navigator::Kind::Push);
    }
}

} // namespace tvs
