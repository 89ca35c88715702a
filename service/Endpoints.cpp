#include "Endpoints.h"

#include "DataSet.h"

namespace tvs {

const SoapOperation *SoapEndpoint::operation(const QString &name) const
{
    for (const SoapOperation &op : operations)
        if (op.name == name)
            return &op;
    return nullptr;
}

const QList<SoapEndpoint> &soapEndpoints()
{
    static const QList<SoapEndpoint> endpoints = {
        {QStringLiteral("/sub_asmx/asmx_soap.asmx"), QStringLiteral("asmx_soap"),
         {{QStringLiteral("Procedure_List01"), {QStringLiteral("sQuery")}},
          {QStringLiteral("Procedure_Execute01"), {QStringLiteral("sQuery")}}}},
        {QStringLiteral("/sub_asmx/asmx_json.asmx"), QStringLiteral("asmx_json"),
         {{QStringLiteral("CarInfo_Search"),
           {QStringLiteral("sSearchType"), QStringLiteral("sCarImportType"), QStringLiteral("sCarProductNum"),
            QStringLiteral("sUserCode"), QStringLiteral("sRequest")}}}},
        {QStringLiteral("/sub_asmx/asmx_json_tvs_to_zest.asmx"), QStringLiteral("asmx_json_tvs_to_zest"),
         {{QStringLiteral("CarProductInfo_Send"),
           {QStringLiteral("sCarProductCode"), QStringLiteral("sInputType"), QStringLiteral("sUserCode"),
            QStringLiteral("sRequest")}}}},
    };
    return endpoints;
}

const SoapEndpoint *soapEndpoint(const QString &path)
{
    for (const SoapEndpoint &e : soapEndpoints())
        if (e.path.compare(path, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QByteArray wsdl(const SoapEndpoint &endpoint, const QString &baseUrl)
{
    QString t;
    t += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<wsdl:definitions xmlns:soap=\"http://schemas.xmlsoap.org/wsdl/soap/\""
                        " xmlns:s=\"http://www.w3.org/2001/XMLSchema\" xmlns:tns=\"http://tempuri.org/\""
                        " xmlns:wsdl=\"http://schemas.xmlsoap.org/wsdl/\" targetNamespace=\"http://tempuri.org/\">\n"
                        "  <wsdl:types>\n"
                        "    <s:schema elementFormDefault=\"qualified\" targetNamespace=\"http://tempuri.org/\">\n");
    for (const SoapOperation &op : endpoint.operations) {
        t += QStringLiteral("      <s:element name=\"%1\">\n        <s:complexType>\n          <s:sequence>\n").arg(op.name);
        for (const QString &param : op.params)
            t += QStringLiteral("            <s:element minOccurs=\"1\" maxOccurs=\"1\" name=\"%1\" type=\"s:string\" />\n").arg(param);
        t += QStringLiteral("          </s:sequence>\n        </s:complexType>\n      </s:element>\n");
        t += QStringLiteral("      <s:element name=\"%1Response\">\n        <s:complexType>\n          <s:sequence>\n"
                            "            <s:element minOccurs=\"0\" maxOccurs=\"1\" name=\"%1Result\" type=\"s:string\" />\n"
                            "          </s:sequence>\n        </s:complexType>\n      </s:element>\n")
                 .arg(op.name);
    }
    t += QStringLiteral("    </s:schema>\n  </wsdl:types>\n");
    for (const SoapOperation &op : endpoint.operations)
        t += QStringLiteral("  <wsdl:message name=\"%1SoapIn\">\n    <wsdl:part name=\"parameters\" element=\"tns:%1\" />\n  </wsdl:message>\n"
                            "  <wsdl:message name=\"%1SoapOut\">\n    <wsdl:part name=\"parameters\" element=\"tns:%1Response\" />\n  </wsdl:message>\n")
                 .arg(op.name);
    t += QStringLiteral("  <wsdl:portType name=\"%1Soap\">\n").arg(endpoint.serviceName);
    for (const SoapOperation &op : endpoint.operations)
        t += QStringLiteral("    <wsdl:operation name=\"%1\">\n      <wsdl:input message=\"tns:%1SoapIn\" />\n"
                            "      <wsdl:output message=\"tns:%1SoapOut\" />\n    </wsdl:operation>\n")
                 .arg(op.name);
    t += QStringLiteral("  </wsdl:portType>\n  <wsdl:binding name=\"%1Soap\" type=\"tns:%1Soap\">\n"
                        "    <soap:binding transport=\"http://schemas.xmlsoap.org/soap/http\" />\n")
             .arg(endpoint.serviceName);
    for (const SoapOperation &op : endpoint.operations)
        t += QStringLiteral("    <wsdl:operation name=\"%1\">\n"
                            "      <soap:operation soapAction=\"http://tempuri.org/%1\" style=\"document\" />\n"
                            "      <wsdl:input>\n        <soap:body use=\"literal\" />\n      </wsdl:input>\n"
                            "      <wsdl:output>\n        <soap:body use=\"literal\" />\n      </wsdl:output>\n"
                            "    </wsdl:operation>\n")
                 .arg(op.name);
    t += QStringLiteral("  </wsdl:binding>\n  <wsdl:service name=\"%1\">\n"
                        "    <wsdl:port name=\"%1Soap\" binding=\"tns:%1Soap\">\n"
                        "      <soap:address location=\"%2\" />\n    </wsdl:port>\n  </wsdl:service>\n"
                        "</wsdl:definitions>\n")
             .arg(endpoint.serviceName, xmlEscape(baseUrl + endpoint.path).replace(u'"', QLatin1String("&quot;")));
    return t.toUtf8();
}

} // namespace tvs
