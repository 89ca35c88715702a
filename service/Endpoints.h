#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tvs {

// The SOAP services of the stand-in: their paths and operations with their parameters.
struct SoapOperation
{
    QString name;
    QStringList params;
};
struct SoapEndpoint
{
    QString path;
    QString serviceName;
    QList<SoapOperation> operations;
    const SoapOperation *operation(const QString &name) const;
};

const QList<SoapEndpoint> &soapEndpoints();
const SoapEndpoint *soapEndpoint(const QString &path);

// The WSDL of an endpoint whose address is `baseUrl` + its path.
QByteArray wsdl(const SoapEndpoint &endpoint, const QString &baseUrl);

} // namespace tvs
