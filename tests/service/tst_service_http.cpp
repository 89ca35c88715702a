// The stand-in's HTTP surface: faults for bad requests (nothing written, the service keeps
// serving), size limits, WSDL, the QR sign-in code, web pages, the request log and concurrent
// requests.
#include "CallText.h"
#include "LoginCrypto.h"
#include "QrDecoder.h"
#include "StandInFixture.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QXmlStreamReader>

using namespace tvs;
using namespace tvs::test;

namespace {
const QByteArray kList = "http://tempuri.org/Procedure_List01";

QByteArray envelope(const QByteArray &operation, const QByteArray &query, const QByteArray &ns = "http://tempuri.org/")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
           " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">\n"
           "<soap:Body><" + operation + " xmlns=\"" + ns + "\"><sQuery>" + query + "</sQuery></" + operation
        + "></soap:Body></soap:Envelope>";
}

// The start elements of a document, in order, as name and reader (at the element).
template <typename Fn>
void eachElement(const QByteArray &document, Fn fn)
{
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            fn(xml);
    }
}
} // namespace

class ServiceHttp : public QObject
{
    Q_OBJECT

    StandInFixture f;

    // Everything a bad call could change, in one text.
    QString fingerprint()
    {
        return f.db(QStringLiteral(
                        "SELECT (SELECT group_concat(sCarProductCode || sCarStatus || COALESCE(sCarProductContent, ''), ',') FROM cars)"
                        " || (SELECT COUNT(*) FROM bids) || '/' || (SELECT COUNT(*) FROM status_history) || '/'"
                        " || (SELECT COUNT(*) FROM handoffs) || '/' || (SELECT COUNT(*) FROM car_options) || '/'"
                        " || (SELECT group_concat(sUserLastDate) FROM users)"))
            .toString();
    }
    HttpResult soap(const QByteArray &action, const QByteArray &body)
    {
        QNetworkRequest request(QUrl(QStringLiteral("/sub_asmx/asmx_soap.asmx")));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/xml; charset= UTF-8"));
        return StandInFixture::finish(f.post(request, body, action));
    }
    bool stillServing() { return f.call(callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})).rows.size() == 1; }

private slots:
    void initTestCase() { QVERIFY2(f.start(), qPrintable(f.errorString())); }

    void badRequestsAreFaults_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        const QByteArray count = "ps_UserCarCount 'D0001'";
        QTest::newRow("not xml") << kList << count << "malformed XML";
        QTest::newRow("not an envelope") << kList << QByteArray("<a/>") << "not a SOAP 1.1 envelope";
        QTest::newRow("no SOAPAction") << QByteArray() << envelope("Procedure_List01", count) << "SOAPAction";
        QTest::newRow("json operation on the procedure service")
            << QByteArray("http://tempuri.org/CarInfo_Search") << envelope("CarInfo_Search", "x") << "no operation";
        QTest::newRow("empty operation name") << QByteArray("http://tempuri.org/") << envelope("", count) << "malformed XML";
        QTest::newRow("wrong namespace") << kList << envelope("Procedure_List01", count, "urn:other") << "namespace";
        QTest::newRow("unknown procedure") << kList << envelope("Procedure_List01", "ps_DropEverything 'x'") << "unknown procedure";
        QTest::newRow("argument count") << kList << envelope("Procedure_List01", "ps_GetUserProductCar_Info2 'D0001'")
                                        << "takes 2 arguments";
        QTest::newRow("injected statement")
            << QByteArray("http://tempuri.org/Procedure_Execute01")
            << envelope("Procedure_Execute01", "ps_SetProductCar_Status 'C000003', '7', 'D0001', 'MOBILE_DEALER'; DELETE FROM cars")
            << "unreadable call text";
        QTest::newRow("state filter not a number") << kList << envelope("Procedure_List01", "ps_GetUserProductCar_Info2 'D0001', '1 OR 1'")
                                                   << "must be a number";
        QTest::newRow("document type") << kList
                                       << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>")
                                              + envelope("Procedure_List01", "&b;").mid(39)
                                       << "";
        QTest::newRow("nested element in the query") << kList << envelope("Procedure_List01", "<b>ps_GetCarOption</b>") << "";
        QTest::newRow("parameter twice") << kList << envelope("Procedure_List01", "ps_GetCarOption</sQuery><sQuery>ps_GetCarOption")
                                         << "given twice";
    }
    void badRequestsAreFaults()
    {
        QFETCH(QByteArray, action);
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);
        const QString before = fingerprint();
        const HttpResult r = soap(action, body);
        QCOMPARE(r.status, 500);
        QString code, why;
        eachElement(r.body, [&](QXmlStreamReader &xml) {
            if (xml.name() == QLatin1String("faultcode"))
                code = xml.readElementText();
            else if (xml.name() == QLatin1String("faultstring"))
                why = xml.readElementText();
        });
        QCOMPARE(code, QStringLiteral("soap:Client"));
        QVERIFY2(!why.isEmpty() && why.contains(reason), qPrintable(why));
        QCOMPARE(fingerprint(), before);
        QVERIFY(stillServing());
    }

    void oversizedBodies_data()
    {
        QTest::addColumn<int>("megabytes");
        QTest::newRow("just over the limit") << 1;
        // Far over it: answered with 413 (or closed while the client still sends)
        // without the body being gathered.
        QTest::newRow("far over the limit") << 16;
    }
    void oversizedBodies()
    {
        QFETCH(int, megabytes);
        const QString before = fingerprint();
        const HttpResult r = soap(kList, envelope("Procedure_List01", "ps_UserCarCount '" + QByteArray(megabytes << 20, 'x') + "'"));
        if (megabytes == 1 || r.status != 0)
            QVERIFY2(r.status == 413 && r.body.contains("larger than 1 MiB"), r.body.constData());
        else
            QVERIFY2(r.body.isEmpty(), "neither a 413 nor a closed connection");
        QCOMPARE(fingerprint(), before);
        QVERIFY(stillServing());
    }

    void manyRequestsOnOneConnectionAreNotOneBigRequest()
    {
        // 24 requests of about 100 KB each on one kept-alive connection: together far
        // over the limit, each on its own well under it.
        const QString bulky = callText(QStringLiteral("ps_GetCarPhotoList"), {QString(100 * 1024, u'x')});
        for (int i = 0; i < 24; ++i)
            QCOMPARE(f.call(bulky).named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
    }

    void wrongMethodsAndPaths_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("status");
        QTest::newRow("GET on the procedure service") << "api:/sub_asmx/asmx_soap.asmx" << 405;
        QTest::newRow("unknown path") << "api:/sub_asmx/other.asmx" << 404;
        QTest::newRow("page of an unknown dealer") << "api:/service/bizRequest?sUserCode=D9999" << 404;
        QTest::newRow("other shop's settlement") << "api:/service/summery?sUserCode=D0001&sCarProductCode=C000045" << 404;
        QTest::newRow("photo of another car") << "img:/image_product/C000002/C000001_01.jpg" << 404;
        QTest::newRow("path climbing") << "img:/image_product/C000001/..%2F..%2Fca.pem" << 404;
        QTest::newRow("procedures on the image host") << "img:/sub_asmx/asmx_soap.asmx" << 404;
        QTest::newRow("unknown portrait") << "img:/image_user/D9999.jpg" << 404;
        QTest::newRow("unknown sign-in code") << "img:/image_user/D9999-qr.png" << 404;
    }
    void wrongMethodsAndPaths()
    {
        QFETCH(QString, url);
        QFETCH(int, status);
        const HttpResult r = f.get(url);
        QCOMPARE(r.status, status);
        QVERIFY(!r.body.isEmpty());
    }

    void wsdl_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("operations");
        QTest::newRow("procedures") << "/sub_asmx/asmx_soap.asmx" << QStringList{"Procedure_Execute01", "Procedure_List01"};
        QTest::newRow("lookup") << "/sub_asmx/asmx_json.asmx" << QStringList{"CarInfo_Search"};
        QTest::newRow("hand-off") << "/sub_asmx/asmx_json_tvs_to_zest.asmx" << QStringList{"CarProductInfo_Send"};
    }
    void wsdl()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, operations);
        const HttpResult r = f.get(QStringLiteral("api:") + path + QStringLiteral("?WSDL"));
        QStringList bound, optional, address;
        eachElement(r.body, [&](QXmlStreamReader &xml) {
            const auto attr = [&xml](const char *name) { return xml.attributes().value(QLatin1String(name)).toString(); };
            if (xml.name() == QLatin1String("operation") && xml.namespaceUri() == QLatin1String("http://schemas.xmlsoap.org/wsdl/soap/"))
                bound << attr("soapAction").remove(QStringLiteral("http://tempuri.org/"));
            else if (xml.name() == QLatin1String("address"))
                address << attr("location");
            // The service refuses a call without one of its parameters, so each is required.
            else if (xml.name() == QLatin1String("element") && !attr("minOccurs").isEmpty() && attr("minOccurs") != QLatin1String("1"))
                optional << attr("name");
        });
        bound.sort();
        QCOMPARE(bound, operations);
        QCOMPARE(address, QStringList{QStringLiteral("https://%1%2").arg(f.service()->apiHost(), path)});
        QCOMPARE(optional.filter(QRegularExpression(QStringLiteral("(?<!Result)$"))), QStringList());
    }

    void qrSignInCode()
    {
        // The demo dealer's sign-in code: "U" + token under the app's key, the
        // ciphertext the app's own tests know for it; served and kept as a file.
        const HttpResult qr = f.get(QStringLiteral("img:/image_user/D0001-qr.png"));
        QCOMPARE(qr.contentType, QByteArray("image/png"));
        for (const QImage &image : {QImage::fromData(qr.body, "PNG"),
                                    QImage(f.filePath(QStringLiteral("service/qr-demo01.png")))}) {
            const auto decoded = decodeQrImage(image);
            QVERIFY(decoded);
            QCOMPARE(decoded->text, QStringLiteral("ASabkqrcAR6h8JotoEMYvw=="));
        }
    }

    void webPages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("contains");
        QTest::newRow("settlement") << "/service/summery?sUserCode=D0001&sCarProductCode=C000001"
                                    << QStringList{"정산내역", "매입금액", "PLATE"};
        QTest::newRow("amounts, code glued to the user") << "/service/inoutgate?sUserCode=D0001C000001"
                                                         << QStringList{"매입매출금액", "매출금액", "PLATE"};
        QTest::newRow("public car page") << "/sub_buycar/buycar_view_func.aspx?sCarProductCode=C000001"
                                         << QStringList{"PLATE", "PRICE", "/image_product/C000001/C000001_01.jpg", "옵션", "한빛모터스"};
    }
    void webPages()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, contains);
        const QString plate = f.db(QStringLiteral("SELECT sCarProductNum FROM cars WHERE sCarProductCode = 'C000001'")).toString();
        const QString price = QLocale(QLocale::Korean).toString(
                                  f.db(QStringLiteral("SELECT iCarProductMoney FROM cars WHERE sCarProductCode = 'C000001'")).toLongLong())
            + QStringLiteral(" 원");
        const HttpResult r = f.get(QStringLiteral("api:") + path);
        QCOMPARE(r.status, 200);
        QVERIFY(r.contentType.startsWith("text/html"));
        for (QString want : contains)
            QVERIFY2(r.body.contains(want.replace(QStringLiteral("PLATE"), plate).replace(QStringLiteral("PRICE"), price).toUtf8()),
                     qPrintable(want));
    }

    void pagesShowTextAsItStands()
    {
        // Markup is escaped; text that looks like a placeholder is shown as it stands,
        // and the fields after it too.
        const QString plate = f.db(QStringLiteral("SELECT sCarProductNum FROM cars WHERE sCarProductCode = 'C000002'")).toString();
        f.db(QStringLiteral("UPDATE cars SET sCarProductContent = '<script>alert(1)</script> & co', sCarProductNum = '77%1가 7777'"
                            " WHERE sCarProductCode = 'C000002'"));
        const QString html = QString::fromUtf8(f.get(QStringLiteral("api:/sub_buycar/buycar_view_func.aspx?sCarProductCode=C000002")).body);
        f.db(QStringLiteral("UPDATE cars SET sCarProductNum = ?, sCarProductContent = NULL WHERE sCarProductCode = 'C000002'"), {plate});
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; &amp; co")));
        QVERIFY(!html.contains(QStringLiteral("<script>")));
        QVERIFY2(html.contains(QStringLiteral("77%1가 7777")) && !html.contains(QStringLiteral("%10")), qPrintable(html));
    }

    void concurrentRequests()
    {
        const QStringList texts = {callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")}),
                                   QStringLiteral("ps_GetCarOption")};
        const Records cars = f.call(texts[0]).rows, options = f.call(texts[1]).rows;
        QList<QNetworkReply *> pending;
        for (int i = 0; i < 30; ++i)
            pending << f.send(texts[i % 2]);
        for (int i = 0; i < pending.size(); ++i)
            QCOMPARE(StandInFixture::walk(StandInFixture::finish(pending[i]).body).rows,
                     i % 2 ? options : cars);
    }

    void requestLog()
    {
        f.call(callText(QStringLiteral("ps_Login1"),
                        {demo::kUserId, passwordDigest(demo::kPassword), QStringLiteral("MOBILE_DEALER"),
                         QStringLiteral("1, 2, 3, 4, 12")}));
        f.call(callText(QStringLiteral("ps_LoginQR1"), {demo::kQrToken, QStringLiteral("MOBILE_DEALER"), QStringLiteral("1,2,3,4,12")}));
        f.get(QStringLiteral("img:/image_user/D0002.jpg"));
        soap(kList, "<a/>");
        QFile log(f.logFile());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray all = log.readAll();
        QVERIFY(!all.contains(passwordDigest(demo::kPassword).toUtf8()));
        QVERIFY(!all.contains(demo::kQrToken.toUtf8()));
        QStringList seen;
        for (const QByteArray &line : all.trimmed().split('\n')) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            QStringList fields; // each cut to 29 characters: the call text to its masked password
            for (const char *key : {"method", "callText", "operation", "host", "path", "status"})
                fields << o.value(QLatin1String(key)).toVariant().toString().left(29);
            seen << fields.join(u'|');
        }
        for (const QString &entry :
             {u"POST|ps_Login1 'demo01', '********|Procedure_List01|api|/sub_asmx/asmx_soap.asmx|200"_qs,
              u"GET|||images|/image_user/D0002.jpg|200"_qs, u"POST|||api|/sub_asmx/asmx_soap.asmx|500"_qs})
            QVERIFY2(seen.contains(entry), qPrintable(entry + u'\n' + seen.join(u'\n')));
    }
};

QTEST_MAIN(ServiceHttp)
#include "tst_service_http.moc"
