#include "Notices.h"

#include "PlatformLogging.h"
#include "Services.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

namespace tvs {

void DesktopNotifier::notify(const QString &title, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcPlatform) << "no session bus for a desktop notification; the banner alone shows" << title;
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Application, no notice to replace, no icon, summary, body (servers may read
    // markup there, so service text is escaped), no actions or hints, the server's
    // own expiry.
    message << QGuiApplication::applicationDisplayName() << 0u << QString() << title << body.toHtmlEscaped()
            << QStringList() << QVariantMap() << -1;
    auto *pending = new QDBusPendingCallWatcher(bus.asyncCall(message));
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, pending,
                     [title](QDBusPendingCallWatcher *w) {
                         if (w->isError())
                             qCInfo(lcPlatform)
                                 << "no desktop notification service took the notice; the banner alone shows"
                                 << title << "-" << w->error().message();
                         w->deleteLater();
                     });
}

Notices::Notices(const Clock *clock, DesktopNotifier *desktop, QObject *parent)
    : QObject(parent),
      windowActive([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }),
      m_desktop(desktop), m_closing(clock->makeTicker(kShownFor, this))
{
    connect(m_closing, &Ticker::tick, this, &Notices::close);
}

void Notices::show(const QString &title, const QString &text, std::function<void()> onPressed)
{
    m_title = title;
    m_text = text;
    m_onPressed = std::move(onPressed);
    m_shown = true;
    m_closing->start();
    emit changed();
    if (m_desktop && windowActive && !windowActive())
        m_desktop->notify(title, text);
}

void Notices::press()
{
    if (!m_shown)
        return;
    const std::function<void()> pressed = std::move(m_onPressed);
    close();
    if (pressed)
        pressed();
}

void Notices::close()
{
    m_closing->stop();
    m_onPressed = nullptr;
    if (!m_shown)
        return;
    m_shown = false;
    emit changed();
}

} // namespace tvs
