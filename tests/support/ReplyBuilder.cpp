#include "ReplyBuilder.h"

namespace tvs::test {

namespace {

QString escape(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

QString dataSet(const Records &rows)
{
    QString xml = QStringLiteral("<NewDataSet>\n");
    for (const Record &row : rows) {
        xml += QStringLiteral("  <Table>\n");
        for (const auto &[name, value] : row.fields())
            xml += QStringLiteral("    <%1>%2</%1>\n").arg(name, escape(value));
        xml += QStringLiteral("  </Table>\n");
    }
    return xml + QStringLiteral("</NewDataSet>");
}

} // namespace

QByteArray resultBody(const QString &resultText, const QString &operation)
{
    const QString envelope = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">"
        "<soap:Body><%1Response xmlns=\"http://tempuri.org/\"><%1Result>%2</%1Result></%1Response>"
        "</soap:Body></soap:Envelope>");
    return envelope.arg(operation, escape(resultText)).toUtf8();
}

QByteArray replyBody(const Records &rows, const QString &operation)
{
    return resultBody(dataSet(rows), operation);
}

QByteArray singleElementsBody(const Record &elements, const QString &operation)
{
    return resultBody(dataSet({elements}), operation);
}

QByteArray noRowsBody(const QString &operation)
{
    return singleElementsBody(Record{{QStringLiteral("rtn"), QStringLiteral("NO")}}, operation);
}

} // namespace tvs::test
