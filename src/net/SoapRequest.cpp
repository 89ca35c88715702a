#include "SoapRequest.h"

#include "CallText.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace tvs {

QString procedureOperationName(const QString &operation)
{
    if (operation == QLatin1String("Procedure_List01"))
        return QStringLiteral("Procedure_List01");
    if (operation == QLatin1String("Procedure_Execute01"))
        return QStringLiteral("Procedure_Execute01");
    return {};
}

QByteArray soapEnvelope(const QString &bodyXml)
{
    QByteArray out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">\n";
    out += "<soap:Body>";
    out += bodyXml.toUtf8();
    out += "</soap:Body></soap:Envelope>";
    return out;
}

QUrl serviceUrl(const QString &apiHost, const QString &path)
{
    // Unreserved characters stay as they are anyway; these are the rest of the
    // query-allowed set.
    const QByteArray encoded = QUrl::toPercentEncoding(QStringLiteral("https://") + apiHost + path,
                                                       QByteArrayLiteral("!$&'()*+,/:;=?@"));
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

SoapRequest makeServiceRequest(const QString &apiHost, const QString &path, const QString &operationName,
                               const QString &bodyXml)
{
    SoapRequest out;
    out.body = soapEnvelope(bodyXml);
    out.request.setUrl(serviceUrl(apiHost, path));
    out.request.setTransferTimeout(kRequestTimeoutMs);
    out.request.setRawHeader("Content-Type", "text/xml; charset= UTF-8");
    out.request.setRawHeader("SOAPAction", QByteArrayLiteral("http://tempuri.org/") + operationName.toUtf8());
    out.request.setRawHeader("Content-Length", QByteArray::number(out.body.size()));
    return out;
}

SoapRequest makeSoapRequest(const QString &apiHost, const QString &operation, const QString &callText)
{
    const QString name = procedureOperationName(operation);
    const QString bodyXml = QLatin1Char('<') + name +
                            QLatin1String(" xmlns=\"http://tempuri.org/\"><sQuery>") +
                            escapeXmlText(callText) + QLatin1String("</sQuery></") + name + QLatin1Char('>');
    return makeServiceRequest(apiHost, kProcedureServicePath, name, bodyXml);
}

SoapRequest makeJsonServiceRequest(const QString &apiHost, const QString &path, const QString &operation,
                                   const QList<std::pair<QString, QString>> &params)
{
    QString bodyXml = QLatin1Char('<') + operation + QLatin1String(" xmlns=\"http://tempuri.org/\">");
    for (const auto &[name, value] : params) {
        bodyXml += QLatin1Char('<') + name + QLatin1Char('>') + escapeXmlText(value) + QLatin1String("</") +
                   name + QLatin1Char('>');
    }
    bodyXml += QLatin1String("</") + operation + QLatin1Char('>');
    return makeServiceRequest(apiHost, path, operation, bodyXml);
}

std::optional<QString> soapFaultString(const QByteArray &body)
{
    static const QString kEnvelopeNs = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
    QXmlStreamReader xml(body);
    bool inFault = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Fault") && xml.namespaceUri() == kEnvelopeNs)
            inFault = true;
        else if (inFault && xml.name() == QLatin1String("faultstring"))
            return xml.readElementText().trimmed();
    }
    if (inFault)
        return QString();
    return std::nullopt;
}

} // namespace tvs
