#include "AppShell.h"
#include "Config.h"
#include "Navigator.h"
#include "OutbidWatcher.h"
#include "PlatformLogging.h"
#include "Screen.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace tvs {
class Navigator;
// Generated: registers the screens of every subsystem.
void registerAllScreens(Navigator &navigator);
} // namespace tvs

namespace {

// Answered before the application object exists, so that they work without a display.
bool answeredHelp(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("tvsdealer %s\n", TVS_APP_VERSION);
            return true;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::printf(
                "usage: tvsdealer [options] [Qt options, e.g. -platform offscreen]\n"
                "\n"
                "The dealer's client of the used-car trading service.\n"
                "\n"
                "options:\n"
                "  --config FILE             hosts and CA file from FILE (INI) instead of the files below\n"
                "  --api-host HOST[:PORT]    procedure service, lookup and hand-off (https)\n"
                "  --image-host HOST[:PORT]  car and dealer pictures (http)\n"
                "  --zest-host HOST[:PORT]   \"/service/\" pages (https)\n"
                "  --mweb-host HOST[:PORT]   public car pages (https)\n"
                "  --ca-file FILE            extra trusted CA certificates (PEM or DER)\n"
                "  -h, --help                this help\n"
                "  -v, --version             the version\n"
                "\n"
                "%s\n"
                "exit status: 0 closed, 1 the window could not be loaded, 2 bad configuration\n",
                qPrintable(tvs::Config::sourcesHelp()));
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (answeredHelp(argc, argv))
        return 0;
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
    QGuiApplication::setDesktopFileName(QStringLiteral(TVS_DESKTOP_ID));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/tvs/app/" TVS_DESKTOP_ID ".svg")));
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
    // For support (and the install check): start-up has reached a drawn screen.
    if (auto *window = qobject_cast<QQuickWindow *>(shell.engine()->rootObjects().value(0))) {
        QObject::connect(
            window, &QQuickWindow::frameSwapped, &app,
            [&shell] {
                const tvs::Screen *top = shell.navigator()->top();
                qCDebug(tvs::lcUi) << "first frame shown with" << (top ? top->identifier() : QString())
                                   << "on top";
            },
            Qt::SingleShotConnection);
    }
    return QGuiApplication::exec();
}
