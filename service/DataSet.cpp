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
    for (const DataRow &row : set.rows) {
        out += QLatin1String("  <Table>\n");
        for (const auto &[name, value] : row)
            writeField(out, QLatin1String("    "), name, value);
        out += QLatin1String("  </Table>\n");
    }
    for (const auto &[name, value] : set.loose)
        writeField(out, QLatin1String("  "), name, value);
    out += QStringLiteral("</NewDataSet>");
    return out;
}

QByteArray soapResponse(const QString &operation, const QString &resultText)
{
    // A list's data set is most of the reply and mostly markup: it is escaped in UTF-8,
    // in one pass into a buffer of its final size.
    const QByteArray op = operation.toUtf8();
    const QByteArray text = resultText.toUtf8();
    qsizetype escapedSize = text.size();
    for (const char c : text)
        escapedSize += c == '&' ? 4 : (c == '<' || c == '>') ? 3 : 0;
    const QByteArray head = kEnvelopeHead + ('<' + op + "Response xmlns=\"http://tempuri.org/\"><" + op + "Result>");
    const QByteArray tail = "</" + op + "Result></" + op + "Response>" + kEnvelopeTail;
    QByteArray out(head.size() + escapedSize + tail.size(), Qt::Uninitialized);
    char *w = std::copy(head.cbegin(), head.cend(), out.data());
    const char *from = text.cbegin();
    for (const char *p = from; p != text.cend(); ++p) {
        const char c = *p;
        if (c != '&' && c != '<' && c != '>')
            continue;
        w = std::copy(from, p, w);
        w = c == '&' ? std::copy_n("&amp;", 5, w) : std::copy_n(c == '<' ? "&lt;" : "&gt;", 4, w);
        from = p + 1;
    }
    w = std::copy(from, text.cend(), w);
    std::copy(tail.cbegin(), tail.cend(), w);
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
