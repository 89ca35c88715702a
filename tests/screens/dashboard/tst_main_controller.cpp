#include "AppData.h"
#include "CarRowModel.h"
#include "MainController.h"
#include "MainDrawerController.h"
#include "ReplyBuilder.h"
#include "TestContext.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

namespace tvs {
void registerDashboardScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

namespace {

// A destination that keeps whatever a transition hands it.
class RecordingScreen : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString subTitle MEMBER subTitle)
    Q_PROPERTY(int searchNum MEMBER searchNum)
    Q_PROPERTY(bool isCarCheck1 MEMBER isCarCheck1)
    Q_PROPERTY(bool isCarCheck2 MEMBER isCarCheck2)
    Q_PROPERTY(QVariantMap takeList MEMBER takeList)
    Q_PROPERTY(int openPage MEMBER openPage)
    Q_PROPERTY(QString ch MEMBER ch)
    Q_PROPERTY(QString setTitle MEMBER setTitle)
public:
    using Screen::Screen;
    QString subTitle;
    int searchNum = -1;
    bool isCarCheck1 = false;
    bool isCarCheck2 = false;
    QVariantMap takeList;
    int openPage = -1;
    QString ch;
    QString setTitle;
};

const QString kCount = QStringLiteral("ps_UserCarCount");
const QString kList = QStringLiteral("ps_GetUserProductCar_Info2");

Record car(const QString &code, std::initializer_list<std::pair<QString, QString>> more = {})
{
    Record r{{QStringLiteral("sCarProductCode"), code},
             {QStringLiteral("sCarName1"), QStringLiteral("쏘나타")},
             {QStringLiteral("sCarName3"), QStringLiteral("2.0 LPI")},
             {QStringLiteral("sCarGroup"), QStringLiteral("승용")}};
    for (const auto &f : more)
        r.insert(f.first, f.second);
    return r;
}

QByteArray counts(std::initializer_list<std::pair<QString, QString>> values)
{
    return singleElementsBody(Record(values));
}

} // namespace

class TestMainController : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestContext> t;

    MainController *show()
    {
        auto *screen = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        Q_ASSERT(screen);
        return screen;
    }
    // Shows the dashboard and waits until its list reply has been applied.
    MainController *showLoaded(const Records &rows)
    {
        t->procedures.answer(kCount, counts({{QStringLiteral("sSellWait"), QStringLiteral("1")}}));
        t->procedures.answer(kList, replyBody(rows));
        MainController *screen = show();
        const int before = t->procedures.deliveredCount();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(t->procedures.deliveredCount() >= before + 2, 10000); }();
        return screen;
    }
    void registerDestination(const QString &identifier)
    {
        t->navigator->registerScreen(identifier, QUrl(),
                                     [](ScreenContext *c) { return new RecordingScreen(c); });
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
        QLoggingCategory::setFilterRules(QStringLiteral("tvs.*.debug=false"));
    }

    void init()
    {
        TestContext::resetAppData();
        AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), QStringLiteral("D0001"));
        AppData::shared()->userInfo.insert(QStringLiteral("sUserName"), QStringLiteral("김딜러"));
        t = std::make_unique<TestContext>();
        // 2026-03-15 10:00 in Seoul: now4Month 20251115, now7Day 20260308.
        t->clock.setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0), Clock::timeZone()));
        registerDashboardScreens(*t->navigator);
        t->navigator->registerScreen(QStringLiteral("LoginController"), QUrl(),
                                     [](ScreenContext *c) { return new Screen(c); });
        t->procedures.answer(kCount, counts({}));
        t->procedures.answer(kList, noRowsBody());
    }
    void cleanup() { t.reset(); }

    void countsFirstThenListAfterTheCountReply()
    {
        t->procedures.setHolding(true);
        t->procedures.answer(kCount, counts({{QStringLiteral("sSellWait"), QStringLiteral("12")},
                                             {QStringLiteral("sSellComplete"), QStringLiteral("3")},
                                             {QStringLiteral("sAuction"), QStringLiteral("4")}}));
        t->procedures.answer(kList, replyBody({car(QStringLiteral("C1")), car(QStringLiteral("C2"))}));
        MainController *screen = show();
        QCOMPARE(screen->userName(), QStringLiteral("김딜러"));
        QCOMPARE(t->procedures.callTexts(), QStringList{QStringLiteral("ps_UserCarCount 'D0001'")});
        QCOMPARE(t->procedures.calls().first().operation, kProcedureList);
        QCOMPARE(screen->loadingCount(), 1);
        QTRY_COMPARE(screen->loadingCount(), 0); // did-appear removes it, whatever the replies do
        QCOMPARE(t->procedures.callCount(kList), 0);

        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(t->procedures.callTextsOf(kList),
                 QStringList{QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '0'")});
        QCOMPARE(screen->getCarCountList, (QStringList{QStringLiteral("12"), QStringLiteral("3"),
                                                       QStringLiteral("4"), QStringLiteral("0")}));
        QCOMPARE(screen->count3(), QStringLiteral("0")); // the reply lacked AuctionComplete
        QCOMPARE(screen->getMyCarList()->count(), 0);
        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(screen->getMyCarList()->count(), 2);
        QCOMPARE(screen->getMyCarList()->record(1).value(QStringLiteral("sCarProductCode")),
                 QStringLiteral("C2"));
    }

    void everyAppearanceRepeatsWithTheCurrentFilterAndKeepsMissingCounts()
    {
        t->procedures.answerOnce(
            kCount, CannedAnswer::reply(counts({{QStringLiteral("AuctionComplete"), QStringLiteral("7")}})));
        t->procedures.answer(kCount, counts({{QStringLiteral("sSellWait"), QStringLiteral("2")}}));
        t->procedures.answer(kList, replyBody({car(QStringLiteral("C1"))}));
        MainController *screen = show();
        QTRY_COMPARE(screen->count3(), QStringLiteral("7"));
        QTRY_COMPARE(t->procedures.callCount(kList), 1);

        screen->tablefilterAction();
        screen->answerDialog(screen->pendingDialogs().last().id, 1); // 판매중
        QTRY_COMPARE(t->procedures.callCount(kList), 2);

        auto *other = new Screen(t->ctx());
        t->navigator->push(other);
        QTRY_COMPARE(t->navigator->top(), other);
        t->navigator->pop(other);
        QTRY_COMPARE(t->procedures.callCount(kCount), 2);
        QTRY_COMPARE(t->procedures.callCount(kList), 3);
        QCOMPARE(t->procedures.callTextsOf(kList).last(),
                 QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '1'"));
        QTRY_COMPARE(screen->count0(), QStringLiteral("2"));
        QCOMPARE(screen->count3(), QStringLiteral("7")); // the later reply lacked it: kept
        QTRY_COMPARE(screen->loadingCount(), 0);
    }

    void filterDialog_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("searchNum");
        QTest::addColumn<QString>("title");
        QTest::newRow("전체") << 0 << 0 << QStringLiteral("전체 ▾");
        QTest::newRow("판매중") << 1 << 1 << QStringLiteral("판매중 ▾");
        QTest::newRow("검사중") << 2 << 2 << QStringLiteral("검사중 ▾");
        QTest::newRow("입고중") << 3 << 3 << QStringLiteral("입고중 ▾");
        QTest::newRow("출고중(차량판매)") << 4 << 4 << QStringLiteral("출고중 ▾");
        QTest::newRow("출고중(위탁차량반환)") << 5 << 5 << QStringLiteral("출고중 ▾");
        QTest::newRow("출고요청(구입취소요청)") << 6 << 7 << QStringLiteral("출고요청 ▾");
        QTest::newRow("출고요청(성능점검 후 입고취소요청)") << 7 << 25 << QStringLiteral("출고요청 ▾");
        QTest::newRow("판매완료") << 8 << 9 << QStringLiteral("판매완료 ▾");
    }
    void filterDialog()
    {
        QFETCH(int, entry);
        QFETCH(int, searchNum);
        QFETCH(QString, title);
        MainController *screen = showLoaded({car(QStringLiteral("C1"))});
        QCOMPARE(screen->getMyCarList()->count(), 1);
        t->procedures.clearCalls();
        t->procedures.setHolding(true);

        screen->tablefilterAction();
        QCOMPARE(screen->pendingDialogs().size(), 1);
        const DialogRequest &dialog = screen->pendingDialogs().first();
        QCOMPARE(dialog.title, QStringLiteral("차량상태 선택"));
        QCOMPARE(dialog.message, QString());
        QStringList titles;
        for (const DialogAction &a : dialog.actions)
            titles.append(a.title);
        QCOMPARE(titles, (QStringList{
                             QStringLiteral("전체"), QStringLiteral("판매중"), QStringLiteral("검사중"),
                             QStringLiteral("입고중"), QStringLiteral("출고중(차량판매)"),
                             QStringLiteral("출고중(위탁차량반환)"), QStringLiteral("출고요청(구입취소요청)"),
                             QStringLiteral("출고요청(성능점검 후 입고취소요청)"), QStringLiteral("판매완료"),
                             QStringLiteral("선택취소")}));
        QCOMPARE(dialog.actions.last().style, DialogAction::Destructive);
        QCOMPARE(dialog.actions.first().style, DialogAction::Default);

        QSignalSpy titleSpy(screen, &MainController::filterChanged);
        screen->answerDialog(dialog.id, entry);
        QCOMPARE(t->procedures.callTexts(),
                 QStringList{QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '%1'").arg(searchNum)});
        QCOMPARE(screen->searchNum, searchNum);
        QCOMPARE(screen->filterTitle(), title);
        QCOMPARE(titleSpy.count(), 1);
        QCOMPARE(screen->getMyCarList()->count(), 0); // the old filter's rows are gone at once
        QVERIFY(screen->pendingDialogs().isEmpty());
    }

    void filterCancelChangesNothing()
    {
        MainController *screen = showLoaded({car(QStringLiteral("C1"))});
        screen->tablefilterAction();
        screen->answerDialog(screen->pendingDialogs().first().id, 8);
        QTRY_COMPARE(screen->getMyCarList()->count(), 1);
        t->procedures.clearCalls();
        screen->tablefilterAction();
        screen->answerDialog(screen->pendingDialogs().first().id, 9); // 선택취소
        QCOMPARE(t->procedures.calls().size(), 0);
        QCOMPARE(screen->searchNum, 9);
        QCOMPARE(screen->filterTitle(), QStringLiteral("판매완료 ▾"));
        QCOMPARE(screen->getMyCarList()->count(), 1);
    }

    void newestListReplyWins()
    {
        MainController *screen = showLoaded({});
        t->procedures.setHolding(true);
        t->procedures.answerOnce(kList, CannedAnswer::reply(replyBody(
                                            {car(QStringLiteral("OLD1")), car(QStringLiteral("OLD2"))})));
        t->procedures.answerOnce(kList, CannedAnswer::reply(replyBody({car(QStringLiteral("NEW1"))})));
        screen->tablefilterAction();
        screen->answerDialog(screen->pendingDialogs().first().id, 1);
        screen->tablefilterAction();
        screen->answerDialog(screen->pendingDialogs().first().id, 2);
        QCOMPARE(t->procedures.heldCount(), 2);
        QVERIFY(t->procedures.releaseNext()); // the superseded filter's rows
        QCOMPARE(screen->getMyCarList()->count(), 0);
        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(screen->getMyCarList()->count(), 1);
        QCOMPARE(screen->getMyCarList()->record(0).value(QStringLiteral("sCarProductCode")),
                 QStringLiteral("NEW1"));
    }

    void failuresKeepWhatWasShown()
    {
        MainController *screen = showLoaded({car(QStringLiteral("C1"))});
        QCOMPARE(screen->count0(), QStringLiteral("1"));
        t->procedures.clearCalls();
        t->procedures.answer(kCount, CannedAnswer::transportError());
        t->procedures.answer(kList, CannedAnswer::transportError());
        screen->tableRefreshAction();
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.callCount(kList), 1, 10000);
        QTest::qWait(50);
        QCOMPARE(screen->getMyCarList()->count(), 1);

        const int delivered = t->procedures.deliveredCount();
        screen->viewWillAppear(); // a count failure stops the sequence: no list request
        screen->viewDidAppear();
        QTRY_COMPARE(t->procedures.deliveredCount(), delivered + 1);
        QCoreApplication::processEvents();
        QCOMPARE(t->procedures.callCount(kList), 1);
        QCOMPARE(screen->count0(), QStringLiteral("1"));
    }

    void nothingFoundShowsNoRow_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("rtn in a row") << noRowsBody();
        QTest::newRow("rtn alone")
            << resultBody(QStringLiteral("<NewDataSet>\n  <rtn>NO</rtn>\n</NewDataSet>"));
    }
    void nothingFoundShowsNoRow()
    {
        QFETCH(QByteArray, body);
        MainController *screen = showLoaded({car(QStringLiteral("C1"))});
        QCOMPARE(screen->getMyCarList()->count(), 1);
        t->procedures.answer(kList, body);
        const int delivered = t->procedures.deliveredCount();
        screen->tableRefreshAction();
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.deliveredCount(), delivered + 1, 10000);
        QTRY_COMPARE(screen->getMyCarList()->count(), 0);
    }

    void withoutUserCodeNothingIsSent()
    {
        AppData::shared()->userInfo.remove(QStringLiteral("sUserCode"));
        MainController *screen = show();
        QTRY_COMPARE(screen->loadingCount(), 0);
        screen->tableRefreshAction();
        QTest::qWait(1200);
        QCOMPARE(t->procedures.calls().size(), 0);
        QCOMPARE(screen->count0(), QStringLiteral("0"));
    }

    void refreshTurnsThenRequests()
    {
        MainController *screen = showLoaded({});
        t->procedures.clearCalls();
        QSignalSpy spin(screen, &MainController::refreshSpinRequested);
        QElapsedTimer clock;
        clock.start();
        screen->tableRefreshAction();
        QCOMPARE(spin.count(), 1);
        QCOMPARE(t->procedures.calls().size(), 0); // one second later, not at once
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.callTexts(),
                                  QStringList{QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '0'")},
                                  10000);
        // The button turns for a second before the list is asked for.
        QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
    }

    void rowTint_data()
    {
        QTest::addColumn<Record>("fields");
        QTest::addColumn<QColor>("background");
        const QColor red = QColor::fromRgbF(0.9153f, 0.3079f, 0.3100f, 0.3f);
        const QColor green = QColor::fromRgbF(0.6098f, 0.8240f, 0.5666f, 0.3f);
        const QColor blue = QColor::fromRgbF(0.4882f, 0.7242f, 0.9984f, 0.3f);
        const QColor white(Qt::white);
        const auto r = [](std::initializer_list<std::pair<QString, QString>> f) { return Record(f); };
        const QString check = QStringLiteral("sCarProductCheckDate");
        const QString end = QStringLiteral("sCheckEndDate");
        QTest::newRow("both") << r({{check, "20251114"}, {end, "20260307"}}) << red;
        // An element holding only blanks arrives as an empty value (one with no text at all arrives absent).
        QTest::newRow("old check, empty end") << r({{check, "20251001"}, {end, " "}}) << red;
        QTest::newRow("empty end only") << r({{check, "20260101"}, {end, " "}}) << green;
        QTest::newRow("expired end only") << r({{end, "20260101"}}) << green;
        QTest::newRow("old check only") << r({{check, "20250101"}, {end, "20260308"}}) << blue;
        QTest::newRow("neither") << r({{check, "20251115"}, {end, "20260308"}}) << white;
        QTest::newRow("no dates") << r({}) << white;
        QTest::newRow("recent check, no end") << r({{check, "20260301"}}) << white;
        QTest::newRow("check not decimal") << r({{check, "2025-01-01"}}) << white;
        QTest::newRow("check empty") << r({{check, " "}}) << white;
        QTest::newRow("end not decimal") << r({{check, "20250101"}, {end, "없음"}}) << blue;
    }
    void rowTint()
    {
        QFETCH(Record, fields);
        QFETCH(QColor, background);
        Record row = car(QStringLiteral("C1"));
        for (const auto &[name, value] : fields.fields())
            row.insert(name, value);
        MainController *screen = showLoaded({row});
        QCOMPARE(screen->getMyCarList()->count(), 1);
        const QModelIndex index = screen->getMyCarList()->index(0);
        QCOMPARE(index.data(CarRowModel::CellBackground).value<QColor>(), background);
    }

    void referenceDatesAreKoreanDays()
    {
        // 23:30 UTC on 30 June is already 1 July in Seoul: minus four months is 1 March.
        t->clock.setNow(QDateTime(QDate(2026, 6, 30), QTime(23, 30), QTimeZone::utc()));
        MainController *screen = show();
        QCOMPARE(screen->now4Month, QStringLiteral("20260301"));
        QCOMPARE(screen->now7Day, QStringLiteral("20260624"));
        // The end of a longer month falls back to the last day of the shorter one.
        QCOMPARE(
            CarRowDates::fromNow(QDateTime(QDate(2026, 6, 30), QTime(12, 0), Clock::timeZone())).now4Month,
            QStringLiteral("20260228"));
    }

    void rowTexts_data()
    {
        QTest::addColumn<Record>("row");
        QTest::addColumn<QStringList>("cells"); // name, info, info2, state, img
        const auto r = [](std::initializer_list<std::pair<QString, QString>> f) { return Record(f); };
        const QStringList blank{"", "", "", "", ""};
        QTest::newRow("car") << r({{"sCarProductCode", "C000123"}, {"sCarName1", "쏘나타"}, {"sCarName3", "2.0 LPI"},
                                   {"sCarGroup", "승용"}, {"sCarProductNum", "12가3456"},
                                   {"sCarProductYearMonth", "2019"}, {"sCarProductMileage", "123456"},
                                   {"sCarFuelName", "가솔린"}, {"sCarStatus", "9"}, {"sCarPhotoPath", "main.jpg"}})
                             << QStringList{"쏘나타 2.0 LPI", "12가3456  2019", "123,456km  가솔린", "  판매완료  ",
                                            "http://127.0.0.1:8080/image_product/C000123/main.jpg"};
        QTest::newRow("lorry") << r({{"sCarName1", "포터2"}, {"sCarName3", "초장축"}, {"sCarFormName2", "카고"},
                                     {"sCarGroup", "화물특장버스"}, {"sCarProductMileage", "0"},
                                     {"sCarFuelName", "경유"}, {"sCarStatus", "18"}})
                               << QStringList{"포터2 카고", "", "0km  경유", "  입고 후 정비  ", ""};
        QTest::newRow("bare") << r({{"sCarProductCode", "C9"}}) << blank;
        QTest::newRow("no third name") << r({{"sCarName1", "모닝"}, {"sCarGroup", "경차"}})
                                       << QStringList{"모닝 ", "", "", "", ""};
        QTest::newRow("mileage not decimal")
            << r({{"sCarProductMileage", "12만"}, {"sCarFuelName", "경유"}, {"sCarStatus", "20"}})
            << QStringList{"", "", "", "  Error  ", ""};
        QTest::newRow("mileage without fuel") << r({{"sCarProductMileage", "5000"}}) << blank;
        QTest::newRow("year without plate") << r({{"sCarProductYearMonth", "2021"}})
                                            << QStringList{"", "  2021", "", "", ""};
        QTest::newRow("empty photo path") << r({{"sCarProductCode", "C1"}, {"sCarPhotoPath", ""}}) << blank;
    }
    void rowTexts()
    {
        QFETCH(Record, row);
        QFETCH(QStringList, cells);
        // The full row first: the row under test never shows its texts.
        const Record full = car(QStringLiteral("FULL"), {{"sCarProductNum", "99허9999"},
                                                         {"sCarProductYearMonth", "2010"},
                                                         {"sCarProductMileage", "99"},
                                                         {"sCarFuelName", "LPG"},
                                                         {"sCarStatus", "1"},
                                                         {"sCarPhotoPath", "x.jpg"}});
        MainController *screen = showLoaded({full, row});
        QCOMPARE(screen->getMyCarList()->count(), 2);
        const QModelIndex index = screen->getMyCarList()->index(1);
        QStringList shown;
        for (int role : {CarRowModel::CellName, CarRowModel::CellInfo, CarRowModel::CellInfo2, CarRowModel::CellState,
                         CarRowModel::CellImg})
            shown.append(index.data(role).toString());
        QCOMPARE(shown, cells);
    }

    void statusColours()
    {
        MainController *screen = showLoaded({car("A", {{"sCarStatus", "9"}}), car("B")});
        const CarRowModel *model = screen->getMyCarList();
        QCOMPARE(model->index(0).data(CarRowModel::CellStateColor).value<QColor>(),
                 QColor::fromRgbF(205 / 255.0f, 205 / 255.0f, 205 / 255.0f));
        QCOMPARE(model->index(1).data(CarRowModel::CellStateColor).value<QColor>().alpha(), 0);
    }

    void signOutOnlyWithTheDrawerOpen()
    {
        QPointer<MainController> screen = show();
        auto *above = new Screen(t->ctx());
        t->navigator->push(above);
        QTRY_COMPARE(t->navigator->top(), above);
        t->navigator->pop(above);
        QTRY_COMPARE(t->navigator->top(), screen.data());

        screen->logoutAction(); // drawer closed: nothing
        QTest::qWait(1300);
        QCOMPARE(t->navigator->top(), screen.data());
        QVERIFY(!screen->signOutPending());

        QCOMPARE(screen->drawerButtonImage(), QStringLiteral("ico_setting"));
        screen->icoSet_OutAction(); // opens the drawer only
        QVERIFY(screen->isOpenDrawer);
        QVERIFY(!screen->signOutPending());
        QCOMPARE(screen->drawerButtonImage(), QStringLiteral("ico_logout"));
        QElapsedTimer clock;
        clock.start();
        screen->icoSet_OutAction(); // with the drawer open: sign out, drawer closes
        QVERIFY(!screen->isOpenDrawer);
        QVERIFY(screen->signOutPending());
        QCOMPARE(t->navigator->top(), screen.data()); // one second later, not at once
        QTRY_COMPARE_WITH_TIMEOUT(t->navigator->top()->identifier(), QStringLiteral("LoginController"),
                                  10000);
        QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(t->navigator->depth(), 1);
        QTRY_VERIFY(screen.isNull()); // the signed-out dashboard is gone, not kept below
    }

    void dragEnlargesAndRestores_data()
    {
        QTest::addColumn<qreal>("pull");
        QTest::addColumn<bool>("restored");
        QTest::newRow("49 points") << qreal(-49) << false;
        QTest::newRow("50 points") << qreal(-50) << true;
        QTest::newRow("80 points") << qreal(-80) << true;
        QTest::newRow("scrolled up") << qreal(120) << false;
    }
    void dragEnlargesAndRestores()
    {
        QFETCH(qreal, pull);
        QFETCH(bool, restored);
        MainController *screen = show();
        screen->scrollViewDidEndDragging(30, 700, 420);
        QVERIFY(screen->isOpenTable);
        QCOMPARE(screen->tableConstant(), qreal(-280));
        screen->scrollViewDidEndDragging(pull, 700, 700);
        QCOMPARE(screen->isOpenTable, !restored);
        QCOMPARE(screen->tableConstant(), restored ? qreal(0) : qreal(-280));
    }

    void segues_data()
    {
        QTest::addColumn<bool>("fromDrawer");
        QTest::addColumn<QString>("segue");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QVariantMap>("values");
        QTest::newRow("carList0") << false << "main_to_carList0" << "CarListController"
                                  << QVariantMap{{"subTitle", "현재 보유 중인 차량"}, {"searchNum", 0}};
        QTest::newRow("carList9") << false << "main_to_carList9" << "CarListController"
                                  << QVariantMap{{"subTitle", "판매완료 된 차량"}, {"searchNum", 9}};
        QTest::newRow("auction1") << false << "main_to_auction1" << "AuctionController"
                                  << QVariantMap{{"openPage", 1}};
        QTest::newRow("auction2") << false << "main_to_auction2" << "AuctionController"
                                  << QVariantMap{{"openPage", 2}};
        QTest::newRow("web2") << false << "main_to_web2" << "WebController"
                              << QVariantMap{{"ch", "bizRequest"}, {"setTitle", "업무 요청"}};
        QTest::newRow("drawer cancel")
            << true << "main_to_carCancel" << "CarListController"
            << QVariantMap{{"subTitle", "차량 입고를 취소할 수 있습니다."}, {"searchNum", 0},
                           {"isCarCheck1", true}, {"isCarCheck2", false}};
        QTest::newRow("drawer export")
            << true << "main_to_carExport" << "CarListController"
            << QVariantMap{{"subTitle", "차량 출고요청을 할 수 있습니다."}, {"searchNum", 0},
                           {"isCarCheck1", false}, {"isCarCheck2", true}};
    }
    void segues()
    {
        QFETCH(bool, fromDrawer);
        QFETCH(QString, segue);
        QFETCH(QString, destination);
        QFETCH(QVariantMap, values);
        MainController *screen = show();
        Screen *source = fromDrawer ? static_cast<Screen *>(screen->drawerController()) : screen;
        // Before the destination exists the transition only logs.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no screen registered"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown screen"));
        source->performSegue(segue);
        QCOMPARE(t->navigator->top(), screen);

        registerDestination(destination);
        source->performSegue(segue);
        auto *dest = qobject_cast<RecordingScreen *>(t->navigator->top());
        QVERIFY(dest);
        QCOMPARE(dest->identifier(), destination);
        QCOMPARE(t->navigator->depth(), 2); // over the dashboard
        QVariantMap expected{{"isCarCheck1", false}, {"isCarCheck2", false}};
        expected.insert(values);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(dest->property(it.key().toLatin1()), it.value());
    }

    void drawerLastSignIn_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("twelve digits") << true << "202401311405" << "2024-01-31 14:05";
        QTest::newRow("with seconds") << true << "20240131140559" << "2024-01-31 14:05";
        QTest::newRow("short") << true << "2024013114" << "2024013114";
        QTest::newRow("empty") << true << "" << "";
        QTest::newRow("already formatted") << true << "2024-01-31 14:05:59" << "2024-01-31 14:05:59";
        QTest::newRow("absent") << false << "" << "첫 접속입니다.";
    }
    void drawerLastSignIn()
    {
        QFETCH(bool, present);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        if (present)
            AppData::shared()->userInfo.insert(QStringLiteral("sUserLastDate"), stored);
        MainDrawerController *drawer = show()->drawerController();
        QCOMPARE(drawer->lastDay(), shown);
        QCOMPARE(drawer->userName(), QStringLiteral("김딜러"));
    }

    void drawerPicture()
    {
        QVERIFY(show()->drawerController()->userImage().isEmpty()); // "the_thumbnail", nothing fetched
        AppData::shared()->userInfo.insert(QStringLiteral("sUserPicturePath"), QStringLiteral("D0001/me.png"));
        MainController *screen = show();
        QCOMPARE(screen->drawerController()->userImage(),
                 QUrl(QStringLiteral("http://127.0.0.1:8080/image_user/D0001/me.png")));
        QCOMPARE(screen->userImage(), screen->drawerController()->userImage());
    }

    void drawerOpensWorkOrderSearch()
    {
        MainDrawerController *drawer = show()->drawerController();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no screen registered as .*WorkOrder_p1"));
        drawer->openWorkOrderSearch();
        QCOMPARE(t->navigator->depth(), 1);
        registerDestination(QStringLiteral("WorkOrder_p1"));
        drawer->openWorkOrderSearch();
        QCOMPARE(t->navigator->top()->identifier(), QStringLiteral("WorkOrder_p1"));
    }

    void rowSelectionHandsTheWholeRecord()
    {
        registerDestination(QStringLiteral("MainDetailController"));
        const Record second =
            car(QStringLiteral("C2"), {{"sCarStatus", "1"}, {"iCarProductMoney", "15000000"}});
        MainController *screen = showLoaded({car(QStringLiteral("C1")), second});
        screen->selectRow(1);
        auto *dest = qobject_cast<RecordingScreen *>(t->navigator->top());
        QVERIFY(dest);
        QCOMPARE(dest->identifier(), QStringLiteral("MainDetailController"));
        QCOMPARE(dest->takeList.size(), second.size());
        for (const auto &[name, value] : second.fields())
            QCOMPARE(dest->takeList.value(name).toString(), value);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no car row"));
        screen->selectRow(5);
        QCOMPARE(t->navigator->top(), dest);
    }
};

QTEST_MAIN(TestMainController)
#include "tst_main_controller.moc"
