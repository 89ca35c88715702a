#pragma once

#include "JsonServiceClient.h"
#include "ProcedureCaller.h"
#include "SoapRequest.h"
#include "StandInService.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace tvs::test {

struct HttpResult
{
    int status = 0; // 0: no HTTP answer
    QByteArray body;
    QByteArray contentType;
};

inline QString md5(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

// A fresh service on free ports over a temporary data folder, and a client that trusts it.
class ServiceFixture
{
public:
    bool start(QString *error)
    {
        StandInService::Options options;
        options.dataDir = m_dir.path();
        options.logFile = logFile();
        service = std::make_unique<StandInService>(options);
        const bool started = m_dir.isValid() && service->start();
        *error = service->errorString();
        return started;
    }

    QString dataDir() const { return m_dir.path(); }
    QString logFile() const { return m_dir.filePath(QStringLiteral("requests.log")); }

    // The service answers from its own thread: waiting here does not stall it.
    static HttpResult finish(QNetworkReply *reply)
    {
        if (!QTest::qWaitFor([reply] { return reply->isFinished(); }, 60000))
            reply->abort();
        reply->deleteLater();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
                reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
    }

    // A POST to the HTTPS host; a null `soapAction` sends none.
    QNetworkReply *post(QNetworkRequest request, const QByteArray &body, const QByteArray &soapAction = {})
    {
        if (request.url().isRelative())
            request.setUrl(QUrl(QStringLiteral("https://") + service->apiHost()).resolved(request.url()));
        if (!soapAction.isNull())
            request.setRawHeader("SOAPAction", soapAction);
        request.setSslConfiguration(tls());
        return nam.post(request, body);
    }

    // "api:/path" on the HTTPS host, "img:/path" on the image host.
    HttpResult get(const QString &where)
    {
        const bool api = where.startsWith(QLatin1String("api:"));
        QNetworkRequest request(QUrl((api ? "https://" + service->apiHost() : "http://" + service->imageHost()) +
                                     where.mid(4)));
        request.setSslConfiguration(tls());
        return finish(nam.get(request));
    }

    // A procedure call exactly as the app sends it, walked as the app walks it.
    WalkResult call(const QString &callText, const QString &operation = kProcedureList)
    {
        const SoapRequest soap = makeSoapRequest(service->apiHost(), operation, callText);
        lastReply = finish(post(soap.request, soap.body));
        ReplyShape shape;
        shape.cleaning = Cleaning::Trimming;
        shape.namedElements = {QStringLiteral("rtn"), QStringLiteral("sMessage")};
        return walkReply(lastReply.body, shape);
    }

    // A side-service call as the app sends it, read as the app reads it.
    JsonServiceReply json(const QString &path, const QString &operation,
                          const QList<std::pair<QString, QString>> &params)
    {
        const SoapRequest soap = makeJsonServiceRequest(service->apiHost(), path, operation, params);
        return readJsonServiceReply(finish(post(soap.request, soap.body)).body, operation);
    }

    QVariant db(const QString &sql, const QVariantList &binds = {}) { return service->queryValue(sql, binds); }

    std::unique_ptr<StandInService> service;
    QNetworkAccessManager nam;
    HttpResult lastReply;

private:
    QSslConfiguration tls() const
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(service->caCertificates());
        return tls;
    }
    QTemporaryDir m_dir;
};

} // namespace tvs::test
