// The board, detail and popup pages with their controllers, pressed as a dealer would
// (by accessible name): a refresh under a finger on a scrolled page, a segment, a
// swipe in a window wider than a phone, a row button, the bid by every way of
// pressing it, the call, and the board going. None of them may log a QML warning.
#include "AlertViewController.h"
#include "AuctionDetailController.h"
#include "AuctionFixtures.h"
#include "DialogHelpers.h"
#include "QmlPageHarness.h"

#include <QQuickItem>

using namespace tvs;
using namespace tvs::test;

class TestAuctionPages : public QObject
{
    Q_OBJECT

private slots:
    void boardDetailAndPopup()
    {
        TestContext t;
        startCarTest(t);
        t.config.imageHost = QStringLiteral("127.0.0.1:9"); // refused: pictures fall back
        t.procedures.answer(QStringLiteral("ps_GetCarPhotoList"), noRowsBody());
        t.procedures.answer(kBid, singleElementsBody({{"rtn", "YES"}}, kProcedureExecute));
        Records rows;
        for (int i = 0; i < 10; ++i)
            rows << auctionRow(QStringLiteral("P%1").arg(i), "1", "D2");
        rows << auctionRow("W", "2", "D0001");
        AuctionController *board = showBoard(t, rows);
        QmlPageHarness harness;
        harness.ignoreWarnings(QRegularExpression(QStringLiteral("Picture: Connection refused")));
        const auto show = [&](Screen *screen) {
            return harness.load(t.navigator->pageOf(screen->identifier()), screen);
        };
        QQuickItem *page = show(board);
        QVERIFY2(page, qPrintable(harness.report()));
        harness.window()->resize(500, 844); // the pages follow the window
        QVERIFY(harness.findAccessible(QStringLiteral("현대 쏘나타 12가3456 / 2019년식 16,000,000 원 경매중 "
                                                      "2시간 15분 남음")));

        // Scrolled down the first page, a finger on a row's button: a refresh in which
        // that row's price changed keeps the place, and the press goes through.
        auto *table = page->findChild<QQuickItem *>(QStringLiteral("auctionPageTable1"));
        QVERIFY(table);
        table->setProperty("contentY", 300.0);
        harness.settle(50);
        QQuickItem *row = nullptr;
        QMetaObject::invokeMethod(table, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, row), Q_ARG(int, 4));
        QVERIFY(row);
        const QPoint finger = row->mapToScene(QPointF(row->width() - 40, row->height() / 2)).toPoint();
        QTest::mousePress(harness.window(), Qt::LeftButton, {}, finger);
        rows[4].insert(QStringLiteral("iAuctionMaxPrice"), QStringLiteral("17000000"));
        t.procedures.answer(kBoard, replyBody(rows));
        t.clock.advance(AuctionController::kQuietRefresh);
        QTRY_COMPARE(board->table(1)->view(4).price, QStringLiteral("17,000,000 원"));
        QCOMPARE(table->property("contentY").toReal(), 300.0);
        QTest::mouseRelease(harness.window(), Qt::LeftButton, {}, finger);
        auto *detail = qobject_cast<AuctionDetailController *>(t.navigator->top());
        QVERIFY(detail);
        QCOMPARE(detail->takeList.value(QStringLiteral("sAuctionCode")), QStringLiteral("P4"));
        t.navigator->pop();
        QTRY_COMPARE(t.navigator->top(), board);
        table->setProperty("contentY", 0.0);

        QVERIFY(harness.click(QStringLiteral("낙찰")));
        harness.settle(300);
        // A swipe back rests on the second page, whole: its segment is selected.
        QTest::mousePress(harness.window(), Qt::LeftButton, {}, QPoint(100, 400));
        for (int step = 1; step <= 10; ++step) {
            QTest::qWait(16);
            QTest::mouseMove(harness.window(), QPoint(100 + 30 * step, 400));
        }
        QTest::mouseRelease(harness.window(), Qt::LeftButton, {}, QPoint(400, 400));
        QTRY_COMPARE(board->selectedPage(), 1);
        QVERIFY(harness.click(QStringLiteral("전체")));
        harness.settle(300);
        QVERIFY(harness.click(QStringLiteral("경매참여 12가3456 / 2019년식")));
        detail = qobject_cast<AuctionDetailController *>(t.navigator->top());
        QVERIFY(detail);

        // One bid, however often and however it is pressed: the button asks first, and
        // neither the button nor Return in the amount field asks again or sends more.
        QVERIFY2(show(detail), qPrintable(harness.report()));
        page->setVisible(false); // covered, as in the window's stack: no press reaches it
        const auto returnInField = [&] {
            QVERIFY(harness.click(QStringLiteral("입찰 금액")));
            QTest::keyClick(harness.window(), Qt::Key_Return);
        };
        QVERIFY(harness.click(QStringLiteral("입찰 금액")));
        for (char digit : QByteArray("17000000"))
            QTest::keyClick(harness.window(), digit);
        QCOMPARE(detail->moneyText(), QStringLiteral("17,000,000 원"));
        t.procedures.setHolding(true);
        QVERIFY(harness.click(QStringLiteral("입찰하기")));
        QVERIFY(harness.click(QStringLiteral("입찰하기")));
        returnInField();
        QCOMPARE(dialogTitles(*detail), QStringList{"17,000,000원에 입찰하시겠습니까?"});
        QVERIFY(pressDialogAction(*detail, QStringLiteral("입찰")));
        QVERIFY(harness.click(QStringLiteral("입찰하기"))); // inactive while the bid is under way
        returnInField();
        QCOMPARE(t.procedures.callTextsOf(kBid),
                 QStringList{"ps_SetAuctionCar '" + detail->takeList.value(QStringLiteral("sAuctionCode")) +
                             "', 'D0001', '17000000'"});
        QVERIFY(detail->pendingDialogs().isEmpty());
        t.procedures.releaseAll();
        QVERIFY(pressDialogAction(*detail, QStringLiteral("확인")));
        QTRY_COMPARE(t.navigator->top(), board);
        page->setVisible(true);

        board->btnCallEvent3(0);
        QVERIFY2(show(t.navigator->top()), qPrintable(harness.report()));
        QVERIFY(harness.findAccessible(QStringLiteral("판매점 새길오토")));
        QVERIFY(harness.findAccessible(QStringLiteral("전화번호 031-222-0202")));
        QVERIFY(harness.click(QStringLiteral("전화 걸기")));
        QCOMPARE(t.urls.opened, QList<QUrl>{QUrl(QStringLiteral("tel://031-222-0202"))});
        QVERIFY(harness.click(QStringLiteral("닫기")));
        QCOMPARE(t.navigator->top(), board);
        // The board's page goes right after its width changed, as the stack lets it go:
        // nothing is left to run on it.
        page->setWidth(320);
        delete page;
        harness.settle();
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
    }
};

QTEST_MAIN(TestAuctionPages)
#include "tst_auction_pages.moc"
