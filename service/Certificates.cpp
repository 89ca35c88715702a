#include "Certificates.h"
#include "IssuedCertificate.h"

#include <QDir>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

namespace tvs {

namespace {

bool writeFile(const QString &path, const QByteArray &bytes, bool secret)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (secret)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file.write(bytes) == bytes.size() && file.flush();
}

bool stillUsable(const TlsFiles &files)
{
    QFile certFile(files.certificateFile), keyFile(files.keyFile), caFile(files.caFile);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)
        || !caFile.open(QIODevice::ReadOnly))
        return false;
    const QSslCertificate cert(certFile.readAll(), QSsl::Pem);
    const QSslCertificate ca(caFile.readAll(), QSsl::Pem);
    const QSslKey key(keyFile.readAll(), QSsl::Ec, QSsl::Pem);
    const QDateTime soon = QDateTime::currentDateTimeUtc().addDays(31);
    return !cert.isNull() && !ca.isNull() && !key.isNull() && cert.expiryDate() > soon
        && ca.expiryDate() > soon && cert.issuerDisplayName() == ca.subjectDisplayName();
}

} // namespace

bool ensureCertificates(const QString &dataDir, TlsFiles *files, QString *error)
{
    const QDir dir(dataDir);
    files->caFile = dir.absoluteFilePath(QStringLiteral("ca.pem"));
    files->certificateFile = dir.absoluteFilePath(QStringLiteral("server.pem"));
    files->keyFile = dir.absoluteFilePath(QStringLiteral("server-key.pem"));
    if (stillUsable(*files))
        return true;

    const QString organisation = QStringLiteral("tvs-service stand-in");
    CertificateRequest caRequest{organisation, QStringLiteral("tvs-service local CA")};
    caRequest.authority = true;
    CertificateRequest serverRequest{organisation, QStringLiteral("127.0.0.1")};
    serverRequest.server = true;
    const IssuedCertificate ca = issueCertificate(caRequest, nullptr, error);
    if (ca.isNull())
        return false;
    const IssuedCertificate server = issueCertificate(serverRequest, &ca, error);
    if (server.isNull())
        return false;
    // The CA's private key is not kept: nothing else can ever be signed with it.
    if (!writeFile(files->keyFile, server.keyPem, true)
        || !writeFile(files->certificateFile, server.certificatePem, false)
        || !writeFile(files->caFile, ca.certificatePem, false)) {
        *error = QStringLiteral("could not write the TLS files into %1").arg(dataDir);
        return false;
    }
    return true;
}

} // namespace tvs
