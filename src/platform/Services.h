#pragma once

#include <QDateTime>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QTimeZone>
#include <QUrl>

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

// Today and now; the system clock in the Korea time zone. Tests pin it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const; // in timeZone()
    static QTimeZone timeZone();   // "Asia/Seoul"
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
