#include "DataSet.h"

namespace tvs {

namespace {
const char kEnvelopeHead[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>";
const char kEnvelopeTail[] = "</soap:Body></soap:Envelope>";

void writeField(QString &out, const QString &indent, const QString &name, const QVariant &value)
{
    if (value.isNull())
        return;
    const QString text = value.toString();
    if (text.isEmpty())
        out += indent + u'<' + name + QStringLiteral(" />\n");
    else
        out += indent + u'<' + name + u'>' + xmlEscape(text) + QStringLiteral("</") + name
            + QStringLiteral(">\n");
}
} // namespace

DataSet DataSet::answer(const QString &rtn, const QString &message)
{
    DataSet set;
    set.loose.append({QStringLiteral("rtn"), rtn});
    if (!message.isEmpty())
        set.loose.append({QStringLiteral("sMessage"), message});
    return set;
}

QString xmlEscape(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

QString dataSetXml(const DataSet &set)
{
    QString out = QStringLiteral("<NewDataSet>\n");
    for (const DataRow &row : set.rows) {
        out += QStringLiteral("  <Table>\n");
        for (const auto &[name, value] : row)
            writeField(out, QStringLiteral("    "), name, value);
        out += QStringLiteral("  </Table>\n");
    }
    for (const auto &[name, value] : set.loose)
        writeField(out, QStringLiteral("  "), name, value);
    out += QStringLiteral("</NewDataSet>");
    return out;
}

QByteArray soapResponse(const QString &operation, const QString &resultText)
{
    QByteArray out = kEnvelopeHead;
    out += '<' + operation.toUtf8() + "Response xmlns=\"http://tempuri.org/\"><"
        + operation.toUtf8() + "Result>";
    out += xmlEscape(resultText).toUtf8();
    out += "</" + operation.toUtf8() + "Result></" + operation.toUtf8() + "Response>";
    out += kEnvelopeTail;
    return out;
}

QByteArray soapFault(const QString &faultCode, const QString &faultString)
{
    QByteArray out = kEnvelopeHead;
    out += "<soap:Fault><faultcode>" + xmlEscape(faultCode).toUtf8() + "</faultcode><faultstring>"
        + xmlEscape(faultString).toUtf8() + "</faultstring></soap:Fault>";
    out += kEnvelopeTail;
    return out;
}

} // namespace tvs
