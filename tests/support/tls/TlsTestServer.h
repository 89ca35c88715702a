#pragma once

#include "TestCertificate.h"

#include <QByteArray>
#include <QList>
#include <QTcpServer>

#include <functional>
#include <utility>

class QSslSocket;

namespace tvs::test {

// A tiny HTTPS/1.1 server on 127.0.0.1 for tests: records each request and
// answers every one with the configured reply, or stays silent.
class TlsTestServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QList<std::pair<QByteArray, QByteArray>> headers; // in the order received
        QByteArray body;
    };

    explicit TlsTestServer(TestCertificate certificate, QObject *parent = nullptr);

    // Listens on 127.0.0.1 at a free port.
    bool listenLocal() { return listen(QHostAddress::LocalHost, 0); }
    QString hostPort() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }

    void setReply(const QByteArray &body, int status = 200)
    {
        m_body = body;
        m_status = status;
    }
    // Read requests but never answer (the connection stays open).
    void setSilent(bool silent) { m_silent = silent; }
    // Answer each request by hand instead: the function writes to the socket
    // whatever it likes, for as long as it likes.
    using Responder = std::function<void(QSslSocket *socket, const Request &request)>;
    void setResponder(Responder responder) { m_responder = std::move(responder); }

    const QList<Request> &requests() const { return m_requests; }
    // The head of an answer that closes its connection; without a length when it is negative.
    static QByteArray head(qint64 length = -1, int status = 200);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void readFrom(QSslSocket *socket);

    TestCertificate m_certificate;
    QByteArray m_body;
    int m_status = 200;
    bool m_silent = false;
    Responder m_responder;
    QList<Request> m_requests;
};

} // namespace tvs::test
