#include "Services.h"

#include "PlatformLogging.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace tvs {

namespace {

class EventLoopTicker : public Ticker
{
public:
    EventLoopTicker(std::chrono::milliseconds interval, QObject *parent) : Ticker(parent)
    {
        m_timer.setInterval(interval);
        // A coarse timer may fire a few seconds early on a minute, and a countdown
        // shown in minutes would then miss the minute it was started for.
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &Ticker::tick);
    }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

// Whether the desktop has an application for "tel:" addresses. Phones always do; a
// Linux desktop only when one is registered for the scheme.
bool canPlaceCalls()
{
#if defined(Q_OS_LINUX) && !defined(Q_OS_ANDROID)
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/tel")});
    if (!query.waitForFinished(2000)) {
        query.kill();
        query.waitForFinished(500);
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
#else
    return true;
#endif
}

} // namespace

Settings::Settings()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("TVSDealer"), QStringLiteral("TVSDealer")))
{
}

Settings::Settings(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QString Settings::value(const QString &key) const
{
    return m_settings->value(key).toString();
}

bool Settings::contains(const QString &key) const
{
    return m_settings->contains(key);
}

void Settings::setValue(const QString &key, const QString &value)
{
    m_settings->setValue(key, value);
    // Written through at once: the value must survive a crash right after sign-in.
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        qCWarning(lcPlatform) << "could not write the setting" << key << "to" << m_settings->fileName();
}

QDateTime Clock::now() const
{
    return QDateTime::currentDateTime().toTimeZone(timeZone());
}

Ticker *Clock::makeTicker(std::chrono::milliseconds interval, QObject *parent) const
{
    return new EventLoopTicker(interval, parent);
}

QTimeZone Clock::timeZone()
{
    static const QTimeZone zone = [] {
        QTimeZone seoul(QByteArrayLiteral("Asia/Seoul"));
        if (seoul.isValid())
            return seoul;
        // Without time zone data Korea's fixed offset still gives the right
        // dates (it has no daylight saving time).
        qCWarning(lcPlatform) << "no time zone data for Asia/Seoul; using UTC+9";
        return QTimeZone(9 * 3600);
    }();
    return zone;
}

bool UrlOpener::canOpen(const QUrl &url) const
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid())
        return false;
    if (scheme == QLatin1String("tel"))
        return canPlaceCalls();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool UrlOpener::open(const QUrl &url)
{
    if (!canOpen(url)) {
        qCWarning(lcPlatform) << "refusing to open" << url.toDisplayString();
        return false;
    }
    const bool opened = QDesktopServices::openUrl(url);
    if (!opened)
        qCWarning(lcPlatform) << "no handler opened" << url.toDisplayString();
    return opened;
}

} // namespace tvs
