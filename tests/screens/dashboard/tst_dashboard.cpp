// The dashboard and its drawer, headless with canned replies: the loading
// sequence, the filter, the car rows, the drawer and the ways out.
#include "AuctionController.h"
#include "CarFixtures.h"
#include "CarListController.h"
#include "DialogHelpers.h"
#include "MainController.h"
#include "MainDetailController.h"
#include "MainDrawerController.h"
#include "ModelLog.h"
#include "ReplyBuilder.h"
#include "WebController.h"
#include "WizardState.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {

const QString kCount = QStringLiteral("ps_UserCarCount");
const QString kList = QStringLiteral("ps_GetUserProductCar_Info2");

// Cars as "code:status"; an empty code is a row without one.
Records cars(const QStringList &codes)
{
    Records rows;
    for (const QString &car : codes)
        rows.append(carRow(car.section(u':', 0, 0), car.section(u':', 1)));
    return rows;
}

// The cars the dashboard's table shows, by code, in the order shown. Each row is
// read through its cell_index, the row the page opens when it is tapped.
QStringList shownCodes(MainController *screen)
{
    const auto *view = qobject_cast<const QAbstractItemModel *>(screen->mainTable());
    if (!view)
        return {QStringLiteral("no view")};
    const int indexRole = view->roleNames().key("cell_index", -1);
    QStringList codes;
    for (int row = 0; row < view->rowCount(); ++row) {
        const int car = view->index(row, 0).data(indexRole).toInt();
        codes.append(screen->getMyCarList()->record(car).value(QStringLiteral("sCarProductCode")));
    }
    return codes;
}

// What a destination received, as one text.
QString handedTo(Screen *screen)
{
    if (auto *list = qobject_cast<CarListController *>(screen))
        return QStringLiteral("%1|%2|%3").arg(list->subTitle).arg(list->searchNum).arg(
            list->isCarCheck1 ? "cancel" : list->isCarCheck2 ? "release" : "plain");
    if (auto *web = qobject_cast<WebController *>(screen))
        return web->ch + u'|' + web->pCode + u'|' + web->setTitle;
    if (auto *detail = qobject_cast<MainDetailController *>(screen))
        return detail->takeList.value(QStringLiteral("sCarProductCode"));
    if (auto *auctions = qobject_cast<AuctionController *>(screen))
        return QStringLiteral("openPage %1, page %2").arg(auctions->openPage).arg(auctions->selectedPage());
    if (screen->identifier() == QLatin1String("EnterCarController")) // through the session store
        return QStringLiteral("%1|%2|%3").arg(WizardState::editing() ? "edit" : "new").arg(WizardState::values().size())
            .arg(WizardState::optionsJson());
    return QString();
}

} // namespace

class TestDashboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    MainController *show()
    {
        return qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
    }
    MainController *showLoaded(const Records &rows)
    {
        t->procedures.answer(kList, replyBody(rows));
        MainController *screen = show();
        [&] { QTRY_COMPARE(screen->getMyCarList()->count(), int(rows.size())); }();
        return screen;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        AppData::shared()->userInfo.insert(QStringLiteral("sUserName"), QStringLiteral("김딜러"));
        t->procedures.answer(kCount, singleElementsBody(Record()));
        t->procedures.answer(kList, noRowsBody());
        t->procedures.answer(QStringLiteral("ps_GetAuctionCar_info1"), noRowsBody());
    }
    void cleanup() { t.reset(); }

    void loadingSequence()
    {
        t->procedures.setHolding(true);
        t->procedures.answerOnce(kCount,
                                 CannedAnswer::reply(singleElementsBody(
                                     {{"sSellWait", "12"}, {"sAuction", "5"}, {"AuctionComplete", "7"}})));
        t->procedures.answer(kCount, singleElementsBody({{"sSellWait", "2"}, {"sAuction", ""}}));
        t->procedures.answer(kList, replyBody({carRow("C1", "1"), carRow("C2", "9")}));
        MainController *screen = show();
        QCOMPARE(screen->userName(), QStringLiteral("김딜러"));
        QCOMPARE(t->procedures.callTexts(), QStringList{"ps_UserCarCount 'D0001'"});
        QCOMPARE(t->procedures.calls().first().operation, kProcedureList);
        QCOMPARE(screen->loadingCount(), 1);
        QTRY_COMPARE(screen->loadingCount(), 0); // did-appear removes it, whatever the replies do

        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(t->procedures.callTextsOf(kList), QStringList{"ps_GetUserProductCar_Info2 'D0001', '0'"});
        QCOMPARE(screen->getCarCountList, (QStringList{"12", "0", "5", "7"}));
        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(screen->getMyCarList()->count(), 2);

        // Each return repeats the sequence; a count the reply lacks, or sends empty, keeps its value.
        t->navigator->push(new Screen(t->ctx()));
        t->navigator->pop();
        QTRY_COMPARE(t->procedures.heldCount(), 1);
        t->procedures.releaseAll();
        QCOMPARE(screen->getCarCountList, (QStringList{"2", "0", "5", "7"}));
        QTRY_COMPARE(t->procedures.callCount(kList), 2);
    }

    // A count reply that a newer count request superseded still sends its list: the
    // newer one may fail, and the list keeps only its own newest answer anyway.
    void supersededCountStillSendsTheList()
    {
        t->procedures.setHolding(true);
        t->procedures.answer(kList, replyBody({carRow("C1", "1")}));
        t->procedures.answerOnce(kCount, CannedAnswer::reply(singleElementsBody({{"sSellWait", "1"}})));
        t->procedures.answerOnce(kCount, CannedAnswer::transportError());
        MainController *screen = show();
        t->navigator->push(new Screen(t->ctx()));
        t->navigator->pop();
        QTRY_COMPARE(t->procedures.heldCount(), 2);
        QVERIFY(t->procedures.releaseNext(kCount));
        QCOMPARE(t->procedures.callCount(kList), 1);
        t->procedures.releaseAll();
        QCOMPARE(screen->getMyCarList()->count(), 1);
    }

    void olderRepliesNeverOverwriteNewerOnes()
    {
        MainController *screen = showLoaded({});
        t->procedures.setHolding(true);
        t->procedures.answerOnce(kList, CannedAnswer::reply(replyBody({carRow("OLD", "1")})));
        t->procedures.answer(kList, replyBody({carRow("NEW1", "1"), carRow("NEW2", "1")}));
        screen->tablefilterAction();
        QVERIFY(pressDialogAction(*screen, QStringLiteral("판매중")));
        screen->tablefilterAction();
        QVERIFY(pressDialogAction(*screen, QStringLiteral("검사중")));
        QCOMPARE(t->procedures.heldCount(), 2);
        t->procedures.releaseAll();
        QCOMPARE(screen->getMyCarList()->count(), 2);
        QCOMPARE(screen->getMyCarList()->record(0).value(QStringLiteral("sCarProductCode")), QStringLiteral("NEW1"));
    }

    // Each reload changes only what changed, so the table keeps the dealer's
    // scroll position and a press in progress.
    void reloadUpdatesInPlace_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("next");
        QTest::addColumn<QStringList>("announced");
        const QStringList three{"C1:1", "C2:1", "C3:1"};
        QTest::newRow("identical") << three << three << QStringList();
        QTest::newRow("one changed") << three << QStringList{"C1:1", "C2:9", "C3:1"}
                                     << QStringList{"~1 cell_state,cell_stateColor"};
        QTest::newRow("inserted") << QStringList{"C1:1", "C2:1"} << QStringList{"C0:1", "C1:1", "C2:1", "C3:1"}
                                  << QStringList{"+0", "+3", "~1..2 cell_index", "count"};
        QTest::newRow("removed") << three << QStringList{"C1:1", "C3:1"}
                                 << QStringList{"-1", "~1 cell_index", "count"};
        QTest::newRow("moved") << three << QStringList{"C3:1", "C1:1", "C2:1"}
                               << QStringList{"-2", "+0", "~1..2 cell_index"};
        QTest::newRow("repeated and missing codes pair up in order")
            << QStringList{"C1:1", ":1", "C1:1", ":1"} << QStringList{"C1:1", ":1", "C1:9", ":9"}
            << QStringList{"~2..3 cell_state,cell_stateColor"};
        QTest::newRow("emptied") << three << QStringList() << QStringList{"-0..2", "count"};
    }
    void reloadUpdatesInPlace()
    {
        QFETCH(QStringList, shown);
        QFETCH(QStringList, next);
        QFETCH(QStringList, announced);
        MainController *screen = showLoaded(cars(shown));
        QAbstractItemModelTester tester(screen->getMyCarList(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ModelLog log(screen->getMyCarList());
        t->procedures.answer(kList, next.isEmpty() ? noRowsBody() : replyBody(cars(next)));
        const int delivered = t->procedures.deliveredCount();
        t->navigator->push(new Screen(t->ctx()));
        t->navigator->pop(); // back on the dashboard: counts and list again
        QTRY_COMPARE(t->procedures.deliveredCount(), delivered + 2);
        QCOMPARE(log.entries, announced);
        QCOMPARE(screen->getMyCarList()->records(), cars(next));
    }

    void filter_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("searchNum");
        QTest::addColumn<QString>("title"); // once the list has come
        QTest::addColumn<bool>("fails");
        QTest::newRow("전체") << "전체" << 0 << "전체 ▾" << false;
        QTest::newRow("판매중") << "판매중" << 1 << "판매중 ▾" << false;
        QTest::newRow("검사중") << "검사중" << 2 << "검사중 ▾" << false;
        QTest::newRow("입고중") << "입고중" << 3 << "입고중 ▾" << false;
        QTest::newRow("출고중 4") << "출고중(차량판매)" << 4 << "출고중 ▾" << false;
        QTest::newRow("출고중 5") << "출고중(위탁차량반환)" << 5 << "출고중 ▾" << false;
        QTest::newRow("출고요청 7") << "출고요청(구입취소요청)" << 7 << "출고요청 ▾" << false;
        QTest::newRow("출고요청 25") << "출고요청(성능점검 후 입고취소요청)" << 25 << "출고요청 ▾" << false;
        QTest::newRow("판매완료") << "판매완료" << 9 << "판매완료 ▾" << false;
        QTest::newRow("선택취소") << "선택취소" << 0 << "전체 ▾" << false;
        // A failed list keeps the rows shown and the title they belong to.
        QTest::newRow("판매중, no connection") << "판매중" << 1 << "전체 ▾" << true;
    }
    void filter()
    {
        QFETCH(QString, entry);
        QFETCH(int, searchNum);
        QFETCH(QString, title);
        QFETCH(bool, fails);
        MainController *screen = showLoaded({carRow("C1", "1")});
        t->procedures.clearCalls();
        t->procedures.answer(kList, fails ? CannedAnswer::transportError() : CannedAnswer::reply(noRowsBody()));
        screen->tablefilterAction();
        QCOMPARE(dialogTitles(*screen), QStringList{"차량상태 선택"});
        QVERIFY(pressDialogAction(*screen, entry));
        // The rows of one filter never stand under another's title.
        QCOMPARE(screen->filterTitle(), QStringLiteral("전체 ▾"));
        QCOMPARE(screen->getMyCarList()->count(), 1);
        const bool cancelled = entry == QStringLiteral("선택취소");
        QCOMPARE(t->procedures.callTextsOf(kList),
                 cancelled ? QStringList()
                           : QStringList{QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '%1'").arg(searchNum)});
        QTRY_COMPARE(t->procedures.heldCount() + t->procedures.deliveredCount(), 2 + int(!cancelled));
        QCOMPARE(screen->filterTitle(), title);
        QCOMPARE(screen->getMyCarList()->count(), cancelled || fails ? 1 : 0);
        QCOMPARE(dialogTitles(*screen), fails ? QStringList{"서버에 연결할 수 없습니다."} : QStringList());
    }

    // Typing narrows the rows shown, with no request, among the cars of the state chosen.
    void search_data()
    {
        QTest::addColumn<bool>("sold"); // among the sold cars, or all
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("count");
        const QStringList all{"C1", "C2", "C3", "C4"};
        QTest::newRow("nothing typed") << false << "" << all << "";
        QTest::newRow("blanks only") << false << "  " << all << "";
        QTest::newRow("plate as written") << false << "12가 3456" << QStringList{"C1"} << "1 / 4대";
        QTest::newRow("plate without its blank") << false << "56다7890" << QStringList{"C3"} << "1 / 4대";
        QTest::newRow("plate, a blank it lacks") << false << "34나 5678" << QStringList{"C2"} << "1 / 4대";
        QTest::newRow("end of a plate") << false << "7890" << QStringList{"C3"} << "1 / 4대";
        QTest::newRow("maker") << false << "현대" << QStringList{"C1", "C3", "C4"} << "3 / 4대";
        QTest::newRow("model in any case") << false << "k5" << QStringList{"C2"} << "1 / 4대";
        QTest::newRow("part of a detail name") << false << "3세" << QStringList{"C2"} << "1 / 4대";
        QTest::newRow("a lorry's body form") << false << "윙바" << QStringList{"C4"} << "1 / 4대";
        QTest::newRow("a syllable still being composed") << false << "글" << QStringList{"C3"} << "1 / 4대";
        QTest::newRow("year") << false << "2019" << QStringList{"C1", "C3"} << "2 / 4대";
        QTest::newRow("maker and year") << false << "현대 2015" << QStringList{"C4"} << "1 / 4대";
        QTest::newRow("no such car") << false << "BMW" << QStringList() << "0 / 4대";
        QTest::newRow("maker among the sold cars") << true << "현대" << QStringList{"C3"} << "1 / 1대";
        QTest::newRow("model not among the sold cars") << true << "k5" << QStringList() << "0 / 1대";
    }
    void search()
    {
        QFETCH(bool, sold);
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        QFETCH(QString, count);
        const Records shop{
            carRow("C1", "1", {{"sCarProductNum", "12가 3456"}}),
            carRow("C2", "1",
                   {{"sCarName1", "기아"},
                    {"sCarName2", "K5"},
                    {"sCarName3", "K5 3세대"},
                    {"sCarProductNum", "34나5678"},
                    {"sCarProductYearMonth", "2021"}}),
            carRow("C3", "9",
                   {{"sCarName2", "그랜저"}, {"sCarName3", "그랜저 (GN7)"}, {"sCarProductNum", "56다 7890"}}),
            carRow("C4", "1",
                   {{"sCarGroup", "화물"},
                    {"sCarName2", "포터2"},
                    {"sCarFormName2", "윙바디"},
                    {"sCarProductNum", "80바1234"},
                    {"sCarProductYearMonth", "2015"}})};
        MainController *screen = showLoaded(shop);
        if (sold) {
            t->procedures.answer(kList, replyBody({shop.at(2)}));
            screen->tablefilterAction();
            QVERIFY(pressDialogAction(*screen, QStringLiteral("판매완료")));
            QTRY_COMPARE(screen->getMyCarList()->count(), 1);
        }
        const int calls = int(t->procedures.calls().size());
        screen->carTable()->view()->setSearchText(typed);
        QCOMPARE(shownCodes(screen), shown);
        QCOMPARE(screen->carTable()->view()->countText(), count);
        QCOMPARE(t->procedures.calls().size(), calls);
    }

    // A load into an empty table shows the rows as they are read, against the count of
    // held cars; a load over rows shown swaps them only when its reply is whole. One that
    // fails is told and keeps the rows it showed.
    void loadsShowOnlyWholeReplies_data()
    {
        QTest::addColumn<QStringList>("shown"); // before the load
        QTest::addColumn<bool>("whole");
        QTest::newRow("empty, whole reply") << QStringList() << true;
        QTest::newRow("empty, reply broken off") << QStringList() << false;
        QTest::newRow("over rows, whole reply") << QStringList{"C1:1", "C2:1"} << true;
        QTest::newRow("over rows, reply broken off") << QStringList{"C1:1", "C2:1"} << false;
    }
    void loadsShowOnlyWholeReplies()
    {
        QFETCH(QStringList, shown);
        QFETCH(bool, whole);
        const Records six = cars({"C1:9", "C2:1", "C3:1", "C4:1", "C5:1", "C6:1"});
        const QByteArray body = replyBody(six);
        MainController *screen = showLoaded(cars(shown));
        t->procedures.setHolding(true);
        t->procedures.answer(kCount, singleElementsBody({{"sSellWait", "6"}}));
        t->procedures.answer(kList, CannedAnswer::arriving(whole ? body : body.left(body.size() * 5 / 6), 3));
        t->navigator->push(new Screen(t->ctx()));
        t->navigator->pop();                  // back on the dashboard: counts and list again
        QVERIFY(t->procedures.releaseNext()); // the counts
        const CarTable *table = screen->carTable();
        QCOMPARE(table->loading(), shown.isEmpty());
        if (shown.isEmpty()) {
            QCOMPARE(table->expected(), 6);
            QVERIFY(t->procedures.releaseNext()); // the rows of the reply's first third
            const int early = screen->getMyCarList()->count();
            QVERIFY2(early > 0 && early < 6, qPrintable(QString::number(early)));
            QCOMPARE(table->rowsRead(), early);
            QVERIFY(table->loading());
        } else {
            QCOMPARE(t->procedures.heldCount(), 1); // the answer alone: no rows before it
        }
        while (t->procedures.heldCount() > 1)
            QVERIFY(t->procedures.releaseNext());
        const Records beforeTheAnswer = screen->getMyCarList()->records();
        t->procedures.releaseAll();
        QVERIFY(!table->loading());
        QCOMPARE(screen->getMyCarList()->records(), whole ? six : beforeTheAnswer);
        QCOMPARE(dialogTitles(*screen).size(), whole ? 0 : 1);
        if (whole && shown.isEmpty())
            QCOMPARE(table->rowsRead(), table->expected());
    }

    void refreshTurnsTwiceThenFetches()
    {
        MainController *screen = showLoaded({});
        QSignalSpy spin(screen, &MainController::refreshSpinRequested);
        t->procedures.clearCalls();
        screen->tableRefreshAction();
        QCOMPARE(spin.size(), 1);
        QCOMPARE(t->procedures.callCount(kList), 0);
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.callCount(kList), 1, 5000);
    }

    void rows_data()
    {
        QTest::addColumn<Record>("row");
        QTest::addColumn<QStringList>("shown"); // name, info, info2, state, picture
        QTest::addColumn<QColor>("tint");
        const QColor red = QColor::fromRgbF(0.9153f, 0.3079f, 0.3100f, 0.3f);
        const QColor green = QColor::fromRgbF(0.6098f, 0.8240f, 0.5666f, 0.3f);
        const QColor blue = QColor::fromRgbF(0.4882f, 0.7242f, 0.9984f, 0.3f);
        const QString picture = QStringLiteral("http://127.0.0.1:8080/image_product/C1/a%20b.jpg");
        QTest::newRow("car, old check and expired end: red")
            << carRow("C1", "1", {{"sCarProductCheckDate", "20251114"}, {"sCheckEndDate", "20260307"},
                                  {"sCarPhotoPath", "a b.jpg"}})
            << QStringList{"현대 쏘나타 (DN8)", "12가3456  2019", "45,210km  가솔린", "  판매중  ", picture} << red;
        // The service writes an empty end date as an empty element: it counts as 0.
        QTest::newRow("empty end date: green")
            << carRow("C1", "9", {{"sCarProductCheckDate", "20251115"}, {"sCheckEndDate", ""}})
            << QStringList{"현대 쏘나타 (DN8)", "12가3456  2019", "45,210km  가솔린", "  판매완료  ", ""} << green;
        QTest::newRow("old check only: blue")
            << carRow("C1", "7", {{"sCarProductCheckDate", "20250101"}, {"sCheckEndDate", "20260308"}})
            << QStringList{"현대 쏘나타 (DN8)", "12가3456  2019", "45,210km  가솔린", "  구입취소  ", ""} << blue;
        QTest::newRow("lorry, unknown status, odd mileage: white")
            << carRow("C1", "99", {{"sCarGroup", "화물특장버스"}, {"sCarFormName2", "윙바디"},
                                   {"sCarProductMileage", "12,000"}})
            << QStringList{"현대 윙바디", "12가3456  2019", "", "  Error  ", ""} << QColor(Qt::white);
        QTest::newRow("only a code: a fresh cell")
            << Record{{"sCarProductCode", "C1"}} << QStringList{"", "", "", "", ""} << QColor(Qt::white);
    }
    void rows()
    {
        QFETCH(Record, row);
        QFETCH(QStringList, shown);
        QFETCH(QColor, tint);
        MainController *screen = showLoaded({row});
        const CarRowModel *table = screen->getMyCarList();
        QStringList cells;
        for (const char *outlet : {"cell_name", "cell_info", "cell_info2", "cell_state", "cell_img"})
            cells.append(table->cell(0, outlet).toString());
        QCOMPARE(cells, shown);
        QCOMPARE(table->cell(0, "cell_background").value<QColor>(), tint);
    }

    void tableEnlargesAndRestores()
    {
        MainController *screen = showLoaded({});
        screen->scrollViewDidEndDragging(0, 700, 400);
        QVERIFY(screen->isOpenTable && screen->tableConstant() < 0);
        screen->scrollViewDidEndDragging(-50, 700, 700);
        QVERIFY(!screen->isOpenTable && screen->tableConstant() == 0);
    }

    void drawerAndSignOut()
    {
        MainController *screen = showLoaded({});
        screen->logoutAction(); // drawer closed: nothing
        QCOMPARE(screen->drawerButtonImage(), QStringLiteral("ico_setting"));
        screen->icoSet_OutAction();
        QVERIFY(screen->isOpenDrawer);
        QCOMPARE(screen->drawerButtonImage(), QStringLiteral("ico_logout"));

        const JobOrderKey order{QStringLiteral("D0001"), QStringLiteral("C1"), QString()};
        AppData::shared()->jobLines.keep(order, {JobLine{QStringLiteral("엔진오일 교환"), {}}});
        screen->icoSet_OutAction(); // signs out while the drawer slides away
        QVERIFY(!screen->isOpenDrawer);
        screen->icoSet_OutAction(); // a second tap during the delay changes nothing
        screen->drawerAction();     // nor does a tap on the shade as the drawer slides away
        QVERIFY(!screen->isOpenDrawer);
        screen->drawerController()->openReleaseMode(); // nor a menu entry, nor the dashboard under it
        screen->openOwnedCars();
        QCOMPARE(t->navigator->depth(), 1);
        QCOMPARE(t->navigator->top(), screen);
        QTRY_COMPARE_WITH_TIMEOUT(t->navigator->top()->identifier(), QStringLiteral("LoginController"), 5000);
        QCOMPARE(t->navigator->depth(), 1);
        // The record and the job lines went with the dealer.
        QVERIFY(AppData::shared()->userInfo.isEmpty());
        QVERIFY(!AppData::shared()->jobLines.lines(order));
    }

    void drawerLabels_data()
    {
        QTest::addColumn<QString>("lastDate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("twelve digits") << "202401311405" << "2024-01-31 14:05";
        QTest::newRow("with seconds") << "20240131140559" << "2024-01-31 14:05";
        QTest::newRow("too short") << "2024013114" << "2024013114";
        QTest::newRow("not digits") << "2024-01-31 14" << "2024-01-31 14";
        QTest::newRow("empty date: first sign-in") << "" << "첫 접속입니다.";
    }
    void drawerLabels()
    {
        QFETCH(QString, lastDate);
        QFETCH(QString, shown);
        AppData::shared()->userInfo.insert(QStringLiteral("sUserLastDate"), lastDate);
        const MainDrawerController *drawer = showLoaded({})->drawerController();
        // No picture path: the page shows its stand-in picture.
        QCOMPARE((QStringList{drawer->lastDay(), drawer->userName(), drawer->userImage().toString()}),
                 (QStringList{shown, "김딜러", ""}));
    }

    void actions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("handed");
        QTest::newRow("보유 차량") << "openOwnedCars" << "CarListController" << "현재 보유 중인 차량|0|plain";
        QTest::newRow("판매 완료") << "openSoldCars" << "CarListController" << "판매완료 된 차량|9|plain";
        QTest::newRow("경매 진행") << "openAuctionsInProgress" << "AuctionController" << "openPage 1, page 1";
        QTest::newRow("경매 완료") << "openAuctionsClosed" << "AuctionController" << "openPage 2, page 2";
        QTest::newRow("업무 요청") << "openBusinessRequest" << "WebController" << "bizRequest||업무 요청";
        QTest::newRow("a row") << "openCar" << "MainDetailController" << "C2";
        QTest::newRow("입고 취소") << "drawer.openCancelMode" << "CarListController"
                               << "차량 입고를 취소할 수 있습니다.|0|cancel";
        QTest::newRow("출고 요청") << "drawer.openReleaseMode" << "CarListController"
                               << "차량 출고요청을 할 수 있습니다.|0|release";
        QTest::newRow("정비 작업 지시") << "drawer.openWorkOrders" << "WorkOrder_p1" << "";
        // Nothing of an abandoned edit stays: its code would turn the new car into an update.
        QTest::newRow("차량 등록") << "drawer.openNewRegistration" << "EnterCarController" << "new|0|";
    }
    void actions()
    {
        QFETCH(QString, action);
        QFETCH(QString, destination);
        QFETCH(QString, handed);
        MainController *screen = showLoaded({carRow("C1", "1"), carRow("C2", "1")});
        WizardState::startEdit(carRow("C9", "1"));
        WizardState::setOptionsJson(QStringLiteral("{\"Option\":[]}"));
        QObject *target = screen;
        if (action.startsWith(QLatin1String("drawer."))) {
            target = screen->drawerController();
            action = action.mid(7);
            screen->drawerAction();
        }
        if (action == QLatin1String("openCar"))
            QVERIFY(QMetaObject::invokeMethod(target, "openCar", Q_ARG(int, 1)));
        else
            QVERIFY(QMetaObject::invokeMethod(target, action.toLatin1().constData()));
        QCOMPARE(t->navigator->depth(), 2);
        QCOMPARE(t->navigator->top()->identifier(), destination);
        QTRY_COMPARE(handedTo(t->navigator->top()), handed); // the board turns its page once in view
        QVERIFY(!screen->isOpenDrawer); // back on the dashboard, the drawer is out of the way
    }
};

QTEST_MAIN(TestDashboard)
#include "tst_dashboard.moc"
