#include "StandInFixture.h"

#include "SoapRequest.h"
#include "TestContext.h"

#include <QNetworkReply>
#include <QTest>

namespace tvs::test {

bool StandInFixture::start(StandInService::Options options)
{
    stop();
    options.dataDir = filePath(QStringLiteral("service"));
    options.logFile = logFile();
    m_service = std::make_unique<StandInService>(options);
    if (!m_dir.isValid() || !m_service->start()) {
        m_error = m_dir.isValid() ? m_service->errorString() : QStringLiteral("no temporary folder");
        return false;
    }
    m_client = std::make_unique<ProcedureClient>(&m_nam, m_service->apiHost(), m_service->caCertificates());
    m_json = std::make_unique<JsonServiceClient>(&m_nam, m_service->apiHost(), m_service->caCertificates());
    return true;
}

void StandInFixture::stop()
{
    m_json.reset();
    m_client.reset();
    m_service.reset();
}

Config StandInFixture::config(bool withCaFile) const
{
    Config config;
    config.apiHost = config.zestHost = config.mwebHost = m_service->apiHost();
    config.imageHost = m_service->imageHost();
    if (withCaFile)
        config.caFile = m_service->caFile();
    return config;
}

void StandInFixture::attach(TestContext &t) const
{
    t.config = config();
    t.context.procedures = procedures();
    t.context.jsonServices = m_json.get();
    t.clock.setNow(QDateTime::currentDateTime());
}

QNetworkReply *StandInFixture::post(QNetworkRequest request, const QByteArray &body,
                                    const QByteArray &soapAction)
{
    request.setUrl(QUrl(QStringLiteral("https://") + m_service->apiHost()).resolved(request.url()));
    if (!soapAction.isNull())
        request.setRawHeader("SOAPAction", soapAction);
    request.setSslConfiguration(tls());
    return m_nam.post(request, body);
}

HttpResult StandInFixture::get(const QString &where)
{
    const bool api = where.startsWith(QLatin1String("api:"));
    QNetworkRequest request(
        QUrl((api ? "https://" + m_service->apiHost() : "http://" + m_service->imageHost()) + where.mid(4)));
    request.setSslConfiguration(tls());
    return finish(m_nam.get(request));
}

QNetworkReply *StandInFixture::send(const QString &callText, const QString &operation)
{
    const SoapRequest soap = makeSoapRequest(m_service->apiHost(), operation, callText);
    return post(soap.request, soap.body);
}

WalkResult StandInFixture::call(const QString &callText, const QString &operation)
{
    return walk(finish(send(callText, operation)).body);
}

WalkResult StandInFixture::walk(const QByteArray &body)
{
    ReplyShape shape;
    shape.cleaning = Cleaning::Trimming;
    shape.namedElements = {QStringLiteral("rtn"), QStringLiteral("sMessage")};
    return walkReply(body, shape);
}

JsonServiceReply StandInFixture::json(const QString &path, const QString &operation,
                                      const QList<std::pair<QString, QString>> &params)
{
    const SoapRequest soap = makeJsonServiceRequest(m_service->apiHost(), path, operation, params);
    return readJsonServiceReply(finish(post(soap.request, soap.body)).body, operation);
}

QSslConfiguration StandInFixture::tls() const
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificates(m_service->caCertificates());
    return tls;
}

HttpResult StandInFixture::finish(QNetworkReply *reply)
{
    if (!QTest::qWaitFor([reply] { return reply->isFinished(); }, 60000))
        reply->abort();
    reply->deleteLater();
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
            reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()};
}

} // namespace tvs::test
