#pragma once

#include <QByteArray>
#include <QString>

// A procedure reply as the service sends it: the data set escaped once inside the
// result element of the envelope.
inline QByteArray soapReply(const QString &dataSet)
{
    QString escaped = dataSet;
    escaped.replace(QLatin1String("&"), QLatin1String("&amp;"))
        .replace(QLatin1String("<"), QLatin1String("&lt;"))
        .replace(QLatin1String(">"), QLatin1String("&gt;"));
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<soap:Envelope "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
           "<Procedure_List01Response xmlns=\"http://tempuri.org/\"><Procedure_List01Result>" +
           escaped.toUtf8() +
           "</Procedure_List01Result></Procedure_List01Response></soap:Body></soap:Envelope>";
}
