#pragma once

#include "Config.h"
#include "JsonServiceClient.h"
#include "ProcedureCaller.h"
#include "ProcedureClient.h"
#include "StandInService.h"

#include <QNetworkAccessManager>
#include <QSslConfiguration>
#include <QTemporaryDir>

#include <memory>

class QNetworkReply;

namespace tvs::test {

class TestContext;

struct HttpResult
{
    int status = 0; // 0: no HTTP answer
    QByteArray body;
    QByteArray contentType;
};

// The stand-in service in-process on free ports over a temporary folder (its data in
// "service/", its request log in logFile(), the test's own files beside them), and the
// app's network side pointed at it: a procedure client and a JSON service client that
// trust the service's CA, and a Config naming the service's hosts. The service's own
// tests send raw requests and read raw answers through the same fixture.
//
//   StandInFixture m_stand;                                        // a member of the test
//   QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));  // initTestCase
//   m_stand.attach(*t);                                            // init, after registering screens
class StandInFixture
{
public:
    StandInFixture() = default;
    ~StandInFixture() { stop(); }
    StandInFixture(const StandInFixture &) = delete;
    StandInFixture &operator=(const StandInFixture &) = delete;

    // Starts (or restarts) the service with `options`, over the fixture's folder and log;
    // false with errorString().
    bool start(StandInService::Options options = {});
    // Drops the clients and stops the service, so that its log is complete; the folder stays.
    void stop();
    QString errorString() const { return m_error; }

    StandInService *service() const { return m_service.get(); }
    ProcedureClient *procedures() const { return m_client.get(); }
    // Every host at the service; its CA file too unless withCaFile is false (the app then
    // trusts the system's CAs only).
    Config config(bool withCaFile = true) const;
    // The screens of `t` reach the service, at the service's own time.
    void attach(TestContext &t) const;

    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString logFile() const { return filePath(QStringLiteral("service.log")); }
    QVariant db(const QString &sql, const QVariantList &binds = {}) const
    {
        return m_service->queryValue(sql, binds);
    }

    // A POST to the HTTPS host (a relative URL is resolved there); a null `soapAction` sends none.
    QNetworkReply *post(QNetworkRequest request, const QByteArray &body, const QByteArray &soapAction = {});
    // "api:/path" on the HTTPS host, "img:/path" on the image host.
    HttpResult get(const QString &where);
    // A procedure call exactly as the app sends it; call() waits and walks the answer as the app does.
    QNetworkReply *send(const QString &callText, const QString &operation = kProcedureList);
    WalkResult call(const QString &callText, const QString &operation = kProcedureList);
    static WalkResult walk(const QByteArray &body);
    // A side-service call as the app sends it, read as the app reads it.
    JsonServiceReply json(const QString &path, const QString &operation,
                          const QList<std::pair<QString, QString>> &params);
    // The service answers from its own threads: waiting here does not stall it.
    static HttpResult finish(QNetworkReply *reply);

    // The defaults, trusting the service's CA too.
    QSslConfiguration tls() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StandInService> m_service;
    QNetworkAccessManager m_nam;
    std::unique_ptr<ProcedureClient> m_client;
    std::unique_ptr<JsonServiceClient> m_json;
    QString m_error;
};

} // namespace tvs::test
