#pragma once

#include <QList>
#include <QSslCertificate>
#include <QString>

namespace tvs {

// Whether a server's certificate chain (leaf first) verifies for `hostName`
// against `trustedCas` alone: signatures, validity dates, server purpose and
// host name, as a TLS client would check them. The web view asks this when its
// own store does not know the issuer, so that the CAs configured for the
// procedure service are trusted by the web pages too, and nothing else is.
bool chainVerifiesAgainst(const QList<QSslCertificate> &chain, const QList<QSslCertificate> &trustedCas,
                          const QString &hostName, QString *error = nullptr);

} // namespace tvs
