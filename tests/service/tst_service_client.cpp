// The client's own transport against the running stand-in over verified HTTPS:
// ProcedureClient, JsonServiceClient and the tvs-call tool.
#include "CallText.h"
#include "JsonServiceClient.h"
#include "ProcedureClient.h"
#include "ServiceFixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

class ServiceClient : public QObject
{
    Q_OBJECT

    ServiceFixture f;

    ProcedureReply callWith(ProcedureClient &client, const QString &operation, const QString &text, const ReplyShape &shape)
    {
        ProcedureReply got;
        bool done = false;
        client.call(operation, text, shape, this, [&](const ProcedureReply &r) {
            got = r;
            done = true;
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 60000); }();
        return got;
    }

    QProcess *tvsCall(const QStringList &args)
    {
        auto *p = new QProcess(this);
        p->setProgram(QStringLiteral(TVS_CALL_PATH));
        p->setArguments(QStringList{QStringLiteral("--api-host"), f.service->apiHost(), QStringLiteral("--ca-file"),
                                    f.service->caFile()} + args);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("TVS_CA_FILE"));
        env.remove(QStringLiteral("TVS_API_HOST"));
        p->setProcessEnvironment(env);
        p->start();
        // The service answers from its own thread, so blocking here is fine.
        p->waitForFinished(60000);
        return p;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(f.start(&error), qPrintable(error));
    }

    // Signing in and listing through ProcedureClient are covered end to end by the
    // login and dashboard tests.
    void quotesAndMarkupTravelLiterally()
    {
        // A value with a quote, "<" and "&" goes through the client's call text and
        // envelope, is stored as it is and comes back unchanged through the walk.
        ProcedureClient client(&f.nam, f.service->apiHost(), f.service->caCertificates());
        const QString literal = QStringLiteral("it's <new> & \"shiny\"");
        const QStringList codes = {
            f.db(QStringLiteral("SELECT sCarCode1 FROM cars WHERE sCarProductCode = 'C000001'")).toString(),
            f.db(QStringLiteral("SELECT sCarCode2 FROM cars WHERE sCarProductCode = 'C000001'")).toString()};
        QStringList args(31);
        args[0] = QStringLiteral("C000001");
        args[1] = codes[0];
        args[2] = codes[1];
        args[13] = demo::kUserCode;
        args[14] = QStringLiteral("99저9999");
        args[15] = QStringLiteral("2020");
        args[16] = QStringLiteral("15000000");
        args[17] = literal;
        args[18] = QStringLiteral("1");
        args[19] = QStringLiteral("1000");
        args[20] = QStringLiteral("1");
        args[21] = QStringLiteral("1");
        args[22] = QStringLiteral("1");
        ProcedureReply r = callWith(client, kProcedureList, callText(QStringLiteral("ps_SetEnterCar3"), args, QStringLiteral("','")), ReplyShape{});
        QVERIFY(r.ok());
        QCOMPARE(r.walk.rows.size(), 1);
        QCOMPARE(r.walk.rows.first().value(QStringLiteral("sCarProductCode")), QStringLiteral("C000001"));
        QCOMPARE(f.db(QStringLiteral("SELECT sCarProductContent FROM cars WHERE sCarProductCode = 'C000001'")).toString(), literal);
        ReplyShape shape;
        shape.cleaning = Cleaning::Trimming;
        r = callWith(client, kProcedureList, callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("1")}), shape);
        bool seen = false;
        for (const Record &row : r.walk.rows)
            if (row.value(QStringLiteral("sCarProductCode")) == QLatin1String("C000001")) {
                QCOMPARE(row.value(QStringLiteral("sCarProductContent")), literal);
                seen = true;
            }
        QVERIFY(seen);
    }

    void jsonServiceClient()
    {
        JsonServiceClient client(&f.nam, f.service->apiHost(), f.service->caCertificates());
        JsonServiceReply got;
        bool done = false;
        client.call(kCarLookupPath, kCarLookupOperation,
                    {{QStringLiteral("sSearchType"), QStringLiteral("Search")}, {QStringLiteral("sCarImportType"), QStringLiteral("12")},
                     {QStringLiteral("sCarProductNum"), QStringLiteral("34나5678")}, {QStringLiteral("sUserCode"), demo::kUserCode},
                     {QStringLiteral("sRequest"), kRequesterId}},
                    this, [&](const JsonServiceReply &r) {
                        got = r;
                        done = true;
                    });
        QTRY_VERIFY_WITH_TIMEOUT(done, 60000);
        QVERIFY2(got.ok(), qPrintable(got.error));
        QCOMPARE(got.object.value(QStringLiteral("message")).toString(), QStringLiteral("성공"));
        const QJsonObject body = QJsonDocument::fromJson(got.object.value(QStringLiteral("body")).toString().toUtf8()).object();
        QCOMPARE(body.value(QStringLiteral("sCarGroup1")).toString(), QStringLiteral("국산차"));
    }

    void tvsCallTool_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expect");
        QTest::addColumn<QString>("expectOnStderr");
        QTest::newRow("counts") << QStringList{"call", "Procedure_List01", "ps_UserCarCount 'D0001'"} << 0 << "\"sSellWait\""
                                << "";
        QTest::newRow("nothing found") << QStringList{"call", "Procedure_List01", "ps_GetMainJobList 'D0001', 'C000001'"} << 0
                                       << "{\"rtn\":\"NO\"}" << "";
        // The service's own words say why it refused the call.
        QTest::newRow("fault") << QStringList{"call", "Procedure_List01", "ps_Nothing"} << 3 << ""
                               << "unknown procedure: ps_Nothing";
        QTest::newRow("lookup") << QStringList{"json", "/sub_asmx/asmx_json.asmx", "CarInfo_Search", "sSearchType=Search",
                                               "sCarImportType=12", "sCarProductNum=12가3456", "sUserCode=D0001",
                                               "sRequest=kr.qorbel.TVSDealer"}
                                << 0 << "\"message\":\"성공\"" << "";
    }
    void tvsCallTool()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, expect);
        QFETCH(QString, expectOnStderr);
        QProcess *p = tvsCall(args);
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromUtf8(p->readAllStandardOutput());
        const QString err = QString::fromUtf8(p->readAllStandardError());
        QVERIFY2(p->exitCode() == exitCode, qPrintable(out + err));
        QVERIFY2(out.contains(expect), qPrintable(out));
        QVERIFY2(err.contains(expectOnStderr), qPrintable(err));
    }
};

QTEST_MAIN(ServiceClient)
#include "tst_service_client.moc"
