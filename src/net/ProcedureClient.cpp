#include "ProcedureClient.h"

#include "NetLog.h"
#include "SoapRequest.h"

#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslError>
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
const char *const kCancelledProperty = "tvsCancelled";
} // namespace

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
    // Besides cancelInFlight only the transfer timeout aborts a request (Qt reports
    // it as an abort).
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
      m_timeoutMs(kRequestTimeoutMs)
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
    QPointer<QObject> guard(receiver ? receiver : this);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, procedure, shape, guard, done = std::move(done)] {
                finished(reply, procedure, shape, guard, done);
            });
}

void ProcedureClient::finished(QNetworkReply *reply, const QString &procedure, const ReplyShape &shape,
                               QPointer<QObject> receiver, const Callback &done)
{
    reply->deleteLater();
    ProcedureReply out;
    if (reply->error() != QNetworkReply::NoError) {
        out.status = ProcedureReply::TransportError;
        out.error = transportErrorText(reply, m_timeoutMs);
        if (wasCancelled(reply)) {
            qCInfo(lcNet).noquote() << procedure << out.error;
            return;
        }
        if (reply->isOpen())
            out.body = reply->readAll(); // an HTTP error page, kept for the log
        qCWarning(lcNet).noquote() << procedure << "failed:" << out.error;
        deliverTo(receiver, done, std::move(out));
        return;
    }
    out.body = reply->readAll();
    if (out.body.isEmpty()) {
        out.status = ProcedureReply::BadReply;
        out.error = QStringLiteral("empty reply");
        qCWarning(lcNet).noquote() << procedure << "answered with an empty body";
        deliverTo(receiver, done, std::move(out));
        return;
    }

    // The walk never runs on this (the UI) thread; each reply has its own walk state.
    auto *watcher = new QFutureWatcher<WalkResult>(this);
    const QByteArray body = out.body;
    connect(watcher, &QFutureWatcher<WalkResult>::finished, this, [watcher, procedure, receiver, done, body] {
        watcher->deleteLater();
        ProcedureReply result;
        result.body = body;
        result.walk = watcher->result();
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
    watcher->setFuture(QtConcurrent::run(walkReply, body, shape));
}

} // namespace tvs
