#include "CallText.h"
#include "JsonServiceClient.h"
#include "ProcedureCaller.h"
#include "SoapRequest.h"
#include "XmlEntities.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tvs;

class RequestTest : public QObject
{
    Q_OBJECT
private slots:
    void callTexts_data();
    void callTexts();
    void procedureRequestBytes();
    void koreanContentLength();
    void unknownOperation();
    void specialsAreEscapedInEnvelope();
    void jsonServiceRequest();
    void unescape_data();
    void unescape();
    void unescapeAbsent();
    void onePassMatchesFiveSteps();
    void utf8Validation_data();
    void utf8Validation();
};

void RequestTest::callTexts_data()
{
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    const QString std = QStringLiteral("', '");
    QTest::newRow("login") << "ps_Login1" << QStringList{"id", "digest", "MOBILE_DEALER", "1, 2, 3, 4, 12"}
                           << std << "ps_Login1 'id', 'digest', 'MOBILE_DEALER', '1, 2, 3, 4, 12'";
    QTest::newRow("one argument") << "ps_UserCarCount" << QStringList{"D0001"} << std
                                  << "ps_UserCarCount 'D0001'";
    QTest::newRow("no blank after comma") << "ps_TruckType2" << QStringList{"2", "x"} << "','"
                                          << "ps_TruckType2 '2','x'";
    QTest::newRow("no arguments") << "ps_GetCarMaker" << QStringList{} << std << "ps_GetCarMaker";
    QTest::newRow("empty argument") << "ps_A" << QStringList{""} << std << "ps_A ''";
    QTest::newRow("quote doubled") << "ps_A" << QStringList{"O'Brien", "x"} << std << "ps_A 'O''Brien', 'x'";
    QTest::newRow("quote cannot add an argument")
        << "ps_A" << QStringList{"a', 'b"} << std << "ps_A 'a'', ''b'";
    QTest::newRow("korean and specials kept")
        << "ps_B" << QStringList{"서울 <1> & 2"} << std << "ps_B '서울 <1> & 2'";
}

void RequestTest::callTexts()
{
    QFETCH(QString, procedure);
    QFETCH(QStringList, args);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(callText(procedure, args, separator), expected);
}

static QByteArray expectedBody(const QByteArray &op, const QByteArray &query)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">\n"
           "<soap:Body><" +
           op + " xmlns=\"http://tempuri.org/\"><sQuery>" + query + "</sQuery></" + op +
           "></soap:Body></soap:Envelope>";
}

void RequestTest::procedureRequestBytes()
{
    for (const QString &op : {kProcedureList, kProcedureExecute}) {
        const SoapRequest r = makeSoapRequest(QStringLiteral("api.example.test:8443"), op,
                                              QStringLiteral("ps_UserCarCount 'D0001'"));
        QCOMPARE(r.body, expectedBody(op.toUtf8(), "ps_UserCarCount 'D0001'"));
        QCOMPARE(r.request.url().toString(),
                 QStringLiteral("https://api.example.test:8443/sub_asmx/asmx_soap.asmx"));
        QCOMPARE(r.request.rawHeaderList(),
                 (QList<QByteArray>{"Content-Type", "SOAPAction", "Content-Length"}));
        QCOMPARE(r.request.rawHeader("Content-Type"), QByteArray("text/xml; charset= UTF-8"));
        QCOMPARE(r.request.rawHeader("SOAPAction"), "http://tempuri.org/" + op.toUtf8());
        QCOMPARE(r.request.rawHeader("Content-Length"), QByteArray::number(r.body.size()));
        QCOMPARE(r.request.transferTimeout(), 60000);
        QVERIFY(!r.body.endsWith('\n'));
    }
}

void RequestTest::koreanContentLength()
{
    const QString text = QStringLiteral("ps_SetCar '한글 설명'");
    const SoapRequest r = makeSoapRequest(QStringLiteral("h"), kProcedureList, text);
    const qsizetype length = r.request.rawHeader("Content-Length").toLongLong();
    QCOMPARE(length, r.body.size());
    const qsizetype asciiEnvelope = expectedBody("Procedure_List01", "").size();
    QCOMPARE(length - asciiEnvelope, text.size() + 4 * 2); // four syllables, three bytes each
    QVERIFY(r.body.contains(text.toUtf8()));
}

void RequestTest::unknownOperation()
{
    const SoapRequest r =
        makeSoapRequest(QStringLiteral("h"), QStringLiteral("Procedure_Drop"), QStringLiteral("ps_X"));
    QCOMPARE(r.body, expectedBody("", "ps_X"));
    QVERIFY(r.body.contains("<soap:Body>< xmlns=\"http://tempuri.org/\">"));
    QCOMPARE(r.request.rawHeader("SOAPAction"), QByteArray("http://tempuri.org/"));
    // Only the exact names pass.
    QCOMPARE(procedureOperationName(QStringLiteral("procedure_list01")), QString());
}

void RequestTest::specialsAreEscapedInEnvelope()
{
    const QString text = callText(QStringLiteral("ps_Job"), {QStringLiteral("a<b & c>d")});
    const SoapRequest r = makeSoapRequest(QStringLiteral("h"), kProcedureList, text);
    QVERIFY(r.body.contains("<sQuery>ps_Job 'a&lt;b &amp; c&gt;d'</sQuery>"));
    QCOMPARE(escapeXmlText(QStringLiteral("&amp;")), QStringLiteral("&amp;amp;"));
}

void RequestTest::jsonServiceRequest()
{
    const SoapRequest r = makeJsonServiceRequest(QStringLiteral("h:1"), kCarLookupPath, kCarLookupOperation,
                                                 {{"sSearchType", "Search"},
                                                  {"sCarImportType", "12"},
                                                  {"sCarProductNum", "12가 3456 <&>"},
                                                  {"sUserCode", "D0001"},
                                                  {"sRequest", kRequesterId}});
    QCOMPARE(r.request.url().toString(), QStringLiteral("https://h:1/sub_asmx/asmx_json.asmx"));
    QCOMPARE(r.request.rawHeader("SOAPAction"), QByteArray("http://tempuri.org/CarInfo_Search"));
    QCOMPARE(r.request.rawHeaderList(), (QList<QByteArray>{"Content-Type", "SOAPAction", "Content-Length"}));
    const QByteArray inner = "<CarInfo_Search xmlns=\"http://tempuri.org/\"><sSearchType>Search</sSearchType>"
                             "<sCarImportType>12</sCarImportType><sCarProductNum>12가 3456 &lt;&amp;&gt;"
                             "</sCarProductNum><sUserCode>D0001</sUserCode><sRequest>kr.qorbel.TVSDealer"
                             "</sRequest></CarInfo_Search></soap:Body></soap:Envelope>";
    QVERIFY(r.body.endsWith(inner));
    QCOMPARE(r.request.rawHeader("Content-Length"), QByteArray::number(r.body.size()));

    // Reading the result: the JSON text is escaped inside the result element.
    const QByteArray reply =
        "<?xml version=\"1.0\"?><soap:Envelope><soap:Body><CarInfo_SearchResponse>"
        "<CarInfo_SearchResult>{\"message\":\"성공\",\"body\":\"{\\\"a\\\":\\\"x &amp; y\\\"}\"}"
        "</CarInfo_SearchResult></CarInfo_SearchResponse></soap:Body></soap:Envelope>";
    const JsonServiceReply ok = readJsonServiceReply(reply, kCarLookupOperation);
    QVERIFY2(ok.ok(), qPrintable(ok.error));
    QCOMPARE(ok.object.value("message").toString(), QStringLiteral("성공"));
    QCOMPARE(ok.object.value("body").toString(), QStringLiteral("{\"a\":\"x & y\"}"));

    for (const QByteArray bad : {"<x/>", "<CarInfo_SearchResult>{broken</CarInfo_SearchResult>",
                                 "<CarInfo_SearchResult>[1]</CarInfo_SearchResult>", "<CarInfo_SearchResult>{}"})
        QCOMPARE(readJsonServiceReply(bad, kCarLookupOperation).status, JsonServiceReply::BadReply);
}

void RequestTest::unescape_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *tag, const QString &input, const QString &expected) {
        QTest::newRow(tag) << input << expected;
    };
    row("escaped reference stays a reference", "&amp;lt;", "&lt;");
    row("quoted value", "&quot;x&quot;", "\"x\"");
    row("all five", "&quot;&apos;&lt;&gt;&amp;", "\"'<>&");
    row("double escaped amp", "&amp;amp;", "&amp;");
    row("bare ampersand", "&&quot;", "&\"");
    row("unknown reference", "&nbsp;&#39;", "&nbsp;&#39;");
    row("cut reference", "a &lt b &am", "a &lt b &am");
    row("korean", "&lt;이름&gt;홍길동&lt;/이름&gt;", "<이름>홍길동</이름>");
    row("empty", "", "");
}

void RequestTest::unescape()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(unescapeXmlEntities(input).value(), expected);
    QCOMPARE(QString::fromUtf8(unescapeXmlEntitiesUtf8(input.toUtf8())), expected);
}

void RequestTest::unescapeAbsent()
{
    QVERIFY(!unescapeXmlEntities(std::nullopt).has_value());
    QVERIFY(unescapeXmlEntities(QString()).has_value());
}

// The walk's one-pass unescape (also in its streamed form, with tiny reads that
// split references) must give exactly the five-step text.
void RequestTest::onePassMatchesFiveSteps()
{
    const char alphabet[] = "&;quotaplgm x";
    QRandomGenerator rng(12345);
    for (int round = 0; round < 20000; ++round) {
        QByteArray input;
        const int length = int(rng.bounded(24));
        for (int i = 0; i < length; ++i)
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

void RequestTest::utf8Validation_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("offset");
    QTest::newRow("ascii") << QByteArray("plain text, long enough for words") << true << 0;
    QTest::newRow("korean") << QStringLiteral("가나다 xyz 😀").toUtf8() << true << 0;
    QTest::newRow("latin1 byte") << QByteArray("abcdefghij\xE9kl") << false << 10;
    QTest::newRow("cut sequence") << QByteArray("ab\xEA\xB0") << false << 2;
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false << 0;
    QTest::newRow("overlong three") << QByteArray("\xE0\x80\xAF") << false << 0;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false << 0;
    QTest::newRow("above range") << QByteArray("\xF4\x90\x80\x80") << false << 0;
    QTest::newRow("stray continuation") << QByteArray("x\x80") << false << 1;
}

void RequestTest::utf8Validation()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(int, offset);
    qsizetype at = -1;
    QCOMPARE(isValidUtf8(bytes, &at), valid);
    if (!valid)
        QCOMPARE(at, qsizetype(offset));
}

QTEST_GUILESS_MAIN(RequestTest)
#include "tst_request.moc"
