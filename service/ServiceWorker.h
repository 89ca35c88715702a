#pragma once

#include "StandInService.h"

#include <QAbstractHttpServer>
#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonObject>
#include <QThread>

#include <functional>
#include <memory>

namespace tvs {

class Database;
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

// Everything of a running service; lives on the service's thread.
class ServiceCore : public QObject
{
public:
    explicit ServiceCore(StandInService::Options options);
    ~ServiceCore() override;

    bool start(QString *error);
    quint16 apiPort() const { return m_apiPort; }
    quint16 imagePort() const { return m_imagePort; }
    QString caFile() const { return m_caFile; }
    QVariant queryValue(const QString &sql, const QVariantList &binds);
    int requestCount() const { return m_requests.loadRelaxed(); }

private:
    enum class Host { Api, Images };
    struct LogEntry
    {
        QString soapAction, operation, callText;
        QJsonObject params;
    };
    void handle(Host host, const QHttpServerRequest &request, QTcpSocket *socket, RequestServer *server);
    void reply(RequestServer *server, const QHttpServerRequest &request, QTcpSocket *socket, int status,
               const QByteArray &mime, const QByteArray &body);
    int soap(const QHttpServerRequest &request, QByteArray *body, LogEntry *log);
    bool picture(const QString &path, QByteArray *body);
    void writeQrFiles(const QDir &dir);
    void writeLog(Host host, const QHttpServerRequest &request, int status, const LogEntry &entry);

    StandInService::Options m_options;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Procedures> m_procedures;
    RequestServer *m_api = nullptr;
    RequestServer *m_images = nullptr;
    quint16 m_apiPort = 0;
    quint16 m_imagePort = 0;
    QString m_caFile;
    QFile m_log;
    QAtomicInt m_requests;
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
