// The auctions against the stand-in service over HTTPS, as the demo dealer (demo01): a
// bid that does not beat the highest is stopped before it is sent, one above it is
// confirmed, taken and shown on the board after "확인"; when demo02 outbids him, the
// outbid watch tells him within one check, and its notice opens that auction.
#include "AuctionController.h"
#include "AuctionDetailController.h"
#include "CallText.h"
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "Notices.h"
#include "OutbidWatcher.h"
#include "StandInFixture.h"

#include <QTest>

using namespace tvs;
using namespace tvs::test;

class TestAuctionsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void bidAndOutbid()
    {
        StandInFixture stand;
        QVERIFY2(stand.start(), qPrintable(stand.errorString()));
        TestContext t;
        startCarTest(t);
        stand.attach(t);
        Notices notices(&t.clock, nullptr);
        t.context.notices = &notices;
        OutbidWatcher watcher(t.ctx());
        t.navigator->resetTo(QStringLiteral("MainView")); // signed in
        // AU0001: another shop's car, on which demo02 holds the highest bid.
        const auto highest = [&] {
            return stand.db("SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = 'AU0001'").toLongLong();
        };
        const qint64 before = highest();
        auto *board =
            qobject_cast<AuctionController *>(t.navigator->instantiate(QStringLiteral("AuctionController")));
        QVERIFY(board);
        board->setOpenPage(1);
        t.navigator->push(board);
        QTRY_VERIFY_WITH_TIMEOUT(!board->lists().inProgress.isEmpty() && board->selectedPage() == 1, 30000);
        int row = 0;
        while (board->lists().inProgress.at(row).value(QStringLiteral("sAuctionCode")) != u"AU0001"_qs)
            ++row;
        board->btnEvent2(row);
        auto *detail = qobject_cast<AuctionDetailController *>(t.navigator->top());
        QVERIFY(detail);
        const auto bidAnswer = [&](qint64 amount, const QString &press) {
            detail->acu_money = QString::number(amount);
            detail->btnMoneyInsert();
            QTRY_VERIFY_WITH_TIMEOUT(!detail->pendingDialogs().isEmpty(), 30000);
            if (!press.isEmpty()) {
                QVERIFY(pressDialogAction(*detail, press));
                QTRY_VERIFY_WITH_TIMEOUT(!detail->pendingDialogs().isEmpty(), 30000);
            }
            QVERIFY(pressDialogAction(*detail, QStringLiteral("확인")));
        };
        bidAnswer(before, QString()); // not above the highest: stopped here
        QCOMPARE(highest(), before);
        bidAnswer(before + 100000, QStringLiteral("입찰"));
        QCOMPARE(highest(), before + 100000);
        QTRY_COMPARE(t.navigator->top(), board);
        const auto won = [](qint64 amount) {
            return AppData::formatThousands(QString::number(amount)) + u" 원"_qs;
        };
        QTRY_COMPARE_WITH_TIMEOUT(board->table(2)->view(row).price, won(before + 100000), 30000);

        // demo02 outbids him; the next check tells him, and the notice opens the auction.
        stand.call(
            callText(u"ps_SetAuctionCar"_qs, {u"AU0001"_qs, u"D0002"_qs, QString::number(before + 200000)}),
            kProcedureExecute);
        QCOMPARE(highest(), before + 200000);
        QVERIFY(!notices.isShown());
        t.clock.advance(OutbidWatcher::kCheckEvery);
        QTRY_VERIFY_WITH_TIMEOUT(notices.isShown(), 30000);
        const QString plate = board->lists().inProgress.at(row).value(QStringLiteral("sCarProductNum"));
        QVERIFY2(notices.text().contains(plate) && notices.text().endsWith(won(before + 200000)),
                 qPrintable(notices.text()));
        notices.press();
        auto *opened = qobject_cast<AuctionDetailController *>(t.navigator->top());
        QVERIFY(opened);
        QCOMPARE(opened->takeList.value(QStringLiteral("sAuctionCode")), QStringLiteral("AU0001"));
    }
};

QTEST_MAIN(TestAuctionsEndToEnd)
#include "tst_e2e_auction.moc"
