#pragma once

#include "AuctionQueries.h"
#include "CarQueries.h"
#include "PhotoPager.h"
#include "Record.h"
#include "Screen.h"

namespace tvs {

// One car up for auction, from the board's row (`takeList`): its data, its photos
// in the shared pager, and the bid. A bid the service takes tells the board to
// fetch again (the session store's aucRefresh) and, after "확인", goes back to it.
class AuctionDetailController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString auc_info MEMBER auc_info NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carName MEMBER auc_carName NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carPrice MEMBER auc_carPrice NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carYear MEMBER auc_carYear NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carContent MEMBER auc_carContent NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carMile MEMBER auc_carMile NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carCC MEMBER auc_carCC NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carKind MEMBER auc_carKind NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carNum MEMBER auc_carNum NOTIFY labelsChanged)
    Q_PROPERTY(QString auc_carColor MEMBER auc_carColor NOTIFY labelsChanged)
    Q_PROPERTY(QString acu_money MEMBER acu_money NOTIFY moneyChanged)
    Q_PROPERTY(bool bidInFlight READ bidInFlight NOTIFY bidInFlightChanged)
    Q_PROPERTY(QObject *pager READ pagerObject CONSTANT)

public:
    // A label whose value the row does not carry.
    static const QString kUnknown; // "--"

    explicit AuctionDetailController(ScreenContext *context, QObject *parent = nullptr);

    // From the board, before the screen is shown: the auction's whole row.
    void setAuction(const Record &row) { takeList = row; }

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
    // The amount as typed.
    QString acu_money;

    void viewDidLoad() override;
    void viewWillDisappear() override;

    // The bid button: sends acu_money as typed, once it is only ASCII digits.
    Q_INVOKABLE void btnMoneyInsert();

    bool bidInFlight() const { return m_bidInFlight; }
    PhotoPager &pager() { return m_pager; }
    QObject *pagerObject() { return &m_pager; }

signals:
    void labelsChanged();
    void moneyChanged();
    void bidInFlightChanged();

private:
    void fillLabels();
    void setBidInFlight(bool inFlight);
    void bidTaken();

    CarQueries m_cars;
    AuctionQueries m_auctions;
    PhotoPager m_pager;
    bool m_bidInFlight = false;
};

} // namespace tvs
