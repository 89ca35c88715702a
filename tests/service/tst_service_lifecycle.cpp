// Starting and stopping the stand-in: data kept across restarts, --reset, the dates moved
// with the days, ports taken, and the tvs-service executable's ready line, options and
// time limit.
#include "StandInService.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace tvs;

class ServiceLifecycle : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir;
    StandInService::Options options;

    // Starts a service over `dir`, runs `sql` and gives its first value.
    QString run(const QString &sql)
    {
        StandInService service(options);
        return service.start() ? service.queryValue(sql).toString() : service.errorString();
    }

private slots:
    void init()
    {
        dir.emplace();
        options = {};
        options.dataDir = dir->path();
    }

    void dataOutlivesARestartAndResetRenewsIt()
    {
        const auto caPem = [this] {
            QFile ca(dir->filePath(QStringLiteral("ca.pem")));
            return ca.open(QIODevice::ReadOnly) ? ca.readAll() : QByteArray();
        };
        QCOMPARE(run(QStringLiteral("UPDATE cars SET sCarStatus = '8' WHERE sCarProductCode = 'C000001' RETURNING 1")), "1");
        const QByteArray ca = caPem();
        QVERIFY(QSslCertificate::fromData(ca).value(0).expiryDate() > QDateTime::currentDateTimeUtc().addYears(9));
        // A kept database from an earlier demo version gets its registry dates mended.
        run(QStringLiteral("UPDATE registry SET sCarProductFirstRegDate = '2021315' WHERE sCarProductNum = '12가3456'"));
        QCOMPARE(run(QStringLiteral("SELECT cars.sCarStatus || registry.sCarProductFirstRegDate FROM cars, registry"
                                    " WHERE cars.sCarProductCode = 'C000001' AND registry.sCarProductNum = '12가3456'")),
                 "820210315");
        QCOMPARE(caPem(), ca); // the client's trusted file stays valid
        options.reset = true;
        QCOMPARE(run(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = 'C000001'")), "1");
    }

    void keptDatesFollowTheDays()
    {
        options.today = QDate(2026, 3, 10);
        const QStringList was = run(QStringLiteral("UPDATE cars SET sCarProductContent = 'kept' WHERE sCarProductCode = 'C000001'"
                                                   " RETURNING sCarProductCheckDate || '/' || sCarProductRegDate")).split(u'/');
        options.today = QDate(2026, 4, 9); // 30 days later
        const QStringList now = run(QStringLiteral("SELECT sCarProductCheckDate || '/' || sCarProductRegDate || '/' || sCarProductContent"
                                                   " FROM cars WHERE sCarProductCode = 'C000001'")).split(u'/');
        QCOMPARE(now.size(), 3);
        QCOMPARE(QDate::fromString(now[0], QStringLiteral("yyyyMMdd")), QDate::fromString(was[0], QStringLiteral("yyyyMMdd")).addDays(30));
        QCOMPARE(QDateTime::fromString(now[1], QStringLiteral("yyyyMMddHHmmss")),
                 QDateTime::fromString(was.value(1), QStringLiteral("yyyyMMddHHmmss")).addDays(30));
        QCOMPARE(now[2], QStringLiteral("kept"));
        // Auctions in progress still end in the future.
        QVERIFY(run(QStringLiteral("SELECT MIN(sAuctionEndDate) FROM auctions WHERE sAuctionStatus = '1'")) > QStringLiteral("20260409"));
    }

    void aTakenPortIsAnError()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::LocalHost));
        options.port = blocker.serverPort();
        StandInService service(options);
        QVERIFY(!service.start());
        QVERIFY(service.errorString().contains(QString::number(blocker.serverPort())));
        QVERIFY(!service.isRunning());
    }

    void executable()
    {
        QProcess p;
        p.start(QStringLiteral(TVS_SERVICE_PATH), {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--image-port"),
                                                   QStringLiteral("0"), QStringLiteral("--data"), dir->path(),
                                                   QStringLiteral("--log"), dir->filePath(QStringLiteral("log.jsonl")),
                                                   QStringLiteral("--for-seconds"), QStringLiteral("3")});
        QVERIFY(p.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 60000);
        const QString line = QString::fromUtf8(p.readLine()).trimmed();
        const auto m = QRegularExpression(QStringLiteral("^tvs-service ready api=127\\.0\\.0\\.1:(\\d+) images=127\\.0\\.0\\.1:(\\d+) ca=(\\S+)$"))
                           .match(line);
        QVERIFY2(m.hasMatch() && m.captured(1) != m.captured(2), qPrintable(line));
        QCOMPARE(m.captured(3), dir->filePath(QStringLiteral("ca.pem")));
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
        QTest::newRow("time limit beyond the timer") << QStringList{"--for-seconds", "3000000"}
                                                     << "--for-seconds must be a positive number";
    }
    void executableRefusesBadOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QProcess p;
        p.start(QStringLiteral(TVS_SERVICE_PATH), args + QStringList{QStringLiteral("--data"), dir->path()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(message));
    }
};

QTEST_MAIN(ServiceLifecycle)
#include "tst_service_lifecycle.moc"
