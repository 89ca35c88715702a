#include "DashboardTransitions.h"
#include "MainController.h"

namespace tvs {

// The dashboard registers its own screen and every transition that leaves it;
// the destinations register their screens under these identifiers.
void registerDashboardScreens(Navigator &navigator)
{
    registerScreen<MainController>(navigator, ScreenId::MainView, "qrc:/tvs/dashboard/MainPage.qml");
    registerTransitions(navigator, DashboardTransition::All);
}

} // namespace tvs
