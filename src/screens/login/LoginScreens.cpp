#include "LoginController.h"
#include "LoginTransitions.h"

namespace tvs {

void registerLoginScreens(Navigator &navigator)
{
    registerScreen<LoginController>(navigator, ScreenId::LoginController, "qrc:/tvs/login/LoginPage.qml");
    registerTransitions(navigator, LoginTransition::All);
}

} // namespace tvs
