#include "AppShell.h"
#include "CarListController.h"
#include "MainDetailController.h"
#include "Navigator.h"
#include "QmlPageHarness.h"
#include "StandInFixture.h"
#include "StandInService.h"
#include "TestContext.h"
#include "WebController.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QTest>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>

#include <unistd.h>

namespace tvs {
void registerInventoryScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

namespace {
// Warnings of the inventory pages while the shell shows them.
QStringList g_pageWarnings;
QtMessageHandler g_previousHandler = nullptr;
void collectPageWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && (message.contains(QStringLiteral("qrc:/tvs/inventory")) ||
                                 message.contains(QStringLiteral("PhotoPagerView"))))
        g_pageWarnings.append(message);
    g_previousHandler(type, context, message);
}
} // namespace

// The web page in the web engine against the stand-in's web hosts over HTTPS,
// whose CA the app knows only from its configuration.
class TestInventoryWebEndToEnd : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    StandInService *m_service = nullptr;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));
        m_service = m_stand.service();
    }
    void cleanupTestCase() { m_stand.stop(); }

    void pages_data()
    {
        QTest::addColumn<QString>("ch");
        QTest::addColumn<QString>("pCode");
        QTest::addColumn<bool>("withCa");
        // The engine remembers an accepted certificate for the rest of the process,
        // so the refusal comes first.
        QTest::newRow("bizRequest without the CA: refused") << "bizRequest" << "" << false;
        QTest::newRow("record, CA configured") << "record" << "C000001" << true;
        QTest::newRow("summery, CA configured") << "summery" << "&sCarProductCode=C000001" << true;
    }
    void pages()
    {
        QFETCH(QString, ch);
        QFETCH(QString, pCode);
        QFETCH(bool, withCa);
        TestContext t;
        StandInFixture::setDemoDealer();
        t.config = m_stand.config(withCa);
        registerInventoryScreens(*t.navigator);
        auto *screen =
            qobject_cast<WebController *>(t.navigator->instantiate(QStringLiteral("WebController")));
        screen->ch = ch;
        screen->pCode = pCode;
        screen->setTitle = QStringLiteral("페이지");
        t.navigator->push(screen);
        const int before = m_service->requestCount();

        QmlPageHarness harness;
        QQuickItem *page = harness.load(QUrl(QStringLiteral("qrc:/tvs/inventory/WebPage.qml")), screen);
        QVERIFY2(page, qPrintable(harness.report()));
        QVERIFY(screen->indicatorVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!screen->indicatorVisible(), 60000);
        if (withCa) {
            QCOMPARE(screen->notice(), QString());
            QVERIFY(m_service->requestCount() > before);
        } else {
            QCOMPARE(screen->notice(), QStringLiteral("페이지를 불러오지 못했습니다."));
            harness.settle();
            auto *webView = page->findChild<QQuickItem *>(QStringLiteral("webView"));
            QVERIFY(webView);
            QVERIFY(!webView->isVisible()); // the notice stands alone, not over the engine's error page
        }
    }

    // The three screens in the app's own window: list, detail with its
    // pictures from the image host, and a web page of the car.
    void inTheAppWindow()
    {
        StandInFixture::setDemoDealer();
        const Config config = m_stand.config();
        g_pageWarnings.clear();
        g_previousHandler = qInstallMessageHandler(collectPageWarnings);
        {
            AppShell shell(config, [](Navigator &n) { registerInventoryScreens(n); });
            QVERIFY(shell.start(QStringLiteral("CarListController")));
            auto *list = qobject_cast<CarListController *>(shell.navigator()->top());
            QVERIFY(list);
            QTRY_VERIFY_WITH_TIMEOUT(list->getMyCarList.size() > 3, 30000);

            list->selectRow(1);
            auto *detail = qobject_cast<MainDetailController *>(shell.navigator()->top());
            QVERIFY(detail);
            QTRY_VERIFY_WITH_TIMEOUT(detail->box(1).count() > 0 && detail->pager().count() > 0, 30000);
            QTest::qWait(300); // the page draws the photos and boxes: any warning of theirs is caught
            detail->btnOptionMore();
            QTRY_COMPARE(detail->btnOpMoreBottom(), detail->opBoxHeight);

            detail->performSegue(QStringLiteral("detail_to_web3"));
            auto *web = qobject_cast<WebController *>(shell.navigator()->top());
            QVERIFY(web);
            QVERIFY(!detail->pager().isRunning());
            QTRY_VERIFY_WITH_TIMEOUT(!web->indicatorVisible(), 60000);
            QCOMPARE(web->notice(), QString());
        }
        qInstallMessageHandler(g_previousHandler);
        QVERIFY2(g_pageWarnings.isEmpty(), qPrintable(g_pageWarnings.join(QLatin1Char('\n'))));
    }
};

int main(int argc, char *argv[])
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QtWebEngineQuick::initialize();
    QGuiApplication app(argc, argv);
    TestInventoryWebEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_inventory_web.moc"
