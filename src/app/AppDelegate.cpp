#include "AppDelegate.h"

namespace tvs {

AppDelegate::AppDelegate(QObject *parent) : QObject(parent)
{
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::applicationStateChanged, this, &AppDelegate::applicationStateChanged);
}

Qt::ScreenOrientations AppDelegate::supportedOrientations() const
{
    if (!shouldSupportAllOrientation)
        return Qt::PortraitOrientation;
    return Qt::PortraitOrientation | Qt::InvertedPortraitOrientation | Qt::LandscapeOrientation |
           Qt::InvertedLandscapeOrientation;
}

void AppDelegate::saveContext() {}

void AppDelegate::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationSuspended || state == Qt::ApplicationHidden)
        saveContext();
}

} // namespace tvs
