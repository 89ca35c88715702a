// The fakes other tests rely on: canned bodies walk back to the same records,
// answers are delivered queued or held, on the receiver's thread, never to a
// receiver that is gone, and failures come through as failures.
#include "ReplyBuilder.h"
#include "TestContext.h"

#include <QJsonObject>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class TestSupportTest : public QObject
{
    Q_OBJECT

private slots:
    void bodiesWalkBackToTheirRecords()
    {
        const Records rows{
            Record{{"sCarProductCode", "P0001"},
                   {"sCarName", "쏘나타 & 그랜저 <신형>"},
                   {"iCarProductMoney", "1500"}},
            Record{{"sCarProductCode", "P0002"}, {"sCarName", "\"K5\" 'LPG'"}, {"iCarProductMoney", "0"}},
        };
        const QByteArray body = replyBody(rows);
        // The data set travels escaped once inside the result element, indented.
        QVERIFY(body.contains(
            "<Procedure_List01Result>&lt;NewDataSet&gt;\n  &lt;Table&gt;\n    &lt;sCarProductCode&gt;"));
        QVERIFY(body.contains("&amp;amp;"));
        ReplyShape shape;
        shape.cleaning = Cleaning::Trimming;
        const WalkResult walk = walkReply(body, shape);
        QVERIFY2(walk.complete, qPrintable(walk.error));
        QCOMPARE(walk.rows, rows);

        ReplyShape named;
        named.namedElements = {QStringLiteral("rtn")};
        QCOMPARE(walkReply(noRowsBody(), named).named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
        QVERIFY(replyBody({}, QStringLiteral("Procedure_Execute01")).contains("<Procedure_Execute01Result>"));
    }

    void answersAreQueuedAndRecorded()
    {
        TestContext t;
        t.procedures.answer(QStringLiteral("ps_UserCarCount"), singleElementsBody({{"iCount0", "3"}}));
        QObject receiver;
        ReplyShape shape;
        shape.namedElements = {QStringLiteral("iCount0")};
        QList<ProcedureReply> got;
        t.procedures.call(kProcedureList, QStringLiteral("ps_UserCarCount 'D0001'"), shape, &receiver,
                          [&](const ProcedureReply &r) { got << r; });
        QVERIFY(got.isEmpty()); // never from inside call()
        QTRY_COMPARE(got.size(), 1);
        QVERIFY(got.first().ok());
        QCOMPARE(got.first().walk.named.value(QStringLiteral("iCount0")), QStringLiteral("3"));
        QCOMPARE(t.procedures.callTexts(), QStringList{"ps_UserCarCount 'D0001'"});
        QCOMPARE(t.procedures.calls().first().operation, kProcedureList);
        QCOMPARE(t.procedures.callCount(QStringLiteral("ps_UserCarCount")), 1);
    }

    void failuresAndMissingAnswers()
    {
        TestContext t;
        t.procedures.answerOnce(QStringLiteral("ps_A"), CannedAnswer::transportError());
        t.procedures.answer(QStringLiteral("ps_A"), noRowsBody());
        t.procedures.answer(QStringLiteral("ps_B"), CannedAnswer::reply("<soap:Envelope><broken"));
        QObject receiver;
        QList<ProcedureReply> got;
        auto record = [&](const ProcedureReply &r) { got << r; };
        t.procedures.call(kProcedureList, QStringLiteral("ps_A"), {}, &receiver, record);
        t.procedures.call(kProcedureList, QStringLiteral("ps_A"), {}, &receiver, record);
        t.procedures.call(kProcedureList, QStringLiteral("ps_B"), {}, &receiver, record);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no canned answer for ps_C"));
        t.procedures.call(kProcedureList, QStringLiteral("ps_C 'x'"), {}, &receiver, record);
        QTRY_COMPARE(got.size(), 4);
        QCOMPARE(got.at(0).status, ProcedureReply::TransportError);
        QCOMPARE(got.at(1).status, ProcedureReply::Ok);
        QVERIFY(!got.at(2).walk.complete);
        QCOMPARE(got.at(3).status, ProcedureReply::TransportError);
    }

    void heldAnswersAndDeadReceivers()
    {
        TestContext t;
        t.procedures.setHolding(true);
        t.procedures.answer(QStringLiteral("ps_A"), noRowsBody());
        auto *gone = new QObject;
        QObject alive;
        QStringList got;
        t.procedures.call(kProcedureList, QStringLiteral("ps_A '1'"), {}, gone,
                          [&](const ProcedureReply &) { got << "gone"; });
        t.procedures.call(kProcedureList, QStringLiteral("ps_A '2'"), {}, &alive,
                          [&](const ProcedureReply &) { got << "alive"; });
        QCOMPARE(t.procedures.heldCount(), 2);
        delete gone;
        QTest::qWait(10);
        QVERIFY(got.isEmpty());
        QVERIFY(t.procedures.releaseNext());
        QVERIFY(got.isEmpty()); // its receiver died
        t.procedures.releaseAll();
        QCOMPARE(got, QStringList{"alive"});
        QVERIFY(!t.procedures.releaseNext());
        QCOMPARE(t.procedures.deliveredCount(), 1);
    }

    void jsonServices()
    {
        TestContext t;
        t.jsonServices.answer(kCarLookupOperation, QJsonObject{{"carName", "쏘나타"}});
        t.jsonServices.fail(kHandOffOperation);
        QObject receiver;
        QList<JsonServiceReply> got;
        t.jsonServices.call(kCarLookupPath, kCarLookupOperation, {{"sCarNum", "12가3456"}}, &receiver,
                            [&](const JsonServiceReply &r) { got << r; });
        t.jsonServices.call(kHandOffPath, kHandOffOperation, {}, &receiver,
                            [&](const JsonServiceReply &r) { got << r; });
        QTRY_COMPARE(got.size(), 2);
        QCOMPARE(got.at(0).object.value("carName").toString(), QStringLiteral("쏘나타"));
        QCOMPARE(got.at(1).status, JsonServiceReply::TransportError);
        QCOMPARE(t.jsonServices.calls().first().param(QStringLiteral("sCarNum")), QStringLiteral("12가3456"));
    }

    void contextIsComplete()
    {
        TestContext t;
        const ScreenContext *c = t.ctx();
        QVERIFY(c->procedures && c->jsonServices && c->settings && c->clock && c->network && c->urls &&
                c->config && c->navigator);
        QCOMPARE(c->clock->now().date(), QDate(2026, 3, 15));
        c->settings->setValue(QStringLiteral("sUserId"), QStringLiteral("dealer"));
        QCOMPARE(Settings(t.settingsFile()).value(QStringLiteral("sUserId")), QStringLiteral("dealer"));
        QCOMPARE(t.config.apiUrl(QStringLiteral("/x")).host(), QStringLiteral("127.0.0.1"));
    }
};

QTEST_MAIN(TestSupportTest)
#include "tst_test_support.moc"
