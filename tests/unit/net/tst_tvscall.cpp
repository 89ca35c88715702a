#include "SoapReply.h"
#include "TlsTestServer.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using tvs::test::TestCertificate;
using tvs::test::TlsTestServer;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TvsCallTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();

private:
    // The server runs in this process: wait without blocking its event loop.
    Run run(const QStringList &args);

    TestCertificate m_cert;
    QTemporaryDir m_dir;
    QString m_caFile;
};

void TvsCallTest::initTestCase()
{
    m_cert = TestCertificate::generate();
    QVERIFY(!m_cert.isNull());
    QVERIFY(m_dir.isValid());
    m_caFile = m_dir.filePath(QStringLiteral("ca.pem"));
    QFile file(m_caFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(m_cert.certificatePem);
}

Run TvsCallTest::run(const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TVS_API_HOST"));
    env.remove(QStringLiteral("TVS_CA_FILE"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TVS_CALL_PATH), args);
    Run result;
    if (!process.waitForStarted(30000))
        return result;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 120000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void TvsCallTest::exitCodes_data()
{
    QTest::addColumn<QByteArray>("reply"); // empty: no server at all
    QTest::addColumn<QStringList>("args"); // "@host" and "@ca" are filled in
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("stdoutText");
    QTest::addColumn<QByteArray>("stderrHas");

    const QStringList tls{"--api-host", "@host", "--ca-file", "@ca"};
    const QByteArray rows = soapReply(
        "\n&lt;NewDataSet&gt;\n  &lt;Table&gt;\n    &lt;sUserCode&gt;D0001&lt;/sUserCode&gt;\n"
        "    &lt;sName&gt;  김 \"딜러\"\n점  &lt;/sName&gt;\n  &lt;/Table&gt;\n"
        "  &lt;Table&gt;&lt;sUserCode&gt;D0002&lt;/sUserCode&gt;&lt;/Table&gt;\n&lt;/NewDataSet&gt;");
    QTest::newRow("rows, trimming")
        << rows << (tls + QStringList{"call", "Procedure_List01", "ps_UserCarCount 'D0001'"}) << 0
        << QByteArray("{\"sUserCode\":\"D0001\",\"sName\":\"김 \\\"딜러\\\"\\n점\"}\n{\"sUserCode\":\"D0002\"}\n")
        << QByteArray();
    QTest::newRow("rows, stripping")
        << rows << (tls + QStringList{"--strip", "call", "Procedure_List01", "ps_UserCarCount 'D0001'"}) << 0
        << QByteArray("{\"sUserCode\":\"D0001\",\"sName\":\"김 \\\"딜러\\\"점\"}\n{\"sUserCode\":\"D0002\"}\n")
        << QByteArray();
    QTest::newRow("named only") << soapReply("&lt;rtn&gt;NO&lt;/rtn&gt;")
                                << (tls + QStringList{"call", "Procedure_List01", "ps_X"}) << 0
                                << QByteArray("{\"rtn\":\"NO\"}\n") << QByteArray();
    QTest::newRow("no command") << QByteArray() << tls << 2 << QByteArray() << QByteArray("no command");
    QTest::newRow("missing call text") << QByteArray() << (tls + QStringList{"call", "Procedure_List01"}) << 2
                                       << QByteArray() << QByteArray("usage:");
    QTest::newRow("bad operation") << QByteArray() << (tls + QStringList{"call", "Drop", "ps_X"}) << 2
                                   << QByteArray() << QByteArray("operation must be");
    QTest::newRow("unknown option") << QByteArray() << QStringList{"--bogus", "call", "Procedure_List01", "x"}
                                    << 2 << QByteArray() << QByteArray("unknown option --bogus");
    QTest::newRow("unreadable CA file")
        << QByteArray() << QStringList{"--ca-file", "/nonexistent/ca.pem", "call", "Procedure_List01", "x"}
        << 2 << QByteArray() << QByteArray("/nonexistent/ca.pem");
    QTest::newRow("refused") << QByteArray() << (tls + QStringList{"call", "Procedure_List01", "ps_X"}) << 3
                             << QByteArray() << QByteArray("transport failure");
    QTest::newRow("untrusted") << rows
                               << QStringList{"--api-host", "@host", "call", "Procedure_List01", "ps_X"} << 3
                               << QByteArray() << QByteArray("transport failure");
    QTest::newRow("timeout") << QByteArray("SILENT")
                             << (tls + QStringList{"--timeout", "1", "call", "Procedure_List01", "ps_X"}) << 3
                             << QByteArray() << QByteArray("timed out");
    QTest::newRow("bad timeout") << QByteArray()
                                 << (tls +
                                     QStringList{"--timeout", "soon", "call", "Procedure_List01", "ps_X"})
                                 << 2 << QByteArray() << QByteArray("--timeout");
    QTest::newRow("not utf-8") << soapReply("&lt;Table&gt;&lt;a&gt;\xB1\xE8&lt;/a&gt;&lt;/Table&gt;")
                               << (tls + QStringList{"call", "Procedure_List01", "ps_X"}) << 4 << QByteArray()
                               << QByteArray("UTF-8");
    QTest::newRow("broken off") << soapReply("&lt;Table&gt;&lt;a&gt;1&lt;/a&gt;&lt;/Table&gt;&lt;Table&gt;")
                                << (tls + QStringList{"call", "Procedure_List01", "ps_X"}) << 4
                                << QByteArray("{\"a\":\"1\"}\n") << QByteArray("broke off");
    QTest::newRow("json service")
        << QByteArray(
               "<soap:Envelope><soap:Body><CarInfo_SearchResult>{\"message\":\"성공\"}</CarInfo_SearchResult>"
               "</soap:Body></soap:Envelope>")
        << (tls + QStringList{"json", "/sub_asmx/asmx_json.asmx", "CarInfo_Search", "sSearchType=Search"})
        << 0 << QByteArray("{\"message\":\"성공\"}\n") << QByteArray();
}

void TvsCallTest::exitCodes()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, stdoutText);
    QFETCH(QByteArray, stderrHas);

    TlsTestServer server(m_cert);
    QVERIFY(server.listenLocal());
    server.setReply(reply);
    server.setSilent(reply == "SILENT");
    const QString host = server.hostPort();
    if (reply.isEmpty())
        server.close(); // nothing listens there any more
    for (QString &arg : args) {
        if (arg == QLatin1String("@host"))
            arg = host;
        else if (arg == QLatin1String("@ca"))
            arg = m_caFile;
    }
    const Run result = run(args);
    QVERIFY2(
        result.exitCode == exitCode,
        qPrintable(
            QStringLiteral("exit %1, stderr: %2").arg(result.exitCode).arg(QString::fromUtf8(result.err))));
    QCOMPARE(result.out, stdoutText);
    if (!stderrHas.isEmpty())
        QVERIFY2(result.err.contains(stderrHas), result.err.constData());
    else
        QCOMPARE(result.err, QByteArray());
}

QTEST_GUILESS_MAIN(TvsCallTest)
#include "tst_tvscall.moc"
