// The auctions against the stand-in service over HTTPS, as the demo dealer: a bid above
// the highest is taken and the board shows it after "확인", one that does not beat it is
// refused, and a won auction's popup names its shop and number.
#include "AlertViewController.h"
#include "AuctionController.h"
#include "AuctionDetailController.h"
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "StandInFixture.h"

#include <QTest>

using namespace tvs;
using namespace tvs::test;

class TestAuctionsEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void bidAndWonAuction()
    {
        StandInFixture stand;
        QVERIFY2(stand.start(), qPrintable(stand.errorString()));
        TestContext t;
        startCarTest(t);
        StandInFixture::setDemoDealer();
        t.config = stand.config();
        t.context.procedures = stand.procedures();
        t.clock.setNow(QDateTime::currentDateTime());
        // AU0001: another shop's car, on which demo02 holds the highest bid.
        const auto highest = [&] {
            return stand.service()
                ->queryValue("SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = 'AU0001'")
                .toLongLong();
        };
        const qint64 before = highest();
        auto *board =
            qobject_cast<AuctionController *>(t.navigator->instantiate(QStringLiteral("AuctionController")));
        board->setOpenPage(1);
        t.navigator->push(board);
        QTRY_VERIFY_WITH_TIMEOUT(!board->lists().inProgress.isEmpty() && board->selectedPage() == 1, 30000);
        int row = 0;
        while (board->lists().inProgress.at(row).value(QStringLiteral("sAuctionCode")) !=
               QLatin1String("AU0001"))
            ++row;
        board->btnEvent2(row);
        auto *detail = qobject_cast<AuctionDetailController *>(t.navigator->top());
        for (const qint64 amount : {before, before + 100000}) {
            detail->acu_money = QString::number(amount);
            detail->btnMoneyInsert();
            QTRY_VERIFY_WITH_TIMEOUT(!detail->pendingDialogs().isEmpty(), 30000);
            QCOMPARE(detail->pendingDialogs().first().title, amount > before ? "완료" : "실패");
            QVERIFY(pressDialogAction(*detail, QStringLiteral("확인")));
            QCOMPARE(highest(), qMax(before, amount));
        }
        QTRY_COMPARE(t.navigator->top(), board);
        const QString shown =
            AppData::formatThousands(QString::number(before + 100000)) + QStringLiteral(" 원");
        QTRY_COMPARE_WITH_TIMEOUT(board->table(2)->view(row).price, shown, 30000);

        // A won auction: its shop's name and number on the popup.
        board->segSelectEvent(2);
        board->btnCallEvent3(0);
        auto *popup = qobject_cast<AlertViewController *>(t.navigator->top());
        QCOMPARE(popup->storeNameText(), QStringLiteral("새길오토 수원점")); // demo03's shop, the seller
        QCOMPARE(popup->storeNumberText(), QStringLiteral("031-222-0202"));
    }
};

QTEST_MAIN(TestAuctionsEndToEnd)
#include "tst_e2e_auction.moc"
