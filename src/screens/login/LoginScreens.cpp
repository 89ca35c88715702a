#include "LoginController.h"
#include "Navigator.h"

#include <QUrl>

namespace tvs {

void registerLoginScreens(Navigator &navigator)
{
    navigator.registerScreen(QStringLiteral("LoginController"),
                             QUrl(QStringLiteral("qrc:/tvs/login/LoginPage.qml")),
                             [](ScreenContext *context) { return new LoginController(context); });
    navigator.registerTransition(QStringLiteral("login_to_main"), QStringLiteral("MainView"), Navigator::Kind::Push);
}

} // namespace tvs
