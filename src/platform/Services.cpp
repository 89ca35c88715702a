#include "Services.h"

#include "PlatformLogging.h"

#include <QDesktopServices>

namespace tvs {

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
    return url.isValid() && (scheme == QLatin1String("tel") || scheme == QLatin1String("http") ||
                             scheme == QLatin1String("https"));
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
