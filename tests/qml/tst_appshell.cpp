// The real shell: the window loads without warnings, the first screen appears, and
// the configured CA is trusted by every manager in the process (the QML engine's too);
// the app's registry opens the screen of every transition a controller performs.
#include "AppShell.h"
#include "AuctionTransitions.h"
#include "CarFixtures.h"
#include "DashboardTransitions.h"
#include "InventoryTransitions.h"
#include "LoginTransitions.h"
#include "Navigator.h"
#include "RecordingScreen.h"
#include "TestContext.h"
#include "WizardTransitions.h"
#include "WorkOrderTransitions.h"

#include <QQmlApplicationEngine>
#include <QQuickStyle>
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
    g_previous(type, context, text);
}
} // namespace

class AppShellTest : public QObject
{
    Q_OBJECT

private slots:
    void startsOnTheFirstScreen()
    {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        g_previous = qInstallMessageHandler(capture);
        Config config;
        QString error;
        QVERIFY2(Config::load(config, {QStringLiteral("tvsdealer")}, &error), qPrintable(error));
        config.caFile = QFINDTESTDATA("../unit/app/test-ca.pem");
        QStringList log;
        AppShell shell(config, [&log](Navigator &nav) {
            nav.registerScreen(
                QStringLiteral("LoginController"), QUrl(QStringLiteral("qrc:/test/TestPage.qml")),
                [&log](ScreenContext *c) { return new RecordingScreen(c, QStringLiteral("Login"), &log); });
        });
        QVERIFY(shell.start());
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Login.viewDidAppear")), 20000);
        QVERIFY(QSslConfiguration::defaultConfiguration().caCertificates().contains(
            config.caCertificates().value(0)));
        QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join(u'\n')));
        qInstallMessageHandler(g_previous);
    }

    void everyTransitionOpensItsScreen_data()
    {
        QTest::addColumn<QString>("transition");
        QTest::addColumn<QString>("destination");
        const std::span<const Transition> areas[] = {LoginTransition::All,     DashboardTransition::All,
                                                     InventoryTransition::All, WizardTransition::All,
                                                     WorkOrderTransition::All, AuctionTransition::All};
        for (const auto area : areas) {
            for (const Transition &t : area)
                QTest::newRow(t.name.data()) << QString(t.name) << QString(t.destination);
        }
    }
    void everyTransitionOpensItsScreen()
    {
        QFETCH(QString, transition);
        QFETCH(QString, destination);
        TestContext t;
        registerAllScreens(*t.navigator);
        Screen *source = t.navigator->resetTo(ScreenId::LoginController);
        QVERIFY(source);
        const Screen *opened = t.navigator->performSegue(transition, source);
        QVERIFY2(opened, "not registered, or its screen is not");
        QCOMPARE(opened->identifier(), destination);
        QCOMPARE(t.navigator->top(), opened);
    }
};

QTEST_MAIN(AppShellTest)
#include "tst_appshell.moc"
