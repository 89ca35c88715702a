#include "TlsTestServer.h"

#include <QSslConfiguration>
#include <QSslSocket>

namespace tvs::test {

TlsTestServer::TlsTestServer(TestCertificate certificate, QObject *parent)
    : QTcpServer(parent), m_certificate(std::move(certificate))
{
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
    socket->startServerEncryption();
}

void TlsTestServer::readFrom(QSslSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
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
        request.headers.append({lines.at(i).left(colon).trimmed(), lines.at(i).mid(colon + 1).trimmed()});
        if (request.headers.last().first.compare("Content-Length", Qt::CaseInsensitive) == 0)
            length = request.headers.last().second.toLongLong();
    }
    if (headerEnd < 0 || buffer.size() < headerEnd + 4 + length) {
        socket->setProperty("buffer", buffer); // wait for the rest
        return;
    }
    request.body = buffer.mid(headerEnd + 4, length);
    socket->setProperty("buffer", buffer.mid(headerEnd + 4 + length));
    m_requests.append(request);
    if (m_silent)
        return;
    if (m_responder) {
        m_responder(socket, request);
        return;
    }
    socket->write(head(m_body.size(), m_status) + m_body);
    socket->disconnectFromHost();
}

QByteArray TlsTestServer::head(qint64 length, int status)
{
    QByteArray h = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") +
                   "\r\nContent-Type: text/xml; charset=utf-8\r\nConnection: close\r\n";
    if (length >= 0)
        h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return h + "\r\n";
}

} // namespace tvs::test
