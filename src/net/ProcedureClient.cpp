#include "ProcedureClient.h"

#include "NetLog.h"
#include "SoapRequest.h"

#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace tvs {

void applyTls(QNetworkRequest &request, const QList<QSslCertificate> &extraCas)
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    if (!extraCas.isEmpty())
        tls.addCaCertificates(extraCas);
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    request.setSslConfiguration(tls);
}

void watchTls(QNetworkReply *reply, const QString &what)
{
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [what](const QList<QSslError> &errors) {
        for (const QSslError &error : errors) {
            const QSslCertificate cert = error.certificate();
            const QString subject =
                cert.isNull() ? QStringLiteral("(no certificate)") : cert.subjectDisplayName();
            qCWarning(lcNet).noquote()
                << what << "TLS certificate rejected:" << error.errorString() << "- certificate:" << subject;
        }
    });
}

namespace {
const char *const kCutProperty = "tvsReplyCut";
const char *const kCancelledProperty = "tvsCancelled";
} // namespace

QByteArray ReplyBody::joined() const
{
    if (pieces.size() == 1)
        return pieces.first();
    QByteArray all;
    all.reserve(size);
    for (const QByteArray &piece : pieces)
        all += piece;
    return all;
}

std::shared_ptr<ReplyBody> guardReply(QNetworkReply *reply, qint64 maxBytes, int timeoutMs, const QString &what)
{
    auto body = std::make_shared<ReplyBody>();
    const auto cut = [reply, maxBytes, timeoutMs, what](ReplyCut why, const QString &detail) {
        if (replyCut(reply) != ReplyCut::None || reply->isFinished())
            return;
        reply->setProperty(kCutProperty, int(why));
        qCWarning(lcNet).noquote() << what << replyCutText(why, maxBytes, timeoutMs) + detail;
        reply->abort();
    };
    // The network thread hands over no more than this before it waits for the reply to
    // be read, however busy this thread is when the data arrives.
    reply->setReadBufferSize(maxBytes + 1);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, maxBytes, cut] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes)
            cut(ReplyCut::TooLarge, QStringLiteral(" (Content-Length %1)").arg(length.toLongLong()));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, body, maxBytes, cut] {
        if (replyCut(reply) != ReplyCut::None)
            return;
        QByteArray piece = reply->readAll();
        body->size += piece.size();
        body->pieces.append(std::move(piece));
        if (body->size > maxBytes) {
            cut(ReplyCut::TooLarge, QStringLiteral(" (%1 bytes received)").arg(body->size));
            *body = {};
        }
    });
    QTimer::singleShot(timeoutMs, reply, [cut] { cut(ReplyCut::Deadline, {}); });
    return body;
}

void finishBody(QNetworkReply *reply, ReplyBody &body)
{
    if (replyCut(reply) != ReplyCut::None || !reply->isOpen() || reply->bytesAvailable() == 0)
        return;
    QByteArray rest = reply->readAll();
    body.size += rest.size();
    body.pieces.append(std::move(rest));
}

ReplyCut replyCut(const QNetworkReply *reply)
{
    return ReplyCut(reply->property(kCutProperty).toInt());
}

QString replyCutText(ReplyCut cut, qint64 maxBytes, int timeoutMs)
{
    switch (cut) {
    case ReplyCut::TooLarge:
        return QStringLiteral("reply dropped unread: larger than the limit of %1 bytes").arg(maxBytes);
    case ReplyCut::Deadline:
        return QStringLiteral("timed out: no complete reply within %1 ms").arg(timeoutMs);
    case ReplyCut::None:
        break;
    }
    return {};
}

void track(InFlight &inFlight, QNetworkReply *reply)
{
    inFlight.removeIf([](const QPointer<QNetworkReply> &r) { return !r || r->isFinished(); });
    inFlight.append(reply);
}

void cancelInFlight(const InFlight &inFlight)
{
    for (const QPointer<QNetworkReply> &reply : inFlight) {
        if (reply && !reply->isFinished()) {
            reply->setProperty(kCancelledProperty, true);
            reply->abort();
        }
    }
}

bool wasCancelled(QNetworkReply *reply)
{
    return reply->property(kCancelledProperty).toBool();
}

QString transportErrorText(QNetworkReply *reply, int timeoutMs)
{
    if (wasCancelled(reply))
        return QStringLiteral("cancelled: the app is closing");
    // Besides cancelInFlight and guardReply (whose ends are told apart before this) only
    // the transfer timeout aborts a request (Qt reports it as an abort).
    if (reply->error() == QNetworkReply::OperationCanceledError ||
        reply->error() == QNetworkReply::TimeoutError)
        return QStringLiteral("timed out after %1 ms without data").arg(timeoutMs);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        return QStringLiteral("HTTP %1: %2").arg(status.toInt()).arg(reply->errorString());
    return reply->errorString();
}

QString procedureNameOf(const QString &callText)
{
    const qsizetype blank = callText.indexOf(QLatin1Char(' '));
    return (blank < 0 ? callText : callText.left(blank)).left(64);
}

ProcedureClient::ProcedureClient(QNetworkAccessManager *nam, QString apiHost, QList<QSslCertificate> extraCas,
                                 QObject *parent)
    : QObject(parent), m_nam(nam), m_apiHost(std::move(apiHost)), m_extraCas(std::move(extraCas)),
      m_timeoutMs(kRequestTimeoutMs), m_maxReplyBytes(kMaxReplyBytes)
{
}

ProcedureClient::~ProcedureClient()
{
    cancelInFlight(m_inFlight);
}

void ProcedureClient::call(const QString &operation, const QString &callText, const ReplyShape &shape,
                           QObject *receiver, Callback done)
{
    SoapRequest soap = makeSoapRequest(m_apiHost, operation, callText);
    soap.request.setTransferTimeout(m_timeoutMs);
    applyTls(soap.request, m_extraCas);

    const QString procedure = procedureNameOf(callText);
    qCDebug(lcNet).noquote() << "calling" << procedure;

    QNetworkReply *reply = m_nam->post(soap.request, soap.body);
    track(m_inFlight, reply);
    watchTls(reply, procedure);
    std::shared_ptr<ReplyBody> body = guardReply(reply, m_maxReplyBytes, m_timeoutMs, procedure);
    QPointer<QObject> guard(receiver ? receiver : this);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, body, procedure, shape, guard, done = std::move(done)] {
                finished(reply, *body, procedure, shape, guard, done);
            });
}

void ProcedureClient::finished(QNetworkReply *reply, ReplyBody &body, const QString &procedure,
                               const ReplyShape &shape, QPointer<QObject> receiver, const Callback &done)
{
    reply->deleteLater();
    finishBody(reply, body);
    ProcedureReply out;
    if (const ReplyCut cut = replyCut(reply); cut != ReplyCut::None) {
        // Logged when cut. Too large: the call reached the service, its answer is not read.
        out.status = cut == ReplyCut::TooLarge ? ProcedureReply::BadReply : ProcedureReply::TransportError;
        out.error = replyCutText(cut, m_maxReplyBytes, m_timeoutMs);
        deliverTo(receiver, done, std::move(out));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        out.status = ProcedureReply::TransportError;
        out.error = transportErrorText(reply, m_timeoutMs);
        if (wasCancelled(reply)) {
            qCInfo(lcNet).noquote() << procedure << out.error;
            return;
        }
        out.body = body.joined(); // an HTTP error page or a SOAP fault, kept for the log
        // A fault is the service's answer, not a failure to reach it.
        if (const std::optional<QString> fault = soapFaultString(out.body)) {
            out.status = ProcedureReply::Refused;
            qCWarning(lcNet).noquote()
                << procedure << "refused by the service (" + out.error + "):" << *fault;
            out.error = *fault;
        } else {
            qCWarning(lcNet).noquote() << procedure << "failed:" << out.error;
        }
        deliverTo(receiver, done, std::move(out));
        return;
    }
    if (body.size == 0) {
        out.status = ProcedureReply::BadReply;
        out.error = QStringLiteral("empty reply");
        qCWarning(lcNet).noquote() << procedure << "answered with an empty body";
        deliverTo(receiver, done, std::move(out));
        return;
    }

    // The body is joined and walked on a pool thread, never on this (the UI) thread;
    // each reply has its own walk state.
    struct Walked
    {
        QByteArray body;
        WalkResult walk;
    };
    auto *watcher = new QFutureWatcher<Walked>(this);
    connect(watcher, &QFutureWatcher<Walked>::finished, this, [watcher, procedure, receiver, done] {
        watcher->deleteLater();
        // Taken, not copied: the rows are not kept (and later freed) here as well.
        Walked walked = watcher->future().takeResult();
        ProcedureReply result;
        result.body = std::move(walked.body);
        result.walk = std::move(walked.walk);
        if (result.walk.invalidUtf8) {
            result.status = ProcedureReply::BadReply;
            result.error = result.walk.error;
            qCWarning(lcNet).noquote() << procedure << "reply dropped:" << result.error;
        } else if (!result.walk.complete) {
            result.error = result.walk.error;
            qCWarning(lcNet).noquote() << procedure << "reply broke off:" << result.error << "- keeping"
                                       << result.walk.rows.size() << "complete rows";
        }
        deliverTo(receiver, done, std::move(result));
    });
    watcher->setFuture(QtConcurrent::run([body = std::move(body), shape] {
        Walked walked;
        walked.body = body.joined();
        walked.walk = walkReply(walked.body, shape);
        return walked;
    }));
}

} // namespace tvs
