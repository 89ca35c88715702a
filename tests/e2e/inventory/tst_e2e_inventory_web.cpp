#include "AppData.h"
#include "QmlPageHarness.h"
#include "StandInService.h"
#include "TestContext.h"
#include "WebController.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>

#include <unistd.h>

namespace tvs {
void registerInventoryScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

// The web page in the web engine against the stand-in's web hosts over HTTPS,
// whose CA the app knows only from its configuration.
class TestInventoryWebEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<StandInService> m_service;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        StandInService::Options options;
        options.dataDir = m_dir.path();
        m_service = std::make_unique<StandInService>(options);
        QVERIFY2(m_service->start(), qPrintable(m_service->errorString()));
    }
    void cleanupTestCase() { m_service.reset(); }

    void pages_data()
    {
        QTest::addColumn<QString>("ch");
        QTest::addColumn<QString>("pCode");
        QTest::addColumn<bool>("withCa");
        // The engine remembers an accepted certificate for the rest of the process,
        // so the refusal comes first.
        QTest::newRow("bizRequest without the CA: refused") << "bizRequest"
                                                            << "" << false;
        QTest::newRow("record, CA configured") << "record"
                                               << "C000001" << true;
        QTest::newRow("summery, CA configured") << "summery"
                                                << "&sCarProductCode=C000001" << true;
    }
    void pages()
    {
        QFETCH(QString, ch);
        QFETCH(QString, pCode);
        QFETCH(bool, withCa);
        TestContext t;
        TestContext::resetAppData();
        AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), demo::kUserCode);
        t.config.apiHost = t.config.zestHost = t.config.mwebHost = m_service->apiHost();
        t.config.imageHost = m_service->imageHost();
        if (withCa)
            t.config.caFile = m_service->caFile();
        registerInventoryScreens(*t.navigator);
        auto *screen =
            qobject_cast<WebController *>(t.navigator->instantiate(QStringLiteral("WebController")));
        screen->ch = ch;
        screen->pCode = pCode;
        screen->setTitle = QStringLiteral("페이지");
        t.navigator->push(screen);
        const int before = m_service->requestCount();

        QmlPageHarness harness;
        QVERIFY2(harness.load(QUrl(QStringLiteral("qrc:/tvs/inventory/WebPage.qml")), screen),
                 qPrintable(harness.report()));
        QTRY_VERIFY_WITH_TIMEOUT(!screen->indicatorVisible(), 60000);
        if (withCa) {
            QCOMPARE(screen->notice(), QString());
            QVERIFY(m_service->requestCount() > before);
        } else {
            QCOMPARE(screen->notice(), QStringLiteral("페이지를 불러오지 못했습니다."));
        }
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
