#pragma once

#include <QByteArray>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

namespace tvs::test {

// A fresh self-signed certificate for 127.0.0.1 and localhost (EC P-256, valid
// from a day ago for a week), usable as its own CA by a client that trusts it.
struct TestCertificate
{
    QSslCertificate certificate;
    QSslKey key;
    QByteArray certificatePem;

    bool isNull() const { return certificate.isNull() || key.isNull(); }
    static TestCertificate generate(const QString &commonName = QStringLiteral("127.0.0.1"));
};

} // namespace tvs::test
