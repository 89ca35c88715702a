#pragma once

#include "AuctionQueries.h"
#include "AuctionRows.h"
#include "Screen.h"

#include <QStringList>

#include <chrono>

namespace tvs {

class MinuteTicker;
class Ticker;

// The auction board: every auction among dealers on four pages (all, in progress,
// won by this dealer, the rest), switched with a segment control or by swiping. In
// progress rows open the detail with bidding, won ones the shop's contact popup.
// While the board is in view it fetches again every 30 seconds, updating its rows
// in place (the page, the scroll position and a press in progress stay), and the
// time left of running auctions changes on each minute of the clock.
class AuctionController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QStringList segmentTitles READ segmentTitles CONSTANT)
    Q_PROPERTY(int auctionSeg READ selectedPage NOTIFY pageChanged)
    Q_PROPERTY(QString lb_aucCount READ aucCount NOTIFY listsChanged)
    Q_PROPERTY(QObject *auctionPageTable1 READ table1 CONSTANT)
    Q_PROPERTY(QObject *auctionPageTable2 READ table2 CONSTANT)
    Q_PROPERTY(QObject *auctionPageTable3 READ table3 CONSTANT)
    Q_PROPERTY(QObject *auctionPageTable4 READ table4 CONSTANT)

public:
    static constexpr std::chrono::seconds kQuietRefresh{30};

    explicit AuctionController(ScreenContext *context, QObject *parent = nullptr);

    // From the opener, before the screen is shown: 1 opens the second page (in
    // progress), 2 the third (won); anything else leaves the page as it is.
    void setOpenPage(int page) { openPage = page; }
    int openPage = 0;

    // The lists of the last reply that could be read, split by state.
    const AuctionLists &lists() const { return m_lists; }

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // The segment control: shows page `index` (0 to 3); any other index does nothing.
    Q_INVOKABLE void segSelectEvent(int index);
    // The pages came to rest at `offsetX` with pages `pageWidth` wide: a page that
    // is fully shown selects its segment.
    Q_INVOKABLE void scrollViewDidScroll(qreal offsetX, qreal pageWidth);
    // The row buttons of pages 1, 2 and 3; the tag is the row index in that page.
    Q_INVOKABLE void btnEvent(int tag);
    Q_INVOKABLE void btnEvent2(int tag);
    Q_INVOKABLE void btnCallEvent3(int tag);

    QStringList segmentTitles() const;
    int selectedPage() const { return m_selectedPage; }
    QString aucCount() const { return QString::number(m_lists.inProgress.size()); }
    AuctionRowModel *table(int page) const { return m_tables[page - 1]; }
    QObject *table1() const { return m_tables[0]; }
    QObject *table2() const { return m_tables[1]; }
    QObject *table3() const { return m_tables[2]; }
    QObject *table4() const { return m_tables[3]; }
    bool isFetching() const { return m_fetching; }

signals:
    void pageChanged();
    void listsChanged();

private:
    // `quiet`: the board's own refresh, whose failures are only logged.
    void fetch(bool quiet = false);
    void quietRefresh();
    void selectPage(int index);
    void openDetail(const Record &row);
    void openStoreContact(const Record &row);
    const Record *rowAt(const Records &list, int tag) const;

    AuctionQueries m_queries;
    AuctionLists m_lists;
    AuctionRowModel *m_tables[4];
    Ticker *m_refreshTicker;
    MinuteTicker *m_countdown;
    LatestOnly m_latest;
    Record m_chosen;
    int m_selectedPage = 0;
    bool m_fetching = false;
    bool m_justLoaded = false;
};

} // namespace tvs
