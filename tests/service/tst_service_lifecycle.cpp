// Starting and stopping the stand-in: data kept across restarts, --reset, the certificate,
// ports taken, and the tvs-service executable's ready line, options and time limit.
#include "CallText.h"
#include "ServiceFixture.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

class ServiceLifecycle : public QObject
{
    Q_OBJECT

    static StandInService::Options in(const QTemporaryDir &dir)
    {
        StandInService::Options options;
        options.dataDir = dir.path();
        return options;
    }

private slots:
    void dataOutlivesARestartAndResetRenewsIt()
    {
        QTemporaryDir dir;
        StandInService::Options options = in(dir);
        QByteArray caPem;
        {
            StandInService service(options);
            QVERIFY2(service.start(), qPrintable(service.errorString()));
            QFile ca(service.caFile());
            QVERIFY(ca.open(QIODevice::ReadOnly));
            caPem = ca.readAll();
            const QSslCertificate cert = QSslCertificate::fromData(caPem).value(0);
            QVERIFY(!cert.isNull());
            QVERIFY(cert.expiryDate() > QDateTime::currentDateTimeUtc().addYears(9));
            QCOMPARE(service.queryValue(QStringLiteral("UPDATE cars SET sCarStatus = '8' WHERE sCarProductCode = 'C000001' RETURNING 1")).toInt(), 1);
        }
        {
            StandInService service(options);
            QVERIFY(service.start());
            QCOMPARE(service.queryValue(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = 'C000001'")).toString(),
                     QStringLiteral("8"));
            QFile ca(service.caFile());
            QVERIFY(ca.open(QIODevice::ReadOnly));
            QCOMPARE(ca.readAll(), caPem); // the client's trusted file stays valid
        }
        options.reset = true;
        StandInService service(options);
        QVERIFY(service.start());
        QCOMPARE(service.queryValue(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = 'C000001'")).toString(),
                 QStringLiteral("1"));
    }

    // A database kept from an earlier demo version gets its registry dates mended.
    void keptRegistryDatesAreMended()
    {
        QTemporaryDir dir;
        StandInService::Options options = in(dir);
        const QString sql = QStringLiteral("SELECT sCarProductFirstRegDate FROM registry WHERE sCarProductNum = '12가3456'");
        {
            StandInService service(options);
            QVERIFY(service.start());
            QCOMPARE(service.queryValue(QStringLiteral("UPDATE registry SET sCarProductFirstRegDate = '2021315'"
                                                       " WHERE sCarProductNum = '12가3456' RETURNING 1")).toInt(), 1);
        }
        StandInService service(options);
        QVERIFY(service.start());
        QCOMPARE(service.queryValue(sql).toString(), QStringLiteral("20210315"));
    }

    void keptDatesFollowTheDays()
    {
        QTemporaryDir dir;
        StandInService::Options options = in(dir);
        options.today = QDate(2026, 3, 10);
        const QString sql = QStringLiteral("SELECT sCarProductCheckDate || '/' || sCarProductRegDate FROM cars WHERE sCarProductCode = 'C000001'");
        QString before;
        {
            StandInService service(options);
            QVERIFY(service.start());
            before = service.queryValue(sql).toString();
            QCOMPARE(service.queryValue(QStringLiteral("UPDATE cars SET sCarProductContent = 'kept' WHERE sCarProductCode = 'C000001' RETURNING 1")).toInt(), 1);
        }
        options.today = QDate(2026, 4, 9); // 30 days later
        StandInService service(options);
        QVERIFY(service.start());
        const QStringList was = before.split(u'/'), now = service.queryValue(sql).toString().split(u'/');
        QCOMPARE(QDate::fromString(now[0], QStringLiteral("yyyyMMdd")),
                 QDate::fromString(was[0], QStringLiteral("yyyyMMdd")).addDays(30));
        QCOMPARE(QDateTime::fromString(now[1], QStringLiteral("yyyyMMddHHmmss")),
                 QDateTime::fromString(was[1], QStringLiteral("yyyyMMddHHmmss")).addDays(30));
        QCOMPARE(service.queryValue(QStringLiteral("SELECT sCarProductContent FROM cars WHERE sCarProductCode = 'C000001'")).toString(),
                 QStringLiteral("kept"));
        // Auctions in progress still end in the future.
        QVERIFY(service.queryValue(QStringLiteral("SELECT MIN(sAuctionEndDate) FROM auctions WHERE sAuctionStatus = '1'")).toString()
                > QStringLiteral("20260409"));
    }

    void demoDataIsDeterministic()
    {
        QTemporaryDir a, b;
        StandInService one(in(a));
        StandInService two(in(b));
        QVERIFY(one.start());
        QVERIFY(two.start());
        const QString sql = QStringLiteral(
            "SELECT group_concat(sCarProductCode || sCarProductNum || sCarStatus || iCarProductMoney || sCarCode5, ',')"
            " || (SELECT group_concat(sCarPhotoPath) FROM car_photos) || (SELECT COUNT(*) FROM car_options) FROM cars");
        QCOMPARE(one.queryValue(sql).toString(), two.queryValue(sql).toString());
        QVERIFY(one.queryValue(QStringLiteral("SELECT COUNT(*) FROM cars WHERE sStoreCode = 'S0001'")).toInt() >= 40);
        QCOMPARE(one.queryValue(QStringLiteral("SELECT COUNT(*) FROM users")).toInt(), 3);
        QCOMPARE(one.queryValue(QStringLiteral("SELECT COUNT(DISTINCT sStoreCode) FROM users")).toInt(), 2);
        QVERIFY(one.queryValue(QStringLiteral("SELECT MIN(n) FROM (SELECT COUNT(*) AS n FROM car_photos GROUP BY sCarProductCode)")).toInt() >= 3);
    }

    void aTakenPortIsAnError()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::LocalHost));
        QTemporaryDir dir;
        StandInService::Options options = in(dir);
        options.port = blocker.serverPort();
        StandInService service(options);
        QVERIFY(!service.start());
        QVERIFY(service.errorString().contains(QString::number(blocker.serverPort())));
        QVERIFY(!service.isRunning());
    }

    void executable()
    {
        QTemporaryDir dir;
        QProcess p;
        p.start(QStringLiteral(TVS_SERVICE_PATH), {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--image-port"),
                                                   QStringLiteral("0"), QStringLiteral("--data"), dir.path(),
                                                   QStringLiteral("--log"), dir.filePath(QStringLiteral("log.jsonl")),
                                                   QStringLiteral("--for-seconds"), QStringLiteral("3")});
        QVERIFY(p.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 60000);
        const QString line = QString::fromUtf8(p.readLine()).trimmed();
        const QRegularExpression ready(QStringLiteral("^tvs-service ready api=127\\.0\\.0\\.1:(\\d+) images=127\\.0\\.0\\.1:(\\d+) ca=(\\S+)$"));
        const auto m = ready.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        QCOMPARE(m.captured(3), dir.filePath(QStringLiteral("ca.pem")));
        QVERIFY(QFile::exists(m.captured(3)));
        QVERIFY(m.captured(1) != m.captured(2));
        // Stops by itself.
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

    void executableRefusesBadOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("port not a number") << QStringList{"--port", "https"} << "--port must be a port number";
        QTest::newRow("port too large") << QStringList{"--image-port", "70000"} << "--image-port must be a port number";
        QTest::newRow("time limit") << QStringList{"--for-seconds", "0"} << "--for-seconds must be a positive number";
        QTest::newRow("time limit beyond the timer") << QStringList{"--for-seconds", "3000000"}
                                                     << "--for-seconds must be a positive number";
    }
    void executableRefusesBadOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QProcess p;
        p.start(QStringLiteral(TVS_SERVICE_PATH), args + QStringList{QStringLiteral("--data"), dir.path()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(message));
    }
};

QTEST_MAIN(ServiceLifecycle)
#include "tst_service_lifecycle.moc"
