#pragma once

#include <QDateTime>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QTimeZone>
#include <QUrl>

#include <chrono>
#include <memory>

namespace tvs {

// The user-defaults store (QSettings). Tests give it a temporary file.
class Settings
{
public:
    Settings();                                // the platform's store for this app
    explicit Settings(const QString &iniFile); // a given file (tests, portable runs)
    QString value(const QString &key) const;   // empty when not stored
    bool contains(const QString &key) const;
    void setValue(const QString &key, const QString &value);

private:
    std::unique_ptr<QSettings> m_settings;
};

// A repeating timer a screen starts and stops. It ticks on the event loop of the
// thread it lives on; the clock that made it decides when (tests move time by hand).
class Ticker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // (Re)starts it: the first tick one interval from now.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
signals:
    void tick();
};

// Today and now; the system clock in the Korea time zone. Tests pin it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const; // in timeZone()
    // A stopped repeating timer of `interval`, owned by `parent`, that runs by this
    // clock's time.
    virtual Ticker *makeTicker(std::chrono::milliseconds interval, QObject *parent) const;
    static QTimeZone timeZone(); // "Asia/Seoul"
};

// Watches the network path; reports the current path once when started and on
// every change, on the main thread.
class NetworkMonitor : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Returns false when no backend can watch the path (nothing will be reported).
    virtual bool start() = 0;
signals:
    void pathUpdated(bool satisfied);
};

// Opens URLs outside the app ("tel://", the system browser). Tests record.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual bool canOpen(const QUrl &url) const;
    virtual bool open(const QUrl &url);
};

} // namespace tvs
