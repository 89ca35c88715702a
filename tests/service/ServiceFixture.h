#pragma once

#include "ReplyWalk.h"
#include "SoapRequest.h"
#include "StandInService.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace tvs::test {

struct HttpResult
{
    int status = 0;
    QByteArray body;
    QByteArray contentType;
    QString error;
};

// Waits for a reply on a local event loop; the service answers from its own thread.
inline HttpResult finish(QNetworkReply *reply)
{
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    HttpResult r;
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.body = reply->readAll();
    r.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    if (reply->error() != QNetworkReply::NoError && r.status == 0)
        r.error = reply->errorString();
    reply->deleteLater();
    return r;
}

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
        if (!m_dir.isValid()) {
            *error = QStringLiteral("no temporary folder");
            return false;
        }
        StandInService::Options options;
        options.dataDir = m_dir.path();
        options.logFile = m_dir.filePath(QStringLiteral("requests.log"));
        service = std::make_unique<StandInService>(options);
        if (!service->start()) {
            *error = service->errorString();
            return false;
        }
        m_tls = QSslConfiguration::defaultConfiguration();
        m_tls.addCaCertificates(service->caCertificates());
        m_tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
        return true;
    }

    QString dataDir() const { return m_dir.path(); }
    QString logFile() const { return m_dir.filePath(QStringLiteral("requests.log")); }

    HttpResult post(const QString &path, const QByteArray &soapAction, const QByteArray &body)
    {
        QNetworkRequest request(QUrl(QStringLiteral("https://%1%2").arg(service->apiHost(), path)));
        request.setSslConfiguration(m_tls);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/xml; charset= UTF-8"));
        if (!soapAction.isNull())
            request.setRawHeader("SOAPAction", soapAction);
        return finish(nam.post(request, body));
    }

    HttpResult get(const QString &url)
    {
        QNetworkRequest request{QUrl(url)};
        request.setSslConfiguration(m_tls);
        return finish(nam.get(request));
    }
    HttpResult getApi(const QString &pathAndQuery) { return get(QStringLiteral("https://%1%2").arg(service->apiHost(), pathAndQuery)); }
    HttpResult getImage(const QString &path) { return get(QStringLiteral("http://%1%2").arg(service->imageHost(), path)); }

    // A procedure call exactly as the app sends it.
    HttpResult send(const QString &operation, const QString &callText)
    {
        return sendTogether(operation, {callText}).first();
    }
    // Calls sent at once, each on a connection of its own; the results in call order.
    QList<HttpResult> sendTogether(const QString &operation, const QStringList &callTexts)
    {
        QList<QNetworkReply *> replies;
        for (const QString &text : callTexts) {
            SoapRequest soap = makeSoapRequest(service->apiHost(), operation, text);
            soap.request.setSslConfiguration(m_tls);
            replies.append(nam.post(soap.request, soap.body));
        }
        QList<HttpResult> results;
        for (QNetworkReply *reply : replies)
            results.append(finish(reply));
        return results;
    }

    WalkResult call(const QString &callText, const QString &operation = QStringLiteral("Procedure_List01"))
    {
        lastReply = send(operation, callText);
        ReplyShape shape;
        shape.cleaning = Cleaning::Trimming;
        shape.namedElements = {QStringLiteral("rtn"), QStringLiteral("sMessage")};
        return walkReply(lastReply.body, shape);
    }

    HttpResult json(const QString &path, const QString &operation, const QList<std::pair<QString, QString>> &params)
    {
        SoapRequest soap = makeJsonServiceRequest(service->apiHost(), path, operation, params);
        soap.request.setSslConfiguration(m_tls);
        return finish(nam.post(soap.request, soap.body));
    }

    QVariant db(const QString &sql, const QVariantList &binds = {}) { return service->queryValue(sql, binds); }

    std::unique_ptr<StandInService> service;
    QNetworkAccessManager nam;
    HttpResult lastReply;

private:
    QTemporaryDir m_dir;
    QSslConfiguration m_tls;
};

} // namespace tvs::test
