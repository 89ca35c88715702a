#include "CarListController.h"
#include "InventoryLogging.h"
#include "InventoryTransitions.h"
#include "MainDetailController.h"

namespace tvs {

Q_LOGGING_CATEGORY(lcInventory, "tvs.inventory", QtInfoMsg)

// The inventory screens and the transitions that leave them; the openers
// (dashboard, drawer, job writing) register the transitions that lead here.
void registerInventoryScreens(Navigator &navigator)
{
    registerScreen<CarListController>(navigator, ScreenId::CarListController,
                                      "qrc:/tvs/inventory/CarListPage.qml");
    registerScreen<MainDetailController>(navigator, ScreenId::MainDetailController,
                                         "qrc:/tvs/inventory/MainDetailPage.qml");
    registerTransitions(navigator, InventoryTransition::All);
}

} // namespace tvs
