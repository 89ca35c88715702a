#pragma once

#include "AuctionQueries.h"

#include <QObject>

#include <chrono>

namespace tvs {

struct ScreenContext;
class Ticker;

// Tells the signed-in dealer when another dealer takes the lead in an auction he
// led: a notice above whatever screen is shown (car, plate, the new highest bid)
// that opens that auction's detail when pressed. The shell keeps one for the
// life of the app; it follows the session from the Navigator (signed in while the
// dashboard, "MainView", is on the stack and the session store names a dealer).
// At sign-in it looks at the board once; after that it checks every kCheckEvery
// while the dealer leads a running auction, quietly and never while a bid of his
// is in flight, and takes in the auctions whose bid the service took (the session
// store's takenBids). Nothing is checked after sign-out.
class OutbidWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::seconds kCheckEvery{60};

    explicit OutbidWatcher(ScreenContext *context, QObject *parent = nullptr);

private:
    void followSession();
    void start(const QString &dealer);
    void stop();
    void check(bool evenWithoutLead);
    void checked(const Records &rows);
    void tell(const Records &outbid);
    void openAuction(const Record &row);

    ScreenContext *m_context;
    AuctionQueries m_queries;
    Ticker *m_ticker;
    LatestOnly m_latest;
    QString m_dealer; // empty: signed out
    // The running auctions the dealer led when last seen, in board order.
    Records m_leads;
    bool m_checking = false;
};

} // namespace tvs
