#include "ScreenNames.h"
#include "WebController.h"
#include "WebLogging.h"

namespace tvs {

Q_LOGGING_CATEGORY(lcWeb, "tvs.web", QtInfoMsg)

// The web page screen; each opener registers the transitions that lead here.
void registerWebScreens(Navigator &navigator)
{
    registerScreen<WebController>(navigator, ScreenId::WebController, "qrc:/tvs/web/WebPage.qml");
}

} // namespace tvs
