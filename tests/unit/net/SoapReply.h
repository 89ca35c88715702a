#pragma once

#include <QByteArray>

// A procedure reply envelope around a data set that is already escaped once, as
// the service sends it.
inline QByteArray soapReply(const QByteArray &escapedDataSet)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
           "<Procedure_List01Response xmlns=\"http://tempuri.org/\"><Procedure_List01Result>" +
           escapedDataSet + "</Procedure_List01Result></Procedure_List01Response></soap:Body></soap:Envelope>";
}
