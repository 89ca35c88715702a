// The auction board, the auction detail and the shop's contact popup, headless with
// canned replies and the pinned clock (2026-03-15 10:00 in Seoul), whose tickers the
// tests move by hand.
#include "AlertViewController.h"
#include "AuctionDetailController.h"
#include "AuctionFixtures.h"
#include "DialogHelpers.h"
#include "ModelLog.h"
#include "Notices.h"
#include "OutbidWatcher.h"
#include "ThemeColors.h"

using namespace tvs;
using namespace tvs::test;
using namespace std::chrono_literals;

namespace {

QString shownDialog(const Screen &screen)
{
    const auto &d = screen.pendingDialogs();
    return d.isEmpty() ? QString() : d.first().title + u'|' + d.first().message;
}

class RecordingDesktop : public DesktopNotifier
{
public:
    void notify(const QString &title, const QString &body) override { sent << title + u'|' + body; }
    QStringList sent;
};

} // namespace

class TestAuctions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    AuctionDetailController *openDetail(const Record &row)
    {
        showBoard(*t, {row})->btnEvent2(0);
        return qobject_cast<AuctionDetailController *>(t->navigator->top());
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->procedures.answer(QStringLiteral("ps_GetCarPhotoList"), replyBody({{{"sCarPhotoPath", "a.jpg"}}}));
    }
    void cleanup() { t.reset(); }

    // A row's page besides page 1, its state colour, what its cell shows and what
    // page 1's button opens.
    void cells_data()
    {
        QTest::addColumn<Record>("row");
        QTest::addColumn<int>("page");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("shown"); // state|button|name|info|price|picture|time left|opens
        const QColor on = theme::auctionInProgress(), off = theme::disabledFill(), won = theme::auctionWon();
        const QString car = u"현대 쏘나타|12가3456 / 2019년식|16,000,000 원|"_qs;
        QTest::newRow("in progress")
            << auctionRow("A", "1", "D2", {{"sCarPhotoPath", "a b.jpg"}}) << 2 << on
            << "  경매중  |  경매참여  |" + car +
                   "http://127.0.0.1:8080/image_product/CA/a%20b.jpg|2시간 15분 남음|auctionDetail";
        QTest::newRow("no bid yet; text in pieces")
            << auctionRow("A", "1", "", {{"sCarName2", "쏘\n나타  "}}) << 2 << on
            << "  경매중  |  경매참여  |" + car + "|2시간 15분 남음|auctionDetail";
        QTest::newRow("won") << auctionRow("A", "2", "D0001") << 3 << won
                             << "  낙찰  |  낙찰하기  |" + car + "||auctionPopCall";
        QTest::newRow("won by another")
            << auctionRow("A", "2", "D0002") << 4 << off << "  경매종료  ||" + car + "||AuctionController";
        QTest::newRow("no state, model, year or price; a field the board does not keep")
            << auctionRow("A", {}, "D0001",
                          {{"sCarName2", {}},
                           {"sCarProductYearMonth", ""},
                           {"iAuctionMaxPrice", {}},
                           {"sExtra", "x"}})
            << 4 << off << u"  경매종료  |||12가3456|0 원|||AuctionController"_qs;
        QTest::newRow("price not a number, 30 seconds left")
            << auctionRow("A", "1", "D2",
                          {{"iAuctionMaxPrice", "1.5e6"}, {"sAuctionEndDate", "20260315100030"}})
            << 2 << on
            << u"  경매중  |  경매참여  |현대 쏘나타|12가3456 / 2019년식|-- 원||1분 남음|auctionDetail"_qs;
        QTest::newRow("in progress past its end")
            << auctionRow("A", "1", "D2", {{"sAuctionEndDate", "20260315100000"}}) << 2 << off
            << "  마감  ||" + car + "||auctionDetail";
    }
    void cells()
    {
        QFETCH(Record, row);
        QFETCH(int, page);
        QFETCH(QColor, colour);
        QFETCH(QString, shown);
        AuctionController *board = showBoard(*t, {row});
        for (int p = 1; p <= 4; ++p)
            QCOMPARE(board->table(p)->count(), p == 1 || p == page ? 1 : 0);
        QCOMPARE(board->aucCount(), page == 2 ? "1" : "0");
        QVERIFY(!board->lists().all.first().contains(QStringLiteral("sExtra")));
        QStringList roles;
        for (const char *outlet : {"aucCell_state", "aucCell_btn", "aucCell_name", "aucCell_info",
                                   "aucCell_price", "aucCell_img", "aucCell_left"})
            roles << board->table(1)->cell(0, outlet).toString();
        board->btnEvent(0);
        QCOMPARE((roles << t->navigator->top()->identifier()).join(u'|'), shown);
        QCOMPARE(board->table(1)->view(0).stateColor, colour);
        // Page 2 has a label colour of its own, but for an auction past its end.
        QCOMPARE(board->table(page)->view(0).stateColor,
                 page == 2 && colour != theme::disabledFill() ? theme::auctionInProgressPage() : colour);
    }

    void timeLeft_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("shown"); // at the pinned 2026-03-15 10:00:00
        QTest::newRow("days and hours") << u"20260316131500"_qs << u"1일 3시간 남음"_qs;
        QTest::newRow("whole days") << u"2026-03-17 10:00"_qs << u"2일 남음"_qs;
        QTest::newRow("a day less a minute") << u"20260316095900"_qs << u"23시간 59분 남음"_qs;
        QTest::newRow("whole hours") << u"20260315120000"_qs << u"2시간 남음"_qs;
        QTest::newRow("part of a minute") << u"20260315100001.5"_qs << u"1분 남음"_qs;
        QTest::newRow("the end itself") << u"20260315100000"_qs << u"마감"_qs;
        QTest::newRow("past") << u"20260301000000"_qs << u"마감"_qs;
        QTest::newRow("unreadable") << u"2026-03-15"_qs << QString();
    }
    void timeLeft()
    {
        QFETCH(QString, end);
        QFETCH(QString, shown);
        QCOMPARE(timeLeftText(end, t->clock.now()), shown);
    }

    // The page shown, the one chosen before the detail opens, the one after coming back.
    void openPage_data()
    {
        QTest::addColumn<int>("openPage");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("any other way in") << 0 << QList<int>{0, 3, 3};
        QTest::newRow("main_to_auction1") << 1 << QList<int>{1, 3, 1};
        QTest::newRow("main_to_auction2") << 2 << QList<int>{2, 0, 2};
        QTest::newRow("an unknown page") << 5 << QList<int>{0, 2, 2};
    }
    void openPage()
    {
        QFETCH(int, openPage);
        QFETCH(QList<int>, pages);
        AuctionController *board = showBoard(*t, {auctionRow("A", "1", "D2")}, openPage);
        QCOMPARE(board->selectedPage(), pages[0]);
        board->segSelectEvent(pages[1]);
        board->segSelectEvent(4);
        QCOMPARE(board->selectedPage(), pages[1]);
        board->btnEvent2(0);
        t->navigator->pop();
        QTRY_COMPARE(board->loadingCount(), 0);
        QCOMPARE(board->selectedPage(), pages[2]);
    }

    void refreshesAndCountdown()
    {
        // Shown 40 seconds into a minute: the time left changes on the minute, the
        // refresh comes 30 seconds after the board.
        t->clock.setNow(t->clock.now().addSecs(40));
        AuctionController *board = showBoard(*t, {auctionRow("A", "1", "D2")});
        const auto fetches = [this] { return t->procedures.callCount(kBoard); };
        const auto left = [board] { return board->table(1)->view(0).timeLeft; };
        QCOMPARE(left(), QStringLiteral("2시간 15분 남음"));
        t->clock.advance(20s);
        QCOMPARE(left(), QStringLiteral("2시간 14분 남음"));
        QCOMPARE(fetches(), 1);
        ModelLog all(board->table(1)), running(board->table(2)), won(board->table(3)),
            others(board->table(4));
        t->clock.advance(10s);
        QCOMPARE(fetches(), 2);
        QTRY_VERIFY(!board->isFetching());
        // The same auctions again: no page is reset or told of a change, so none jumps to its top.
        QCOMPARE(all.entries + running.entries + won.entries + others.entries, QStringList());
        t->procedures.setHolding(true);
        t->clock.advance(60s); // the second tick finds the first fetch still waiting
        QCOMPARE(fetches(), 3);
        QCOMPARE(board->lists().all.size(), 1); // the rows stay until a reply has been read whole
        t->procedures.releaseAll();
        QCOMPARE(left(), QStringLiteral("2시간 13분 남음"));
        t->procedures.setHolding(false);

        // Covered by a popup or a screen: no refresh. Back in view, aucRefresh makes
        // exactly one fetch.
        const int before = fetches();
        t->navigator->presentOverContext(new Screen(t->ctx()));
        t->clock.advance(60s);
        t->navigator->pop();
        t->navigator->push(new Screen(t->ctx()));
        t->clock.advance(60s);
        QCOMPARE(fetches(), before);
        AppData::shared()->aucRefresh = true;
        t->navigator->pop();
        QTRY_COMPARE(board->loadingCount(), 0);
        QCOMPARE(fetches(), before + 1);
        QVERIFY(!AppData::shared()->aucRefresh);

        // No answer and a broken one keep the rows shown; an answer without rows empties the board.
        const QByteArray broken = replyBody({auctionRow("N", "1", "D2")}).chopped(80);
        for (const auto &[answer, rows] : {std::pair{CannedAnswer::transportError(), 1},
                                           {CannedAnswer::reply(broken), 1},
                                           {CannedAnswer::reply(noRowsBody()), 0}}) {
            t->procedures.answer(kBoard, answer);
            t->clock.advance(30s);
            QTRY_VERIFY(!board->isFetching());
            QCOMPARE(board->table(1)->count(), rows);
            QCOMPARE(board->aucCount(), QString::number(rows));
        }
    }

    void detailLabels_data()
    {
        // "field=value" on top of a whole row, a field alone leaves it out.
        QTest::addColumn<QString>("change");
        // Info, name, kind, price, year, cc, mileage, colour, plate, the amount to beat
        // with its title, time left, bid control.
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole row")
            << u"sCarName3=쏘나타 (DN8)"_qs
            << u"12가3456 / 2019|현대 쏘나타 |쏘나타 |16,500,000|2019|1999cc|123,456km|흰색|"
               "12가3456|현재 최고 입찰가|16,000,000 원|2시간 15분 남음|open"_qs;
        QTest::newRow("no bracket, empty year and colour, no bid yet")
            << u"sCarName3=그랜저;sCarProductYearMonth=;sCarColorName=;sMaxUserCode="_qs
            << u"12가3456 / --|현대 그랜저|그랜저|16,500,000|--|1999cc|123,456km|--|12가3456|시작가|"
               "16,000,000 원|2시간 15분 남음|open"_qs;
        QTest::newRow("no model, cc, mileage or price; past its end")
            << u"sCarName3;sCarCC;sCarProductMileage=;iCarProductMoney;sAuctionEndDate=20260315095900"_qs
            << u"12가3456 / 2019|쏘나타|--|--|2019|--|--|흰색|12가3456|현재 최고 입찰가|16,000,000 원|"
               "마감|ended"_qs;
    }
    void detailLabels()
    {
        QFETCH(QString, change);
        QFETCH(QString, shown);
        Record row = auctionRow("A", "1", "D2",
                                {{"iCarProductMoney", "16500000"},
                                 {"sCarCC", "1999"},
                                 {"sCarProductMileage", "123456"},
                                 {"sCarColorName", "흰색"}});
        for (const QString &f : change.split(u';'))
            f.contains(u'=') ? row.insert(f.section(u'=', 0, 0), f.section(u'=', 1)) : void(row.remove(f));
        auto *d = qobject_cast<AuctionDetailController *>(t->navigator->instantiate(u"auctionDetail"_qs));
        QVERIFY(d);
        d->setAuction(row);
        t->navigator->push(d);
        QCOMPARE(
            (QStringList{d->auc_info, d->auc_carName, d->auc_carKind, d->auc_carPrice, d->auc_carYear,
                         d->auc_carCC, d->auc_carMile, d->auc_carColor, d->auc_carNum, d->auc_maxPriceTitle,
                         d->auc_maxPrice, d->timeLeft(), d->auctionEnded() ? "ended" : "open"})
                .join(u'|'),
            shown);
    }

    // What the dealer sees after pressing the bid button with `amount` typed, and
    // after pressing `press` on the confirmation; the highest bid is 16,000,000.
    void bid_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("press");
        QTest::addColumn<CannedAnswer>("answer");
        QTest::addColumn<QString>("told"); // the alert, or what follows the confirmation
        const auto rtn = [](const char *answer, const QString &message = {}) {
            Record reply{{"rtn", answer}};
            if (!message.isNull())
                reply.insert(QStringLiteral("sMessage"), message);
            return CannedAnswer::reply(singleElementsBody(reply, kProcedureExecute));
        };
        const QString no, typed = u"16500000"_qs, bid = u"입찰"_qs;
        const CannedAnswer ok = rtn("YES");
        QTest::newRow("empty") << no << no << ok << u"|입찰 금액을 적어주세요."_qs;
        QTest::newRow("full-width") << u"５０００"_qs << no << ok << u"|입찰 금액은 숫자로만 적어주세요."_qs;
        QTest::newRow("13 digits") << u"1234567890123"_qs << no << ok
                                   << u"|입찰 금액은 12자리까지 적을 수 있습니다."_qs;
        QTest::newRow("not higher") << u"016000000"_qs << no << ok
                                    << u"|현재 최고 입찰가 16,000,000원보다 높은 금액을 적어주세요."_qs;
        QTest::newRow("past its end") << typed << no << ok << u"|경매가 마감되어 입찰할 수 없습니다."_qs;
        QTest::newRow("confirmation cancelled") << typed << u"취소"_qs << ok << no;
        QTest::newRow("taken as typed") << u"016500000"_qs << bid << ok << u"완료|입찰이 완료되었습니다."_qs;
        QTest::newRow("refused, why") << typed << bid << rtn("NO", u"경매 시간이 종료되었습니다."_qs)
                                      << u"실패|경매 시간이 종료되었습니다."_qs;
        QTest::newRow("refused") << typed << bid << rtn("NO")
                                 << u"실패|입금승인요청에 실패하였습니다.\n잠시후 다시 시도해주십시오."_qs;
        QTest::newRow("no answer") << typed << bid << CannedAnswer::transportError()
                                   << u"서버에 연결할 수 없습니다.|입찰 결과를 확인하지 못했습니다."_qs;
    }
    void bid()
    {
        QFETCH(QString, amount);
        QFETCH(QString, press);
        QFETCH(CannedAnswer, answer);
        QFETCH(QString, told);
        const bool ended = QTest::currentDataTag() == QByteArrayView("past its end"); // a minute ago
        AuctionDetailController *detail = openDetail(
            auctionRow("A1", "1", "D2", {{"sAuctionEndDate", ended ? "20260315095900" : "20260315121500"}}));
        QVERIFY(detail);
        t->procedures.answer(kBid, answer);
        detail->acu_money = amount;
        detail->btnMoneyInsert();
        QCoreApplication::processEvents(); // alerts come on the next turn
        QStringList shown{shownDialog(*detail)};
        const bool sent = press == QStringLiteral("입찰");
        if (!press.isEmpty()) {
            QVERIFY(pressDialogAction(*detail, press));
            QCOMPARE(detail->bidInFlight(), sent);
            QTRY_VERIFY(!detail->bidInFlight());
            QCoreApplication::processEvents();
            shown << shownDialog(*detail);
        }
        const QString confirm = u"16,500,000원에 입찰하시겠습니까?|"_qs;
        QCOMPARE(shown, press.isEmpty() ? QStringList{told} : (QStringList{confirm, told}));
        QCOMPARE(t->procedures.callTextsOf(kBid),
                 sent ? QStringList{"ps_SetAuctionCar 'A1', 'D0001', '" + amount + "'"} : QStringList());
        QVERIFY(!sent || t->procedures.calls().last().operation == kProcedureExecute);
        QCOMPARE(detail->acu_money, amount); // whatever the answer, the typed amount stays
        // The board fetches again after a taken bid and after one whose fate is unknown.
        const bool taken = told.startsWith(QStringLiteral("완료"));
        QCOMPARE(AppData::shared()->aucRefresh, taken || answer.status != ProcedureReply::Ok);
        QCOMPARE(AppData::shared()->takenBids.size(), taken ? 1 : 0);
        pressDialogAction(*detail, QStringLiteral("확인"));
        QTRY_COMPARE(t->navigator->top() != detail, taken);
    }

    // A bid taken after the dealer has left still tells the board and the outbid
    // watch; the photos stop turning once the detail is left.
    void bidAfterLeaving()
    {
        AuctionDetailController *detail = openDetail(auctionRow("A1", "1", "D2"));
        QTRY_VERIFY(detail->pager().isRunning());
        t->procedures.setHolding(true);
        t->procedures.answer(kBid, singleElementsBody({{"rtn", "YES"}}, kProcedureExecute));
        detail->acu_money = QStringLiteral("17000000");
        detail->btnMoneyInsert();
        QVERIFY(pressDialogAction(*detail, QStringLiteral("입찰")));
        QPointer<AuctionDetailController> left(detail);
        t->navigator->pop();
        QVERIFY(!detail->pager().isRunning());
        QTRY_VERIFY(!left);
        QCOMPARE(AppData::shared()->bidsInFlight, 1);
        t->procedures.releaseAll();
        QVERIFY(AppData::shared()->aucRefresh);
        QCOMPARE(AppData::shared()->bidsInFlight, 0);
        QCOMPARE(AppData::shared()->takenBids.size(), 1);
    }

    // The outbid watch over a session: one look at sign-in, a check a minute only
    // while the dealer leads and no bid of his is in flight, a notice when another
    // dealer takes the lead (also on the desktop while the window is not active),
    // and nothing after sign-out.
    void outbidNotice()
    {
        RecordingDesktop desktop;
        Notices notices(&t->clock, &desktop);
        bool windowActive = true;
        notices.windowActive = [&windowActive] { return windowActive; };
        t->context.notices = &notices;
        t->navigator->registerScreen(u"MainView"_qs, QUrl(), [](ScreenContext *c) { return new Screen(c); });
        OutbidWatcher watcher(t->ctx());
        const auto checks = [this] {
            QCoreApplication::processEvents(); // the last answer arrives
            return t->procedures.callCount(kBoard);
        };
        const Record other = auctionRow("B", "1", "D2");
        t->procedures.answer(kBoard, replyBody({auctionRow("A", "1", "D0001"), other}));
        t->navigator->resetTo(QStringLiteral("LoginController"));
        t->clock.advance(60s);
        QCOMPARE(checks(), 0);
        t->navigator->push(t->navigator->instantiate(QStringLiteral("MainView")));
        QCOMPARE(checks(), 1);
        t->clock.advance(60s);
        QCOMPARE(checks(), 2);
        AppData::shared()->bidsInFlight = 1;
        t->clock.advance(60s);
        QCOMPARE(checks(), 2);
        AppData::shared()->bidsInFlight = 0;
        QVERIFY(!notices.isShown());

        windowActive = false;
        t->procedures.answer(
            kBoard, replyBody({auctionRow("A", "1", "D2", {{"iAuctionMaxPrice", "16500000"}}), other}));
        t->clock.advance(60s);
        QCOMPARE(checks(), 3);
        QVERIFY(notices.isShown());
        QCOMPARE(notices.title(), u"다른 딜러가 더 높은 금액에 입찰했습니다"_qs);
        QCOMPARE(notices.text(), u"현대 쏘나타 · 12가3456 / 2019년식 · 최고 입찰가 16,500,000 원"_qs);
        QCOMPARE(desktop.sent, QStringList{notices.title() + u'|' + notices.text()});
        t->clock.advance(Notices::kShownFor);
        QVERIFY(!notices.isShown());
        QCOMPARE(checks(), 3); // leading nothing now

        // A bid the service took: watched from the next minute on, and outbid there.
        windowActive = true;
        AppData::shared()->takenBids.append(auctionRow("B", "1", "D0001"));
        t->clock.advance(60s);
        QCOMPARE(checks(), 4);
        QCOMPARE(notices.text(), u"현대 쏘나타 · 12가3456 / 2019년식 · 최고 입찰가 16,000,000 원"_qs);
        QCOMPARE(desktop.sent.size(), 1);

        t->navigator->resetTo(QStringLiteral("LoginController"));
        AppData::shared()->takenBids.append(auctionRow("B", "1", "D0001"));
        t->clock.advance(120s);
        QCOMPARE(checks(), 4);
    }

    // The popup over page 3: labels, the call, and closing back to the board as it was.
    void storeContact_data()
    {
        QTest::addColumn<QStringList>("store"); // name and number handed, shown, and the alert of the call
        QTest::newRow("no values, no dialer")
            << QStringList{"", "", "noData", "noData",
                           "전화 걸기|이 기기에서는 전화를 걸 수 없습니다.\n번호를 복사해서 사용해 주세요."};
        QTest::newRow("blanks in the number")
            << QStringList{"새길오토", "031 222 0202", "새길오토", "031 222 0202",
                           "전화 걸기|전화를 걸 수 없는 번호입니다."};
    }
    void storeContact()
    {
        QFETCH(QStringList, store);
        const Record won =
            auctionRow("W", "2", "D0001", {{"sAuctionUserName", store[0]}, {"sAuctionUserTelnum", store[1]}});
        AuctionController *board = showBoard(*t, {won}, 2);
        t->urls.canOpenAll = false;
        board->btnCallEvent3(0);
        auto *popup = qobject_cast<AlertViewController *>(t->navigator->top());
        popup->btnCall();
        QCOMPARE((QStringList{store[0], store[1], popup->storeNameText(), popup->storeNumberText(),
                              shownDialog(*popup)}),
                 store);
        popup->btnDismiss();
        QTRY_COMPARE(t->navigator->top(), board);
        QCOMPARE(board->selectedPage(), 2);
        QCOMPARE(t->procedures.callCount(kBoard), 1); // closing it is no reappearance
    }
};

QTEST_MAIN(TestAuctions)
#include "tst_auction.moc"
