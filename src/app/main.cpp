#include "AppShell.h"
#include "Config.h"
#include "OutbidWatcher.h"

#include <QGuiApplication>
#include <QQuickStyle>
#include <QQuickWindow>

#include <cstdio>
#include <unistd.h>

namespace tvs {
class Navigator;
// Generated: registers the screens of every subsystem.
void registerAllScreens(Navigator &navigator);
} // namespace tvs

int main(int argc, char *argv[])
{
    // The web engine is loaded with the first web page, not here (start-up pays nothing
    // for it), but it needs OpenGL contexts shared with the window's, set up before the
    // application object exists; run as root, its sandbox cannot start.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGL);
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("TVSDealer"));
    QGuiApplication::setApplicationName(QStringLiteral("TVSDealer"));
    QGuiApplication::setApplicationVersion(QStringLiteral(TVS_APP_VERSION));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    tvs::Config config;
    QString error;
    if (!tvs::Config::load(config, QGuiApplication::arguments(), &error)) {
        std::fprintf(stderr, "tvsdealer: %s\n", qPrintable(error));
        return 2;
    }

    tvs::AppShell shell(config, tvs::registerAllScreens);
    shell.adopt(std::make_unique<tvs::OutbidWatcher>(shell.context()));
    if (!shell.start())
        return 1;
    return QGuiApplication::exec();
}
