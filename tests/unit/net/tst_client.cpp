// The transport against a local HTTPS server: ProcedureClient, JsonServiceClient
// and the tvs-call tool on top of them; and replies that a broken or hostile server
// could send, against both clients: each ends in a failure for the caller and a
// tvs.net warning, never in a crash, a hang or a body held whole.
#include "JsonServiceClient.h"
#include "ProcedureClient.h"
#include "ReplyBuilder.h"
#include "SoapRequest.h"
#include "TlsTestServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include <unistd.h>

using namespace tvs;
using tvs::test::resultBody;
using tvs::test::TestCertificate;
using tvs::test::TlsTestServer;

namespace {

QStringList g_netLog, g_netWarnings; // every tvs.net line, and its warnings
QtMessageHandler g_previous = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "tvs.net") == 0) {
        g_netLog << text;
        if (type == QtWarningMsg)
            g_netWarnings << text;
    }
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

enum class Client { Procedure, Json };

enum class Reply {
    Huge,            // 100 MB announced by its Content-Length
    Flood,           // a body without a length that never ends: only the size check ends it in time
    Endless,         // a few bytes every 100 ms, forever
    DeepNesting,     // 100,000 nested elements
    EntityExpansion, // internal entities nested ten deep, and an external one naming a file
    InvalidUtf8,
    NotXml,
    Utf16Lookalike, // UTF-8, but its first bytes read as UTF-16 ("<" and a NUL)
};

constexpr qint64 kHugeBytes = 100 * 1024 * 1024;
const QByteArray kSecret = "secret-of-the-file";

// Both clients find their result element in this envelope.
QByteArray envelopeStart()
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><Procedure_List01Result>"
           "<CarInfo_SearchResult>";
}

QByteArray entityBody(const QString &secretFile)
{
    QByteArray dtd = "<!ENTITY e0 \"lol\">";
    for (int i = 1; i <= 10; ++i)
        dtd += "<!ENTITY e" + QByteArray::number(i) + " \"" +
               QByteArray("&e" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    dtd += "<!ENTITY file SYSTEM \"file://" + secretFile.toUtf8() + "\">";
    return "<?xml version=\"1.0\"?><!DOCTYPE soap:Envelope [" + dtd +
           "]><soap:Envelope "
           "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><Procedure_List01Result>"
           "<Table><a>&e10;</a><b>&file;</b></Table></Procedure_List01Result></soap:Body></soap:Envelope>";
}

// The head of a reply sent in chunks, and one chunk of it.
QByteArray chunkedHead()
{
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
}
QByteArray chunk(const QByteArray &data)
{
    return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n";
}

// Writes `total` body bytes after `start` (without end when negative), never more
// than a few chunks ahead of the peer.
void streamBody(QSslSocket *socket, const QByteArray &start, qint64 total)
{
    socket->write(start);
    auto sent = std::make_shared<qint64>(0);
    auto feed = [socket, total, sent] {
        static const QByteArray chunk(64 * 1024, 'x');
        while ((total < 0 || *sent < total) &&
               socket->bytesToWrite() + socket->encryptedBytesToWrite() < 4 * chunk.size() &&
               socket->state() == QAbstractSocket::ConnectedState) {
            const qint64 n = total < 0 ? chunk.size() : std::min<qint64>(chunk.size(), total - *sent);
            socket->write(chunk.constData(), n);
            *sent += n;
        }
    };
    QObject::connect(socket, &QSslSocket::encryptedBytesWritten, socket, feed);
    feed();
}

} // namespace

Q_DECLARE_METATYPE(Client)
Q_DECLARE_METATYPE(Reply)

class ClientTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_netLog.clear(); }
    void outcomes_data();
    void outcomes();
    void goneReceiverGetsNothing();
    void rowsPassOnAsRead();
    void tvsCall_data();
    void tvsCall();
    void hostileReplies_data();
    void hostileReplies();

private:
    void respond(Reply kind, QSslSocket *socket);

    TestCertificate m_cert;
    QTemporaryDir m_dir;
    QTemporaryFile m_secretFile;
};

void ClientTest::initTestCase()
{
    m_cert = TestCertificate::generate();
    QVERIFY(!m_cert.isNull());
    QFile ca(m_dir.filePath(QStringLiteral("ca.pem")));
    QVERIFY(ca.open(QIODevice::WriteOnly));
    ca.write(m_cert.certificatePem);
    QVERIFY(m_secretFile.open());
    m_secretFile.write(kSecret);
    m_secretFile.flush();
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
    const QByteArray rows = resultBody("<D><Table><a>1</a></Table><Table><a>2</a></Table></D>");
    QTest::newRow("rows") << false << rows << 200 << true << ok << 2 << "";
    QTest::newRow("unknown certificate")
        << false << rows << 200 << false << transport << 0 << "TLS certificate rejected";
    QTest::newRow("silent server times out")
        << false << kSilent << 200 << true << transport << 0 << "timed out";
    QTest::newRow("closing app cancels")
        << false << kSilent << 200 << true << -1 << 0 << "ps_Login1 cancelled";
    QTest::newRow("HTTP error keeps the service's answer")
        << false << QByteArray("<soap:Fault/>") << 500 << true << transport << 0 << "HTTP 500";
    // The procedure service's no: a refusal in its words, never a network failure.
    const QByteArray fault(
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
        "<soap:Fault><faultcode>soap:Client</faultcode><faultstring>no such car</faultstring>"
        "</soap:Fault></soap:Body></soap:Envelope>");
    QTest::newRow("SOAP fault") << false << fault << 500 << true << refused << 0
                                << "refused by the service (HTTP 500";
    QTest::newRow("empty body") << false << QByteArray() << 200 << true << bad << 0 << "empty";
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
    QTest::newRow("json: SOAP fault") << true << fault << 500 << true << transport << 0 << "HTTP 500";
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
            socket->write(chunkedHead() + chunk(reply));
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
    server.setReply(resultBody("<Table><a>1</a></Table>"));
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

// A list's rows go to the caller as they are read, before its reply ends, the first
// of them in the turn that read them; the reply then brings them all.
void ClientTest::rowsPassOnAsRead()
{
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    const QByteArray body = resultBody("<D>" + QByteArray("<Table><a>1</a></Table>").repeated(3) + "</D>");
    const qsizetype cut = body.lastIndexOf("&gt;1");
    QPointer<QSslSocket> peer;
    server.setResponder([&](QSslSocket *socket, const TlsTestServer::Request &) {
        peer = socket;
        socket->write(chunkedHead() + chunk(body.first(cut)));
    });
    QNetworkAccessManager nam;
    ProcedureClient client(&nam, server.hostPort(), {m_cert.certificate});
    client.setTimeout(5000);
    client.setFirstRowsWait(30000); // however slow this machine's pool thread is
    qsizetype read = 0;
    std::optional<ProcedureReply> done;
    client.call(
        kProcedureList, QStringLiteral("ps_A"), {}, this, [&](const ProcedureReply &r) { done = r; },
        [&](const Records &rows) { read += rows.size(); });
    QList<qsizetype> readAtTurnEnds; // rows handed on when each readyRead has been handled
    QNetworkReply *reply = nam.findChild<QNetworkReply *>();
    QVERIFY(reply);
    connect(reply, &QNetworkReply::readyRead, this, [&] { readAtTurnEnds << read; });
    QTRY_VERIFY_WITH_TIMEOUT(read == 2 || done, 60000);
    QVERIFY(!done && peer);
    QVERIFY2(std::any_of(readAtTurnEnds.cbegin(), readAtTurnEnds.cend(), [](qsizetype n) { return n > 0; }),
             "the first rows waited for a later turn");
    peer->write(chunk(body.mid(cut)) + "0\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(done, 60000);
    QCOMPARE(done->walk.rows.size(), 3);
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
    const QByteArray rows = resultBody("\n<NewDataSet>\n  <Table>\n    <sUserCode>D0001</sUserCode>\n"
                                       "    <sName>  김 \"딜러\"\n점  </sName>\n  </Table>\n"
                                       "  <Table><sUserCode>D0002</sUserCode></Table>\n</NewDataSet>");
    row("rows, trimming", rows, 200, call, 0,
        "{\"sUserCode\":\"D0001\",\"sName\":\"김 \\\"딜러\\\"\\n점\"}\n{\"sUserCode\":\"D0002\"}\n");
    row("rows, stripping", rows, 200, QStringList{"--strip"} + call, 0,
        "{\"sUserCode\":\"D0001\",\"sName\":\"김 \\\"딜러\\\"점\"}\n{\"sUserCode\":\"D0002\"}\n");
    row("named only", resultBody("<rtn>NO</rtn>"), 200, call, 0, "{\"rtn\":\"NO\"}\n");
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
    row("broken off", resultBody("<Table><a>1</a></Table><Table>"), 200, call, 4, "{\"a\":\"1\"}\n",
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

void ClientTest::respond(Reply kind, QSslSocket *socket)
{
    const auto whole = [socket](const QByteArray &body) {
        socket->write(TlsTestServer::head(body.size()) + body);
        socket->disconnectFromHost();
    };
    switch (kind) {
    case Reply::Huge:
        streamBody(socket, TlsTestServer::head(kHugeBytes) + envelopeStart(), kHugeBytes);
        break;
    case Reply::Flood:
        streamBody(socket, TlsTestServer::head() + envelopeStart(), -1);
        break;
    case Reply::Endless: {
        socket->write(TlsTestServer::head() + envelopeStart());
        auto *drip = new QTimer(socket);
        connect(drip, &QTimer::timeout, socket, [socket] { socket->write("  "); });
        drip->start(100);
        break;
    }
    case Reply::DeepNesting:
        whole(resultBody(QStringLiteral("<a>").repeated(100000) + QStringLiteral("</a>").repeated(100000)));
        break;
    case Reply::EntityExpansion:
        whole(entityBody(m_secretFile.fileName()));
        break;
    case Reply::InvalidUtf8:
        whole(resultBody(QStringLiteral("<Table><a>X</a></Table>"))
                  .replace("&gt;X&lt;", "&gt;\xB1\xE8\xFF&lt;"));
        break;
    case Reply::Utf16Lookalike:
        whole(QByteArray("<\0\0\0\0\0\0", 7));
        break;
    case Reply::NotXml:
        whole("Service Unavailable: try again later {\"message\":\"성공\"}");
        break;
    }
}

void ClientTest::hostileReplies_data()
{
    QTest::addColumn<Client>("client");
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<int>("status"); // the same numbers in both clients' Status
    QTest::addColumn<QString>("logged");

    const int ok = ProcedureReply::Ok, transport = ProcedureReply::TransportError,
              bad = ProcedureReply::BadReply;
    const QString limit = QStringLiteral("larger than the limit of %1 bytes").arg(kMaxReplyBytes);
    for (const Client client : {Client::Procedure, Client::Json}) {
        const char *name = client == Client::Procedure ? "procedure" : "json";
        const auto row = [name, client](const char *what) -> QTestData & {
            return QTest::addRow("%s: %s", name, what) << client;
        };
        row("100 MB") << Reply::Huge << bad << limit + QStringLiteral(" (Content-Length %1)").arg(kHugeBytes);
        row("endless body without a length") << Reply::Flood << bad << limit + " (";
        row("never ends") << Reply::Endless << transport << "no complete reply within 1500 ms";
        row("invalid UTF-8") << Reply::InvalidUtf8 << bad << "UTF-8";
        row("not XML") << Reply::NotXml << (client == Client::Json ? bad : ok)
                       << (client == Client::Json ? "no CarInfo_SearchResult" : "broke off");
    }
    // The walk's own defences: the reply arrives whole, the walk ends early.
    const auto row = [](const char *what) -> QTestData & {
        return QTest::addRow("procedure: %s", what) << Client::Procedure;
    };
    row("100,000 levels") << Reply::DeepNesting << ok << "broke off";
    row("entity expansion") << Reply::EntityExpansion << ok << "broke off";
    // libxml2 reports this one outside the parser's handler as well.
    row("UTF-16 lookalike") << Reply::Utf16Lookalike << ok << "encoder error";
}

void ClientTest::hostileReplies()
{
    QFETCH(Client, client);
    QFETCH(Reply, reply);
    QFETCH(int, status);
    QFETCH(QString, logged);

    g_netWarnings.clear();
    // Whatever goes wrong is said in the log, never written to stderr behind its back.
    QTemporaryFile stderrCopy;
    QVERIFY(stderrCopy.open());
    const int savedStderr = ::dup(2);
    ::dup2(stderrCopy.handle(), 2);
    const auto restoreStderr = qScopeGuard([savedStderr] {
        ::dup2(savedStderr, 2);
        ::close(savedStderr);
    });
    // The server has a thread of its own, as a real one would: encrypting 100 MB on this
    // thread would starve the client under test of the turns it reads in.
    QThread serverThread;
    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setResponder(
        [this, reply](QSslSocket *socket, const TlsTestServer::Request &) { respond(reply, socket); });
    server.moveToThread(&serverThread);
    serverThread.start();
    bool serverStopped = false;
    const auto stopServer = [&] {
        if (std::exchange(serverStopped, true))
            return;
        QThread *here = QThread::currentThread();
        QMetaObject::invokeMethod(
            &server,
            [&server, here] {
                server.close();
                qDeleteAll(server.findChildren<QSslSocket *>(Qt::FindDirectChildrenOnly));
                server.moveToThread(here);
            },
            Qt::BlockingQueuedConnection);
        serverThread.quit();
        serverThread.wait();
    };
    const auto stopServerOnFailure = qScopeGuard(stopServer);
    QNetworkAccessManager nam;
    QObject receiver;

    // Short only where the timeout is what the row is about: a slow (sanitized) build
    // must not turn the others into timeouts.
    const int timeoutMs = reply == Reply::Endless ? 1500 : 60000;
    std::optional<int> gotStatus;
    bool complete = true;
    qsizetype rows = 0;
    if (client == Client::Procedure) {
        ProcedureClient procedures(&nam, server.hostPort(), {m_cert.certificate});
        procedures.setTimeout(timeoutMs);
        procedures.call(kProcedureList, QStringLiteral("ps_X 'a'"), {}, &receiver,
                        [&](const ProcedureReply &r) {
                            gotStatus = r.status;
                            complete = r.walk.complete;
                            rows = r.walk.rows.size();
                        });
        QTRY_VERIFY_WITH_TIMEOUT(gotStatus.has_value(), 90000);
    } else {
        JsonServiceClient json(&nam, server.hostPort(), {m_cert.certificate});
        json.setTimeout(timeoutMs);
        json.call(kCarLookupPath, kCarLookupOperation, {}, &receiver,
                  [&](const JsonServiceReply &r) { gotStatus = r.status; });
        QTRY_VERIFY_WITH_TIMEOUT(gotStatus.has_value(), 90000);
    }

    stopServer();
    QCOMPARE(*gotStatus, status);
    QVERIFY(stderrCopy.seek(0));
    QCOMPARE(stderrCopy.readAll(), QByteArray());
    if (status == ProcedureReply::Ok)
        QVERIFY(!complete); // a failure all the same: the screens keep only whole rows
    QVERIFY2(g_netWarnings.filter(logged).size() == 1, qPrintable(g_netWarnings.join(u'\n')));
    // No row read: no entity expanded, nothing read from a file. (A huge reply is cut from
    // its Content-Length before the body, an endless one by its size: else the row's log
    // line would be the timeout's.)
    QCOMPARE(rows, 0);
}

QTEST_GUILESS_MAIN(ClientTest)
#include "tst_client.moc"
