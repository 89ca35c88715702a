#include "TlsTestServer.h"

#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslSocket>

namespace tvs::test {

QByteArray TlsTestServer::Request::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

TlsTestServer::TlsTestServer(TestCertificate certificate, QObject *parent)
    : QTcpServer(parent), m_certificate(std::move(certificate))
{
}

bool TlsTestServer::listenLocal()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString TlsTestServer::hostPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(serverPort());
}

void TlsTestServer::setReply(const QByteArray &body, int status, const QByteArray &contentType)
{
    m_body = body;
    m_status = status;
    m_contentType = contentType;
}

void TlsTestServer::incomingConnection(qintptr descriptor)
{
    auto *socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(m_certificate.certificate);
    tls.setPrivateKey(m_certificate.key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    socket->setSslConfiguration(tls);
    connect(socket, &QSslSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
        if (!socket->isEncrypted())
            ++m_handshakeFailures;
    });
    socket->startServerEncryption();
}

void TlsTestServer::readFrom(QSslSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        socket->setProperty("buffer", buffer);
        return;
    }
    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    qsizetype length = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = lines.at(i).left(colon).trimmed();
        const QByteArray value = lines.at(i).mid(colon + 1).trimmed();
        request.headers.append({key, value});
        if (key.compare("Content-Length", Qt::CaseInsensitive) == 0)
            length = value.toLongLong();
    }
    if (buffer.size() < headerEnd + 4 + length) {
        socket->setProperty("buffer", buffer);
        return;
    }
    request.body = buffer.mid(headerEnd + 4, length);
    socket->setProperty("buffer", buffer.mid(headerEnd + 4 + length));
    m_requests.append(request);
    emit requestReceived();
    if (m_silent)
        return;
    if (m_responder) {
        m_responder(socket, request);
        return;
    }
    QByteArray response = "HTTP/1.1 " + QByteArray::number(m_status) + (m_status == 200 ? " OK" : " Error") +
                          "\r\nContent-Type: " + m_contentType +
                          "\r\nContent-Length: " + QByteArray::number(m_body.size()) +
                          "\r\nConnection: close\r\n\r\n" + m_body;
    socket->write(response);
    socket->disconnectFromHost();
}

} // namespace tvs::test
