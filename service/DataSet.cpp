#include "DataSet.h"

#include <algorithm>

namespace tvs {

namespace {
const char kEnvelopeHead[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>";
const char kEnvelopeTail[] = "</soap:Body></soap:Envelope>";

void appendEscaped(QString &out, QStringView text)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char *entity = c == u'&' ? "&amp;" : c == u'<' ? "&lt;" : c == u'>' ? "&gt;" : nullptr;
        if (!entity)
            continue;
        out += text.mid(from, i - from);
        out += QLatin1String(entity);
        from = i + 1;
    }
    out += text.mid(from);
}

void writeField(QString &out, QLatin1String indent, const QString &name, const QVariant &value)
{
    if (value.isNull())
        return;
    const QString text = value.toString();
    out += indent;
    out += u'<';
    out += name;
    if (text.isEmpty()) {
        out += QLatin1String(" />\n");
        return;
    }
    out += u'>';
    appendEscaped(out, text);
    out += QLatin1String("</");
    out += name;
    out += QLatin1String(">\n");
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
    out.reserve(text.size() + text.size() / 8 + 8);
    appendEscaped(out, text);
    return out;
}

QString dataSetXml(const DataSet &set)
{
    QString out;
    out.reserve(64 + set.rows.size() * (set.rows.isEmpty() ? 0 : set.rows.first().size()) * 48);
    out += QLatin1String("<NewDataSet>\n");
    for (const DataRow &row : set.rows)
        appendRowXml(out, row);
    for (const auto &[name, value] : set.loose)
        writeField(out, QLatin1String("  "), name, value);
    out += QStringLiteral("</NewDataSet>");
    return out;
}

void appendRowXml(QString &out, const DataRow &row)
{
    out += QLatin1String("  <Table>\n");
    for (const auto &[name, value] : row)
        writeField(out, QLatin1String("    "), name, value);
    out += QLatin1String("  </Table>\n");
}

QByteArray soapResponseHead(const QString &operation)
{
    const QByteArray op = operation.toUtf8();
    return kEnvelopeHead + ('<' + op + "Response xmlns=\"http://tempuri.org/\"><" + op + "Result>");
}

QByteArray soapResponseTail(const QString &operation)
{
    const QByteArray op = operation.toUtf8();
    return "</" + op + "Result></" + op + "Response>" + kEnvelopeTail;
}

// A list's data set is most of the answer and mostly markup: it is escaped in UTF-8, in one
// pass into room of its final size.
void appendEscapedUtf8(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    qsizetype escapedSize = utf8.size();
    for (const char c : utf8)
        escapedSize += c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
    const qsizetype at = out.size();
    out.resize(at + escapedSize);
    char *w = out.data() + at;
    const char *from = utf8.cbegin();
    for (const char *p = from; p != utf8.cend(); ++p) {
        const char c = *p;
        if (c != '&' && c != '<' && c != '>')
            continue;
        w = std::copy(from, p, w);
        w = c == '&' ? std::copy_n("&amp;", 5, w) : std::copy_n(c == '<' ? "&lt;" : "&gt;", 4, w);
        from = p + 1;
    }
    std::copy(from, utf8.cend(), w);
}

QByteArray soapResponse(const QString &operation, const QString &resultText)
{
    QByteArray out = soapResponseHead(operation);
    appendEscapedUtf8(out, resultText);
    return out + soapResponseTail(operation);
}

QByteArray soapFault(const QString &faultCode, const QString &faultString)
{
    QByteArray out = kEnvelopeHead;
    out += "<soap:Fault><faultcode>" + xmlEscape(faultCode).toUtf8() + "</faultcode><faultstring>" +
           xmlEscape(faultString).toUtf8() + "</faultstring></soap:Fault>";
    out += kEnvelopeTail;
    return out;
}

} // namespace tvs
