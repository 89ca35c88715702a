#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

namespace tvs {

class Clock;
class Ticker;

// The desktop's notification service (org.freedesktop.Notifications on the
// session bus). Tests record instead.
class DesktopNotifier
{
public:
    virtual ~DesktopNotifier() = default;
    // Sends the notification without waiting for the service; without a session
    // bus or a notification service only a log line says it went nowhere.
    virtual void notify(const QString &title, const QString &body);
};

// A notice above every screen: a banner at the top of the window that closes by
// itself after kShownFor, and opens what it is about when pressed. While the
// window is not the active one, the desktop's notification service gets the same
// notice, since the banner alone may go unseen.
class Notices : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool shown READ isShown NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString text READ text NOTIFY changed)

public:
    static constexpr std::chrono::seconds kShownFor{10};

    Notices(const Clock *clock, DesktopNotifier *desktop, QObject *parent = nullptr);

    // Shows this notice in place of any other; `onPressed` runs when the dealer presses it.
    void show(const QString &title, const QString &text, std::function<void()> onPressed);
    // The banner was pressed: it closes and does what it is about.
    Q_INVOKABLE void press();
    Q_INVOKABLE void close();

    bool isShown() const { return m_shown; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }

    // Whether the app's window is the active one; the application's state unless a
    // test says otherwise.
    std::function<bool()> windowActive;

signals:
    void changed();

private:
    DesktopNotifier *m_desktop;
    Ticker *m_closing;
    bool m_shown = false;
    QString m_title;
    QString m_text;
    std::function<void()> m_onPressed;
};

} // namespace tvs
