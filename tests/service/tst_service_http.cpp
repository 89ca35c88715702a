// The stand-in's HTTP surface: faults for bad requests (nothing written, the service keeps
// serving), WSDL, pictures, web pages, the request log and concurrent requests.
#include "CallText.h"
#include "QrDecoder.h"
#include "ServiceFixture.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

using namespace tvs;
using namespace tvs::test;

namespace {
const QString kSoapPath = QStringLiteral("/sub_asmx/asmx_soap.asmx");

QByteArray envelope(const QByteArray &operation, const QByteArray &query,
                    const QByteArray &ns = "http://tempuri.org/")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
           " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">\n"
           "<soap:Body><" + operation + " xmlns=\"" + ns + "\"><sQuery>" + query + "</sQuery></" + operation
        + "></soap:Body></soap:Envelope>";
}

QString faultString(const QByteArray &body)
{
    const qsizetype a = body.indexOf("<faultstring>"), b = body.indexOf("</faultstring>");
    if (a < 0 || b < a)
        return {};
    return QString::fromUtf8(body.mid(a + 13, b - a - 13)).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}
} // namespace

class ServiceHttp : public QObject
{
    Q_OBJECT

    ServiceFixture f;

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

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(f.start(&error), qPrintable(error));
    }

    void badRequestsAreFaults_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        const QByteArray list = "http://tempuri.org/Procedure_List01";
        QTest::newRow("malformed xml") << list << QByteArray("<soap:Envelope><soap:Body><Procedure_List01>") << "malformed XML";
        QTest::newRow("not xml") << list << QByteArray("ps_UserCarCount 'D0001'") << "malformed XML";
        QTest::newRow("empty body") << list << QByteArray() << "";
        QTest::newRow("not an envelope") << list << QByteArray("<a/>") << "not a SOAP 1.1 envelope";
        QTest::newRow("wrong SOAPAction") << QByteArray("http://tempuri.org/Procedure_Execute01")
                                          << envelope("Procedure_List01", "ps_UserCarCount 'D0001'") << "SOAPAction";
        QTest::newRow("no SOAPAction") << QByteArray() << envelope("Procedure_List01", "ps_UserCarCount 'D0001'") << "SOAPAction";
        QTest::newRow("unknown operation") << QByteArray("http://tempuri.org/Procedure_List02")
                                           << envelope("Procedure_List02", "ps_UserCarCount 'D0001'") << "no operation";
        QTest::newRow("empty operation name") << QByteArray("http://tempuri.org/")
                                              << envelope("", "ps_UserCarCount 'D0001'") << "malformed XML";
        QTest::newRow("wrong namespace") << list << envelope("Procedure_List01", "ps_UserCarCount 'D0001'", "urn:other")
                                         << "namespace";
        QTest::newRow("json operation on the procedure service")
            << QByteArray("http://tempuri.org/CarInfo_Search") << envelope("CarInfo_Search", "x") << "no operation";
        QTest::newRow("unknown procedure") << list << envelope("Procedure_List01", "ps_DropEverything 'x'") << "unknown procedure";
        QTest::newRow("too few arguments") << list << envelope("Procedure_List01", "ps_GetUserProductCar_Info2 'D0001'")
                                           << "takes 2 arguments";
        QTest::newRow("too many arguments") << list << envelope("Procedure_List01", "ps_GetCarOption 'x'") << "takes 0 arguments";
        QTest::newRow("injected quotes") << list << envelope("Procedure_List01", "ps_UserCarCount 'D0001' OR '1'='1'")
                                         << "unreadable call text";
        QTest::newRow("injected statement")
            << QByteArray("http://tempuri.org/Procedure_Execute01")
            << envelope("Procedure_Execute01", "ps_SetProductCar_Status 'C000003', '7', 'D0001', 'MOBILE_DEALER'; DELETE FROM cars")
            << "unreadable call text";
        QTest::newRow("unclosed argument") << list << envelope("Procedure_List01", "ps_UserCarCount 'D0001") << "not closed";
        QTest::newRow("state filter not a number") << list << envelope("Procedure_List01", "ps_GetUserProductCar_Info2 'D0001', '1 OR 1'")
                                                   << "must be a number";
        QTest::newRow("document type") << list
                                       << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>")
                                              + envelope("Procedure_List01", "&b;").mid(39)
                                       << "";
        QTest::newRow("nested element in the query") << list << envelope("Procedure_List01", "<b>ps_GetCarOption</b>") << "";
        QTest::newRow("parameter twice") << list
                                         << envelope("Procedure_List01", "ps_GetCarOption</sQuery><sQuery>ps_GetCarOption")
                                         << "given twice";
    }
    void badRequestsAreFaults()
    {
        QFETCH(QByteArray, action);
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);
        const QString before = fingerprint();
        const HttpResult r = f.post(kSoapPath, action, body);
        QCOMPARE(r.status, 500);
        QVERIFY(r.body.contains("<soap:Fault><faultcode>soap:Client</faultcode>"));
        const QString why = faultString(r.body);
        QVERIFY(!why.isEmpty());
        QVERIFY2(why.contains(reason), qPrintable(why));
        QCOMPARE(fingerprint(), before);
        // Still serving.
        QCOMPARE(f.call(callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})).rows.size(), 1);
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
        const QByteArray big = envelope("Procedure_List01", "ps_UserCarCount '" + QByteArray(megabytes * 1024 * 1024, 'x') + "'");
        const HttpResult r = f.post(kSoapPath, "http://tempuri.org/Procedure_List01", big);
        if (megabytes == 1 || r.status != 0) {
            QCOMPARE(r.status, 413);
            QVERIFY(r.body.contains("larger than 1 MiB"));
        } else {
            QVERIFY2(!r.error.isEmpty(), "neither a 413 nor a closed connection");
        }
        QCOMPARE(fingerprint(), before);
        QCOMPARE(f.call(callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})).rows.size(), 1);
        QCOMPARE(f.getImage(QStringLiteral("/image_user/D0003.jpg")).status, 200);
    }

    void manyRequestsOnOneConnectionAreNotOneBigRequest()
    {
        // 24 requests of about 100 KB each on the same kept-alive connection: together far
        // over the limit, each on its own well under it.
        const QString bulky = callText(QStringLiteral("ps_GetCarPhotoList"), {QString(100 * 1024, u'x')});
        for (int i = 0; i < 24; ++i) {
            const WalkResult w = f.call(bulky);
            QCOMPARE(f.lastReply.status, 200);
            QCOMPARE(w.named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
        }
    }

    void wrongMethodsAndPaths_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("status");
        QTest::newRow("GET on the procedure service") << "api:/sub_asmx/asmx_soap.asmx" << 405;
        QTest::newRow("unknown path") << "api:/sub_asmx/other.asmx" << 404;
        QTest::newRow("unknown web page") << "api:/service/nothing?sUserCode=D0001" << 404;
        QTest::newRow("page of an unknown dealer") << "api:/service/bizRequest?sUserCode=D9999" << 404;
        QTest::newRow("other shop's settlement") << "api:/service/summery?sUserCode=D0001&sCarProductCode=C000045" << 404;
        QTest::newRow("no such photo") << "img:/image_product/C000001/C000001_99.jpg" << 404;
        QTest::newRow("photo of another car") << "img:/image_product/C000002/C000001_01.jpg" << 404;
        QTest::newRow("path climbing") << "img:/image_product/C000001/..%2F..%2Fca.pem" << 404;
        QTest::newRow("procedures on the image host") << "img:/sub_asmx/asmx_soap.asmx" << 404;
        QTest::newRow("unknown portrait") << "img:/image_user/D9999.jpg" << 404;
    }
    void wrongMethodsAndPaths()
    {
        QFETCH(QString, url);
        QFETCH(int, status);
        const HttpResult r = url.startsWith(QLatin1String("api:")) ? f.getApi(url.mid(4)) : f.getImage(url.mid(4));
        QCOMPARE(r.status, status);
        QVERIFY(!r.body.isEmpty());
    }

    void wsdl_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("operations");
        QTest::newRow("procedures") << "/sub_asmx/asmx_soap.asmx" << QStringList{"Procedure_List01", "Procedure_Execute01"};
        QTest::newRow("lookup") << "/sub_asmx/asmx_json.asmx" << QStringList{"CarInfo_Search"};
        QTest::newRow("hand-off") << "/sub_asmx/asmx_json_tvs_to_zest.asmx" << QStringList{"CarProductInfo_Send"};
    }
    void wsdl()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, operations);
        const HttpResult r = f.getApi(path + QStringLiteral("?WSDL"));
        QCOMPARE(r.status, 200);
        QXmlStreamReader xml(r.body);
        QSet<QString> bound;
        QString address;
        QStringList optionalParams;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            // The service answers a call without one of its parameters with a fault, so a
            // client built from the description must know that each one is required.
            const QString name = xml.attributes().value(QStringLiteral("name")).toString();
            if (xml.name() == QLatin1String("element") && xml.attributes().hasAttribute(QStringLiteral("minOccurs"))
                && !name.endsWith(QLatin1String("Result"))
                && xml.attributes().value(QStringLiteral("minOccurs")) != QLatin1String("1"))
                optionalParams << name;
            if (xml.name() == QLatin1String("operation") && xml.namespaceUri() == QLatin1String("http://schemas.xmlsoap.org/wsdl/soap/"))
                bound << xml.attributes().value(QStringLiteral("soapAction")).toString();
            if (xml.name() == QLatin1String("address"))
                address = xml.attributes().value(QStringLiteral("location")).toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY2(optionalParams.isEmpty(), qPrintable(optionalParams.join(u' ')));
        QCOMPARE(address, QStringLiteral("https://%1%2").arg(f.service->apiHost(), path));
        for (const QString &op : operations)
            QVERIFY(bound.contains(QStringLiteral("http://tempuri.org/") + op));
        QCOMPARE(bound.size(), operations.size());
    }

    void pictures()
    {
        for (const QString &url : {QStringLiteral("http://%1/image_product/C000001/C000001_01.jpg").arg(f.service->imageHost()),
                                   QStringLiteral("http://%1/image_product/C000001/C000001_02.jpg").arg(f.service->imageHost()),
                                   QStringLiteral("https://%1/image_product/C000006/C000006_03.jpg").arg(f.service->apiHost())}) {
            const HttpResult r = f.get(url);
            QCOMPARE(r.status, 200);
            QCOMPARE(r.contentType, QByteArray("image/jpeg"));
            const QImage image = QImage::fromData(r.body, "JPEG");
            QCOMPARE(image.size(), QSize(640, 480));
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 8)
                for (int x = 0; x < image.width(); x += 8)
                    colours << (image.pixel(x, y) & 0xf0f0f0);
            QVERIFY2(colours.size() > 20, "a drawing, not a blank picture");
        }
        // Cached in the data folder: the same bytes the second time.
        const HttpResult a = f.getImage(QStringLiteral("/image_user/D0001.jpg"));
        const HttpResult b = f.getImage(QStringLiteral("/image_user/D0001.jpg"));
        QCOMPARE(a.status, 200);
        QCOMPARE(QImage::fromData(a.body).size(), QSize(256, 256));
        QCOMPARE(a.body, b.body);
        QVERIFY(QFile::exists(f.dataDir() + QStringLiteral("/pictures/user/D0001.jpg")));
    }

    void qrSignInCodes()
    {
        // The demo dealer's code: "U" + token under the app's key, the ciphertext the
        // app's own tests know for it.
        const QString sealed = QStringLiteral("ASabkqrcAR6h8JotoEMYvw==");
        const HttpResult r = f.getImage(QStringLiteral("/image_user/D0001-qr.png"));
        QCOMPARE(r.status, 200);
        QCOMPARE(r.contentType, QByteArray("image/png"));
        const auto served = decodeQrImage(QImage::fromData(r.body, "PNG"));
        QVERIFY(served);
        QCOMPARE(served->text, sealed);
        const auto file = decodeQrImage(QImage(f.dataDir() + QStringLiteral("/qr-demo01.png")));
        QVERIFY(file);
        QCOMPARE(file->text, sealed);
        QVERIFY(QFile::exists(f.dataDir() + QStringLiteral("/qr-demo03.png")));
        QCOMPARE(f.getImage(QStringLiteral("/image_user/D9999-qr.png")).status, 404);
    }

    void webPages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("contains");
        const QString plate = QStringLiteral("PLATE");
        QTest::newRow("business requests") << "/service/bizRequest?sUserCode=D0001" << QStringList{"업무 요청", "김민준", "작업 지시"};
        QTest::newRow("settlement") << "/service/summery?sUserCode=D0001&sCarProductCode=C000001"
                                    << QStringList{"정산내역", "매입금액", "PLATE"};
        QTest::newRow("amounts, code glued to the user") << "/service/inoutgate?sUserCode=D0001C000001"
                                                         << QStringList{"매입매출금액", "매출금액", "PLATE"};
        QTest::newRow("amounts, code as its own parameter") << "/service/inoutgate?sUserCode=D0001&sCarProductCode=C000001"
                                                            << QStringList{"매입매출금액", "PLATE"};
        QTest::newRow("index") << "/" << QStringList{"/sub_asmx/asmx_soap.asmx?WSDL", "CarInfo_Search", "demo01"};
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
        const HttpResult r = f.getApi(path);
        QCOMPARE(r.status, 200);
        QVERIFY(r.contentType.startsWith("text/html"));
        const QString html = QString::fromUtf8(r.body);
        for (QString want : contains) {
            want.replace(QStringLiteral("PLATE"), plate).replace(QStringLiteral("PRICE"), price);
            QVERIFY2(html.contains(want), qPrintable(want));
        }
    }

    void pagesEscapeWhatTheyShow()
    {
        // A description with markup.
        f.db(QStringLiteral("UPDATE cars SET sCarProductContent = '<script>alert(1)</script> & co' WHERE sCarProductCode = 'C000002'"));
        const QString html = QString::fromUtf8(f.getApi(QStringLiteral("/sub_buycar/buycar_view_func.aspx?sCarProductCode=C000002")).body);
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; &amp; co")));
        QVERIFY(!html.contains(QStringLiteral("<script>")));

        // Text that looks like a placeholder is shown as it stands, and the fields after it too.
        const QString plate = f.db(QStringLiteral("SELECT sCarProductNum FROM cars WHERE sCarProductCode = 'C000002'")).toString();
        f.db(QStringLiteral("UPDATE cars SET sCarProductNum = '77%1가 7777' WHERE sCarProductCode = 'C000002'"));
        const QString marked = QString::fromUtf8(f.getApi(QStringLiteral("/sub_buycar/buycar_view_func.aspx?sCarProductCode=C000002")).body);
        f.db(QStringLiteral("UPDATE cars SET sCarProductNum = ? WHERE sCarProductCode = 'C000002'"), {plate});
        QVERIFY2(marked.contains(QStringLiteral("77%1가 7777")), qPrintable(marked));
        QVERIFY(!marked.contains(QStringLiteral("%10")));
    }

    void concurrentRequests()
    {
        struct Pending { QNetworkReply *reply; int kind; };
        QList<Pending> pending;
        const QStringList texts = {callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")}),
                                   callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode}),
                                   QStringLiteral("ps_GetCarOption")};
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(f.service->caCertificates());
        const int held = f.call(texts[0]).rows.size();
        const int options = f.call(texts[2]).rows.size();
        for (int i = 0; i < 30; ++i) {
            SoapRequest soap = makeSoapRequest(f.service->apiHost(), QStringLiteral("Procedure_List01"), texts[i % 3]);
            soap.request.setSslConfiguration(tls);
            pending.append({f.nam.post(soap.request, soap.body), i % 3});
        }
        ReplyShape shape;
        for (const Pending &p : pending) {
            const HttpResult r = finish(p.reply);
            QCOMPARE(r.status, 200);
            const WalkResult w = walkReply(r.body, shape);
            QVERIFY(w.complete);
            if (p.kind == 0)
                QCOMPARE(w.rows.size(), held);
            else if (p.kind == 1)
                QCOMPARE(w.rows.first().value(QStringLiteral("sSellWait")).toInt(), held);
            else
                QCOMPARE(w.rows.size(), options);
        }
    }

    void requestLog()
    {
        f.call(callText(QStringLiteral("ps_Login1"), {demo::kUserId, md5(demo::kPassword), QStringLiteral("MOBILE_DEALER"),
                                                      QStringLiteral("1, 2, 3, 4, 12")}));
        f.call(callText(QStringLiteral("ps_LoginQR1"), {demo::kQrToken, QStringLiteral("MOBILE_DEALER"), QStringLiteral("1,2,3,4,12")}));
        f.getImage(QStringLiteral("/image_user/D0002.jpg"));
        QFile log(f.logFile());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray all = log.readAll();
        const QList<QByteArray> lines = all.trimmed().split('\n');
        QVERIFY(lines.size() >= 10);
        QVERIFY(!all.contains(md5(demo::kPassword).toUtf8()));
        QVERIFY(!all.contains(demo::kQrToken.toUtf8()));
        bool sawLogin = false, sawImage = false, sawFault = false;
        for (const QByteArray &line : lines) {
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(line, &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, line.constData());
            QVERIFY(o.contains(QStringLiteral("method")) && o.contains(QStringLiteral("path")) && o.contains(QStringLiteral("status")));
            if (o.value(QStringLiteral("callText")).toString().startsWith(QLatin1String("ps_Login1 'demo01', '********'"))) {
                sawLogin = true;
                QCOMPARE(o.value(QStringLiteral("soapAction")).toString(), QStringLiteral("http://tempuri.org/Procedure_List01"));
                QCOMPARE(o.value(QStringLiteral("operation")).toString(), QStringLiteral("Procedure_List01"));
            }
            if (o.value(QStringLiteral("path")).toString() == QLatin1String("/image_user/D0002.jpg"))
                sawImage = o.value(QStringLiteral("host")).toString() == QLatin1String("images");
            if (o.value(QStringLiteral("status")).toInt() == 500)
                sawFault = true;
        }
        QVERIFY(sawLogin);
        QVERIFY(sawImage);
        QVERIFY(sawFault);
    }
};

QTEST_MAIN(ServiceHttp)
#include "tst_service_http.moc"
