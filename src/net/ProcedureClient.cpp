#include "ProcedureClient.h"

#include "NetLog.h"
#include "SoapRequest.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslError>
#include <QThreadPool>
#include <QTimer>
#include <QWaitCondition>

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

void ReplyBody::add(QByteArray piece)
{
    size += piece.size();
    if (onPiece)
        onPiece(piece);
    pieces.append(std::move(piece));
}

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

std::shared_ptr<ReplyBody> guardReply(QNetworkReply *reply, qint64 maxBytes, int timeoutMs,
                                      const QString &what)
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
        body->add(reply->readAll());
        if (body->size > maxBytes) {
            cut(ReplyCut::TooLarge, QStringLiteral(" (%1 bytes received)").arg(body->size));
            *body = {};
        }
    });
    QTimer::singleShot(timeoutMs, reply, [cut] { cut(ReplyCut::Deadline, {}); });
    return body;
}

GuardedPost postGuarded(QNetworkAccessManager *nam, QNetworkRequest request, const QByteArray &body,
                        const QList<QSslCertificate> &extraCas, int timeoutMs, qint64 maxBytes,
                        InFlight &inFlight, const QString &what)
{
    request.setTransferTimeout(timeoutMs);
    applyTls(request, extraCas);
    qCDebug(lcNet).noquote() << "calling" << what;
    QNetworkReply *reply = nam->post(request, body);
    track(inFlight, reply);
    watchTls(reply, what);
    return {reply, guardReply(reply, maxBytes, timeoutMs, what)};
}

void finishBody(QNetworkReply *reply, ReplyBody &body)
{
    if (replyCut(reply) != ReplyCut::None || !reply->isOpen() || reply->bytesAvailable() == 0)
        return;
    body.add(reply->readAll());
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

namespace {

// Fresh rows are handed on at most this often: a batch, never a call per row.
constexpr int kRowBatchMs = 50;
// How long the client's thread waits for the first rows of a piece it has just
// handed over (see StreamedWalk::push): half a frame.
constexpr int kFirstRowsWaitMs = 8;
// The most of a reply walked before its fresh rows are passed on.
constexpr qsizetype kWalkSlice = 64 * 1024;

} // namespace

// What a reply's walk shares between the client's thread, which hands it the
// body's pieces as they arrive, and the pool thread that walks them.
struct StreamedWalk : std::enable_shared_from_this<StreamedWalk>
{
    explicit StreamedWalk(const ReplyShape &shape) : walker(shape) {}

    QMutex lock;               // guards what follows, up to the walker
    QWaitCondition walkedOn;   // fresh rows, or the walking task has stopped
    QList<QByteArray> pending; // pieces not walked yet
    bool walking = false;      // a pool task is on them
    bool ended = false;        // no more pieces come: walk the rest, then finish
    bool abandoned = false;    // nobody waits for the walk any more
    ReplyBody body;            // the whole body, handed over at the end
    Records fresh;             // finished rows not handed on yet
    bool told = false;         // the channel has been told of fresh rows
    bool rowsShown = false;    // the channel has handed on rows
    WalkChannel *channel = nullptr;

    // Set before the first piece comes, then only read.
    bool wantsRows = false;
    int firstRowsWaitMs = kFirstRowsWaitMs;

    qsizetype rowsTaken = 0; // the walker's rows already put in `fresh`
    ReplyWalker walker;      // only the walking task touches these two

    void push(const QByteArray &piece);
    void end(ReplyBody whole);
    void walk();
    void passOnRows();
};

// The client's end of a reply's walk, on the client's thread: the walking task
// tells it of fresh rows and of the end, and it hands them to the receiver.
class WalkChannel : public QObject
{
    Q_OBJECT
public:
    WalkChannel(std::shared_ptr<StreamedWalk> walk, QString procedure, QPointer<QObject> receiver,
                ProcedureCaller::Callback done, ProcedureCaller::Progress progress, QObject *parent)
        : QObject(parent), m_walk(std::move(walk)), m_procedure(std::move(procedure)),
          m_receiver(std::move(receiver)), m_done(std::move(done)), m_progress(std::move(progress))
    {
        m_walk->channel = this;
        m_walk->wantsRows = bool(m_progress);
        m_batch.setSingleShot(true);
        connect(&m_batch, &QTimer::timeout, this, &WalkChannel::handOnRows);
    }
    ~WalkChannel() override
    {
        QMutexLocker locked(&m_walk->lock);
        m_walk->channel = nullptr;
        m_walk->abandoned = true;
    }

    StreamedWalk &stream() { return *m_walk; }

    // Fresh rows: handed on now, or with the next batch.
    void rowsRead()
    {
        if (m_lastBatch.isValid() && m_lastBatch.elapsed() < kRowBatchMs) {
            if (!m_batch.isActive())
                m_batch.start(int(kRowBatchMs - m_lastBatch.elapsed()));
            return;
        }
        handOnRows();
    }

    void handOnRows()
    {
        Records rows;
        {
            QMutexLocker locked(&m_walk->lock);
            rows = std::exchange(m_walk->fresh, {});
            m_walk->told = false;
            m_walk->rowsShown = m_walk->rowsShown || !rows.isEmpty();
        }
        m_lastBatch.start();
        if (!rows.isEmpty())
            deliverTo(m_receiver, m_progress, std::move(rows));
    }

    void walked(QByteArray body, WalkResult walk)
    {
        m_batch.stop(); // rows not handed on yet come with the reply
        deleteLater();
        ProcedureReply result;
        result.body = std::move(body);
        result.walk = std::move(walk);
        if (result.walk.invalidUtf8) {
            result.status = ProcedureReply::BadReply;
            result.error = result.walk.error;
            qCWarning(lcNet).noquote() << m_procedure << "reply dropped:" << result.error;
        } else if (!result.walk.complete) {
            result.error = result.walk.error;
            qCWarning(lcNet).noquote() << m_procedure << "reply broke off:" << result.error << "- keeping"
                                       << result.walk.rows.size() << "complete rows";
        }
        deliverTo(m_receiver, m_done, std::move(result));
    }

private:
    std::shared_ptr<StreamedWalk> m_walk;
    QString m_procedure;
    QPointer<QObject> m_receiver;
    ProcedureCaller::Callback m_done;
    ProcedureCaller::Progress m_progress;
    QElapsedTimer m_lastBatch;
    QTimer m_batch;
};

void StreamedWalk::push(const QByteArray &piece)
{
    QMutexLocker locked(&lock);
    if (abandoned)
        return;
    pending.append(piece);
    if (!std::exchange(walking, true))
        QThreadPool::globalInstance()->start([self = shared_from_this()] { self->walk(); });
    if (!wantsRows || rowsShown || !channel)
        return;
    // Until a list's first rows are shown, this thread waits a moment for the walk's
    // first slice of the piece and hands its rows on at once: left to a queued call,
    // they would wait for this thread's next free turn, a whole frame or more while a
    // page transition is drawn.
    const QDeadlineTimer deadline(firstRowsWaitMs);
    while (fresh.isEmpty() && walking && !abandoned) {
        if (!walkedOn.wait(&lock, deadline))
            break;
    }
    if (fresh.isEmpty() || !channel)
        return;
    WalkChannel *const to = channel;
    locked.unlock();
    to->handOnRows();
}

void StreamedWalk::end(ReplyBody whole)
{
    QMutexLocker locked(&lock);
    whole.onPiece = nullptr;
    body = std::move(whole);
    ended = true;
    if (!std::exchange(walking, true))
        QThreadPool::globalInstance()->start([self = shared_from_this()] { self->walk(); });
}

// On a pool thread, one task at a time: walks the pieces as they come, tells the
// channel of fresh rows, and at the end finishes the walk and hands it over.
void StreamedWalk::walk()
{
    for (;;) {
        QList<QByteArray> pieces;
        bool last = false;
        {
            QMutexLocker locked(&lock);
            if (abandoned || (pending.isEmpty() && !ended)) {
                walking = false;
                walkedOn.wakeAll();
                return;
            }
            pieces.swap(pending);
            last = ended;
        }
        // A busy UI thread lets the network thread hand over megabytes at once: such a
        // piece is walked in slices, and its rows go on after each, so the first rows
        // never wait for the whole piece.
        for (const QByteArray &piece : pieces) {
            for (qsizetype at = 0; at < piece.size(); at += kWalkSlice) {
                walker.feed(QByteArrayView(piece).sliced(at, std::min(kWalkSlice, piece.size() - at)));
                passOnRows();
            }
        }
        if (last) {
            WalkResult result = walker.finish();
            QByteArray whole;
            {
                QMutexLocker locked(&lock);
                whole = std::exchange(body, {}).joined();
            }
            QMutexLocker locked(&lock);
            if (channel) {
                QMetaObject::invokeMethod(
                    channel,
                    [channel = channel, whole = std::move(whole), result = std::move(result)]() mutable {
                        channel->walked(std::move(whole), std::move(result));
                    },
                    Qt::QueuedConnection);
            }
            abandoned = true; // nothing more to walk
            walking = false;
            walkedOn.wakeAll();
            return;
        }
    }
}

void StreamedWalk::passOnRows()
{
    if (!wantsRows || walker.rows().size() == rowsTaken)
        return;
    const Records rows = walker.rows().mid(rowsTaken);
    rowsTaken = walker.rows().size();
    QMutexLocker locked(&lock);
    fresh.append(rows);
    walkedOn.wakeAll();
    if (channel && !std::exchange(told, true))
        QMetaObject::invokeMethod(
            channel, [channel = channel] { channel->rowsRead(); }, Qt::QueuedConnection);
}

ProcedureClient::ProcedureClient(QNetworkAccessManager *nam, QString apiHost, QList<QSslCertificate> extraCas,
                                 QObject *parent)
    : QObject(parent), m_nam(nam), m_apiHost(std::move(apiHost)), m_extraCas(std::move(extraCas)),
      m_timeoutMs(kRequestTimeoutMs), m_maxReplyBytes(kMaxReplyBytes), m_firstRowsWaitMs(kFirstRowsWaitMs)
{
}

ProcedureClient::~ProcedureClient()
{
    cancelInFlight(m_inFlight);
}

void ProcedureClient::call(const QString &operation, const QString &callText, const ReplyShape &shape,
                           QObject *receiver, Callback done, Progress progress)
{
    const SoapRequest soap = makeSoapRequest(m_apiHost, operation, callText);
    const QString procedure = procedureNameOf(callText);
    const GuardedPost posted = postGuarded(m_nam, soap.request, soap.body, m_extraCas, m_timeoutMs,
                                           m_maxReplyBytes, m_inFlight, procedure);
    QNetworkReply *reply = posted.reply;
    const std::shared_ptr<ReplyBody> body = posted.body;
    QPointer<QObject> guard(receiver ? receiver : this);
    // The body is walked on a pool thread as it arrives, never on this (the UI)
    // thread; each reply has its own walk state.
    auto walk = std::make_shared<StreamedWalk>(shape);
    walk->firstRowsWaitMs = m_firstRowsWaitMs;
    auto *channel = new WalkChannel(walk, procedure, guard, done, std::move(progress), this);
    body->onPiece = [walk](const QByteArray &piece) { walk->push(piece); };
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, body, procedure, channel = QPointer<WalkChannel>(channel), guard,
             done = std::move(done)] { finished(reply, *body, procedure, channel, guard, done); });
}

void ProcedureClient::finished(QNetworkReply *reply, ReplyBody &body, const QString &procedure,
                               WalkChannel *channel, QPointer<QObject> receiver, const Callback &done)
{
    reply->deleteLater();
    finishBody(reply, body);
    if (!channel)
        return; // the client is closing
    ProcedureReply out;
    if (const ReplyCut cut = replyCut(reply); cut != ReplyCut::None) {
        delete channel;
        // Logged when cut. Too large: the call reached the service, its answer is not read.
        out.status = cut == ReplyCut::TooLarge ? ProcedureReply::BadReply : ProcedureReply::TransportError;
        out.error = replyCutText(cut, m_maxReplyBytes, m_timeoutMs);
        deliverTo(receiver, done, std::move(out));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        delete channel;
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
        delete channel;
        out.status = ProcedureReply::BadReply;
        out.error = QStringLiteral("empty reply");
        qCWarning(lcNet).noquote() << procedure << "answered with an empty body";
        deliverTo(receiver, done, std::move(out));
        return;
    }
    // The rest of the walk and the reply's delivery are the channel's.
    channel->stream().end(std::move(body));
}

} // namespace tvs

#include "ProcedureClient.moc"
