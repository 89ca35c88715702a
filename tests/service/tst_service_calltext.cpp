// The service's reader of procedure call texts and the shape of its data sets.
#include "CallText.h"
#include "CallTextReader.h"
#include "DataSet.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tvs;

class ServiceCallText : public QObject
{
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << "ps_GetCarOption" << "ps_GetCarOption" << QStringList{};
        QTest::newRow("trailing blanks") << "  ps_TruckType1  " << "ps_TruckType1" << QStringList{};
        QTest::newRow("one") << "ps_UserCarCount 'D0001'" << "ps_UserCarCount" << QStringList{"D0001"};
        QTest::newRow("comma blank") << "ps_GetUserProductCar_Info2 'D0001', '9'" << "ps_GetUserProductCar_Info2"
                                     << QStringList{"D0001", "9"};
        QTest::newRow("comma only") << "ps_TruckType2 '2','F1001'" << "ps_TruckType2" << QStringList{"2", "F1001"};
        QTest::newRow("no blank after the name") << "ps_SetEnterCar3'','a'" << "ps_SetEnterCar3" << QStringList{"", "a"};
        QTest::newRow("doubled quote") << "p 'O''Brien', 'x'" << "p" << QStringList{"O'Brien", "x"};
        QTest::newRow("only a quote") << "p ''''" << "p" << QStringList{"'"};
        QTest::newRow("separator inside a value") << "p 'a'', ''b'" << "p" << QStringList{"a', 'b"};
        QTest::newRow("list literal") << "ps_Login1 'a', 'b', 'MOBILE_DEALER', '1, 2, 3, 4, 12'" << "ps_Login1"
                                      << QStringList{"a", "b", "MOBILE_DEALER", "1, 2, 3, 4, 12"};
        QTest::newRow("json") << "p '{\"Option\":[{\"a\":\"b\"}]}'" << "p" << QStringList{"{\"Option\":[{\"a\":\"b\"}]}"};
        QTest::newRow("korean and specials") << "p '서울 <&> \"'" << "p" << QStringList{"서울 <&> \""};
    }
    void reads()
    {
        QFETCH(QString, text);
        QFETCH(QString, procedure);
        QFETCH(QStringList, args);
        const CallText c = readCallText(text);
        QVERIFY2(c.ok, qPrintable(c.error));
        QCOMPARE(c.procedure, procedure);
        QCOMPARE(c.args, args);
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("no name") << "'a'";
        QTest::newRow("unclosed") << "p 'abc";
        QTest::newRow("injected quote") << "p 'a' OR '1'='1'";
        QTest::newRow("statement after") << "p 'a'; DROP TABLE cars";
        QTest::newRow("unquoted argument") << "p a";
        QTest::newRow("trailing comma") << "p 'a',";
        QTest::newRow("two commas") << "p 'a',,'b'";
        QTest::newRow("doubled quote, unclosed") << "p 'a''";
    }
    void refuses()
    {
        QFETCH(QString, text);
        const CallText c = readCallText(text);
        QVERIFY(!c.ok);
        QVERIFY(!c.error.isEmpty());
    }

    void readsWhatTheClientWrites()
    {
        // Any values, written by the client's call-text builder with either separator,
        // read back as the same values; and random texts never break the reader.
        QRandomGenerator random(20261206);
        const QString alphabet = QStringLiteral("a1 ,'\"<>&;-_()가나\n");
        auto text = [&](int maxLength) {
            QString t;
            for (int n = random.bounded(maxLength + 1); n > 0; --n)
                t += alphabet[random.bounded(int(alphabet.size()))];
            return t;
        };
        for (int round = 0; round < 2000; ++round) {
            QStringList args;
            for (int n = random.bounded(6); n > 0; --n)
                args << text(12);
            const QString separator = round % 2 ? QStringLiteral("', '") : QStringLiteral("','");
            const QString written = callText(QStringLiteral("ps_Any"), args, separator);
            const CallText read = readCallText(written);
            QVERIFY2(read.ok, qPrintable(written + QStringLiteral(": ") + read.error));
            QCOMPARE(read.procedure, QStringLiteral("ps_Any"));
            QCOMPARE(read.args, args);
            const CallText noise = readCallText(text(40));
            QVERIFY(noise.ok || !noise.error.isEmpty());
        }
    }

    void dataSetLayout()
    {
        DataSet set;
        set.rows << DataRow{{"sA", "x<y & z"}, {"sNull", QVariant()}, {"sEmpty", QString()}};
        set.rows << DataRow{{"sA", "2"}};
        QCOMPARE(dataSetXml(set), QStringLiteral("<NewDataSet>\n  <Table>\n    <sA>x&lt;y &amp; z</sA>\n    <sEmpty />\n"
                                                 "  </Table>\n  <Table>\n    <sA>2</sA>\n  </Table>\n</NewDataSet>"));
        QCOMPARE(dataSetXml(DataSet::answer("NO")), QStringLiteral("<NewDataSet>\n  <rtn>NO</rtn>\n</NewDataSet>"));
        const QByteArray envelope = soapResponse("Procedure_List01", dataSetXml(set));
        QVERIFY(envelope.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope"));
        QVERIFY(envelope.contains("xmlns:xsi=") && envelope.contains("xmlns:xsd=") && envelope.contains("xmlns:soap="));
        // Escaped once more by the envelope.
        QVERIFY(envelope.contains("<Procedure_List01Response xmlns=\"http://tempuri.org/\"><Procedure_List01Result>&lt;NewDataSet&gt;"));
        QVERIFY(envelope.contains("x&amp;lt;y &amp;amp; z"));
    }
};

QTEST_GUILESS_MAIN(ServiceCallText)
#include "tst_service_calltext.moc"
