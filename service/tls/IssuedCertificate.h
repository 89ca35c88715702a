#pragma once

#include <QByteArray>
#include <QString>

namespace tvs {

// What a certificate is for. Every certificate gets a fresh EC P-256 key and a random serial,
// is valid from a day ago (for a clock that runs behind) and is signed with SHA-256.
struct CertificateRequest
{
    QString organisation;
    QString commonName;
    bool authority = false; // may sign others (a CA); only end-entity certificates below it
    bool server = false;    // serves TLS as 127.0.0.1 and localhost
    int validDays = 3660;
};

// A certificate and its private key, both PEM.
struct IssuedCertificate
{
    QByteArray certificatePem;
    QByteArray keyPem;

    bool isNull() const { return certificatePem.isEmpty() || keyPem.isEmpty(); }
};

// Makes the key and the certificate, signed by `issuer` (an authority made here) or by itself
// when there is none. A null result and *error (when given) on an OpenSSL failure.
IssuedCertificate issueCertificate(const CertificateRequest &request, const IssuedCertificate *issuer = nullptr,
                                   QString *error = nullptr);

} // namespace tvs
