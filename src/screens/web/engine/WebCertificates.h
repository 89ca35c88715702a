#pragma once

#include <QObject>
#include <QWebEngineCertificateError>
#include <QtQml/qqmlregistration.h>

namespace tvs {

// The web view's certificate errors, put to the page's controller (a WebCertificatePolicy)
// and answered through the web engine's own API.
class WebCertificates : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // Accepts `error` when `policy` accepts it; rejects it otherwise, and also when
    // `policy` is missing or no WebCertificatePolicy.
    Q_INVOKABLE void settle(QWebEngineCertificateError error, QObject *policy) const;
};

} // namespace tvs
