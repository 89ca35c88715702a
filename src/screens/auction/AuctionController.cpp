#include "AuctionController.h"

#include "AlertViewController.h"
#include "AppData.h"
#include "AuctionDetailController.h"
#include "AuctionFields.h"
#include "AuctionLogging.h"
#include "AuctionTransitions.h"
#include "MinuteTicker.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "Services.h"

#include <cmath>

namespace tvs {

namespace {
constexpr int kPages = 4;
} // namespace

AuctionController::AuctionController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_queries(context ? context->procedures : nullptr, this),
      m_refreshTicker(makeTicker(kQuietRefresh)), m_countdown(new MinuteTicker(this))
{
    const Config *config = context ? context->config : nullptr;
    for (int page = 1; page <= kPages; ++page)
        m_tables[page - 1] = new AuctionRowModel(page, config, this);
    connect(m_refreshTicker, &Ticker::tick, this, &AuctionController::quietRefresh);
    connect(m_countdown, &MinuteTicker::tick, this, [this] {
        for (AuctionRowModel *table : m_tables)
            table->setNow(now());
    });
}

QStringList AuctionController::segmentTitles() const
{
    return {QStringLiteral("전체"), QStringLiteral("경매중"), QStringLiteral("낙찰"), QStringLiteral("종료")};
}

void AuctionController::viewDidLoad()
{
    fetch();
    m_justLoaded = true;
}

void AuctionController::viewWillAppear()
{
    AppData *appData = AppData::shared();
    if (appData->aucRefresh) {
        appData->aucRefresh = false;
        // The first appearance follows the load's own fetch: one is enough.
        if (!m_justLoaded)
            fetch();
    }
    m_justLoaded = false;
    setLoading(true);
}

void AuctionController::viewDidAppear()
{
    if (openPage == 1 || openPage == 2)
        selectPage(openPage);
    for (AuctionRowModel *table : m_tables)
        table->setNow(now());
    m_refreshTicker->start();
    m_countdown->start();
    setLoading(false);
}

void AuctionController::viewWillDisappear()
{
    m_refreshTicker->stop();
    m_countdown->stop();
}

void AuctionController::fetch(bool quiet)
{
    m_fetching = true;
    m_queries.board(m_latest.track([this, quiet](const QueryResult<Records> &result) {
        m_fetching = false;
        // What is shown stays until a whole reply has been read; then the lists and
        // the tables change together, so a tap never reads a list the tables do not show.
        // Only the refresh the board makes by itself fails without a word.
        const bool failed =
            quiet ? RequestFailure::of(result).has_value()
                  : alertIfFailed(this, result, QStringLiteral("경매 목록을 불러오지 못했습니다."),
                                  [this] { fetch(); });
        if (failed)
            return;
        const QString dealer = AppData::shared()->userCode();
        m_lists = AuctionLists::split(result.value, dealer);
        const Records *pages[kPages] = {&m_lists.all, &m_lists.inProgress, &m_lists.won, &m_lists.others};
        const QDateTime at = now();
        for (int i = 0; i < kPages; ++i)
            m_tables[i]->setRows(*pages[i], dealer, at);
        emit listsChanged();
    }));
}

void AuctionController::quietRefresh()
{
    // Only while the board is on top and no answer is awaited; no overlay.
    if (m_fetching || (navigator() && navigator()->top() != this))
        return;
    fetch(true);
}

void AuctionController::selectPage(int index)
{
    if (index == m_selectedPage)
        return;
    m_selectedPage = index;
    emit pageChanged();
}

void AuctionController::segSelectEvent(int index)
{
    if (index >= 0 && index < kPages)
        selectPage(index);
}

void AuctionController::scrollViewDidScroll(qreal offsetX, qreal pageWidth)
{
    if (pageWidth <= 0)
        return;
    const qreal pages = offsetX / pageWidth;
    const qreal whole = std::round(pages);
    // Half a point either way still counts as at rest on the page.
    if (std::abs(pages - whole) * pageWidth > 0.5 || whole < 0 || whole >= kPages)
        return;
    selectPage(int(whole));
}

const Record *AuctionController::rowAt(const Records &list, int tag) const
{
    if (tag < 0 || tag >= list.size()) {
        qCWarning(lcAuction) << "no auction row" << tag;
        return nullptr;
    }
    return &list.at(tag);
}

void AuctionController::btnEvent(int tag)
{
    const Record *row = rowAt(m_lists.all, tag);
    if (!row)
        return;
    if (row->value(AuctionField::sAuctionStatus) == QLatin1String("1"))
        openDetail(*row);
    else if (auctionWonBy(*row, AppData::shared()->userCode()))
        openStoreContact(*row);
}

void AuctionController::btnEvent2(int tag)
{
    if (const Record *row = rowAt(m_lists.inProgress, tag))
        openDetail(*row);
}

void AuctionController::btnCallEvent3(int tag)
{
    if (const Record *row = rowAt(m_lists.won, tag))
        openStoreContact(*row);
}

void AuctionController::openDetail(const Record &row)
{
    m_chosen = row;
    performSegue(AuctionTransition::auctionDetail);
}

void AuctionController::openStoreContact(const Record &row)
{
    m_chosen = row;
    performSegue(AuctionTransition::auctionPopCall);
}

void AuctionController::prepareForSegue(const QString &identifier, Screen *destination)
{
    if (auto *detail = qobject_cast<AuctionDetailController *>(destination)) {
        if (identifier == AuctionTransition::auctionDetail)
            detail->setAuction(m_chosen);
    } else if (auto *popup = qobject_cast<AlertViewController *>(destination)) {
        if (identifier == AuctionTransition::auctionPopCall)
            popup->setStore(m_chosen.value(AuctionField::sAuctionUserName),
                            m_chosen.value(AuctionField::sAuctionUserTelnum));
    }
}

} // namespace tvs
