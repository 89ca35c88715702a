// The board, detail and popup pages with their controllers, pressed as a dealer would
// (by accessible name): a segment, a swipe in a window wider than a phone, a row
// button, the bid and the call, and the board going. None of them may log a QML warning.
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
        AuctionController *board = showBoard(t, {auctionRow("P", "1", "D2"), auctionRow("W", "2", "D0001")});
        QmlPageHarness harness;
        harness.ignoreWarnings(QRegularExpression(QStringLiteral("Picture: Connection refused")));
        const auto show = [&](Screen *screen) {
            return harness.load(t.navigator->pageOf(screen->identifier()), screen);
        };
        QQuickItem *page = show(board);
        QVERIFY2(page, qPrintable(harness.report()));
        harness.window()->resize(500, 844); // the pages follow the window
        QVERIFY(harness.click(QStringLiteral("낙찰")));
        auto *bar = page->findChild<QQuickItem *>(QStringLiteral("segUnderBar"));
        QTRY_COMPARE(bar->x(), 250.0);
        // A swipe back rests on the second page, whole: its segment is selected.
        QTest::mousePress(harness.window(), Qt::LeftButton, {}, QPoint(100, 400));
        for (int step = 1; step <= 10; ++step) {
            QTest::qWait(16);
            QTest::mouseMove(harness.window(), QPoint(100 + 30 * step, 400));
        }
        QTest::mouseRelease(harness.window(), Qt::LeftButton, {}, QPoint(400, 400));
        QTRY_COMPARE(board->selectedPage(), 1);
        QTRY_COMPARE(bar->x(), 125.0);
        QVERIFY(harness.click(QStringLiteral("전체")));
        harness.settle(300);
        QVERIFY(harness.click(QStringLiteral("경매참여 12가3456 / 2019년식")));
        auto *detail = qobject_cast<AuctionDetailController *>(t.navigator->top());
        QVERIFY(detail);

        QVERIFY2(show(detail), qPrintable(harness.report()));
        QVERIFY(harness.click(QStringLiteral("입찰 금액")));
        for (char digit : QByteArray("17000000"))
            QTest::keyClick(harness.window(), digit);
        t.procedures.setHolding(true);
        QVERIFY(harness.click(QStringLiteral("입찰하기")));
        QVERIFY(harness.click(QStringLiteral("입찰하기"))); // inactive while the bid is under way
        QCOMPARE(t.procedures.callTextsOf(kBid), QStringList{"ps_SetAuctionCar 'P', 'D0001', '17000000'"});
        t.procedures.releaseAll();
        QVERIFY(pressDialogAction(*detail, QStringLiteral("확인")));
        QTRY_COMPARE(t.navigator->top(), board);

        board->btnCallEvent3(0);
        QVERIFY2(show(t.navigator->top()), qPrintable(harness.report()));
        QVERIFY(harness.findAccessible(QStringLiteral("새길오토")));
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
