// The dashboard, drawer, car list, car detail and web pages load with their
// controllers without a QML warning, show what the controllers hold and reach
// their actions when pressed as a dealer would (by accessible name).
#include "CarFixtures.h"
#include "CarListController.h"
#include "MainController.h"
#include "MainDetailController.h"
#include "QmlPageHarness.h"
#include "ReplyBuilder.h"
#include "WebController.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>

#include <unistd.h>

using namespace tvs;
using namespace tvs::test;

namespace {

// Nothing serves pictures here: their own failure lines are expected, nothing else.
QStringList unexpected(const QmlPageHarness &harness)
{
    QStringList out;
    for (const QString &w : harness.warnings()) {
        if (!w.contains(QStringLiteral("Picture: Connection refused")))
            out.append(w);
    }
    return out;
}

Record option(const QString &detailCode, const QString &detailName = {})
{
    return {{"sCarOptionCode", "A000001"},
            {"sCarOptionDetailCode", detailCode},
            {"sCarOptionDetailName", detailName},
            {"sCarOptionName", "안전"}};
}

// Presses a control that may lie below the fold of its page.
bool press(QQuickItem *item)
{
    return item && QMetaObject::invokeMethod(item, "clicked");
}

} // namespace

class TestCarPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    void showPage(QmlPageHarness &harness, Screen *screen)
    {
        QQuickItem *page = harness.load(t->navigator->pageOf(screen->identifier()), screen);
        [&] { QVERIFY2(page, qPrintable(harness.report())); }();
        harness.settle();
    }
    MainDetailController *openDetail(const QStringList &photoPaths, const Records &own, const Records &catalogue)
    {
        Records photos;
        for (const QString &path : photoPaths)
            photos.append(Record{{QStringLiteral("sCarPhotoPath"), path}});
        const auto body = [](const Records &rows) { return rows.isEmpty() ? noRowsBody() : replyBody(rows); };
        t->procedures.answer(QStringLiteral("ps_GetCarPhotoList"), body(photos));
        t->procedures.answer(QStringLiteral("ps_GetProductCarOption"), body(own));
        t->procedures.answer(QStringLiteral("ps_GetCarOption"), body(catalogue));
        auto *screen = qobject_cast<MainDetailController *>(t->navigator->instantiate("MainDetailController"));
        screen->setCar(carRow("C1", "2"));
        t->navigator->push(screen);
        [&] { QTRY_COMPARE(t->procedures.deliveredCount(), 3); }();
        return screen;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->config.imageHost = QStringLiteral("127.0.0.1:9"); // refused: pictures fall back
    }
    void cleanup() { t.reset(); }

    void dashboardTilesAndDrawer()
    {
        t->procedures.answer(QStringLiteral("ps_UserCarCount"), singleElementsBody({{"sSellWait", "12"}}));
        t->procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"),
                             replyBody({carRow("C1", "1", {{"sCarPhotoPath", "a.jpg"}}), carRow("C2", "9")}));
        auto *screen = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        QTRY_COMPARE(screen->getMyCarList()->count(), 2);
        QmlPageHarness harness;
        showPage(harness, screen);
        for (const char *name : {"메뉴 열기", "새로고침", "업무 요청", "보유 차량 12", "경매 완료 0", "차량상태 선택 전체 ▾"})
            QVERIFY2(harness.findAccessible(QString::fromUtf8(name)), name);
        // A row reads as it shows.
        QTRY_VERIFY_WITH_TIMEOUT(
            harness.findAccessible(u"현대 쏘나타 (DN8) 12가3456 2019 45,210km 가솔린 판매중"_qs), 5000);

        QVERIFY(harness.click(QStringLiteral("메뉴 열기")));
        QVERIFY(screen->isOpenDrawer);
        harness.settle(700);
        QVERIFY(harness.click(QStringLiteral("메뉴 닫기")));
        QVERIFY(!screen->isOpenDrawer);
        QVERIFY(harness.click(QStringLiteral("메뉴 열기")));
        harness.settle(700);
        QVERIFY(harness.click(QStringLiteral("차량 출고 요청")));
        auto *list = qobject_cast<CarListController *>(t->navigator->top());
        QVERIFY(list && list->isCarCheck2);
        t->navigator->pop(); // the drawer goes with the screen it opened
        harness.settle(700);
        QVERIFY(harness.click(QStringLiteral("보유 차량 12")));
        auto *owned = qobject_cast<CarListController *>(t->navigator->top());
        QVERIFY(owned && owned->searchNum == 0);
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    void carListInCancelMode()
    {
        t->procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"),
                             replyBody({carRow("C1", "2"), carRow("C2", "3")}));
        t->navigator->push(new Screen(t->ctx()));
        auto *screen = qobject_cast<CarListController *>(t->navigator->instantiate("CarListController"));
        screen->showCars(QStringLiteral("차량 입고를 취소할 수 있습니다."), 0, CarListController::Mode::Cancel);
        t->navigator->push(screen);
        QTRY_COMPARE(screen->getMyCarList().size(), 2);
        QmlPageHarness harness;
        showPage(harness, screen);
        QVERIFY(harness.findAccessible(QStringLiteral("차량 2대")));
        QVERIFY(harness.click(QStringLiteral("취소요청 12가3456  2019년식")));
        QCOMPARE(screen->pendingDialogs().size(), 1);
        QVERIFY(harness.click(QStringLiteral("뒤로")));
        QTRY_VERIFY(t->navigator->top() != screen);
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    void detailIconsBoxesAndActions()
    {
        MainDetailController *screen =
            openDetail({"a.jpg"}, {option("A000013")}, {option("A000013", "에어백(운전석)"), option("A000099", "후방 센서")});
        QmlPageHarness harness;
        showPage(harness, screen);
        QVERIFY(harness.findAccessible(u"스마트키 있음"_qs) && harness.findAccessible(u"선루프 없음"_qs));
        QVERIFY(press(harness.findAccessible(QStringLiteral("+ 옵션 더보기"))));
        QTRY_VERIFY(harness.findAccessible(QStringLiteral("- 옵션 닫기")));
        QVERIFY(harness.findAccessible(u"에어백 (운전석) (있음)"_qs) &&
                harness.findAccessible(u"후방 센서"_qs));
        QVERIFY(press(harness.findAccessible(QStringLiteral("정산내역"))));
        auto *web = qobject_cast<WebController *>(t->navigator->top());
        QVERIFY(web && web->ch == u"summery"_qs);
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    // The photos swiped by hand: both ways, past either end.
    void photoPagerSwipesBothWaysAndWraps()
    {
        MainDetailController *screen = openDetail({"a.jpg", "b.jpg", "c.jpg"}, {}, {});
        screen->pager().stop(); // only the hand moves the photos here
        QmlPageHarness harness;
        showPage(harness, screen);
        QQuickItem *photo = harness.findAccessible(QStringLiteral("차량 사진 1"));
        QVERIFY(photo);
        QQuickItem *pageView = photo->parentItem();
        const auto swipe = [&](bool towardsNext) {
            const qreal y = pageView->height() / 2;
            const QPoint from = pageView->mapToScene(QPointF(pageView->width() * (towardsNext ? 0.85 : 0.15), y)).toPoint();
            const QPoint to = pageView->mapToScene(QPointF(pageView->width() * (towardsNext ? 0.15 : 0.85), y)).toPoint();
            QTest::mousePress(harness.window(), Qt::LeftButton, {}, from);
            for (int step = 1; step <= 10; ++step) {
                QTest::qWait(16);
                QTest::mouseMove(harness.window(), from + (to - from) * step / 10);
            }
            QTest::mouseRelease(harness.window(), Qt::LeftButton, {}, to);
        };
        swipe(false); // before the first: the last
        QTRY_COMPARE_WITH_TIMEOUT(screen->pager().currentPage(), 2, 10000);
        swipe(true); // after the last: the first
        QTRY_COMPARE_WITH_TIMEOUT(screen->pager().currentPage(), 0, 10000);
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    // Runs before any test loads the web engine's QML module into the process.
    void webPageWithoutTheEngineOpensTheSystemBrowser()
    {
        // An import path that holds every installed QML module except the web engine's.
        QTemporaryDir imports;
        const QDir installed(QLibraryInfo::path(QLibraryInfo::QmlImportsPath));
        for (const QString &entry : installed.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
            if (entry != QLatin1String("QtWebEngine"))
                QVERIFY(QFile::link(installed.filePath(entry), imports.filePath(entry)));
        }
        auto *screen = qobject_cast<WebController *>(t->navigator->instantiate(QStringLiteral("WebController")));
        screen->setPage(QStringLiteral("record"), QStringLiteral("C1"), QStringLiteral("성능점검 기록부"));
        t->navigator->push(screen);
        QmlPageHarness harness;
        harness.engine()->setImportPathList({imports.path(), QStringLiteral("qrc:/qt-project.org/imports")});
        QVERIFY2(harness.load(t->navigator->pageOf(QStringLiteral("WebController")), screen),
                 qPrintable(harness.report()));
        QTRY_COMPARE(t->urls.opened, QList<QUrl>{screen->address()});
        QCOMPARE(screen->notice(), QStringLiteral("브라우저에서 페이지를 열었습니다."));
        QVERIFY(harness.findAccessible(screen->notice())); // read out, not only drawn
        for (const QString &w : harness.warnings())
            QVERIFY2(w.contains(QStringLiteral("QtWebEngine")), qPrintable(w)); // only the missing module
    }
};

int main(int argc, char *argv[])
{
    // The web engine must be set up before the application object; as root its
    // sandbox cannot start.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QtWebEngineQuick::initialize();
    QGuiApplication app(argc, argv);
    TestCarPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_car_pages.moc"
