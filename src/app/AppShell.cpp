#include "AppShell.h"

#include "AppData.h"
#include "CameraQrSource.h"
#include "JsonServiceClient.h"
#include "Navigator.h"
#include "Notices.h"
#include "PlatformLogging.h"
#include "ProcedureClient.h"
#include "QtNetworkMonitor.h"
#include "Screen.h"
#include "Services.h"
#include "UiResources.h"

#include <QAbstractNetworkCache>
#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QQmlApplicationEngine>
#include <QSet>
#include <QSslConfiguration>
#include <QStandardPaths>

namespace tvs {

namespace {

// Pictures of cars and dealers are cached up to this size.
constexpr qint64 kCacheBytes = 64 * 1024 * 1024;

// The image host answers pictures without freshness headers, so a disk cache alone
// would fetch a picture again each time a row shows it. A picture fetched once in
// this run is read from the cache afterwards (AlwaysCache: PreferCache would still
// ask the network for an entry without freshness headers); a new run fetches it anew.
class PictureCachingManager : public QNetworkAccessManager
{
public:
    using QNetworkAccessManager::QNetworkAccessManager;

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *data) override
    {
        const QUrl url = request.url();
        const QString path = url.path();
        if (op != GetOperation || url.scheme() != QLatin1String("http") ||
            !(path.startsWith(QLatin1String("/image_product/")) ||
              path.startsWith(QLatin1String("/image_user/"))))
            return QNetworkAccessManager::createRequest(op, request, data);
        if (fetchedThisRun(url) && cache() && cache()->metaData(url).isValid()) {
            QNetworkRequest cached(request);
            cached.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysCache);
            return QNetworkAccessManager::createRequest(op, cached, data);
        }
        QNetworkReply *reply = QNetworkAccessManager::createRequest(op, request, data);
        connect(reply, &QNetworkReply::finished, reply, [reply, url] {
            if (reply->error() == QNetworkReply::NoError)
                markFetched(url);
        });
        return reply;
    }

private:
    // Shared by the managers of every thread (the QML engine loads pictures on its own).
    static QMutex &fetchedMutex()
    {
        static QMutex mutex;
        return mutex;
    }
    static QSet<QUrl> &fetched()
    {
        static QSet<QUrl> urls;
        return urls;
    }
    static bool fetchedThisRun(const QUrl &url)
    {
        QMutexLocker lock(&fetchedMutex());
        return fetched().contains(url);
    }
    static void markFetched(const QUrl &url)
    {
        QMutexLocker lock(&fetchedMutex());
        fetched().insert(url);
    }
};

QString cacheDirectory()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = QDir::temp().filePath(QStringLiteral("tvsdealer-cache"));
    return QDir(base).filePath(QStringLiteral("http"));
}

} // namespace

CachingNetworkAccessManagerFactory::CachingNetworkAccessManagerFactory(QString cacheDir)
    : m_cacheDir(std::move(cacheDir))
{
}

QNetworkAccessManager *CachingNetworkAccessManagerFactory::create(QObject *parent)
{
    return makeManager(m_cacheDir, parent);
}

QNetworkAccessManager *CachingNetworkAccessManagerFactory::makeManager(const QString &cacheDir,
                                                                       QObject *parent)
{
    auto *nam = new PictureCachingManager(parent);
    auto *cache = new QNetworkDiskCache(nam);
    cache->setCacheDirectory(cacheDir);
    cache->setMaximumCacheSize(kCacheBytes);
    nam->setCache(cache);
    return nam;
}

void AppShell::trustExtraCas(const QList<QSslCertificate> &cas)
{
    if (cas.isEmpty())
        return;
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.addCaCertificates(cas);
    QSslConfiguration::setDefaultConfiguration(conf);
}

AppShell::AppShell(const Config &config, const Registrar &registerScreens, QObject *parent)
    : QObject(parent), m_config(config), m_cacheDir(cacheDirectory())
{
    const QList<QSslCertificate> cas = m_config.caCertificates();
    trustExtraCas(cas);

    m_nam = CachingNetworkAccessManagerFactory::makeManager(m_cacheDir, this);
    m_procedures = std::make_unique<ProcedureClient>(m_nam, m_config.apiHost, cas);
    m_jsonServices = std::make_unique<JsonServiceClient>(m_nam, m_config.apiHost, cas);
    m_settings = std::make_unique<Settings>();
    m_clock = std::make_unique<Clock>();
    m_network = std::make_unique<QtNetworkMonitor>();
    m_urls = std::make_unique<UrlOpener>();
    m_qr = std::make_unique<CameraQrSource>();
    m_desktop = std::make_unique<DesktopNotifier>();
    m_notices = std::make_unique<Notices>(m_clock.get(), m_desktop.get());

    m_context.procedures = m_procedures.get();
    m_context.jsonServices = m_jsonServices.get();
    m_context.settings = m_settings.get();
    m_context.clock = m_clock.get();
    m_context.network = m_network.get();
    m_context.urls = m_urls.get();
    m_context.qr = m_qr.get();
    m_context.notices = m_notices.get();
    m_context.config = &m_config;
    m_context.alerts = &m_alerts;
    m_navigator = std::make_unique<Navigator>(&m_context);
    m_context.navigator = m_navigator.get();
    if (registerScreens)
        registerScreens(*m_navigator);
}

AppShell::~AppShell()
{
    // Helpers that follow the screens go first, then the window (its pages hold
    // controllers), then the screens, then the services they use.
    m_helpers.clear();
    m_engine.reset();
    m_navigator.reset();
}

void AppShell::adopt(std::unique_ptr<QObject> helper)
{
    m_helpers.push_back(std::move(helper));
}

bool AppShell::start(const QString &firstScreen)
{
    qmlRegisterUncreatableType<Screen>("TVS", 1, 0, "Screen",
                                       QStringLiteral("screens come from the Navigator"));
    qmlRegisterUncreatableType<Navigator>("TVS", 1, 0, "Navigator", QStringLiteral("one Navigator per app"));

    m_engine = std::make_unique<QQmlApplicationEngine>();
    m_engine->addImportPath(ui::qmlModulesDir());
    m_namFactory = std::make_unique<CachingNetworkAccessManagerFactory>(m_cacheDir);
    m_engine->setNetworkAccessManagerFactory(m_namFactory.get());
    m_engine->setInitialProperties({{QStringLiteral("navigator"), QVariant::fromValue(m_navigator.get())},
                                    {QStringLiteral("notices"), QVariant::fromValue<QObject *>(m_notices.get())}});
    m_engine->load(ui::mainWindowUrl());
    if (m_engine->rootObjects().isEmpty()) {
        qCCritical(lcUi) << "the window could not be loaded from" << ui::mainWindowUrl();
        return false;
    }
    m_navigator->setPageAttached(true);
    if (!m_navigator->resetTo(firstScreen))
        qCWarning(lcUi) << "the first screen" << firstScreen << "is not registered; the window stays empty";
    return true;
}

} // namespace tvs
