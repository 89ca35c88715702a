#include "Navigator.h"
#include "WebController.h"
#include "WebLogging.h"

#include <QUrl>

namespace tvs {

Q_LOGGING_CATEGORY(lcWeb, "tvs.web", QtInfoMsg)

// The web page screen; each opener registers the transitions that lead here.
void registerWebScreens(Navigator &navigator)
{
    navigator.registerScreen(QStringLiteral("WebController"), QUrl(QStringLiteral("qrc:/tvs/web/WebPage.qml")),
                             [](ScreenContext *context) { return new WebController(context); });
}

} // namespace tvs
