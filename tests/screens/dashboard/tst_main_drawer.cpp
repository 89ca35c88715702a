#include "AppData.h"
#include "MainController.h"
#include "MainDrawerController.h"
#include "TestContext.h"

#include <QTest>

namespace tvs {
void registerDashboardScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

namespace {

class CarListStandIn : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString subTitle MEMBER subTitle)
    Q_PROPERTY(int searchNum MEMBER searchNum)
    Q_PROPERTY(bool isCarCheck1 MEMBER isCarCheck1)
    Q_PROPERTY(bool isCarCheck2 MEMBER isCarCheck2)
public:
    using Screen::Screen;
    QString subTitle;
    int searchNum = -1;
    bool isCarCheck1 = false;
    bool isCarCheck2 = false;
};

} // namespace

class TestMainDrawer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestContext> t;

    MainDrawerController *loadDrawer()
    {
        auto *main = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        Q_ASSERT(main);
        return main->drawerController();
    }

private slots:
    void init()
    {
        TestContext::resetAppData();
        t = std::make_unique<TestContext>();
        registerDashboardScreens(*t->navigator);
    }
    void cleanup() { t.reset(); }

    void lastSignIn_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("twelve digits") << true << "202401311405"
                                       << "2024-01-31 14:05";
        QTest::newRow("with seconds") << true << "20240131140559"
                                      << "2024-01-31 14:05";
        QTest::newRow("short") << true << "2024013114"
                               << "2024013114";
        QTest::newRow("empty") << true << ""
                               << "";
        QTest::newRow("already formatted") << true << "2024-01-31 14:05:59"
                                           << "2024-01-31 14:05:59";
        QTest::newRow("absent") << false << ""
                                << "첫 접속입니다.";
    }
    void lastSignIn()
    {
        QFETCH(bool, present);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        AppData::shared()->userInfo.insert(QStringLiteral("sUserName"), QStringLiteral("이딜러"));
        if (present)
            AppData::shared()->userInfo.insert(QStringLiteral("sUserLastDate"), stored);
        MainDrawerController *drawer = loadDrawer();
        QCOMPARE(drawer->lastDay(), shown);
        QCOMPARE(drawer->userName(), QStringLiteral("이딜러"));
    }

    void picture()
    {
        MainDrawerController *drawer = loadDrawer();
        QVERIFY(drawer->userImage().isEmpty()); // "the_thumbnail", nothing fetched
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_UserCarCount")), 0);

        AppData::shared()->userInfo.insert(QStringLiteral("sUserPicturePath"),
                                           QStringLiteral("D0001/me.png"));
        auto *main = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        QCOMPARE(main->drawerController()->userImage(),
                 QUrl(QStringLiteral("http://127.0.0.1:8080/image_user/D0001/me.png")));
        QCOMPARE(main->userImage(), main->drawerController()->userImage());
    }

    void segues_data()
    {
        QTest::addColumn<QString>("segue");
        QTest::addColumn<QString>("subTitle");
        QTest::addColumn<bool>("check1");
        QTest::addColumn<bool>("check2");
        QTest::newRow("cancel") << "main_to_carCancel"
                                << "차량 입고를 취소할 수 있습니다." << true << false;
        QTest::newRow("export") << "main_to_carExport"
                                << "차량 출고요청을 할 수 있습니다." << false << true;
    }
    void segues()
    {
        QFETCH(QString, segue);
        QFETCH(QString, subTitle);
        QFETCH(bool, check1);
        QFETCH(bool, check2);
        t->navigator->registerScreen(QStringLiteral("CarListController"), QUrl(),
                                     [](ScreenContext *c) { return new CarListStandIn(c); });
        MainDrawerController *drawer = loadDrawer();
        drawer->performSegue(segue);
        auto *list = qobject_cast<CarListStandIn *>(t->navigator->top());
        QVERIFY(list);
        QCOMPARE(list->subTitle, subTitle);
        QCOMPARE(list->isCarCheck1, check1);
        QCOMPARE(list->isCarCheck2, check2);
        QCOMPARE(list->searchNum, 0);
        QCOMPARE(t->navigator->depth(), 2); // over the dashboard
    }

    void workOrderSearch()
    {
        MainDrawerController *drawer = loadDrawer();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no screen registered as .*WorkOrder_p1"));
        drawer->openWorkOrderSearch();
        QCOMPARE(t->navigator->depth(), 1);
        t->navigator->registerScreen(QStringLiteral("WorkOrder_p1"), QUrl(),
                                     [](ScreenContext *c) { return new Screen(c); });
        drawer->openWorkOrderSearch();
        QCOMPARE(t->navigator->top()->identifier(), QStringLiteral("WorkOrder_p1"));
    }
};

QTEST_MAIN(TestMainDrawer)
#include "tst_main_drawer.moc"
