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
        const auto later = [&was](int i, const QString &format) {
            return QDateTime::fromString(was.value(i), format).addDays(30).toString(format);
        };
        QCOMPARE(now, (QStringList{later(0, u"yyyyMMdd"_qs), later(1, u"yyyyMMddHHmmss"_qs), u"kept"_qs}));
        // Auctions in progress still end in the future.
        QVERIFY(run(QStringLiteral("SELECT MIN(sAuctionEndDate) FROM auctions WHERE sAuctionStatus = '1'")) > QStringLiteral("20260409"));
    }

    void aTakenPortIsAnError()
    {
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::LocalHost));
        options.port = blocker.serverPort();
        StandInService service(options);
        QVERIFY(!service.start() && !service.isRunning());
        QVERIFY(service.errorString().contains(QString::number(blocker.serverPort())));
    }

    // The executable answers with a ready line naming its two ports and its CA, and with a
    // time limit stops by itself; a bad option ends it with 2 and says which.
    void executable_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // a pattern of stdout's first line (exit 0), else of stderr
        QTest::newRow("ready, then stops")
            << QStringList{"--port", "0", "--image-port", "0", "--for-seconds", "3"} << 0
            << "^tvs-service ready api=127\\.0\\.0\\.1:(\\d+) images=127\\.0\\.0\\.1:(?!\\1\\b)\\d+ "
               "ca=DIR/ca\\.pem$";
        QTest::newRow("bad port") << QStringList{"--port", "x"} << 2 << "--port must be a port number";
        QTest::newRow("time limit beyond the timer")
            << QStringList{"--for-seconds", "3000000"} << 2 << "--for-seconds must be a positive number";
    }
    void executable()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess p;
        p.start(QStringLiteral(TVS_SERVICE_PATH),
                args + QStringList{u"--data"_qs, dir->path(), u"--log"_qs, dir->filePath(u"log.jsonl"_qs)});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), exitCode);
        const QString said = QString::fromUtf8(exitCode == 0 ? p.readAllStandardOutput().split('\n').first()
                                                             : p.readAllStandardError());
        output.replace(u"DIR"_qs, QRegularExpression::escape(dir->path()));
        QVERIFY2(said.contains(QRegularExpression(output)), qPrintable(said));
    }
};

QTEST_MAIN(ServiceLifecycle)
#include "tst_service_lifecycle.moc"
