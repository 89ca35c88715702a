#pragma once

#include "Query.h"

#include <QStringList>

namespace tvs {

// The service's answer to a bid: taken or not, and its reason when it says one.
struct BidAnswer
{
    bool taken = false;
    QString message; // "sMessage", e.g. why a bid was refused
};

// The auctions among dealers: the board (every auction, whatever its state) and a bid.
class AuctionQueries : public AreaQueries
{
public:
    using AreaQueries::AreaQueries;

    // The 51 fields of an auction row; any other element of the reply is dropped.
    static const QStringList &rowFields();

    // Every auction row, in reply order.
    void board(Done<Records> done);
    // A bid of `amount` (sent as given) by `userCode`. The answer comes even when
    // the screen that asked is gone: a taken bid must still reach the session store.
    void bid(const QString &auctionCode, const QString &userCode, const QString &amount,
             Done<BidAnswer> done);
};

} // namespace tvs
