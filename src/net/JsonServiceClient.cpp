#include "JsonServiceClient.h"

#include "NetLog.h"
#include "ProcedureClient.h"
#include "SoapRequest.h"
#include "XmlEntities.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

namespace tvs {

JsonServiceReply readJsonServiceReply(const QByteArray &body, const QString &operation)
{
    JsonServiceReply out;
    out.body = body;
    auto bad = [&out](const QString &why) {
        out.status = JsonServiceReply::BadReply;
        out.error = why;
        return out;
    };
    if (body.isEmpty())
        return bad(QStringLiteral("empty reply"));
    if (!isValidUtf8(body))
        return bad(QStringLiteral("reply is not valid UTF-8"));

    const QByteArray open = "<" + operation.toUtf8() + "Result>";
    const QByteArray close = "</" + operation.toUtf8() + "Result>";
    const qsizetype start = body.indexOf(open);
    if (start < 0)
        return bad(QStringLiteral("no %1Result element in the reply").arg(operation));
    const qsizetype from = start + open.size();
    const qsizetype end = body.indexOf(close, from);
    if (end < 0)
        return bad(QStringLiteral("%1Result element is not closed").arg(operation));

    out.resultText = *unescapeXmlEntities(QString::fromUtf8(body.mid(from, end - from)));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(out.resultText.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return bad(QStringLiteral("result is not JSON: %1 at offset %2")
                       .arg(parseError.errorString())
                       .arg(parseError.offset));
    if (!doc.isObject())
        return bad(QStringLiteral("result is not a JSON object"));
    out.object = doc.object();
    return out;
}

JsonServiceClient::JsonServiceClient(QNetworkAccessManager *nam, QString apiHost,
                                     QList<QSslCertificate> extraCas, QObject *parent)
    : QObject(parent), m_nam(nam), m_apiHost(std::move(apiHost)), m_extraCas(std::move(extraCas)),
      m_timeoutMs(kRequestTimeoutMs), m_maxReplyBytes(kMaxReplyBytes)
{
}

JsonServiceClient::~JsonServiceClient()
{
    cancelInFlight(m_inFlight);
}

void JsonServiceClient::call(const QString &path, const QString &operation,
                             const QList<std::pair<QString, QString>> &params, QObject *receiver,
                             Callback done)
{
    const SoapRequest soap = makeJsonServiceRequest(m_apiHost, path, operation, params);
    const GuardedPost posted = postGuarded(m_nam, soap.request, soap.body, m_extraCas, m_timeoutMs,
                                           m_maxReplyBytes, m_inFlight, operation);
    QNetworkReply *reply = posted.reply;
    const std::shared_ptr<ReplyBody> body = posted.body;
    QPointer<QObject> guard(receiver ? receiver : this);
    const int timeoutMs = m_timeoutMs;
    const qint64 maxReplyBytes = m_maxReplyBytes;
    connect(reply, &QNetworkReply::finished, this,
            [reply, body, operation, guard, timeoutMs, maxReplyBytes, done = std::move(done)] {
                reply->deleteLater();
                finishBody(reply, *body);
                JsonServiceReply out;
                if (const ReplyCut cut = replyCut(reply); cut != ReplyCut::None) {
                    out.status = cut == ReplyCut::TooLarge ? JsonServiceReply::BadReply
                                                           : JsonServiceReply::TransportError;
                    out.error = replyCutText(cut, maxReplyBytes, timeoutMs);
                } else if (reply->error() != QNetworkReply::NoError) {
                    out.status = JsonServiceReply::TransportError;
                    out.error = transportErrorText(reply, timeoutMs);
                    if (wasCancelled(reply)) {
                        qCInfo(lcNet).noquote() << operation << out.error;
                        return;
                    }
                    out.body = body->joined(); // an HTTP error page, kept for the log
                    qCWarning(lcNet).noquote() << operation << "failed:" << out.error;
                } else {
                    // A side-service reply is a few hundred bytes: joined and read here.
                    out = readJsonServiceReply(body->joined(), operation);
                    if (!out.ok())
                        qCWarning(lcNet).noquote() << operation << "reply unreadable:" << out.error;
                }
                deliverTo(guard, done, std::move(out));
            });
}

} // namespace tvs
