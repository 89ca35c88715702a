#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QString>

#include <optional>
#include <utility>

namespace tvs {

// Path of the procedure service on the API host.
inline const QString kProcedureServicePath = QStringLiteral("/sub_asmx/asmx_soap.asmx");
// Every request of the service waits this long for data before it fails.
inline constexpr int kRequestTimeoutMs = 60'000;

// A request ready to post: the HTTP request (URL, headers, timeout) and its body.
struct SoapRequest
{
    QNetworkRequest request;
    QByteArray body;
};

// "Procedure_List01" and "Procedure_Execute01" pass; any other name gives the
// empty name (a request the service rejects).
QString procedureOperationName(const QString &operation);

// The envelope around `bodyXml` (already valid XML content of soap:Body).
QByteArray soapEnvelope(const QString &bodyXml);

// "https://" + apiHost + path, percent-encoded with the URL-query-allowed set.
QUrl serviceUrl(const QString &apiHost, const QString &path);

// POST with Content-Type, SOAPAction and Content-Length in this order, for
// operation `operationName` (taken as it is) with the given body XML.
SoapRequest makeServiceRequest(const QString &apiHost, const QString &path, const QString &operationName,
                               const QString &bodyXml);

// The procedure request: operation (mapped as above) with its single parameter
// sQuery holding `callText`, escaped for the envelope.
SoapRequest makeSoapRequest(const QString &apiHost, const QString &operation, const QString &callText);

// The side services' request: the operation element holds one element per
// parameter, in the given order, each value escaped for the envelope.
SoapRequest makeJsonServiceRequest(const QString &apiHost, const QString &path, const QString &operation,
                                   const QList<std::pair<QString, QString>> &params);

// The service's words when `body` is a SOAP fault (its faultstring, which may be
// empty); nothing when it is no fault, such as an error page of a proxy.
std::optional<QString> soapFaultString(const QByteArray &body);

} // namespace tvs
