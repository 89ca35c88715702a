#include "QtNetworkMonitor.h"

#include "PlatformLogging.h"

#include <QNetworkInformation>

namespace tvs {

namespace {

bool satisfied(QNetworkInformation::Reachability reachability)
{
    return reachability != QNetworkInformation::Reachability::Disconnected;
}

} // namespace

bool QtNetworkMonitor::start()
{
    // Each screen that starts the monitor (a new login screen after signing out)
    // hears the current path once, as the first one did.
    if (m_started) {
        reportCurrentPath();
        return true;
    }
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend() &&
        !QNetworkInformation::loadBackendByName(u"glib")) {
        qCWarning(lcPlatform)
            << "no network information backend is available; the network path is not watched";
        return false;
    }
    QNetworkInformation *info = QNetworkInformation::instance();
    if (!info->supports(QNetworkInformation::Feature::Reachability)) {
        qCWarning(lcPlatform) << "the network information backend" << info->backendName()
                              << "cannot report reachability; the network path is not watched";
        return false;
    }
    m_started = true;
    connect(
        info, &QNetworkInformation::reachabilityChanged, this,
        [this](QNetworkInformation::Reachability r) { emit pathUpdated(satisfied(r)); },
        Qt::QueuedConnection);
    reportCurrentPath();
    qCDebug(lcPlatform) << "watching the network path with" << info->backendName();
    return true;
}

void QtNetworkMonitor::reportCurrentPath()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (QNetworkInformation *current = QNetworkInformation::instance())
                emit pathUpdated(satisfied(current->reachability()));
        },
        Qt::QueuedConnection);
}

} // namespace tvs
