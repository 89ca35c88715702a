#include "AppShell.h"
#include "Config.h"

#include <QGuiApplication>
#include <QQuickStyle>

#include <cstdio>

namespace tvs {
class Navigator;
// Generated: registers the screens of every subsystem.
void registerAllScreens(Navigator &navigator);
} // namespace tvs

int main(int argc, char *argv[])
{
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
    if (!shell.start())
        return 1;
    return QGuiApplication::exec();
}
