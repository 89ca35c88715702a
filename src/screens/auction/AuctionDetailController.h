#pragma once

#include "AuctionQueries.h"
#include "CarQueries.h"
#include "PhotoPager.h"
#include "Record.h"
#include "Screen.h"

#include <optional>

namespace tvs {

class MinuteTicker;

// One car up for auction, from the board's row (`takeList`): its data, the amount a
// bid must beat and the time left, its photos in the shared pager, and the bid. A
// bid is checked here (digits, at most 12, above the highest bid, auction not past
// its end), confirmed by the dealer, and sent once. A bid the service takes tells
// the board to fetch again (the session store's aucRefresh) and, after "확인",
// goes back to it; a refused one shows the service's reason.
class AuctionDetailController : public Screen
{
    Q_OBJECT
    TVS_LABEL(auc_info)
    TVS_LABEL(auc_carName)
    TVS_LABEL(auc_carPrice)
    TVS_LABEL(auc_carYear)
    TVS_LABEL(auc_carContent)
    TVS_LABEL(auc_carMile)
    TVS_LABEL(auc_carCC)
    TVS_LABEL(auc_carKind)
    TVS_LABEL(auc_carNum)
    TVS_LABEL(auc_carColor)
    TVS_LABEL(auc_maxPriceTitle)
    TVS_LABEL(auc_maxPrice)
    Q_PROPERTY(QString auc_timeLeft READ timeLeft NOTIFY clockChanged)
    Q_PROPERTY(bool auctionEnded READ auctionEnded NOTIFY clockChanged)
    Q_PROPERTY(QString acu_money MEMBER acu_money NOTIFY moneyChanged)
    Q_PROPERTY(QString acu_moneyText READ moneyText NOTIFY moneyChanged)
    Q_PROPERTY(bool bidInFlight READ bidInFlight NOTIFY bidInFlightChanged)
    Q_PROPERTY(QObject *pager READ pagerObject CONSTANT)

public:
    // A label whose value the row does not carry.
    static const QString kUnknown; // "--"
    // The longest amount a bid may have, in digits.
    static constexpr int kMaxDigits = 12;

    explicit AuctionDetailController(ScreenContext *context, QObject *parent = nullptr);

    // From the board, before the screen is shown, or later with the auction as it
    // stands now: the auction's whole row.
    void setAuction(const Record &row);

    Record takeList;
    QString auc_info;
    QString auc_carName;
    QString auc_carPrice;
    QString auc_carYear;
    QString auc_carContent;
    QString auc_carMile;
    QString auc_carCC;
    QString auc_carKind = kUnknown;
    QString auc_carNum;
    QString auc_carColor;
    // The amount a bid must beat: the highest bid, or the starting price before the
    // first bid, and which of the two it is.
    QString auc_maxPriceTitle;
    QString auc_maxPrice;
    // The amount as typed.
    QString acu_money;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewWillDisappear() override;

    // The bid button, and Return in the amount field: once acu_money passes the
    // checks, asks "…원에 입찰하시겠습니까?"; only "입찰" sends it, as typed. Does
    // nothing while a bid or its confirmation is under way.
    Q_INVOKABLE void btnMoneyInsert();

    QString timeLeft() const { return m_timeLeft; }
    bool auctionEnded() const { return m_ended; }
    // The typed amount grouped, with its unit ("16,500,000 원"); empty while nothing is typed.
    QString moneyText() const;
    bool bidInFlight() const { return m_bidInFlight; }
    PhotoPager &pager() { return m_pager; }
    QObject *pagerObject() { return &m_pager; }

signals:
    void labelsChanged();
    void moneyChanged();
    void clockChanged();
    void bidInFlightChanged();

private:
    void fillLabels();
    void followClock();
    // The amount a bid must beat, or nothing when the row does not say.
    std::optional<qint64> highestBid() const;
    void sendBid(const QString &amount);
    void setBidInFlight(bool inFlight);
    void bidAnswered(const QueryResult<BidAnswer> &result);
    void bidTaken();

    CarQueries m_cars;
    AuctionQueries m_auctions;
    PhotoPager m_pager;
    MinuteTicker *m_clock;
    QString m_timeLeft;
    bool m_ended = false;
    bool m_confirming = false;
    bool m_bidInFlight = false;
};

} // namespace tvs
