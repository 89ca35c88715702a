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

    static void click(QQuickWindow *window, QQuickItem *item)
    {
        QVERIFY(item);
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(window, Qt::LeftButton, {}, centre.toPoint());
    }

    // Every item below `root` in the visual tree (delegates are not QObject children).
    static QList<QQuickItem *> allItems(QQuickItem *root)
    {
        QList<QQuickItem *> items;
        for (QQuickItem *child : root->childItems())
            items << child << allItems(child);
        return items;
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
        // The failed picture fetch is reported by the image itself; nothing else may warn.
        for (const QString &warning : harness.warnings())
            QVERIFY2(warning.contains(QStringLiteral("QQuickImage")) &&
                         warning.contains(QStringLiteral("refused")),
                     qPrintable(harness.report()));
        harness.clearWarnings();

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
        click(harness.window(), harness.findAccessible(QStringLiteral("메뉴 열기")));
        QVERIFY(screen->isOpenDrawer);
        QTRY_VERIFY(harness.findAccessible(QStringLiteral("로그아웃")));
        QTRY_VERIFY(harness.findAccessible(QStringLiteral("차량 입고 취소")));

        // A tap beside the drawer closes it once it has slid in.
        harness.settle(700);
        click(harness.window(), harness.findAccessible(QStringLiteral("메뉴 닫기")));
        QVERIFY(!screen->isOpenDrawer);
        harness.settle(700);
        // The filter button asks for the dialog.
        click(harness.window(), harness.findAccessible(QStringLiteral("차량상태 선택 전체 ▾")));
        QCOMPARE(screen->pendingDialogs().size(), 1);
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
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
