// The real shell: the window loads without warnings, the first screen appears,
// pictures go through a caching manager, and the configured CA is trusted by
// every manager in the process.
#include "AppShell.h"
#include "Navigator.h"
#include "RecordingScreen.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QQmlApplicationEngine>
#include <QQmlNetworkAccessManagerFactory>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSslConfiguration>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

namespace {
QStringList g_warnings;
QtMessageHandler g_previous = nullptr;
void capture(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type >= QtWarningMsg &&
        (text.contains(QLatin1String("qrc:/tvs/ui")) || qstrcmp(context.category, "qml") == 0))
        g_warnings << text;
    if (g_previous)
        g_previous(type, context, text);
}

Config localConfig()
{
    Config c;
    c.apiHost = QStringLiteral("127.0.0.1:8443");
    c.imageHost = QStringLiteral("127.0.0.1:8080");
    c.zestHost = QStringLiteral("127.0.0.1:8443");
    c.mwebHost = QStringLiteral("127.0.0.1:8443");
    return c;
}
} // namespace

class AppShellTest : public QObject
{
    Q_OBJECT
    QStringList log;

private slots:
    void initTestCase()
    {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        g_previous = qInstallMessageHandler(capture);
    }
    void cleanupTestCase() { qInstallMessageHandler(g_previous); }
    void init()
    {
        log.clear();
        g_warnings.clear();
    }

    void startsOnTheFirstScreen()
    {
        Config config = localConfig();
        config.caFile = QFINDTESTDATA("../unit/app/test-ca.pem");
        QVERIFY(!config.caFile.isEmpty());
        AppShell shell(config, [this](Navigator &nav) {
            nav.registerScreen(
                QStringLiteral("LoginController"), QUrl(QStringLiteral("qrc:/test/TestPage.qml")),
                [this](ScreenContext *c) { return new RecordingScreen(c, QStringLiteral("Login"), &log); });
        });
        QVERIFY(shell.context()->procedures && shell.context()->jsonServices && shell.context()->settings &&
                shell.context()->clock && shell.context()->network && shell.context()->urls);
        QCOMPARE(shell.context()->navigator, shell.navigator());

        QVERIFY(shell.start());
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Login.viewDidAppear")), 20000);
        QCOMPARE(shell.navigator()->top()->identifier(), QStringLiteral("LoginController"));
        auto *window = qobject_cast<QQuickWindow *>(shell.engine()->rootObjects().value(0));
        QVERIFY(window);
        QCOMPARE(window->size(), QSize(390, 844));

        // Pictures share a disk cache; the extra CA is trusted process-wide, so the
        // engine's own managers verify the service with it too.
        QVERIFY(shell.engine()->networkAccessManagerFactory());
        std::unique_ptr<QNetworkAccessManager> nam(
            shell.engine()->networkAccessManagerFactory()->create(nullptr));
        QVERIFY(qobject_cast<QNetworkDiskCache *>(nam->cache()));
        const QList<QSslCertificate> trusted = QSslConfiguration::defaultConfiguration().caCertificates();
        QVERIFY(trusted.contains(config.caCertificates().first()));

        QTest::qWait(200);
        QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join(u'\n')));
    }

    void missingFirstScreenLeavesAnEmptyWindow()
    {
        AppShell shell(localConfig(), {});
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no screen registered as \"LoginController\""));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not registered; the window stays empty"));
        QVERIFY(shell.start());
        QCOMPARE(shell.navigator()->depth(), 0);
        QCOMPARE(shell.engine()->rootObjects().size(), 1);
    }
};

QTEST_MAIN(AppShellTest)
#include "tst_appshell.moc"
