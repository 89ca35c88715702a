// The dashboard, the car list, the pictures and the web pages against the
// stand-in service over HTTPS: the real procedure client, reply walk, pictures,
// web engine and the demo shop's data.
#include "AppShell.h"
#include "CarFixtures.h"
#include "CarListController.h"
#include "DialogHelpers.h"
#include "MainController.h"
#include "QmlPageHarness.h"
#include "StandInFixture.h"
#include "TestCertificate.h"
#include "WebController.h"

#include <QFile>
#include <QGuiApplication>
#include <QNetworkReply>
#include <QQuickItem>
#include <QTest>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>

#include <unistd.h>

using namespace tvs;
using namespace tvs::test;

class TestCarsEndToEnd : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    std::unique_ptr<TestContext> t;

    QVariant sql(const QString &query, const QVariantList &values = {}) { return m_stand.db(query, values); }

private slots:
    void initTestCase() { QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString())); }
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        m_stand.attach(*t);
    }
    void cleanup() { t.reset(); }

    void dashboardCountsRowsAndFilter()
    {
        auto *screen = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        QVERIFY(screen);
        const QString shopCars = QStringLiteral("SELECT COUNT(*) FROM cars WHERE sStoreCode ="
                                                " (SELECT sStoreCode FROM users WHERE sUserCode = ?) AND ");
        const int held = sql(shopCars + QStringLiteral("sCarStatus NOT IN ('7','9')"), {demo::kUserCode}).toInt();
        const int sold = sql(shopCars + QStringLiteral("sCarStatus = '9'"), {demo::kUserCode}).toInt();
        QVERIFY(held > 0 && sold > 0);
        QTRY_COMPARE_WITH_TIMEOUT(screen->count0(), QString::number(held), 30000);
        QCOMPARE(screen->count1(), QString::number(sold));
        QTRY_COMPARE_WITH_TIMEOUT(screen->getMyCarList()->count(), held, 30000);
        const CarRowModel *rows = screen->getMyCarList();
        int tinted = 0;
        for (int i = 0; i < rows->count(); ++i) {
            QVERIFY(!rows->view(i).name.trimmed().isEmpty() && !rows->view(i).picture.isEmpty());
            tinted += rows->view(i).tint != CarRowTint::None;
        }
        QVERIFY2(tinted > 0 && tinted < rows->count(), "the demo shop has cars due for inspection and others");

        screen->tablefilterAction();
        QVERIFY(pressDialogAction(*screen, QStringLiteral("판매완료")));
        QTRY_COMPARE_WITH_TIMEOUT(screen->getMyCarList()->count(), sold, 30000);
        for (const Record &record : screen->getMyCarList()->records())
            QCOMPARE(record.value(QStringLiteral("sCarStatus")), QStringLiteral("9"));
    }

    // A row's picture comes from the image host once per run: the pages' network
    // managers (one per loader thread, one disk cache) answer it from the cache after that.
    void picturesAreFetchedOnce()
    {
        const QUrl picture = t->config.carPictureUrl(
            sql("SELECT sCarProductCode FROM car_photos ORDER BY sCarProductCode LIMIT 1").toString(),
            sql("SELECT sCarPhotoPath FROM car_photos ORDER BY sCarProductCode LIMIT 1").toString());
        QTemporaryDir cacheDir;
        CachingNetworkAccessManagerFactory factory(cacheDir.path());
        std::unique_ptr<QNetworkAccessManager> first(factory.create(nullptr));
        std::unique_ptr<QNetworkAccessManager> second(factory.create(nullptr));
        const auto fetch = [](QNetworkAccessManager *nam, const QUrl &url) {
            std::unique_ptr<QNetworkReply> reply(nam->get(QNetworkRequest(url)));
            [&] { QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 30000); }();
            return reply->error();
        };
        const int before = m_stand.service()->requestCount();
        QCOMPARE(fetch(first.get(), picture), QNetworkReply::NoError);
        QCOMPARE(fetch(first.get(), picture), QNetworkReply::NoError);
        QCOMPARE(fetch(second.get(), picture), QNetworkReply::NoError);
        QCOMPARE(m_stand.service()->requestCount(), before + 1);
        // A picture that does not exist is asked for again each time, and fails.
        const QUrl missing(picture.toString() + QStringLiteral(".missing.jpg"));
        QVERIFY(fetch(first.get(), missing) != QNetworkReply::NoError);
        QVERIFY(fetch(first.get(), missing) != QNetworkReply::NoError);
        QCOMPARE(m_stand.service()->requestCount(), before + 3);
    }

    void cancellingACarsEntryReachesTheService()
    {
        auto *cancel = qobject_cast<CarListController *>(t->navigator->instantiate(u"CarListController"_qs));
        QVERIFY(cancel);
        cancel->showCars(QStringLiteral("취소"), 0, CarListController::Mode::Cancel);
        t->navigator->push(cancel);
        QTRY_VERIFY_WITH_TIMEOUT(!cancel->getMyCarList().isEmpty(), 30000);
        for (const Record &row : cancel->getMyCarList())
            QVERIFY(CarListController::kCancelStatuses.contains(row.value(QStringLiteral("sCarStatus"))));
        const QString code = cancel->getMyCarList().first().value(QStringLiteral("sCarProductCode"));
        cancel->Action_isCarCheck1(0);
        QVERIFY(pressDialogAction(*cancel, QStringLiteral("확인")));
        QTRY_COMPARE_WITH_TIMEOUT(sql("SELECT sCarStatus FROM cars WHERE sCarProductCode = ?", {code}).toString(),
                                  QStringLiteral("7"), 30000);
        QVERIFY(cancel->pendingDialogs().isEmpty()); // the service took it: nothing to tell
    }

    // The web engine trusts the service's pages through the configured CA only: not
    // without a CA file, not with a CA that did not sign the service's certificate.
    void webPages_data()
    {
        QTest::addColumn<QString>("ch");
        QTest::addColumn<QString>("pCode");
        QTest::addColumn<QString>("caFile"); // "service", "other" or none
        // The engine remembers an accepted certificate for the rest of the process,
        // so the refusals come first.
        QTest::newRow("without the CA: refused") << "bizRequest" << "" << "";
        QTest::newRow("another CA: refused") << "bizRequest" << "" << "other";
        QTest::newRow("record, CA configured") << "record" << "C000001" << "service";
    }
    void webPages()
    {
        QFETCH(QString, ch);
        QFETCH(QString, pCode);
        QFETCH(QString, caFile);
        const bool trusted = caFile == QLatin1String("service");
        t->config = m_stand.config(trusted);
        if (caFile == QLatin1String("other")) {
            QFile other(m_stand.filePath(QStringLiteral("other-ca.pem")));
            const TestCertificate ca = TestCertificate::generate();
            QVERIFY(!ca.isNull() && other.open(QIODevice::WriteOnly) && other.write(ca.certificatePem) > 0);
            t->config.caFile = other.fileName();
        }
        auto *screen = qobject_cast<WebController *>(t->navigator->instantiate(QStringLiteral("WebController")));
        QVERIFY(screen);
        screen->setPage(ch, pCode, QStringLiteral("페이지"));
        t->navigator->push(screen);
        QmlPageHarness harness;
        QQuickItem *page = harness.load(t->navigator->pageOf(QStringLiteral("WebController")), screen);
        QVERIFY2(page, qPrintable(harness.report()));
        QTRY_VERIFY_WITH_TIMEOUT(!screen->indicatorVisible(), 60000);
        QCOMPARE(screen->notice(), trusted ? QString() : QStringLiteral("페이지를 불러오지 못했습니다."));
        harness.settle();
        // A notice stands alone, never over the engine's own error page.
        QQuickItem *view = page->findChild<QQuickItem *>(QStringLiteral("webView"));
        QVERIFY(view);
        QCOMPARE(view->isVisible(), trusted);
    }
};

int main(int argc, char *argv[])
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QtWebEngineQuick::initialize();
    QGuiApplication app(argc, argv);
    TestCarsEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_cars.moc"
