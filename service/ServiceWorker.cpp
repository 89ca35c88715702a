#include "ServiceWorker.h"

#include "Certificates.h"
#include "Database.h"
#include "Endpoints.h"
#include "Pictures.h"
#include "Procedures.h"
#include "QrCodes.h"
#include "WebPages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>
#include <deque>

#include <fcntl.h>

namespace tvs {

namespace {

constexpr qsizetype kMaxBody = 1024 * 1024;
// What one request may bring (body and head) before its connection is dropped unread,
// so that an endless body cannot fill the memory: requests are only handed over whole.
constexpr qint64 kMaxRequestBytes = kMaxBody + 64 * 1024;
const QString kSoapEnvelopeNs = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
const QString kTempuri = QStringLiteral("http://tempuri.org/");

QByteArray header(const QHttpServerRequest &request, const QByteArray &name)
{
    for (const auto &[key, value] : request.headers())
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

QString methodName(QHttpServerRequest::Method m)
{
    switch (m) {
    case QHttpServerRequest::Method::Get: return QStringLiteral("GET");
    case QHttpServerRequest::Method::Post: return QStringLiteral("POST");
    case QHttpServerRequest::Method::Put: return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Delete: return QStringLiteral("DELETE");
    case QHttpServerRequest::Method::Head: return QStringLiteral("HEAD");
    case QHttpServerRequest::Method::Options: return QStringLiteral("OPTIONS");
    case QHttpServerRequest::Method::Patch: return QStringLiteral("PATCH");
    default: return QStringLiteral("OTHER");
    }
}

// Sign-in credentials (the password digest, the QR token) never reach the log.
QString maskedCallText(const QString &text)
{
    const CallText call = readCallText(text);
    if (!call.ok)
        return text;
    int secret = -1;
    if (call.procedure == QLatin1String("ps_Login1"))
        secret = 1;
    else if (call.procedure == QLatin1String("ps_LoginQR1"))
        secret = 0;
    if (secret < 0 || secret >= call.args.size())
        return text;
    QStringList args = call.args;
    args[secret] = QStringLiteral("********");
    for (QString &a : args)
        a.replace(u'\'', QLatin1String("''"));
    return call.procedure + QStringLiteral(" '") + args.join(QStringLiteral("', '")) + u'\'';
}

struct SoapRequest
{
    QString operation;
    QMap<QString, QString> params;
    QString error;
};

// Reads a SOAP 1.1 request: Envelope, Body, the operation element in the tempuri
// namespace and its parameter elements. No DTD is accepted.
SoapRequest readSoap(const QByteArray &body)
{
    SoapRequest r;
    QXmlStreamReader xml(body);
    int depth = 0;
    bool inBody = false;
    bool done = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            r.error = QStringLiteral("a document type declaration is not accepted");
            return r;
        }
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 1) {
                if (xml.name() != QLatin1String("Envelope") || xml.namespaceUri() != kSoapEnvelopeNs) {
                    r.error = QStringLiteral("the document is not a SOAP 1.1 envelope");
                    return r;
                }
            } else if (depth == 2 && !done) {
                inBody = xml.name() == QLatin1String("Body") && xml.namespaceUri() == kSoapEnvelopeNs;
            } else if (depth == 3 && inBody && !done) {
                if (xml.namespaceUri() != kTempuri) {
                    r.error = QStringLiteral("the operation element %1 is not in the namespace %2")
                                  .arg(xml.name().toString(), kTempuri);
                    return r;
                }
                r.operation = xml.name().toString();
                while (xml.readNextStartElement()) {
                    const QString name = xml.name().toString();
                    const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
                    if (xml.hasError())
                        break;
                    if (r.params.contains(name)) {
                        r.error = QStringLiteral("the parameter %1 is given twice").arg(name);
                        return r;
                    }
                    r.params.insert(name, text);
                }
                --depth; // the operation element has been read to its end
                done = true;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (xml.hasError())
        r.error = QStringLiteral("malformed XML at line %1, column %2: %3")
                      .arg(xml.lineNumber())
                      .arg(xml.columnNumber())
                      .arg(xml.errorString());
    else if (!done)
        r.error = QStringLiteral("the SOAP body holds no operation");
    return r;
}

// How long a refused connection is still read (and what it sends dropped) before it closes.
constexpr int kLingerMs = 1000;

// Watches what a connection sends between two answers. Past the size limit the rest is
// read and dropped, the client gets a 413 and the connection is closed; a request that
// has not arrived whole `readMs` after its first byte gets a 408 the same way, so that a
// client sending a byte now and then cannot hold a connection and its memory for long.
// Connected before the HTTP server's own reader, so it sees each piece first.
void guardRequests(QTcpSocket *socket, int readMs)
{
    auto received = std::make_shared<qint64>(0);
    auto refused = std::make_shared<bool>(false);
    auto *clock = new QTimer(socket);
    clock->setSingleShot(true);
    clock->setInterval(readMs);
    const auto refuse = [socket, refused, clock](const QByteArray &status, const QByteArray &text) {
        *refused = true;
        clock->stop();
        socket->readAll();
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: "
                      + QByteArray::number(text.size()) + "\r\nConnection: close\r\n\r\n" + text);
        // Closed a moment later, not at once: a client still sending its body would get a
        // reset for it, which can throw away the answer before the client has read it.
        QTimer::singleShot(kLingerMs, socket, [socket] { socket->disconnectFromHost(); });
    };
    QObject::connect(clock, &QTimer::timeout, socket, [refuse, readMs] {
        refuse("408 Request Timeout", "the request did not arrive whole within "
                   + QByteArray::number(readMs) + " ms; nothing was done\n");
    });
    QObject::connect(socket, &QIODevice::readyRead, socket, [socket, received, refused, clock, refuse] {
        if (*refused) {
            socket->readAll();
            return;
        }
        if (!clock->isActive())
            clock->start();
        *received += socket->bytesAvailable();
        if (*received > kMaxRequestBytes)
            refuse("413 Payload Too Large", "request larger than 1 MiB; nothing was done\n");
    });
    QObject::connect(socket, &QIODevice::bytesWritten, socket, [received, clock] {
        *received = 0;
        clock->stop();
    });
}

// The HTTP server's source of connections on a serving thread. Every serving thread
// listens on the same socket (a descriptor of its own for it); what one accepts is handed
// on (ServiceShared::handOn) and served by the thread whose turn it is. Each connection
// is guarded before the HTTP server reads from it.
template<typename Base>
class GuardedServer : public Base
{
public:
    GuardedServer(int readMs, std::function<void(qintptr)> handOn) : m_readMs(readMs), m_handOn(std::move(handOn))
    {
    }
    // A connection that this or another serving thread accepted, to be served here.
    void take(qintptr descriptor) { Base::incomingConnection(descriptor); }
    QTcpSocket *nextPendingConnection() override
    {
        QTcpSocket *socket = Base::nextPendingConnection();
        if (socket)
            guardRequests(socket, m_readMs);
        return socket;
    }

protected:
    void incomingConnection(qintptr descriptor) override { m_handOn(descriptor); }

private:
    int m_readMs;
    std::function<void(qintptr)> m_handOn;
};

// One answer on its way out: its bytes, and for an answer made while it is sent, what makes
// the rest of its body piece by piece (sent in HTTP/1.1 chunks).
struct Outgoing
{
    using Step = ListStream::Step;
    using Body = std::function<Step(QByteArray &piece, QString *error)>;
    using Ended = std::function<void(qint64 bytes, const QString &cut)>;

    QByteArray ready;      // to be written next
    qsizetype written = 0; // of `ready`
    Body body;             // empty once the body is made
    Ended ended;           // told when the answer has gone out whole (no cut), or not
    qint64 bytes = 0;      // written in all
};

// Sends the answers of a connection that cannot be written at once: answers at a fixed rate
// (for trying a client on a slow network: a timer writes what the rate allows since the
// answer began, so the serving thread answers other connections in between) and answers
// made while they are sent (a list read from the database as it goes out). It makes and
// writes no more than the rate allows and the socket takes (a few pieces ahead), so a long
// list is never held whole. Answers go out whole and in the order they were given; the
// sender, and what it still holds, go with the connection.
class Sender : public QObject
{
public:
    static Sender *of(QTcpSocket *socket)
    {
        return static_cast<Sender *>(socket->findChild<QObject *>(name(), Qt::FindDirectChildrenOnly));
    }
    static void send(QTcpSocket *socket, Outgoing answer, qint64 bytesPerSecond)
    {
        Sender *sender = of(socket);
        if (!sender)
            sender = new Sender(socket, bytesPerSecond);
        sender->m_queue.push_back(std::move(answer));
        sender->pump();
    }
    bool busy() const { return !m_queue.empty(); }

    ~Sender() override
    {
        if (!m_queue.empty() && m_queue.front().ended)
            m_queue.front().ended(m_queue.front().bytes, QStringLiteral("the connection was closed"));
    }

private:
    static constexpr int kTickMs = 20;
    // How far the answer is made and handed to the socket ahead of what it has sent.
    static constexpr qint64 kAhead = 256 * 1024;

    static QString name() { return QStringLiteral("tvs-sender"); }

    Sender(QTcpSocket *socket, qint64 bytesPerSecond)
        : QObject(socket), m_socket(socket), m_rate(bytesPerSecond)
    {
        setObjectName(name());
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        connect(&m_timer, &QTimer::timeout, this, &Sender::pump);
        connect(socket, &QIODevice::bytesWritten, this, &Sender::pump);
        if (auto *tls = qobject_cast<QSslSocket *>(socket))
            connect(tls, &QSslSocket::encryptedBytesWritten, this, &Sender::pump);
    }

    qint64 queued() const
    {
        const auto *tls = qobject_cast<const QSslSocket *>(m_socket);
        return m_socket->bytesToWrite() + (tls ? tls->encryptedBytesToWrite() : 0);
    }

    void pump()
    {
        while (!m_queue.empty()) {
            Outgoing &answer = m_queue.front();
            if (answer.written == answer.ready.size()) {
                if (!answer.body) {
                    if (answer.ended)
                        answer.ended(answer.bytes, {});
                    m_queue.pop_front();
                    m_clock.invalidate();
                    continue;
                }
                if (!nextPiece(answer))
                    return;
            }
            if (!m_clock.isValid()) {
                m_clock.start();
                m_sent = 0;
            }
            qint64 due = std::min<qint64>(answer.ready.size() - answer.written, kAhead - queued());
            if (m_rate > 0)
                due = std::min(due, m_clock.elapsed() * m_rate / 1000 - m_sent);
            if (due <= 0)
                break; // until the rate allows more (the timer) or the socket has sent some
            m_socket->write(answer.ready.constData() + answer.written, due);
            answer.written += due;
            answer.bytes += due;
            m_sent += due;
        }
        if (m_rate <= 0 || m_queue.empty())
            m_timer.stop();
        else if (!m_timer.isActive())
            m_timer.start();
    }

    // The next chunk of the answer's body (the last chunk after the last piece); false
    // when making it failed, and the connection is closed: without the last chunk, the
    // client sees an answer that broke off, never a short one.
    bool nextPiece(Outgoing &answer)
    {
        QByteArray piece;
        QString error;
        const Outgoing::Step step = answer.body(piece, &error);
        if (step == Outgoing::Step::Failed) {
            Outgoing failed = std::move(m_queue.front());
            m_queue.clear();
            m_timer.stop();
            if (failed.ended)
                failed.ended(failed.bytes, error);
            m_socket->disconnectFromHost();
            return false;
        }
        answer.ready.clear();
        answer.written = 0;
        if (!piece.isEmpty())
            answer.ready += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
        if (step == Outgoing::Step::Done) {
            answer.ready += "0\r\n\r\n";
            answer.body = nullptr;
        }
        return true;
    }

    QTcpSocket *m_socket;
    qint64 m_rate; // bytes a second; 0: as fast as the socket takes them
    QTimer m_timer;
    QElapsedTimer m_clock;        // since the first answer in the queue began
    qint64 m_sent = 0;            // of that answer
    std::deque<Outgoing> m_queue; // the first is being sent
};

QByteArray statusLine(int status)
{
    const char *reason = "Status";
    switch (status) {
    case 200:
        reason = "OK";
        break;
    case 400:
        reason = "Bad Request";
        break;
    case 404:
        reason = "Not Found";
        break;
    case 405:
        reason = "Method Not Allowed";
        break;
    case 413:
        reason = "Payload Too Large";
        break;
    case 500:
        reason = "Internal Server Error";
        break;
    default:
        break;
    }
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
}

template<typename Server>
std::function<void(qintptr)> takerOf(Server *server)
{
    return [server](qintptr descriptor) {
        QMetaObject::invokeMethod(server, [server, descriptor] { server->take(descriptor); });
    };
}

// Serving threads when the options do not say: at least four, so that a thread waiting
// for the database's write lock or drawing a picture leaves others serving.
int servingThreads(int asked)
{
    return asked > 0 ? asked : std::clamp(QThread::idealThreadCount(), 4, 8);
}

} // namespace

RequestServer::RequestServer(Handler handler, QObject *parent)
    : QAbstractHttpServer(parent), m_handler(std::move(handler))
{
}

bool RequestServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    m_handler(request, socket, this);
    return true;
}

void RequestServer::missingHandler(const QHttpServerRequest &, QTcpSocket *) {}

bool ServiceShared::openLog(QString *error)
{
    if (options.logFile.isEmpty())
        return true;
    m_log.setFileName(options.logFile);
    if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        *error = QStringLiteral("cannot write the log file %1").arg(options.logFile);
        return false;
    }
    return true;
}

void ServiceShared::writeLog(int status, const LogEntry &entry)
{
    if (options.logFile.isEmpty())
        return;
    QJsonObject line{
        {QStringLiteral("time"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
        {QStringLiteral("host"), entry.host == Host::Api ? QStringLiteral("api") : QStringLiteral("images")},
        {QStringLiteral("method"), entry.method},
        {QStringLiteral("path"), entry.path},
        {QStringLiteral("status"), status},
    };
    if (!entry.soapAction.isEmpty())
        line.insert(QStringLiteral("soapAction"), entry.soapAction);
    if (!entry.operation.isEmpty())
        line.insert(QStringLiteral("operation"), entry.operation);
    if (!entry.callText.isEmpty())
        line.insert(QStringLiteral("callText"), entry.callText);
    if (!entry.params.isEmpty())
        line.insert(QStringLiteral("params"), entry.params);
    if (!entry.cut.isEmpty())
        line.insert(QStringLiteral("cut"), entry.cut);
    const QByteArray text = QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
    QMutexLocker lock(&m_logMutex);
    m_log.write(text);
    m_log.flush();
}

RequestHandler::RequestHandler(ServiceShared *shared, int index) : m_shared(shared), m_index(index) {}

RequestHandler::~RequestHandler()
{
    delete m_api;
    delete m_images;
    m_procedures.reset();
    m_db.reset();
}

bool RequestHandler::open(QString *error)
{
    m_db = std::make_unique<Database>(
        QStringLiteral("tvs-service-%1-%2").arg(quintptr(m_shared), 0, 16).arg(m_index));
    if (!m_db->attach(m_shared->databasePath, error))
        return false;
    m_procedures = std::make_unique<Procedures>(*m_db);

    ServiceShared *shared = m_shared;
    const int readMs = shared->options.requestReadMs;
    m_api = new RequestServer([this](const QHttpServerRequest &r, QTcpSocket *s, RequestServer *srv) {
        handle(Host::Api, r, s, srv);
    });
    auto *api = new GuardedServer<QSslServer>(readMs, [shared](qintptr d) { shared->handOn(Host::Api, d); });
    // Owned by its HTTP server from the start, so that it goes with it even if the
    // service never gets as far as listening (a port in use).
    api->setParent(m_api);
    api->setSslConfiguration(shared->tls);
    m_apiListener = api;
    shared->takers[int(Host::Api)][size_t(m_index)] = takerOf(api);

    m_images = new RequestServer([this](const QHttpServerRequest &r, QTcpSocket *s, RequestServer *srv) {
        handle(Host::Images, r, s, srv);
    });
    auto *images = new GuardedServer<QTcpServer>(readMs, [shared](qintptr d) { shared->handOn(Host::Images, d); });
    images->setParent(m_images);
    m_imageListener = images;
    shared->takers[int(Host::Images)][size_t(m_index)] = takerOf(images);
    return true;
}

bool RequestHandler::listen(qintptr apiSocket, qintptr imageSocket, QString *error)
{
    const bool listening =
        m_apiListener->setSocketDescriptor(apiSocket) && m_imageListener->setSocketDescriptor(imageSocket);
    m_api->bind(m_apiListener);
    m_images->bind(m_imageListener);
    if (!listening)
        *error = QStringLiteral("serving thread %1 cannot listen: %2").arg(m_index).arg(m_apiListener->errorString());
    return listening;
}

void ServiceShared::handOn(Host host, qintptr descriptor)
{
    const auto &serving = takers[int(host)];
    serving[m_nextTaker++ % serving.size()](descriptor);
}

ServiceCore::ServiceCore(StandInService::Options options) { m_shared.options = std::move(options); }

ServiceCore::~ServiceCore()
{
    stopServing();
    m_db.reset();
}

bool ServiceCore::start(QString *error)
{
    const StandInService::Options &options = m_shared.options;
    if (options.dataDir.isEmpty()) {
        *error = QStringLiteral("no data folder given");
        return false;
    }
    QDir dir(options.dataDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot create the data folder %1").arg(options.dataDir);
        return false;
    }
    TlsFiles tls;
    if (!ensureCertificates(dir.absolutePath(), &tls, error))
        return false;
    m_caFile = tls.caFile;
    if (options.reset)
        QDir(dir.absoluteFilePath(QStringLiteral("pictures"))).removeRecursively();
    m_shared.databasePath = dir.absoluteFilePath(QStringLiteral("tvs-service.sqlite"));
    m_db = std::make_unique<Database>(QStringLiteral("tvs-service-%1").arg(quintptr(this), 0, 16));
    if (!m_db->open(m_shared.databasePath, options.reset,
                    options.today.isValid() ? options.today : Procedures::today(), options.bigShopCars,
                    error))
        return false;
    writeQrFiles(dir);
    if (!m_shared.openLog(error))
        return false;

    const auto certs = QSslCertificate::fromPath(tls.certificateFile);
    QFile keyFile(tls.keyFile);
    if (certs.isEmpty() || !keyFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the TLS certificate in %1").arg(options.dataDir);
        return false;
    }
    m_shared.tls = QSslConfiguration::defaultConfiguration();
    m_shared.tls.setLocalCertificate(certs.first());
    m_shared.tls.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec, QSsl::Pem));
    m_shared.tls.setPeerVerifyMode(QSslSocket::VerifyNone); // clients are not asked for certificates

    const size_t threads = size_t(servingThreads(options.workers));
    for (auto &takers : m_shared.takers)
        takers.resize(threads);
    for (size_t i = 0; i < threads; ++i) {
        auto serving = std::make_unique<Serving>();
        serving->thread.setObjectName(QStringLiteral("tvs-service-%1").arg(i));
        serving->handler = new RequestHandler(&m_shared, int(i));
        serving->handler->moveToThread(&serving->thread);
        serving->thread.start();
        RequestHandler *handler = serving->handler;
        m_serving.push_back(std::move(serving));
        bool opened = false;
        QMetaObject::invokeMethod(handler, [&] { opened = handler->open(error); }, Qt::BlockingQueuedConnection);
        if (!opened)
            return false;
    }

    // The ports are opened here, where a port in use is an error like any other; each
    // serving thread then listens on a copy of their sockets.
    QTcpServer api, images;
    if (!api.listen(options.address, options.port)) {
        *error = QStringLiteral("cannot listen on %1 port %2 (HTTPS)").arg(options.address.toString()).arg(options.port);
        return false;
    }
    if (!images.listen(options.address, options.imagePort)) {
        *error = QStringLiteral("cannot listen on %1 port %2 (HTTP pictures)").arg(options.address.toString()).arg(options.imagePort);
        return false;
    }
    m_shared.apiPort = api.serverPort();
    m_imagePort = images.serverPort();
    for (const auto &serving : m_serving) {
        RequestHandler *handler = serving->handler;
        const qintptr apiSocket = ::fcntl(int(api.socketDescriptor()), F_DUPFD_CLOEXEC, 0);
        const qintptr imageSocket = ::fcntl(int(images.socketDescriptor()), F_DUPFD_CLOEXEC, 0);
        bool listening = false;
        QMetaObject::invokeMethod(
            handler, [&] { listening = handler->listen(apiSocket, imageSocket, error); }, Qt::BlockingQueuedConnection);
        if (!listening)
            return false;
    }
    return true;
}

void ServiceCore::stopServing()
{
    for (const auto &serving : m_serving) {
        RequestHandler *handler = serving->handler;
        QMetaObject::invokeMethod(handler, [handler] { delete handler; }, Qt::BlockingQueuedConnection);
        serving->thread.quit();
        serving->thread.wait();
    }
    m_serving.clear();
}

// Each dealer's QR sign-in code as a file next to the database, for trying the QR sign-in
// (the app reads a QR code from an image file too).
void ServiceCore::writeQrFiles(const QDir &dir)
{
    QSqlQuery q(m_db->db());
    if (!q.exec(QStringLiteral("SELECT sUserId, sQrToken FROM users WHERE sQrToken IS NOT NULL")))
        return;
    while (q.next()) {
        QSaveFile file(dir.absoluteFilePath(QStringLiteral("qr-%1.png").arg(q.value(0).toString())));
        const QByteArray png = dealerQrPng(q.value(1).toString());
        if (!png.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(png) == png.size())
            file.commit();
    }
}

int ServiceCore::bigShopCars()
{
    return m_db ? tvs::bigShopCars(*m_db) : 0;
}

QVariant ServiceCore::queryValue(const QString &sql, const QVariantList &binds)
{
    return m_db ? m_db->value(sql, binds) : QVariant();
}

void RequestHandler::reply(RequestServer *server, const QHttpServerRequest &request, QTcpSocket *socket, int status,
                        const QByteArray &mime, const QByteArray &body)
{
    // Behind an answer still on its way, an answer waits its turn.
    const Sender *sender = Sender::of(socket);
    if (const int kbps = m_shared->options.throttleKbps; kbps > 0 || (sender && sender->busy())) {
        Outgoing answer;
        answer.ready = statusLine(status) + "Content-Type: " + mime +
                       "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
        Sender::send(socket, std::move(answer), qint64(kbps) * 1000);
        return;
    }
    QHttpServerResponder responder = server->responder(request, socket);
    responder.write(body, mime, QHttpServerResponder::StatusCode(status));
}

void RequestHandler::handle(Host host, const QHttpServerRequest &request, QTcpSocket *socket, RequestServer *server)
{
    m_shared->requests.ref();
    const QString path = request.url().path();
    const auto method = request.method();
    ServiceShared::LogEntry log;
    log.host = host;
    log.method = methodName(method);
    log.path = path;
    std::shared_ptr<ListStream> list;
    int status = 200;
    QByteArray body;
    QByteArray mime = "text/plain; charset=utf-8";

    if (request.body().size() > kMaxBody) {
        status = 413;
        body = QStringLiteral("request body of %1 bytes is larger than 1 MiB; nothing was done\n")
                   .arg(request.body().size()).toUtf8();
    } else if (path.startsWith(QLatin1String("/image_product/")) || path.startsWith(QLatin1String("/image_user/"))) {
        if (method != QHttpServerRequest::Method::Get) {
            status = 405;
            body = "pictures are read with GET\n";
        } else if (picture(path, &body)) {
            mime = body.startsWith("\x89PNG") ? "image/png" : "image/jpeg";
        } else {
            status = 404;
            body = QStringLiteral("no picture at %1\n").arg(path).toUtf8();
        }
    } else if (host == Host::Images) {
        status = 404;
        body = QStringLiteral("the image host serves /image_product/ and /image_user/ only: %1\n").arg(path).toUtf8();
    } else if (const SoapEndpoint *endpoint = soapEndpoint(path)) {
        const bool wantsWsdl = request.url().query().compare(QLatin1String("wsdl"), Qt::CaseInsensitive) == 0;
        if (method == QHttpServerRequest::Method::Get && wantsWsdl) {
            mime = "text/xml; charset=utf-8";
            body = wsdl(*endpoint, QStringLiteral("https://127.0.0.1:%1").arg(m_shared->apiPort));
        } else if (method == QHttpServerRequest::Method::Post) {
            mime = "text/xml; charset=utf-8";
            status = soap(request, &body, &list, &log);
        } else {
            status = 405;
            body = QStringLiteral("%1 answers SOAP 1.1 POST requests; its description is at %1?WSDL\n").arg(path).toUtf8();
        }
    } else if (path == QLatin1String("/") || path.startsWith(QLatin1String("/service/")) || path.compare(QLatin1String("/sub_buycar/buycar_view_func.aspx"), Qt::CaseInsensitive) == 0) {
        if (method != QHttpServerRequest::Method::Get) {
            status = 405;
            body = "web pages are read with GET\n";
        } else {
            const WebPage page = webPage(*m_db, path, request.query(), QStringLiteral("https://127.0.0.1:%1").arg(m_shared->apiPort));
            status = page.status;
            body = page.html;
            mime = "text/html; charset=utf-8";
        }
    } else {
        status = 404;
        body = QStringLiteral("nothing at %1\n").arg(path).toUtf8();
    }
    if (list)
        return sendList(socket, log.operation, std::move(list), log);
    reply(server, request, socket, status, mime, body);
    m_shared->writeLog(status, log);
}

// A list is sent while it is read from the database, in chunks; it is logged when it has
// gone out, or has been cut short (the client went away, the database failed on a row).
void RequestHandler::sendList(QTcpSocket *socket, const QString &operation, std::shared_ptr<ListStream> list,
                              const ServiceShared::LogEntry &log)
{
    constexpr qsizetype kPieceChars = 16 * 1024;
    Outgoing answer;
    answer.ready =
        statusLine(200) + "Content-Type: text/xml; charset=utf-8\r\nTransfer-Encoding: chunked\r\n\r\n";
    answer.body = [operation, list, head = soapResponseHead(operation)](QByteArray &piece,
                                                                        QString *error) mutable {
        piece = std::exchange(head, {});
        QString xml;
        const ListStream::Step step = list->next(xml, kPieceChars);
        appendEscapedUtf8(piece, xml);
        if (step == ListStream::Step::Done)
            piece += soapResponseTail(operation);
        *error = list->error();
        return step;
    };
    answer.ended = [shared = m_shared, log = log](qint64 bytes, const QString &cut) mutable {
        if (!cut.isEmpty()) {
            qWarning().noquote() << "tvs-service:" << log.operation << log.callText.section(u' ', 0, 0)
                                 << "answer cut after" << bytes << "bytes:" << cut;
            log.cut = cut;
        }
        shared->writeLog(200, log);
    };
    Sender::send(socket, std::move(answer), qint64(m_shared->options.throttleKbps) * 1000);
}

int RequestHandler::soap(const QHttpServerRequest &request, QByteArray *body,
                         std::shared_ptr<ListStream> *list, ServiceShared::LogEntry *log)
{
    const SoapEndpoint *endpoint = soapEndpoint(request.url().path());
    QString action = QString::fromUtf8(header(request, "SOAPAction")).trimmed();
    if (action.size() >= 2 && action.startsWith(u'"') && action.endsWith(u'"'))
        action = action.mid(1, action.size() - 2);
    log->soapAction = action;
    auto fault = [&](const QString &code, const QString &why) {
        *body = soapFault(code, why);
        return 500;
    };
    const SoapRequest soapRequest = readSoap(request.body());
    log->operation = soapRequest.operation;
    if (!soapRequest.error.isEmpty())
        return fault(QStringLiteral("soap:Client"), soapRequest.error);
    const SoapOperation *op = endpoint->operation(soapRequest.operation);
    if (!op)
        return fault(QStringLiteral("soap:Client"), QStringLiteral("%1 has no operation %2")
                                                         .arg(endpoint->path, soapRequest.operation));
    if (action != kTempuri + op->name)
        return fault(QStringLiteral("soap:Client"),
                     QStringLiteral("the SOAPAction header \"%1\" does not name the operation %2 (expected \"%3%2\")")
                         .arg(action, op->name, kTempuri));
    for (auto it = soapRequest.params.cbegin(); it != soapRequest.params.cend(); ++it) {
        if (!op->params.contains(it.key()))
            return fault(QStringLiteral("soap:Client"), QStringLiteral("%1 has no parameter %2").arg(op->name, it.key()));
        log->params.insert(it.key(), it.value());
    }
    for (const QString &p : op->params)
        if (!soapRequest.params.contains(p))
            return fault(QStringLiteral("soap:Client"), QStringLiteral("%1 needs the parameter %2").arg(op->name, p));

    CallOutcome outcome;
    if (op->name.startsWith(QLatin1String("Procedure_"))) {
        const QString text = soapRequest.params.value(QStringLiteral("sQuery"));
        log->callText = maskedCallText(text);
        log->params = {};
        outcome = m_procedures->call(text);
    } else if (op->name == QLatin1String("CarInfo_Search")) {
        outcome = m_procedures->carInfoSearch(soapRequest.params);
    } else {
        outcome = m_procedures->carProductInfoSend(soapRequest.params);
    }
    if (outcome.fault)
        return fault(outcome.faultString.startsWith(QLatin1String("database error")) ? QStringLiteral("soap:Server")
                                                                                    : QStringLiteral("soap:Client"),
                     outcome.faultString);
    *list = std::move(outcome.list);
    if (!*list)
        *body = soapResponse(op->name, outcome.resultText);
    return 200;
}

bool RequestHandler::picture(const QString &path, QByteArray *body)
{
    static const QRegularExpression product(QStringLiteral("^/image_product/([A-Za-z0-9_-]{1,32})/([A-Za-z0-9_.-]{1,64})$"));
    static const QRegularExpression user(QStringLiteral("^/image_user/([A-Za-z0-9_.-]{1,64})$"));
    static const QRegularExpression qrCode(QStringLiteral("^/image_user/([A-Za-z0-9_]{1,32})-qr\\.png$"));
    QDir cache(QDir(m_shared->options.dataDir).absoluteFilePath(QStringLiteral("pictures")));
    QString cacheFile;
    std::function<QByteArray()> draw;
    if (const auto m = product.match(path); m.hasMatch()) {
        QSqlQuery q(m_db->db());
        q.prepare(QStringLiteral(
            "SELECT c.sCarProductNum, col.sRgb, c.sCarName1, c.sCarName2, p.iSort, c.sCarImportType,"
            " c.sCarCode2 FROM car_photos p"
            " JOIN car_view c ON c.sCarProductCode = p.sCarProductCode"
            " LEFT JOIN colors col ON col.sCarColorCode = c.sCarColorCode"
            " WHERE p.sCarProductCode = ? AND p.sCarPhotoPath = ?"));
        q.addBindValue(m.captured(1));
        q.addBindValue(m.captured(2));
        if (!q.exec() || !q.next())
            return false;
        CarPicture car{QColor(q.value(1).toString()), q.value(0).toString(),
                       q.value(2).toString() + u' ' + q.value(3).toString(), q.value(4).toInt(),
                       q.value(5).toString() == QLatin1String("3")};
        if (m.captured(1).startsWith(QLatin1Char(kBigShopPrefix))) {
            // One picture for every big-shop car of a model and colour, seen from one angle.
            car.plate.clear();
            car.index = 1 + (car.index - 1) % 3;
            car.numbered = false;
            // The name holds only letters and digits of the stored codes: a registration
            // writes them, and they must not lead out of the cache folder.
            static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]"));
            cacheFile = QStringLiteral("product-shared/%1-%2-%3.jpg")
                            .arg(q.value(6).toString().remove(unsafe), q.value(1).toString().remove(unsafe))
                            .arg(car.index);
        } else {
            cacheFile = QStringLiteral("product/%1/%2").arg(m.captured(1), m.captured(2));
        }
        draw = [car] { return drawCarPhoto(car); };
    } else if (const auto qr = qrCode.match(path); qr.hasMatch()) {
        const QString token = m_db->value(QStringLiteral("SELECT sQrToken FROM users WHERE sUserCode = ? AND sUserStatus = '1'"),
                                          {qr.captured(1)}).toString();
        if (token.isEmpty())
            return false;
        *body = dealerQrPng(token);
        return !body->isEmpty();
    } else if (const auto u = user.match(path); u.hasMatch()) {
        QSqlQuery q(m_db->db());
        q.prepare(QStringLiteral("SELECT sUserName, sUserCode FROM users WHERE sUserPicturePath = ?"));
        q.addBindValue(u.captured(1));
        if (!q.exec() || !q.next())
            return false;
        cacheFile = QStringLiteral("user/%1").arg(u.captured(1));
        const QString name = q.value(0).toString(), code = q.value(1).toString();
        draw = [name, code] { return drawPortrait(name, code); };
    } else {
        return false;
    }
    QFile cached(cache.absoluteFilePath(cacheFile));
    if (cached.open(QIODevice::ReadOnly)) {
        *body = cached.readAll();
        if (!body->isEmpty())
            return true;
    }
    *body = draw();
    cache.mkpath(QFileInfo(cacheFile).path());
    QSaveFile out(cache.absoluteFilePath(cacheFile));
    if (out.open(QIODevice::WriteOnly)) {
        out.write(*body);
        out.commit();
    }
    return !body->isEmpty();
}

ServiceWorker::ServiceWorker(StandInService::Options options)
{
    m_thread.setObjectName(QStringLiteral("tvs-service"));
    m_core = new ServiceCore(std::move(options));
    m_core->moveToThread(&m_thread);
    m_thread.start();
}

ServiceWorker::~ServiceWorker()
{
    ServiceCore *core = m_core;
    QMetaObject::invokeMethod(core, [core] { delete core; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool ServiceWorker::start(QString *error)
{
    QString why;
    const bool ok = run([&] { return m_core->start(&why); });
    if (!ok)
        *error = why;
    return ok;
}

} // namespace tvs
