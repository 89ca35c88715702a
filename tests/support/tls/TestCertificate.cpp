#include "TestCertificate.h"

#include "IssuedCertificate.h"

namespace tvs::test {

TestCertificate TestCertificate::generate(const QString &commonName)
{
    CertificateRequest request{QStringLiteral("tvs test"), commonName};
    request.authority = true;
    request.server = true;
    request.validDays = 7;
    const IssuedCertificate issued = issueCertificate(request);
    TestCertificate out;
    if (issued.isNull())
        return out;
    out.certificatePem = issued.certificatePem;
    out.certificate = QSslCertificate(out.certificatePem, QSsl::Pem);
    out.key = QSslKey(issued.keyPem, QSsl::Ec, QSsl::Pem, QSsl::PrivateKey);
    return out;
}

} // namespace tvs::test
