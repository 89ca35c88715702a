#include "JsonServiceClient.h"
#include "ProcedureClient.h"
#include "SoapRequest.h"
#include "SoapReply.h"
#include "TlsTestServer.h"

#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QTest>
#include <QThread>

#include <optional>

using namespace tvs;
using tvs::test::TestCertificate;
using tvs::test::TlsTestServer;

namespace {

struct LogLine
{
    QString category;
    QtMsgType type;
    QString text;
};
QList<LogLine> g_log;
QtMessageHandler g_previous = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_log.append({QString::fromUtf8(context.category ? context.category : ""), type, text});
    if (g_previous)
        g_previous(type, context, text);
}

bool netWarningContains(const QString &needle)
{
    for (const LogLine &line : std::as_const(g_log)) {
        if (line.category == QLatin1String("tvs.net") && line.type == QtWarningMsg &&
            line.text.contains(needle, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool anyLogContains(const QString &needle)
{
    for (const LogLine &line : std::as_const(g_log)) {
        if (line.text.contains(needle))
            return true;
    }
    return false;
}

const QString kLoginText =
    QStringLiteral("ps_Login1 'dealer', 'f00dfacedigest', 'MOBILE_DEALER', '1, 2, 3, 4, 12'");

} // namespace

class ClientTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_log.clear(); }
    void trustedCertificatePasses();
    void unknownCertificateFails();
    void connectionRefused();
    void silentServerTimesOut();
    void httpErrorStatus();
    void unreadableReplies_data();
    void unreadableReplies();
    void deadReceiverGetsNothing();
    void jsonService();

private:
    std::optional<ProcedureReply> callAndWait(ProcedureClient &client, const QString &text,
                                              const ReplyShape &shape = {});

    TestCertificate m_cert;
    QNetworkAccessManager m_nam;
};

void ClientTest::initTestCase()
{
    m_cert = TestCertificate::generate();
    QVERIFY(!m_cert.isNull());
    g_previous = qInstallMessageHandler(captureMessages);
}

std::optional<ProcedureReply> ClientTest::callAndWait(ProcedureClient &client, const QString &text,
                                                      const ReplyShape &shape)
{
    std::optional<ProcedureReply> got;
    Qt::HANDLE callbackThread = nullptr;
    QObject receiver;
    client.call(kProcedureList, text, shape, &receiver, [&](const ProcedureReply &reply) {
        got = reply;
        callbackThread = QThread::currentThreadId();
    });
    if (!QTest::qWaitFor([&] { return got.has_value(); }, 60000))
        return std::nullopt;
    if (got && callbackThread != QThread::currentThreadId())
        qFatal("callback ran off the receiver's thread");
    return got;
}

void ClientTest::trustedCertificatePasses()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(soapReply("&lt;NewDataSet&gt;&lt;Table&gt;&lt;sUserCode&gt;D0001&lt;/sUserCode&gt;"
                              "&lt;sUserName&gt;김딜러 &amp;amp; 상사&lt;/sUserName&gt;&lt;/Table&gt;"
                              "&lt;/NewDataSet&gt;"));
    ProcedureClient client(&m_nam, server.hostPort(), {m_cert.certificate});
    ReplyShape shape;
    shape.cleaning = Cleaning::Trimming;
    const auto reply = callAndWait(client, QStringLiteral("ps_UserInfo 'D0001'"), shape);
    QVERIFY(reply);
    QVERIFY2(reply->ok(), qPrintable(reply->error));
    QVERIFY(reply->walk.complete);
    QCOMPARE(reply->walk.rows.size(), 1);
    QCOMPARE(reply->walk.rows[0].value("sUserName"), QStringLiteral("김딜러 & 상사"));

    QCOMPARE(server.requests().size(), 1);
    const TlsTestServer::Request &request = server.requests().first();
    const SoapRequest expected =
        makeSoapRequest(server.hostPort(), kProcedureList, QStringLiteral("ps_UserInfo 'D0001'"));
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QByteArray("/sub_asmx/asmx_soap.asmx"));
    QCOMPARE(request.body, expected.body);
    QCOMPARE(request.header("SOAPAction"), QByteArray("http://tempuri.org/Procedure_List01"));
    QCOMPARE(request.header("Content-Type"), QByteArray("text/xml; charset= UTF-8"));
    QCOMPARE(request.header("Content-Length"), QByteArray::number(expected.body.size()));
    // Our headers went out once each, in our order.
    QList<QByteArray> ours;
    for (const auto &header : request.headers) {
        if (expected.request.rawHeaderList().contains(header.first))
            ours << header.first;
    }
    QCOMPARE(ours, (QList<QByteArray>{"Content-Type", "SOAPAction", "Content-Length"}));
}

void ClientTest::unknownCertificateFails()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(soapReply("&lt;rtn&gt;YES&lt;/rtn&gt;"));
    ProcedureClient client(&m_nam, server.hostPort(), {});
    const auto reply = callAndWait(client, kLoginText);
    QVERIFY(reply);
    QCOMPARE(reply->status, ProcedureReply::TransportError);
    QVERIFY(server.requests().isEmpty());
    QVERIFY(netWarningContains(QStringLiteral("certificate")));
    QVERIFY(netWarningContains(QStringLiteral("ps_Login1")));
    QVERIFY(!anyLogContains(QStringLiteral("f00dfacedigest")));
}

void ClientTest::connectionRefused()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    ProcedureClient client(&m_nam, QStringLiteral("127.0.0.1:%1").arg(port), {m_cert.certificate});
    const auto reply = callAndWait(client, kLoginText);
    QVERIFY(reply);
    QCOMPARE(reply->status, ProcedureReply::TransportError);
    QVERIFY(!reply->error.isEmpty());
    QVERIFY(netWarningContains(QStringLiteral("refused")));
    QVERIFY(!anyLogContains(QStringLiteral("f00dfacedigest")));
}

void ClientTest::silentServerTimesOut()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setSilent(true);
    ProcedureClient client(&m_nam, server.hostPort(), {m_cert.certificate});
    client.setTimeout(1500);
    const auto reply = callAndWait(client, QStringLiteral("ps_UserCarCount 'D0001'"));
    QVERIFY(reply);
    QCOMPARE(reply->status, ProcedureReply::TransportError);
    QVERIFY2(reply->error.contains(QLatin1String("timed out")), qPrintable(reply->error));
    QCOMPARE(server.requests().size(), 1);
    QVERIFY(netWarningContains(QStringLiteral("timed out")));
}

void ClientTest::httpErrorStatus()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply("<soap:Fault/>", 500);
    ProcedureClient client(&m_nam, server.hostPort(), {m_cert.certificate});
    const auto reply = callAndWait(client, QStringLiteral("ps_X"));
    QVERIFY(reply);
    QCOMPARE(reply->status, ProcedureReply::TransportError);
    QVERIFY2(reply->error.contains(QLatin1String("500")), qPrintable(reply->error));
    // The service's own answer stays readable: a screen that must tell a refusal from
    // no answer at all (the bid) looks at it.
    QCOMPARE(reply->body, QByteArray("<soap:Fault/>"));
}

void ClientTest::unreadableReplies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("logged");
    QTest::newRow("empty") << QByteArray() << int(ProcedureReply::BadReply) << 0 << "empty";
    QTest::newRow("not utf-8") << soapReply("&lt;Table&gt;&lt;a&gt;\xB1\xE8&lt;/a&gt;&lt;/Table&gt;")
                               << int(ProcedureReply::BadReply) << 0 << "UTF-8";
    QTest::newRow("broken off")
        << soapReply("&lt;Table&gt;&lt;a&gt;1&lt;/a&gt;&lt;/Table&gt;&lt;Table&gt;").left(330)
        << int(ProcedureReply::Ok) << 1 << "broke off";
}

void ClientTest::unreadableReplies()
{
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(int, rows);
    QFETCH(QString, logged);
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(body);
    ProcedureClient client(&m_nam, server.hostPort(), {m_cert.certificate});
    const auto reply = callAndWait(client, kLoginText);
    QVERIFY(reply);
    QCOMPARE(int(reply->status), status);
    QCOMPARE(reply->walk.rows.size(), rows);
    QVERIFY(!reply->error.isEmpty());
    QVERIFY(netWarningContains(logged));
    QVERIFY(!anyLogContains(QStringLiteral("f00dfacedigest")));
}

void ClientTest::deadReceiverGetsNothing()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(soapReply("&lt;Table&gt;&lt;a&gt;1&lt;/a&gt;&lt;/Table&gt;"));
    ProcedureClient client(&m_nam, server.hostPort(), {m_cert.certificate});
    bool called = false;
    auto *receiver = new QObject;
    client.call(kProcedureList, QStringLiteral("ps_A"), {}, receiver,
                [&](const ProcedureReply &) { called = true; });
    delete receiver;
    // A second call on a live receiver marks when the first reply must have come back.
    const auto second = callAndWait(client, QStringLiteral("ps_B"));
    QVERIFY(second);
    QVERIFY(second->ok());
    QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 2, 30000);
    QTest::qWait(200);
    QVERIFY(!called);
}

void ClientTest::jsonService()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply("<?xml version=\"1.0\"?><soap:Envelope><soap:Body><CarProductInfo_SendResponse>"
                    "<CarProductInfo_SendResult>{\"message\":\"성공\",\"code\":\"a &amp; b\"}"
                    "</CarProductInfo_SendResult></CarProductInfo_SendResponse></soap:Body></soap:Envelope>");
    JsonServiceClient client(&m_nam, server.hostPort(), {m_cert.certificate});
    std::optional<JsonServiceReply> got;
    QObject receiver;
    client.call(kHandOffPath, kHandOffOperation,
                {{"sCarProductCode", "P1"},
                 {"sInputType", "POST"},
                 {"sUserCode", "D0001"},
                 {"sRequest", kRequesterId}},
                &receiver, [&](const JsonServiceReply &reply) { got = reply; });
    QTRY_VERIFY_WITH_TIMEOUT(got.has_value(), 60000);
    QVERIFY2(got->ok(), qPrintable(got->error));
    QCOMPARE(got->object.value("message").toString(), QStringLiteral("성공"));
    QCOMPARE(got->object.value("code").toString(), QStringLiteral("a & b"));
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests()[0].path, QByteArray("/sub_asmx/asmx_json_tvs_to_zest.asmx"));
    QVERIFY(server.requests()[0].body.contains("<sInputType>POST</sInputType><sUserCode>D0001</sUserCode>"));

    // Untrusted: a transport failure with a log line. (A manager of its own: a
    // manager reuses what it keeps of a host, and the app never mixes trust
    // settings on its one manager.)
    QNetworkAccessManager otherNam;
    JsonServiceClient untrusted(&otherNam, server.hostPort(), {});
    got.reset();
    untrusted.call(kCarLookupPath, kCarLookupOperation, {}, &receiver,
                   [&](const JsonServiceReply &reply) { got = reply; });
    QTRY_VERIFY_WITH_TIMEOUT(got.has_value(), 60000);
    QCOMPARE(got->status, JsonServiceReply::TransportError);
    QVERIFY(netWarningContains(QStringLiteral("CarInfo_Search")));
}

QTEST_GUILESS_MAIN(ClientTest)
#include "tst_client.moc"
