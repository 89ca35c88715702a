// The transport against a local HTTPS server: ProcedureClient, JsonServiceClient
// and the tvs-call tool on top of them.
#include "JsonServiceClient.h"
#include "ProcedureClient.h"
#include "SoapReply.h"
#include "SoapRequest.h"
#include "TlsTestServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace tvs;
using tvs::test::TestCertificate;
using tvs::test::TlsTestServer;

namespace {

QStringList g_netLog; // every tvs.net line
QtMessageHandler g_previous = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "tvs.net") == 0)
        g_netLog << text;
    if (g_previous)
        g_previous(type, context, text);
}

bool netLogContains(const QString &needle)
{
    return !g_netLog.filter(needle, Qt::CaseInsensitive).isEmpty();
}

// Holds the password digest, which no log line may show.
const QString kLoginText =
    QStringLiteral("ps_Login1 'dealer', 'f00dfacedigest', 'MOBILE_DEALER', '1, 2, 3, 4, 12'");
const QByteArray kSilent = "(silent)";
const QByteArray kCut = "(cut)";

struct Outcome
{
    bool arrived = false;
    int status = -1;
    QString error;
    QByteArray body;
    qsizetype rows = 0;
    QString message; // the JSON result's "message"
};

} // namespace

class ClientTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_netLog.clear(); }
    void outcomes_data();
    void outcomes();
    void goneReceiverGetsNothing();
    void tvsCall_data();
    void tvsCall();

private:
    TestCertificate m_cert;
    QTemporaryDir m_dir;
};

void ClientTest::initTestCase()
{
    m_cert = TestCertificate::generate();
    QVERIFY(!m_cert.isNull());
    QFile ca(m_dir.filePath(QStringLiteral("ca.pem")));
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(m_cert.certificatePem);
    g_previous = qInstallMessageHandler(captureMessages);
}

void ClientTest::outcomes_data()
{
    QTest::addColumn<bool>("json"); // JsonServiceClient instead of ProcedureClient
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("httpStatus");
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<int>("status"); // -1: the client is destroyed (the app closing) while it waits
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("logged");

    const int ok = ProcedureReply::Ok, transport = ProcedureReply::TransportError,
              bad = ProcedureReply::BadReply, refused = ProcedureReply::Refused;
    const QByteArray rows = soapReply("<D><Table><a>1</a></Table><Table><a>2</a></Table></D>");
    QTest::newRow("rows") << false << rows << 200 << true << ok << 2 << "";
    QTest::newRow("unknown certificate")
        << false << rows << 200 << false << transport << 0 << "TLS certificate rejected";
    QTest::newRow("silent server times out")
        << false << kSilent << 200 << true << transport << 0 << "timed out";
    QTest::newRow("closing app cancels")
        << false << kSilent << 200 << true << -1 << 0 << "ps_Login1 cancelled";
    QTest::newRow("HTTP error keeps the service's answer")
        << false << QByteArray("<soap:Fault/>") << 500 << true << transport << 0 << "HTTP 500";
    QTest::newRow("SOAP fault: a refusal in the service's words")
        << false
        << QByteArray("<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                      "<soap:Fault><faultcode>soap:Client</faultcode><faultstring>no such car</faultstring>"
                      "</soap:Fault></soap:Body></soap:Envelope>")
        << 500 << true << refused << 0 << "refused by the service (HTTP 500";
    QTest::newRow("empty body") << false << QByteArray() << 200 << true << bad << 0 << "empty";
    QTest::newRow("not UTF-8") << false << soapReply("<Table><a>X</a></Table>").replace('X', "\xB1\xE8")
                               << 200 << true << bad << 0 << "UTF-8";
    QTest::newRow("broken off keeps finished rows")
        << false << rows.first(rows.indexOf("&gt;2")) << 200 << true << ok << 1 << "broke off";
    // A list sent in chunks whose last chunk never comes (the service failed on a row):
    // a failure, never a short list.
    QTest::newRow("chunked reply cut off") << false << kCut + rows.first(rows.indexOf("&gt;2")) << 200 << true
                                           << transport << 0 << "ps_Login1 failed";
    QTest::newRow("json: result read") << true
                                       << QByteArray("<soap:Envelope><soap:Body><CarProductInfo_SendResult>"
                                                     "{\"message\":\"성공\"}</CarProductInfo_SendResult>"
                                                     "</soap:Body></soap:Envelope>")
                                       << 200 << true << ok << 0 << "";
    QTest::newRow("json: unknown certificate")
        << true << QByteArray("{}") << 200 << false << transport << 0 << "TLS certificate rejected";
    QTest::newRow("json: closing app cancels")
        << true << kSilent << 200 << true << -1 << 0 << "CarProductInfo_Send cancelled";
}

void ClientTest::outcomes()
{
    QFETCH(bool, json);
    QFETCH(QByteArray, reply);
    QFETCH(int, httpStatus);
    QFETCH(bool, trusted);
    QFETCH(int, status);
    QFETCH(int, rows);
    QFETCH(QString, logged);

    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    if (reply.startsWith(kCut)) {
        reply = reply.mid(kCut.size());
        server.setResponder([reply](QSslSocket *socket, const TlsTestServer::Request &) {
            socket->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" +
                          QByteArray::number(reply.size(), 16) + "\r\n" + reply + "\r\n");
            socket->disconnectFromHost();
        });
    }
    server.setReply(reply, httpStatus);
    server.setSilent(reply == kSilent);
    QNetworkAccessManager nam;
    const QList<QSslCertificate> cas = trusted ? QList{m_cert.certificate} : QList<QSslCertificate>{};
    Outcome out;
    QObject *client = nullptr;
    if (json) {
        auto *c = new JsonServiceClient(&nam, server.hostPort(), cas);
        c->setTimeout(1500);
        c->call(kHandOffPath, kHandOffOperation, {{"sCarProductCode", "P1"}}, this,
                [&](const JsonServiceReply &r) {
                    out = {true, r.status, r.error, r.body, 0, r.object.value("message").toString()};
                });
        client = c;
    } else {
        auto *c = new ProcedureClient(&nam, server.hostPort(), cas);
        c->setTimeout(1500);
        c->call(kProcedureList, kLoginText, {}, this, [&](const ProcedureReply &r) {
            out = {true, r.status, r.error, r.body, r.walk.rows.size(), {}};
        });
        client = c;
    }
    if (status < 0) {
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, 30000);
        delete client;
        QCoreApplication::processEvents();
        QVERIFY(!out.arrived);
        QVERIFY(!netLogContains(QStringLiteral("timed out")));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(out.arrived, 60000);
        delete client;
        QCOMPARE(out.status, status);
        QCOMPARE(out.rows, rows);
        QCOMPARE(out.error.isEmpty(), logged.isEmpty());
        if (status == ProcedureReply::Refused)
            QCOMPARE(out.error, QStringLiteral("no such car"));
        QCOMPARE(out.message, json && status == ProcedureReply::Ok ? QStringLiteral("성공") : QString());
        // The body as it came, an HTTP error page too (a refusal is told from no answer by it).
        QCOMPARE(out.body, trusted && reply != kSilent ? reply : QByteArray());
    }
    QVERIFY2(logged.isEmpty() || netLogContains(logged), qPrintable(g_netLog.join(u'\n')));
    QVERIFY(!netLogContains(QStringLiteral("f00dfacedigest")));
    // An untrusted server never sees the request; the others see it as built, our
    // headers once each and in our order.
    QCOMPARE(server.requests().size(), trusted ? 1 : 0);
    if (!trusted)
        return;
    const TlsTestServer::Request &request = server.requests().first();
    const SoapRequest sent = json ? makeJsonServiceRequest(server.hostPort(), kHandOffPath, kHandOffOperation,
                                                           {{"sCarProductCode", "P1"}})
                                  : makeSoapRequest(server.hostPort(), kProcedureList, kLoginText);
    QCOMPARE(request.method + ' ' + request.path, "POST " + sent.request.url().path().toUtf8());
    QCOMPARE(request.body, sent.body);
    QList<std::pair<QByteArray, QByteArray>> ours;
    for (const auto &header : request.headers) {
        if (sent.request.hasRawHeader(header.first))
            ours << header;
    }
    QCOMPARE(ours, (QList<std::pair<QByteArray, QByteArray>>{
                       {"Content-Type", "text/xml; charset= UTF-8"},
                       {"SOAPAction", sent.request.rawHeader("SOAPAction")},
                       {"Content-Length", QByteArray::number(sent.body.size())}}));
}

void ClientTest::goneReceiverGetsNothing()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(soapReply("<Table><a>1</a></Table>"));
    QNetworkAccessManager nam;
    ProcedureClient client(&nam, server.hostPort(), {m_cert.certificate});
    bool called = false;
    auto *receiver = new QObject;
    client.call(kProcedureList, QStringLiteral("ps_A"), {}, receiver,
                [&](const ProcedureReply &) { called = true; });
    delete receiver;
    // The reply and its walk are deleted once they have been handled.
    QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(nam.findChildren<QNetworkReply *>().isEmpty(), 60000);
    QTRY_VERIFY(client.findChildren<QObject *>().isEmpty());
    QVERIFY(!called);
}

void ClientTest::tvsCall_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("httpStatus");
    QTest::addColumn<QStringList>("args"); // "@host" and "@ca" are filled in
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("stdoutText");
    QTest::addColumn<QByteArray>("stderrHas");
    const auto row = [](const char *tag, const QByteArray &reply, int status, const QStringList &args,
                        int exit, const char *out, const char *err = "") {
        QTest::newRow(tag) << reply << status << args << exit << QByteArray(out) << QByteArray(err);
    };
    const QStringList tls{"--api-host", "@host", "--ca-file", "@ca"};
    const QStringList call = tls + QStringList{"call", "Procedure_List01", "ps_X"};
    const QByteArray rows = soapReply("\n<NewDataSet>\n  <Table>\n    <sUserCode>D0001</sUserCode>\n"
                                      "    <sName>  김 \"딜러\"\n점  </sName>\n  </Table>\n"
                                      "  <Table><sUserCode>D0002</sUserCode></Table>\n</NewDataSet>");
    row("rows, trimming", rows, 200, call, 0,
        "{\"sUserCode\":\"D0001\",\"sName\":\"김 \\\"딜러\\\"\\n점\"}\n{\"sUserCode\":\"D0002\"}\n");
    row("rows, stripping", rows, 200, QStringList{"--strip"} + call, 0,
        "{\"sUserCode\":\"D0001\",\"sName\":\"김 \\\"딜러\\\"점\"}\n{\"sUserCode\":\"D0002\"}\n");
    row("named only", soapReply("<rtn>NO</rtn>"), 200, call, 0, "{\"rtn\":\"NO\"}\n");
    row("json service", "<CarInfo_SearchResult>{\"message\":\"성공\"}</CarInfo_SearchResult>", 200,
        tls + QStringList{"json", "/sub_asmx/asmx_json.asmx", "CarInfo_Search", "a=b"}, 0,
        "{\"message\":\"성공\"}\n");
    row("unknown option", {}, 200, QStringList{"--bogus"} + call, 2, "", "unknown option --bogus");
    row("bad timeout", {}, 200, QStringList{"--timeout", "soon"} + call, 2, "", "--timeout");
    row("unreadable CA file", {}, 200,
        QStringList{"--ca-file", "/nonexistent/ca.pem", "call", "Procedure_List01", "x"}, 2, "",
        "/nonexistent/ca.pem");
    row("timeout", kSilent, 200, QStringList{"--timeout", "1"} + call, 3, "", "timed out");
    row("refusal in the service's words",
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault>"
        "<faultstring>unknown procedure: ps_X</faultstring></soap:Fault></soap:Body></soap:Envelope>",
        500, call, 3, "", "the service refused the call: unknown procedure: ps_X");
    row("broken off", soapReply("<Table><a>1</a></Table><Table>"), 200, call, 4, "{\"a\":\"1\"}\n",
        "broke off");
}

void ClientTest::tvsCall()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, httpStatus);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, stdoutText);
    QFETCH(QByteArray, stderrHas);

    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(reply, httpStatus);
    server.setSilent(reply == kSilent);
    args.replaceInStrings(QStringLiteral("@host"), server.hostPort());
    args.replaceInStrings(QStringLiteral("@ca"), m_dir.filePath(QStringLiteral("ca.pem")));

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TVS_API_HOST"));
    env.remove(QStringLiteral("TVS_CA_FILE"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TVS_CALL_PATH), args);
    // The server runs in this process: wait without blocking its event loop.
    QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 120000);
    const QByteArray err = process.readAllStandardError();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == exitCode, err.constData());
    QCOMPARE(process.readAllStandardOutput(), stdoutText);
    QVERIFY2(stderrHas.isEmpty() ? err.isEmpty() : err.contains(stderrHas), err.constData());
}

QTEST_GUILESS_MAIN(ClientTest)
#include "tst_client.moc"
