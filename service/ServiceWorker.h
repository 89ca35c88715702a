#pragma once

#include "StandInService.h"

#include <QAbstractHttpServer>
#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonObject>
#include <QMutex>
#include <QSslConfiguration>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace tvs {

class Database;
class ListStream;
class Procedures;

// A QAbstractHttpServer that hands every request to one function.
class RequestServer : public QAbstractHttpServer
{
public:
    using Handler = std::function<void(const QHttpServerRequest &, QTcpSocket *, RequestServer *)>;
    explicit RequestServer(Handler handler, QObject *parent = nullptr);
    QHttpServerResponder responder(const QHttpServerRequest &request, QTcpSocket *socket)
    {
        return makeResponder(request, socket);
    }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    Handler m_handler;
};

enum class Host { Api, Images };

// What every serving thread of a running service shares.
struct ServiceShared
{
    StandInService::Options options;
    QString databasePath;
    QSslConfiguration tls;   // the API host's certificate and key
    quint16 apiPort = 0;     // set before the first connection is handed over
    QAtomicInt requests;

    struct LogEntry
    {
        Host host = Host::Api;
        QString method, path, soapAction, operation, callText;
        QJsonObject params;
        QString cut; // why an answer that was sent while it was made did not go out whole
    };
    // One JSON line per request when the options name a log file.
    bool openLog(QString *error);
    void writeLog(int status, const LogEntry &entry);

    // A connection is accepted by whichever serving thread is free, and handed to the
    // serving threads in turn: one thread that wakes up to many waiting connections would
    // otherwise take them all. takers[host][i] gives serving thread i a connection (from
    // any thread); all are set before the ports are listened on.
    std::vector<std::function<void(qintptr)>> takers[2];
    void handOn(Host host, qintptr descriptor);

private:
    QMutex m_logMutex;
    QFile m_log;
    std::atomic<size_t> m_nextTaker{0};
};

// One serving thread's part of the service: its own connection to the database and its
// own procedures, and HTTP servers that accept connections on the service's ports. A
// connection's requests are read and answered on the thread that accepted it; writes of
// different threads are kept apart by the database's transactions.
class RequestHandler : public QObject
{
public:
    RequestHandler(ServiceShared *shared, int index);
    ~RequestHandler() override;

    // On the serving thread: connects to the database and sets up its HTTP servers.
    bool open(QString *error);
    // On the serving thread, once every serving thread is open: accepts connections on the
    // two sockets (descriptors of the service's listening sockets, taken over).
    bool listen(qintptr apiSocket, qintptr imageSocket, QString *error);

private:
    void handle(Host host, const QHttpServerRequest &request, QTcpSocket *socket, RequestServer *server);
    void reply(RequestServer *server, const QHttpServerRequest &request, QTcpSocket *socket, int status,
               const QByteArray &mime, const QByteArray &body);
    int soap(const QHttpServerRequest &request, QByteArray *body, std::shared_ptr<ListStream> *list,
             ServiceShared::LogEntry *log);
    void sendList(QTcpSocket *socket, const QString &operation, std::shared_ptr<ListStream> list,
                  const ServiceShared::LogEntry &log);
    bool picture(const QString &path, QByteArray *body);

    ServiceShared *m_shared;
    int m_index;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Procedures> m_procedures;
    RequestServer *m_api = nullptr;
    RequestServer *m_images = nullptr;
    QTcpServer *m_apiListener = nullptr;
    QTcpServer *m_imageListener = nullptr;
};

// Everything of a running service on the service's thread: the data folder, the database
// (made or brought up to date here), and the serving threads, which listen on the two
// ports opened here.
class ServiceCore : public QObject
{
public:
    explicit ServiceCore(StandInService::Options options);
    ~ServiceCore() override;

    bool start(QString *error);
    quint16 apiPort() const { return m_shared.apiPort; }
    quint16 imagePort() const { return m_imagePort; }
    QString caFile() const { return m_caFile; }
    QVariant queryValue(const QString &sql, const QVariantList &binds);
    int requestCount() const { return m_shared.requests.loadRelaxed(); }
    int bigShopCars();

private:
    struct Serving
    {
        QThread thread;
        RequestHandler *handler = nullptr;
    };
    void writeQrFiles(const QDir &dir);
    void stopServing();

    ServiceShared m_shared;
    std::unique_ptr<Database> m_db;
    std::vector<std::unique_ptr<Serving>> m_serving;
    quint16 m_imagePort = 0;
    QString m_caFile;
};

class ServiceWorker
{
public:
    explicit ServiceWorker(StandInService::Options options);
    ~ServiceWorker();
    bool start(QString *error);
    ServiceCore *core() const { return m_core; }
    template<typename F>
    auto run(F f) const
    {
        decltype(f()) result{};
        QMetaObject::invokeMethod(m_core, [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }

private:
    QThread m_thread;
    ServiceCore *m_core = nullptr;
};

} // namespace tvs
