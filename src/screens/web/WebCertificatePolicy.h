#pragma once

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>

namespace tvs {

// A certificate the web view met and does not trust on its own, in Qt's own types.
struct WebCertificateError
{
    bool unknownAuthority = false; // the chain ends at a CA the engine's store does not hold
    QString host;
    QString description; // the engine's words, for the log
    QList<QSslCertificate> chain;
};

// Decides on the web view's certificate errors. The web page's controller is one; the
// web engine's QML module (engine/) asks it through this interface, so that the app
// itself never links the web engine.
class WebCertificatePolicy
{
public:
    virtual ~WebCertificatePolicy() = default;
    virtual bool acceptsCertificate(const WebCertificateError &error) = 0;
};

} // namespace tvs

Q_DECLARE_INTERFACE(tvs::WebCertificatePolicy, "tvs.WebCertificatePolicy/1.0")
