#include "WebCertificates.h"

#include "WebCertificatePolicy.h"

#include <QLoggingCategory>

namespace tvs {

namespace {
// The web page's category, named again: this module is a library of its own.
Q_LOGGING_CATEGORY(lcWebEngine, "tvs.web", QtInfoMsg)
} // namespace

void WebCertificates::settle(QWebEngineCertificateError error, QObject *policy) const
{
    auto *decider = qobject_cast<WebCertificatePolicy *>(policy);
    if (!decider)
        qCWarning(lcWebEngine) << "web page certificate of" << error.url().host()
                               << "refused: no certificate policy to ask";
    const WebCertificateError facts{error.type() == QWebEngineCertificateError::CertificateAuthorityInvalid,
                                    error.url().host(), error.description(), error.certificateChain()};
    if (decider && decider->acceptsCertificate(facts))
        error.acceptCertificate();
    else
        error.rejectCertificate();
}

} // namespace tvs
