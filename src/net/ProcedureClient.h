#pragma once

#include "ProcedureCaller.h"

#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

namespace tvs {

// The requests a client has started and not yet seen finish.
using InFlight = QList<QPointer<QNetworkReply>>;
void track(InFlight &inFlight, QNetworkReply *reply);

// Posts procedure calls on the application's one QNetworkAccessManager. TLS is
// always verified against the system CAs plus `extraCas`; certificate errors are
// never ignored. The reply is walked on a pool thread; the callback runs on the
// receiver's thread and is dropped when the receiver is gone. No retry.
//
// Every client on one manager must be given the same `extraCas`: the manager
// reuses what it keeps of a host (connection, TLS settings and session) for later
// requests to it, so trust settings that differ per request do not hold.
class ProcedureClient : public QObject, public ProcedureCaller
{
    Q_OBJECT
public:
    ProcedureClient(QNetworkAccessManager *nam, QString apiHost, QList<QSslCertificate> extraCas,
                    QObject *parent = nullptr);
    // Cancels the requests still in flight (see cancelInFlight).
    ~ProcedureClient() override;

    void call(const QString &operation, const QString &callText, const ReplyShape &shape, QObject *receiver,
              Callback done) override;

    // How long a request may wait for data (60 s unless changed).
    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }
    QString apiHost() const { return m_apiHost; }

private:
    void finished(QNetworkReply *reply, const QString &procedure, const ReplyShape &shape,
                  QPointer<QObject> receiver, const Callback &done);

    QNetworkAccessManager *m_nam;
    QString m_apiHost;
    QList<QSslCertificate> m_extraCas;
    int m_timeoutMs;
    InFlight m_inFlight;
};

// Applies the transport's TLS rule to a request: system CAs plus `extraCas`,
// peer always verified.
void applyTls(QNetworkRequest &request, const QList<QSslCertificate> &extraCas);

// Logs the certificate problems of a failed handshake (never ignores them).
void watchTls(QNetworkReply *reply, const QString &what);

// A transport failure in words: a timeout and a cancellation are named as such.
QString transportErrorText(QNetworkReply *reply, int timeoutMs);

// A client goes away only when the app closes: its requests still in flight are
// aborted and marked, so that they are logged as cancelled (an abort otherwise
// reads like the transfer timeout) and answer no one.
void cancelInFlight(const InFlight &inFlight);
bool wasCancelled(QNetworkReply *reply);

// The procedure name of a call text (the part before the first blank), safe to log.
QString procedureNameOf(const QString &callText);

// Delivers on the receiver's thread unless the receiver is gone.
template <typename Reply, typename Fn>
void deliverTo(const QPointer<QObject> &receiver, const Fn &done, Reply reply)
{
    if (!receiver || !done)
        return;
    QMetaObject::invokeMethod(
        receiver.data(), [done, reply = std::move(reply)] { done(reply); }, Qt::AutoConnection);
}

} // namespace tvs
