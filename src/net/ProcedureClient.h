#pragma once

#include "ProcedureCaller.h"

#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QString>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace tvs {

struct ReplyBody;
class WalkChannel;

// The requests a client has started and not yet seen finish.
using InFlight = QList<QPointer<QNetworkReply>>;
void track(InFlight &inFlight, QNetworkReply *reply);

// Posts procedure calls on the application's one QNetworkAccessManager. TLS is
// always verified against the system CAs plus `extraCas`; certificate errors are
// never ignored. The reply is walked on a pool thread as it arrives; the callbacks
// run on the receiver's thread and are dropped when the receiver is gone. No retry.
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
              Callback done, Progress progress = {}) override;

    // How long a request may wait for data, and the longest a whole reply may take
    // (60 s unless changed).
    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }
    // The largest reply body read (kMaxReplyBytes unless changed).
    void setMaxReplyBytes(qint64 bytes) { m_maxReplyBytes = bytes; }
    // Until a list read in rows has shown its first rows: the longest this thread
    // waits for the walk of a piece it has just read to give them, so that they are
    // shown in the same turn (8 ms unless changed).
    void setFirstRowsWait(int ms) { m_firstRowsWaitMs = ms; }
    QString apiHost() const { return m_apiHost; }

private:
    void finished(QNetworkReply *reply, ReplyBody &body, const QString &procedure, WalkChannel *channel,
                  QPointer<QObject> receiver, const Callback &done);

    QNetworkAccessManager *m_nam;
    QString m_apiHost;
    QList<QSslCertificate> m_extraCas;
    int m_timeoutMs;
    qint64 m_maxReplyBytes;
    int m_firstRowsWaitMs;
    InFlight m_inFlight;
};

// Applies the transport's TLS rule to a request: system CAs plus `extraCas`,
// peer always verified.
void applyTls(QNetworkRequest &request, const QList<QSslCertificate> &extraCas);

// Logs the certificate problems of a failed handshake (never ignores them).
void watchTls(QNetworkReply *reply, const QString &what);

// The largest reply body the clients read: 16 MiB. The largest reply of the stand-in
// service is the work-order search over a shop's 40 held cars, 126 KB (the car list,
// 112 KB): about 3 KB a car, so a shop would need some 5,000 cars to come near the
// limit. A body past it is not a reply of the service, and is never held whole.
inline constexpr qint64 kMaxReplyBytes = 16 * 1024 * 1024;

// Why the client itself ended a reply.
enum class ReplyCut {
    None,
    TooLarge, // its Content-Length or the bytes received passed the size limit
    Deadline, // it was not complete when the timeout ran out, though data kept coming
};

// A reply's body as it arrived, piece by piece: read as the data comes, so no read on
// the UI thread copies a whole large body at once (joined off it, or where it is small).
struct ReplyBody
{
    QList<QByteArray> pieces;
    qint64 size = 0;
    // Told of each piece as it comes (the walk of a procedure reply).
    std::function<void(const QByteArray &)> onPiece;
    void add(QByteArray piece);
    QByteArray joined() const;
};

// Reads `reply` into the returned body as it arrives, and ends it with a warning as soon
// as its Content-Length or the bytes received pass `maxBytes` (so an endless or huge body
// is never held whole), or when it is not finished `timeoutMs` after it started (the
// transfer timeout alone never ends a reply that keeps trickling). replyCut() then tells
// these ends from other failures. Call finishBody() when the reply has finished.
std::shared_ptr<ReplyBody> guardReply(QNetworkReply *reply, qint64 maxBytes, int timeoutMs,
                                      const QString &what);
void finishBody(QNetworkReply *reply, ReplyBody &body);

// A client's call as the network sees it: the request with the transfer timeout and the
// TLS rule, posted, tracked in `inFlight`, its certificate problems logged and its body
// guarded (guardReply).
struct GuardedPost
{
    QNetworkReply *reply;
    std::shared_ptr<ReplyBody> body;
};
GuardedPost postGuarded(QNetworkAccessManager *nam, QNetworkRequest request, const QByteArray &body,
                        const QList<QSslCertificate> &extraCas, int timeoutMs, qint64 maxBytes,
                        InFlight &inFlight, const QString &what);
ReplyCut replyCut(const QNetworkReply *reply);
QString replyCutText(ReplyCut cut, qint64 maxBytes, int timeoutMs);

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
