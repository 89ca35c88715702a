#pragma once

#include "Config.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "ScreenNames.h"

#include <QObject>
#include <QQmlNetworkAccessManagerFactory>

#include <functional>
#include <memory>
#include <vector>

class QNetworkAccessManager;
class QQmlApplicationEngine;

namespace tvs {

class JsonServiceClient;
class Navigator;
class NetworkMonitor;
class QrSource;
class ProcedureClient;
class Settings;
class Clock;
class UrlOpener;
class DesktopNotifier;
class Notices;

// Network managers for the QML engine (pictures): each gets a disk cache in the
// app's cache folder, the same folder as the app's own manager, and the process's
// default TLS configuration, which carries the configured extra CAs.
class CachingNetworkAccessManagerFactory : public QQmlNetworkAccessManagerFactory
{
public:
    explicit CachingNetworkAccessManagerFactory(QString cacheDir);
    QNetworkAccessManager *create(QObject *parent) override;
    static QNetworkAccessManager *makeManager(const QString &cacheDir, QObject *parent);

private:
    QString m_cacheDir;
};

// The running app: the shared network manager, the service clients, the screen
// context, the Navigator with every registered screen, the notices above the
// screens, and the QML window.
class AppShell : public QObject
{
    Q_OBJECT
public:
    using Registrar = std::function<void(Navigator &)>;
    // `registerScreens` fills the registry (the app passes registerAllScreens).
    AppShell(const Config &config, const Registrar &registerScreens, QObject *parent = nullptr);
    ~AppShell() override;

    // Keeps `helper` (e.g. the outbid watch, which follows the session above the
    // screens) for as long as the screens; it goes before them and the services.
    void adopt(std::unique_ptr<QObject> helper);

    // Loads the window and shows `firstScreen`. False when the window cannot be
    // loaded. A first screen that is not registered leaves the window empty (logged).
    bool start(const QString &firstScreen = ScreenId::LoginController);

    Navigator *navigator() const { return m_navigator.get(); }
    ScreenContext *context() { return &m_context; }
    QQmlApplicationEngine *engine() const { return m_engine.get(); }
    const Config &config() const { return m_config; }

    // Adds the configured CAs to the process's default TLS configuration, so that
    // every manager (the QML engine's too) verifies the service with them.
    static void trustExtraCas(const QList<QSslCertificate> &cas);

private:
    Config m_config;
    QString m_cacheDir;
    QNetworkAccessManager *m_nam = nullptr;
    std::unique_ptr<ProcedureClient> m_procedures;
    std::unique_ptr<JsonServiceClient> m_jsonServices;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<NetworkMonitor> m_network;
    std::unique_ptr<UrlOpener> m_urls;
    std::unique_ptr<QrSource> m_qr;
    RequestAlerts m_alerts;
    std::unique_ptr<DesktopNotifier> m_desktop;
    std::unique_ptr<Notices> m_notices;
    ScreenContext m_context;
    std::unique_ptr<Navigator> m_navigator;
    std::vector<std::unique_ptr<QObject>> m_helpers;
    // The engine does not own its network access manager factory; it goes after the engine.
    std::unique_ptr<CachingNetworkAccessManagerFactory> m_namFactory;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
};

} // namespace tvs
