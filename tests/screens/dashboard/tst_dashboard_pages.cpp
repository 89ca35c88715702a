// The dashboard's and the drawer's pages load with their controllers without a
// QML warning, show what the controllers hold and drive their actions.
#include "AppData.h"
#include "MainController.h"
#include "MainDrawerController.h"
#include "QmlPageHarness.h"
#include "ReplyBuilder.h"
#include "TestContext.h"

#include <QLoggingCategory>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

namespace tvs {
void registerDashboardScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

class TestDashboardPages : public QObject
{
    Q_OBJECT

    // Every item below `root` in the visual tree (delegates are not QObject children).
    static QList<QQuickItem *> allItems(QQuickItem *root)
    {
        QList<QQuickItem *> items;
        for (QQuickItem *child : root->childItems())
            items << child << allItems(child);
        return items;
    }

    // The failed picture fetches are reported by the images themselves; nothing else may warn.
    static bool onlyPictureFailures(const QmlPageHarness &harness)
    {
        for (const QString &warning : harness.warnings()) {
            if (!warning.contains(QStringLiteral("QQuickImage")) ||
                !warning.contains(QStringLiteral("refused")))
                return false;
        }
        return true;
    }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("tvs.*.debug=false")); }

    void init()
    {
        TestContext::resetAppData();
        AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), QStringLiteral("D0001"));
        AppData::shared()->userInfo.insert(QStringLiteral("sUserName"), QStringLiteral("김딜러"));
        AppData::shared()->userInfo.insert(QStringLiteral("sUserLastDate"), QStringLiteral("202401311405"));
    }

    void mainPage()
    {
        TestContext t;
        // Nothing listens on the image port: every picture fails and falls back.
        t.config.imageHost = QStringLiteral("127.0.0.1:9");
        registerDashboardScreens(*t.navigator);
        t.procedures.answer(QStringLiteral("ps_UserCarCount"),
                            singleElementsBody({{QStringLiteral("sSellWait"), QStringLiteral("12")},
                                                {QStringLiteral("AuctionComplete"), QStringLiteral("3")}}));
        t.procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"),
                            replyBody({Record{{"sCarProductCode", "C1"},
                                              {"sCarName1", "쏘나타"},
                                              {"sCarName3", "2.0"},
                                              {"sCarGroup", "승용"},
                                              {"sCarStatus", "1"},
                                              {"sCarPhotoPath", "a.jpg"}},
                                       Record{{"sCarProductCode", "C2"}, {"sCarStatus", "9"}}}));
        auto *screen = qobject_cast<MainController *>(t.navigator->resetTo(QStringLiteral("MainView")));
        QVERIFY(screen);
        QTRY_COMPARE(screen->getMyCarList()->count(), 2);

        QmlPageHarness harness;
        QQuickItem *page = harness.load(t.navigator->pageOf(QStringLiteral("MainView")), screen);
        QVERIFY2(page, qPrintable(harness.report()));
        harness.settle(500);
        QVERIFY2(onlyPictureFailures(harness), qPrintable(harness.report()));

        const QStringList names = harness.accessibleNames();
        for (const char *name :
             {"메뉴 열기", "새로고침", "업무 요청", "보유 차량 12", "경매 완료 3", "차량상태 선택 전체 ▾"})
            QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join(u'|')));

        // Both rows end on the fallback picture: one has no path, the other's fetch fails.
        QList<QQuickItem *> pictures;
        for (QQuickItem *item : allItems(page)) {
            if (item->objectName() == QStringLiteral("cell_img"))
                pictures.append(item);
        }
        QCOMPARE(pictures.size(), 2);
        for (QQuickItem *picture : pictures)
            QTRY_VERIFY_WITH_TIMEOUT(picture->property("source").toUrl().toString().endsWith("empty_car.svg"),
                                     10000);

        // The bar button opens the drawer; a second press signs out.
        QVERIFY(harness.click(harness.findAccessible(QStringLiteral("메뉴 열기"))));
        QVERIFY(screen->isOpenDrawer);
        QTRY_VERIFY(harness.findAccessible(QStringLiteral("로그아웃")));
        QTRY_VERIFY(harness.findAccessible(QStringLiteral("차량 입고 취소")));

        // A tap beside the drawer closes it once it has slid in.
        harness.settle(700);
        QVERIFY(harness.click(harness.findAccessible(QStringLiteral("메뉴 닫기"))));
        QVERIFY(!screen->isOpenDrawer);
        harness.settle(700);
        // The filter button asks for the dialog.
        QVERIFY(harness.click(harness.findAccessible(QStringLiteral("차량상태 선택 전체 ▾"))));
        QCOMPARE(screen->pendingDialogs().size(), 1);
        screen->answerDialog(screen->pendingDialogs().first().id, 9);

        // The refresh button turns and asks for the list a second later.
        const int listCalls = t.procedures.callCount(QStringLiteral("ps_GetUserProductCar_Info2"));
        QVERIFY(harness.click(harness.findAccessible(QStringLiteral("새로고침"))));
        QTRY_VERIFY(harness.findAccessible(QStringLiteral("새로고침"))->rotation() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(t.procedures.callCount(QStringLiteral("ps_GetUserProductCar_Info2")),
                                  listCalls + 1, 10000);

        // Dragging the table enlarges it; pulling it down 50 points or more restores it.
        QQuickItem *row = harness.findAccessible(QStringLiteral("쏘나타 2.0  판매중"));
        QVERIFY(row);
        const QPoint start = row->mapToScene(QPointF(row->width() / 2, row->height() / 2)).toPoint();
        const auto drag = [&](int dy) {
            QTest::mousePress(harness.window(), Qt::LeftButton, {}, start);
            for (int step = 1; step <= 10; ++step)
                QTest::mouseMove(harness.window(), start + QPoint(0, dy * step / 10), 20);
            QTest::mouseRelease(harness.window(), Qt::LeftButton, {}, start + QPoint(0, dy), 20);
        };
        drag(-60);
        QTRY_VERIFY(screen->isOpenTable);
        QVERIFY(screen->tableConstant() < 0);
        harness.settle(700);
        drag(160);
        QTRY_VERIFY(!screen->isOpenTable);
        QVERIFY2(onlyPictureFailures(harness), qPrintable(harness.report()));
    }

    void drawerPage()
    {
        TestContext t;
        registerDashboardScreens(*t.navigator);
        t.procedures.answer(QStringLiteral("ps_UserCarCount"), noRowsBody());
        t.procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"), noRowsBody());
        auto *screen = qobject_cast<MainController *>(t.navigator->resetTo(QStringLiteral("MainView")));
        QmlPageHarness harness;
        QQuickItem *page = harness.load(QUrl(QStringLiteral("qrc:/tvs/dashboard/MainDrawerPage.qml")),
                                        screen->drawerController());
        QVERIFY2(page, qPrintable(harness.report()));
        harness.settle();
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
        const QStringList names = harness.accessibleNames();
        for (const char *name : {"차량 입고 취소", "차량 출고 요청", "정비 작업 지시"})
            QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join(u'|')));
        bool lastDayShown = false;
        for (QQuickItem *item : allItems(page))
            lastDayShown |= item->property("text").toString() == QStringLiteral("2024-01-31 14:05");
        QVERIFY(lastDayShown);
    }
};

QTEST_MAIN(TestDashboardPages)
#include "tst_dashboard_pages.moc"
