#include "CarListController.h"
#include "InventoryFixtures.h"
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

// Each inventory page loads with its controller without a QML warning, shows
// what the controller computed and reaches the controller's actions.
class TestInventoryPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    // Pictures of the image host fail here (nothing serves them): the pages then
    // show "empty_car", and the image's own warning is expected.
    static QStringList unexpected(const QmlPageHarness &harness)
    {
        QStringList out;
        for (const QString &w : harness.warnings()) {
            // The first also stands for the engine's own error page script.
            if (!w.contains(QStringLiteral("QQuickImage*: Connection refused")) &&
                !w.contains(QStringLiteral("non-JS module files deprecated")))
                out.append(w);
        }
        return out;
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
        auto *screen = qobject_cast<MainDetailController *>(
            t->navigator->instantiate(QStringLiteral("MainDetailController")));
        screen->takeList = carRow("C1", "2");
        t->navigator->push(screen);
        return screen;
    }
    static Record option(const QString &detailCode, const QString &detailName = {})
    {
        Record r{{QStringLiteral("sCarOptionCode"), QStringLiteral("A000001")},
                 {QStringLiteral("sCarOptionDetailCode"), detailCode}};
        if (!detailName.isEmpty()) {
            r.insert(QStringLiteral("sCarOptionDetailName"), detailName);
            r.insert(QStringLiteral("sCarOptionName"), QStringLiteral("안전"));
        }
        return r;
    }
    WebController *openRecordPage()
    {
        auto *screen = qobject_cast<WebController *>(t->navigator->instantiate(QStringLiteral("WebController")));
        screen->ch = QStringLiteral("record");
        screen->pCode = QStringLiteral("C1");
        screen->setTitle = QStringLiteral("성능점검 기록부");
        t->navigator->push(screen);
        return screen;
    }

    static void press(QQuickItem *item)
    {
        QVERIFY(item);
        QVERIFY(QMetaObject::invokeMethod(item, "clicked"));
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startInventoryTest(*t);
    }
    void cleanup() { t.reset(); }

    void carListPageInCancelMode()
    {
        t->procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"),
                             replyBody({carRow("C1", "2", {{"sCarPhotoPath", "a.jpg"}}), carRow("C2", "3")}));
        auto *screen =
            qobject_cast<CarListController *>(t->navigator->instantiate(QStringLiteral("CarListController")));
        screen->subTitle = QStringLiteral("차량 입고를 취소할 수 있습니다.");
        screen->isCarCheck1 = true;
        t->navigator->push(screen);
        QTRY_COMPARE(screen->getMyCarList.size(), 2);

        QmlPageHarness harness;
        QVERIFY2(harness.load(QUrl(QStringLiteral("qrc:/tvs/inventory/CarListPage.qml")), screen),
                 qPrintable(harness.report()));
        harness.settle();
        QVERIFY(harness.findAccessible(QStringLiteral("차량 2대")));
        QVERIFY2(harness.findAccessible(QStringLiteral("뒤로")),
                 qPrintable(harness.accessibleNames().join(", ")));
        press(harness.findAccessible(QStringLiteral("취소요청")));
        QCOMPARE(screen->pendingDialogs().size(), 1);
        QCOMPARE(screen->pendingDialogs().first().message, QStringLiteral("차량 입고를 취소하시겠습니까?"));
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    void detailPageWithPhotosIconsAndBoxes()
    {
        MainDetailController *screen = openDetail(
            {"a.jpg", "b.jpg"}, {option("A000013")}, {option("A000013", "에어백(운전석)"), option("A000099", "후방 센서")});
        QTRY_COMPARE(t->procedures.deliveredCount(), 3);

        QmlPageHarness harness;
        QVERIFY2(harness.load(QUrl(QStringLiteral("qrc:/tvs/inventory/MainDetailPage.qml")), screen),
                 qPrintable(harness.report()));
        harness.settle();
        QVERIFY2(harness.findAccessible(QStringLiteral("스마트키 있음")),
                 qPrintable(harness.accessibleNames().join(", ")));
        QVERIFY(harness.findAccessible(QStringLiteral("선루프 없음")));
        QVERIFY(harness.findAccessible(QStringLiteral("차량 사진 1")));
        press(harness.findAccessible(QStringLiteral("+ 옵션 더보기")));
        QTRY_VERIFY2(harness.findAccessible(QStringLiteral("- 옵션 닫기")),
                     qPrintable(harness.accessibleNames().join(", ")));
        // Two options share a line: each half the box less one point, 60 high, 2 points apart.
        QQuickItem *left = harness.findAccessible(QStringLiteral("에어백 (운전석) (있음)"));
        QQuickItem *right = harness.findAccessible(QStringLiteral("후방 센서"));
        QVERIFY(left && right);
        const QRectF l = left->mapRectToScene(left->boundingRect());
        const QRectF r = right->mapRectToScene(right->boundingRect());
        QCOMPARE(l.top(), r.top());
        QCOMPARE(l.height(), 60.0);
        QCOMPARE(r.width(), l.width());
        QCOMPARE(r.left() - l.right(), 2.0);
        QCOMPARE(l.width() + r.width() + 2.0, left->parentItem()->parentItem()->parentItem()->width());
        press(harness.findAccessible(QStringLiteral("계약서 사진")));
        QTRY_COMPARE(screen->pendingDialogs().size(), 1);
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    // The photos swiped by hand: both ways, past either end, with the dots following.
    void photoPagerSwipesBothWaysAndWraps()
    {
        MainDetailController *screen = openDetail({"a.jpg", "b.jpg", "c.jpg"}, {}, {});
        QTRY_COMPARE(screen->pager().count(), 3);
        screen->pager().stop(); // only the hand moves the photos here

        QmlPageHarness harness;
        QVERIFY2(harness.load(QUrl(QStringLiteral("qrc:/tvs/inventory/MainDetailPage.qml")), screen),
                 qPrintable(harness.report()));
        harness.settle();
        QQuickItem *photo = harness.findAccessible(QStringLiteral("차량 사진 1"));
        QVERIFY(photo);
        QQuickItem *pageView = photo->parentItem();
        QVERIFY(pageView && pageView->inherits("QQuickPathView"));
        // A drag across most of the photo, from one side to the other.
        const auto swipe = [&](bool towardsNext) {
            const qreal y = pageView->height() / 2;
            const QPoint from =
                pageView->mapToScene(QPointF(pageView->width() * (towardsNext ? 0.85 : 0.15), y)).toPoint();
            const QPoint to =
                pageView->mapToScene(QPointF(pageView->width() * (towardsNext ? 0.15 : 0.85), y)).toPoint();
            QTest::mousePress(harness.window(), Qt::LeftButton, {}, from);
            for (int step = 1; step <= 10; ++step) {
                QTest::qWait(16);
                QTest::mouseMove(harness.window(), from + (to - from) * step / 10);
            }
            QTest::mouseRelease(harness.window(), Qt::LeftButton, {}, to);
        };

        swipe(true);
        QTRY_COMPARE_WITH_TIMEOUT(screen->pager().currentPage(), 1, 10000);
        QCOMPARE(pageView->property("currentIndex").toInt(), 1);
        swipe(false);
        QTRY_COMPARE_WITH_TIMEOUT(screen->pager().currentPage(), 0, 10000);
        swipe(false); // before the first: the last
        QTRY_COMPARE_WITH_TIMEOUT(screen->pager().currentPage(), 2, 10000);
        QCOMPARE(screen->pager().imgIndex, 2);
        swipe(true); // after the last: the first
        QTRY_COMPARE_WITH_TIMEOUT(screen->pager().currentPage(), 0, 10000);
        QVERIFY2(unexpected(harness).isEmpty(), qPrintable(harness.report()));
    }

    // Runs before any test loads the web engine's QML module into the process.
    void webPageWithoutTheEngineOpensTheSystemBrowser()
    {
        // An import path that holds every installed QML module except the web engine's.
        QTemporaryDir imports;
        QVERIFY(imports.isValid());
        const QDir installed(QLibraryInfo::path(QLibraryInfo::QmlImportsPath));
        for (const QString &entry : installed.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
            if (entry != QLatin1String("QtWebEngine"))
                QVERIFY(QFile::link(installed.filePath(entry), imports.filePath(entry)));
        }
        WebController *screen = openRecordPage();

        QmlPageHarness harness;
        harness.engine()->setImportPathList({imports.path(), QStringLiteral("qrc:/qt-project.org/imports")});
        QVERIFY2(harness.load(QUrl(QStringLiteral("qrc:/tvs/inventory/WebPage.qml")), screen),
                 qPrintable(harness.report()));
        QTRY_COMPARE(t->urls.opened, QList<QUrl>{screen->address()});
        QVERIFY(!screen->indicatorVisible());
        QCOMPARE(screen->notice(), QStringLiteral("브라우저에서 페이지를 열었습니다."));
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
    TestInventoryPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pages.moc"
