#include "CallText.h"
#include "JsonServiceClient.h"
#include "ProcedureCaller.h"
#include "SoapRequest.h"
#include "XmlEntities.h"

#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>
#include <QXmlStreamReader>

using namespace tvs;

namespace {

bool wellFormed(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

QString chars(std::initializer_list<char16_t> units)
{
    return QString(reinterpret_cast<const QChar *>(std::data(units)), qsizetype(units.size()));
}

} // namespace

class RequestTest : public QObject
{
    Q_OBJECT
private slots:
    void procedureRequests_data();
    void procedureRequests();
    void jsonService();
    void onePassMatchesFiveSteps();
};

void RequestTest::procedureRequests_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("call"); // procedure name, then the arguments
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");   // the call text
    QTest::addColumn<QString>("query");  // the sQuery element's content; empty: the call text
    QTest::addColumn<QString>("name");   // in the element names and the SOAPAction
    const QString list = kProcedureList; // `query` empty: the call text; `name` null: the operation's
    const auto row = [](const char *tag, const QString &operation, const QStringList &call,
                        const QString &text, const QString &query = {}, const QString &name = {},
                        const QString &separator = u"', '"_qs) {
        QTest::newRow(tag) << operation << call << separator << text << query
                           << (name.isNull() ? operation : name);
    };
    row("login", list, {"ps_Login1", "id", "digest", "MOBILE_DEALER", "1, 2, 3, 4, 12"},
        "ps_Login1 'id', 'digest', 'MOBILE_DEALER', '1, 2, 3, 4, 12'");
    row("execute, no blank after the comma", kProcedureExecute, {"ps_TruckType2", "2", "x"},
        "ps_TruckType2 '2','x'", {}, {}, "','");
    row("no arguments", list, {"ps_GetCarOption"}, "ps_GetCarOption");
    row("empty argument", list, {"ps_A", ""}, "ps_A ''");
    row("a quote cannot end its literal", list, {"ps_A", "O'Brien", "a', 'b"}, "ps_A 'O''Brien', 'a'', ''b'");
    row("korean: length in bytes", list, {"ps_B", "한글 설명"}, "ps_B '한글 설명'");
    row("XML specials kept in the text, escaped in the envelope", list, {"ps_J", "a<b & c>d &amp;"},
        "ps_J 'a<b & c>d &amp;'", "ps_J 'a&lt;b &amp; c&gt;d &amp;amp;'");
    row("control characters removed; tab, line feed, carriage return kept", list,
        {"ps_C", chars({'a', 0, 1, 8, 'b', 0x0B, 0x0C, 0x0E, 0x1F, 0x7F}), "t\tl\nc\r"},
        "ps_C 'ab\x7F', 't\tl\nc\r'");
    row("noncharacters and lone surrogates removed; pairs kept", list,
        {"ps_D", chars({'x', 0xFFFE, 0xFFFF, 0xD800, 'y', 0xDC00, 0xD83D, 0xDE00, 0xD83D})}, "ps_D 'xy😀'");
    row("a hand-written text loses them in the envelope", list, {"ps_J 'a" + chars({2, 0xDFFF}) + "b'"},
        "ps_J 'a" + chars({2, 0xDFFF}) + "b'", "ps_J 'ab'");
    row("unknown operation: empty names", "Procedure_Drop", {"ps_X"}, "ps_X", {}, u""_qs);
    row("operation names are exact", "procedure_list01", {"ps_X"}, "ps_X", {}, u""_qs);
}

void RequestTest::procedureRequests()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, call);
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QFETCH(QString, query);
    QFETCH(QString, name);
    QCOMPARE(callText(call.first(), call.mid(1), separator), text);
    const SoapRequest r = makeSoapRequest(QStringLiteral("api.example.test:8443"), operation, text);
    QCOMPARE(r.body, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                     "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                     "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">\n<soap:Body><" +
                         name.toUtf8() + " xmlns=\"http://tempuri.org/\"><sQuery>" +
                         (query.isEmpty() ? text : query).toUtf8() + "</sQuery></" + name.toUtf8() +
                         "></soap:Body></soap:Envelope>");
    QVERIFY(name.isEmpty() || wellFormed(r.body));
    QCOMPARE(r.request.url().toString(),
             QStringLiteral("https://api.example.test:8443/sub_asmx/asmx_soap.asmx"));
    // The other headers and their order are checked where the client sends them.
    QCOMPARE(r.request.rawHeader("SOAPAction"), "http://tempuri.org/" + name.toUtf8());
    QCOMPARE(r.request.transferTimeout(), 60000);
}

void RequestTest::jsonService()
{
    const SoapRequest r = makeJsonServiceRequest(
        QStringLiteral("h:1"), kCarLookupPath, kCarLookupOperation,
        {{"sSearchType", "Search"}, {"sCarProductNum", "12가 3456 <&>" + chars({0x1B})}});
    QCOMPARE(r.request.url().toString(), QStringLiteral("https://h:1/sub_asmx/asmx_json.asmx"));
    QCOMPARE(r.request.rawHeader("SOAPAction"), QByteArray("http://tempuri.org/CarInfo_Search"));
    QVERIFY(r.body.endsWith("<CarInfo_Search xmlns=\"http://tempuri.org/\"><sSearchType>Search</sSearchType>"
                            "<sCarProductNum>12가 3456 &lt;&amp;&gt;</sCarProductNum></CarInfo_Search>"
                            "</soap:Body></soap:Envelope>"));
    QVERIFY(wellFormed(r.body));

    // The result: JSON text escaped once inside the result element.
    const JsonServiceReply ok =
        readJsonServiceReply("<soap:Envelope><CarInfo_SearchResult>{\"message\":\"성공\","
                             "\"body\":\"{\\\"a\\\":\\\"x &amp; y\\\"}\"}"
                             "</CarInfo_SearchResult></soap:Envelope>",
                             kCarLookupOperation);
    QVERIFY2(ok.ok(), qPrintable(ok.error));
    QCOMPARE(ok.object, (QJsonObject{{"message", "성공"}, {"body", "{\"a\":\"x & y\"}"}}));
    for (const QByteArray bad :
         {"", "<x/>", "<CarInfo_SearchResult>{broken</CarInfo_SearchResult>",
          "<CarInfo_SearchResult>[1]</CarInfo_SearchResult>", "<CarInfo_SearchResult>{}",
          "<CarInfo_SearchResult>{\"a\":\"\xB1\"}</CarInfo_SearchResult>"})
        QCOMPARE(readJsonServiceReply(bad, kCarLookupOperation).status, JsonServiceReply::BadReply);
}

// The walk's one-pass unescape, also streamed in tiny reads that split references,
// gives exactly the five-step text.
void RequestTest::onePassMatchesFiveSteps()
{
    const char alphabet[] = "&;quotaplgm x";
    QRandomGenerator rng(12345);
    for (int round = 0; round < 20000; ++round) {
        QByteArray input;
        for (int i = int(rng.bounded(24)); i > 0; --i)
            input += alphabet[rng.bounded(int(sizeof alphabet - 1))];
        const QString expected = unescapeXmlEntities(QString::fromLatin1(input)).value();
        QCOMPARE(QString::fromLatin1(unescapeXmlEntitiesUtf8(input)), expected);
        EntityUnescapeStream stream(input);
        QByteArray streamed;
        char piece[3];
        for (qsizetype n; (n = stream.read(piece, 1 + rng.bounded(3))) > 0;)
            streamed.append(piece, n);
        QCOMPARE(QString::fromLatin1(streamed), expected);
    }
}

QTEST_GUILESS_MAIN(RequestTest)
#include "tst_request.moc"
