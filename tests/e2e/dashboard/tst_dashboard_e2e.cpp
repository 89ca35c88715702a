// The dashboard against the stand-in service over HTTPS: sign in as the demo
// dealer, then see the shop's counts and cars, change the filter, open the drawer.
#include "AppData.h"
#include "AppShell.h"
#include "CallText.h"
#include "CarRowModel.h"
#include "Config.h"
#include "MainController.h"
#include "MainDrawerController.h"
#include "Navigator.h"
#include "ProcedureClient.h"
#include "ScreenContext.h"
#include "Services.h"
#include "StandInFixture.h"
#include "StandInService.h"

#include <QCryptographicHash>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QtTest>

namespace tvs {
void registerDashboardScreens(Navigator &navigator);
void registerInventoryScreens(Navigator &navigator);
} // namespace tvs

using namespace tvs;
using tvs::test::StandInFixture;

class TestDashboardE2e : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    StandInService *m_service = nullptr;
    ProcedureClient *m_client = nullptr;
    Config m_config;
    QUrl m_picture;
    Clock m_clock;
    ScreenContext m_context;
    std::unique_ptr<Navigator> m_navigator;

    int countOf(const QString &sql) { return m_service->queryValue(sql, {demo::kUserCode}).toInt(); }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("tvs.*.debug=false"));
        QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
        QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));
        m_service = m_stand.service();
        m_client = m_stand.procedures();
        m_config = m_stand.config();
        m_context.procedures = m_client;
        m_context.clock = &m_clock;
        m_context.config = &m_config;
        m_navigator = std::make_unique<Navigator>(&m_context);
        registerDashboardScreens(*m_navigator);
        registerInventoryScreens(*m_navigator);
        m_navigator->registerScreen(QStringLiteral("LoginController"), QUrl(),
                                    [](ScreenContext *c) { return new Screen(c); });
    }

    void cleanupTestCase()
    {
        m_navigator.reset();
        m_stand.stop();
    }

    void signIn()
    {
        // The login's call, as the login screen sends it; its record fills userInfo.
        const QString digest = QString::fromLatin1(
            QCryptographicHash::hash(demo::kPassword.toUtf8(), QCryptographicHash::Md5).toHex());
        // Only what the dashboard and its drawer read of the record.
        ReplyShape shape;
        for (const char *key : {"rtn", "sUserCode", "sUserId", "sUserName", "sUserLastDate"})
            shape.namedElements.insert(QString::fromLatin1(key));
        bool done = false;
        ProcedureReply login;
        m_client->call(
            kProcedureList,
            callText(QStringLiteral("ps_Login1"), {demo::kUserId, digest, QStringLiteral("MOBILE_DEALER"),
                                                   QStringLiteral("1, 2, 3, 4, 12")}),
            shape, this, [&](const ProcedureReply &reply) {
                login = reply;
                done = true;
            });
        QTRY_VERIFY_WITH_TIMEOUT(done, 30000);
        QVERIFY2(login.ok(), qPrintable(login.error));
        QCOMPARE(login.walk.named.value(QStringLiteral("sUserCode")), demo::kUserCode);
        AppData *appData = AppData::shared();
        appData->userInfo.clear();
        for (const auto &[name, value] : login.walk.named.fields()) {
            if (name != QLatin1String("rtn"))
                appData->userInfo.insert(name, value);
        }
    }

    void countsAndRows()
    {
        auto *screen = qobject_cast<MainController *>(m_navigator->resetTo(QStringLiteral("MainView")));
        QVERIFY(screen);
        QVERIFY(!screen->userName().isEmpty());
        const QString shopCars = QStringLiteral("SELECT COUNT(*) FROM cars WHERE sStoreCode ="
                                                " (SELECT sStoreCode FROM users WHERE sUserCode = ?) AND ");
        const int held = countOf(shopCars + QStringLiteral("sCarStatus NOT IN ('7','9')"));
        const int sold = countOf(shopCars + QStringLiteral("sCarStatus = '9'"));
        QVERIFY2(held > 0 && sold > 0, "the demo shop holds and has sold cars");
        QTRY_COMPARE_WITH_TIMEOUT(screen->count0(), QString::number(held), 30000);
        QCOMPARE(screen->count1(), QString::number(sold));
        QTRY_COMPARE_WITH_TIMEOUT(screen->getMyCarList()->count(), held, 30000);
        QCOMPARE(screen->loadingCount(), 0);

        const CarRowModel *rows = screen->getMyCarList();
        int withPicture = 0;
        for (int i = 0; i < rows->count(); ++i) {
            const Record record = rows->record(i);
            const CarRowView view = rows->view(i);
            QVERIFY(record.contains(QStringLiteral("sCarProductCode")));
            QVERIFY2(!view.name.trimmed().isEmpty(),
                     qPrintable(record.value(QStringLiteral("sCarProductCode"))));
            QCOMPARE(view.stateText,
                     AppData::carStatusLabel(record.value(QStringLiteral("sCarStatus"))).text);
            QVERIFY(view.info.contains(record.value(QStringLiteral("sCarProductNum"))));
            if (!view.picture.isEmpty())
                ++withPicture;
        }
        QVERIFY2(withPicture > 0, "some demo cars have a picture");

        for (int i = 0; i < rows->count() && m_picture.isEmpty(); ++i)
            m_picture = rows->view(i).picture;
        QCOMPARE(m_picture.scheme(), QStringLiteral("http"));
    }

    // A row's picture comes from the image host once per run: the pages' network
    // managers (one per loader thread, one disk cache) answer a picture they have
    // fetched from the cache, however often its row is shown again.
    void picturesAreFetchedOnce()
    {
        QVERIFY(!m_picture.isEmpty());
        QTemporaryDir cacheDir;
        QVERIFY(cacheDir.isValid());
        const auto fetch = [this](QNetworkAccessManager *nam) -> QNetworkReply::NetworkError {
            std::unique_ptr<QNetworkReply> reply(nam->get(QNetworkRequest(m_picture)));
            [&] { QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 30000); }();
            if (reply->error() == QNetworkReply::NoError)
                [&] {
                    QVERIFY(
                        reply->header(QNetworkRequest::ContentTypeHeader).toString().startsWith("image/"));
                }();
            return reply->error();
        };
        CachingNetworkAccessManagerFactory factory(cacheDir.path());
        std::unique_ptr<QNetworkAccessManager> first(factory.create(nullptr));
        std::unique_ptr<QNetworkAccessManager> second(factory.create(nullptr));
        const int before = m_service->requestCount();
        QCOMPARE(fetch(first.get()), QNetworkReply::NoError);
        QCOMPARE(m_service->requestCount(), before + 1);
        QCOMPARE(fetch(first.get()), QNetworkReply::NoError);
        QCOMPARE(fetch(second.get()), QNetworkReply::NoError);
        QCOMPARE(m_service->requestCount(), before + 1);

        // A picture that does not exist is asked for again (nothing cached), and fails.
        QUrl missing = m_picture;
        missing.setPath(m_picture.path() + QStringLiteral(".missing.jpg"));
        m_picture = missing;
        QVERIFY(fetch(first.get()) != QNetworkReply::NoError);
        QVERIFY(fetch(first.get()) != QNetworkReply::NoError);
        QCOMPARE(m_service->requestCount(), before + 3);
    }

    void soldFilter()
    {
        auto *screen = qobject_cast<MainController *>(m_navigator->top());
        QVERIFY(screen);
        screen->tablefilterAction();
        screen->answerDialog(screen->pendingDialogs().last().id, 8); // 판매완료
        QCOMPARE(screen->filterTitle(), QStringLiteral("판매완료 ▾"));
        QTRY_COMPARE_WITH_TIMEOUT(screen->getMyCarList()->count(), screen->count1().toInt(), 30000);
        for (const Record &record : screen->getMyCarList()->rows())
            QCOMPARE(record.value(QStringLiteral("sCarStatus")), QStringLiteral("9"));
    }

    // The car list and the car detail take what the dashboard and its drawer hand over.
    void handOverToTheInventory()
    {
        auto *screen = qobject_cast<MainController *>(m_navigator->top());
        QVERIFY(screen);
        QVERIFY(screen->getMyCarList()->count() > 0);
        const Record record = screen->getMyCarList()->record(0);
        screen->selectRow(0);
        Screen *detail = m_navigator->top();
        QCOMPARE(detail->identifier(), QStringLiteral("MainDetailController"));
        const QVariantMap takeList = detail->property("takeList").toMap();
        QCOMPARE(takeList.size(), record.size());
        QCOMPARE(takeList.value(QStringLiteral("sCarProductCode")).toString(),
                 record.value(QStringLiteral("sCarProductCode")));
        m_navigator->pop(detail);
        QTRY_COMPARE(m_navigator->top(), screen);

        screen->drawerController()->performSegue(QStringLiteral("main_to_carExport"));
        Screen *list = m_navigator->top();
        QCOMPARE(list->identifier(), QStringLiteral("CarListController"));
        QCOMPARE(list->property("subTitle").toString(), QStringLiteral("차량 출고요청을 할 수 있습니다."));
        QCOMPARE(list->property("isCarCheck2").toBool(), true);
        QCOMPARE(list->property("isCarCheck1").toBool(), false);
        QCOMPARE(list->property("searchNum").toInt(), 0);
        m_navigator->pop(list);
        QTRY_COMPARE(m_navigator->top(), screen);
        // Coming back repeats the loading sequence with the current filter (판매완료).
        QTRY_COMPARE_WITH_TIMEOUT(screen->getMyCarList()->count(), screen->count1().toInt(), 30000);
    }

    void drawerAndSignOut()
    {
        QPointer<MainController> screen = qobject_cast<MainController *>(m_navigator->top());
        QVERIFY(screen);
        QCOMPARE(screen->drawerController()->userName(),
                 AppData::shared()->userInfo.value(QStringLiteral("sUserName")));
        QVERIFY(screen->drawerController()->lastDay().contains(u'-'));
        screen->icoSet_OutAction();
        screen->icoSet_OutAction();
        QTRY_COMPARE_WITH_TIMEOUT(m_navigator->top()->identifier(), QStringLiteral("LoginController"), 10000);
        QCOMPARE(m_navigator->depth(), 1);
    }
};

QTEST_MAIN(TestDashboardE2e)
#include "tst_dashboard_e2e.moc"
