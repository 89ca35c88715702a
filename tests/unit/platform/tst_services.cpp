// Platform services: settings files, the Korea clock, which URLs can be opened,
// the network path monitor.
#include "QtNetworkMonitor.h"
#include "Services.h"

#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tvs;

class ServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void settingsPersistInTheirFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        QVERIFY(!Settings(file).contains(QStringLiteral("sUserId")));
        Settings(file).setValue(QStringLiteral("sUserId"), QStringLiteral("딜러01"));
        QCOMPARE(Settings(file).value(QStringLiteral("sUserId")), QStringLiteral("딜러01"));
        // An empty value is stored, not dropped.
        Settings(file).setValue(QStringLiteral("sUserId"), QString());
        QVERIFY(Settings(file).contains(QStringLiteral("sUserId")));
    }

    void clockIsInKorea()
    {
        const QDateTime now = Clock().now();
        QCOMPARE(now.offsetFromUtc(), 9 * 3600);
        QVERIFY(qAbs(now.secsTo(QDateTime::currentDateTimeUtc())) < 600);
    }

    void whatCanBeOpened_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("openable");
        // A desktop dials only through an application registered for "tel:" (xdg-mime).
        QTest::newRow("tel, a dialer registered") << "tel://0212345678" << true;
        QTest::newRow("tel, no dialer") << "tel://0212345678" << false;
        QTest::newRow("https") << "https://127.0.0.1/service/" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
    }

    void whatCanBeOpened()
    {
        QFETCH(QString, url);
        QFETCH(bool, openable);
        QTemporaryDir bin;
        QFile xdgMime(bin.filePath(QStringLiteral("xdg-mime")));
        QVERIFY(xdgMime.open(QIODevice::WriteOnly));
        xdgMime.write(QTest::currentDataTag() == QLatin1String("tel, no dialer")
                          ? "#!/bin/sh\n"
                          : "#!/bin/sh\necho dialer.desktop\n");
        xdgMime.close();
        xdgMime.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", path); });
        UrlOpener opener;
        QCOMPARE(opener.canOpen(QUrl(url)), openable);
        if (!openable) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refusing to open"));
            QVERIFY(!opener.open(QUrl(url)));
        }
    }

    void networkMonitorReportsOnEveryStart()
    {
        QtNetworkMonitor monitor;
        QSignalSpy updates(&monitor, &NetworkMonitor::pathUpdated);
        for (int start = 0; start < 2; ++start) {
            updates.clear();
            if (!monitor.start())
                QSKIP("no network information backend on this machine (the monitor says so and reports "
                      "nothing)");
            // Never synchronously from start(): the receiver may still be connecting.
            QCOMPARE(updates.count(), 0);
            QTRY_VERIFY_WITH_TIMEOUT(updates.count() >= 1, 20000);
        }
    }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
