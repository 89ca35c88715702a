#include "OutbidWatcher.h"

#include "AppData.h"
#include "AuctionDetailController.h"
#include "AuctionLogging.h"
#include "AuctionRows.h"
#include "Navigator.h"
#include "Notices.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QPointer>

#include <utility>

namespace tvs {

namespace {

QString auctionCode(const Record &row)
{
    return row.value(QStringLiteral("sAuctionCode"));
}

bool ledBy(const Records &rows, const QString &code)
{
    return std::any_of(rows.cbegin(), rows.cend(),
                       [&code](const Record &row) { return auctionCode(row) == code; });
}

} // namespace

OutbidWatcher::OutbidWatcher(ScreenContext *context, QObject *parent)
    : QObject(parent), m_context(context), m_queries(context->procedures, this),
      m_ticker(context->clock->makeTicker(kCheckEvery, this))
{
    connect(m_ticker, &Ticker::tick, this, [this] { check(false); });
    if (context->navigator)
        connect(context->navigator, &Navigator::stackChanged, this, &OutbidWatcher::followSession);
}

void OutbidWatcher::followSession()
{
    const QList<Screen *> stack = m_context->navigator->stack();
    const bool signedIn = std::any_of(stack.cbegin(), stack.cend(), [](const Screen *screen) {
        return screen && screen->identifier() == QLatin1String("MainView");
    });
    const QString dealer = signedIn ? AppData::shared()->userCode() : QString();
    if (dealer == m_dealer)
        return;
    stop();
    if (!dealer.isEmpty())
        start(dealer);
}

void OutbidWatcher::start(const QString &dealer)
{
    m_dealer = dealer;
    // Bids of an earlier session are no news to this one.
    AppData::shared()->takenBids.clear();
    check(true);
    m_ticker->start();
}

void OutbidWatcher::stop()
{
    m_ticker->stop();
    m_latest.invalidate();
    m_checking = false;
    m_leads.clear();
    m_dealer.clear();
    AppData::shared()->takenBids.clear();
    // Nothing of the signed-out dealer stays in view.
    if (m_context->notices)
        m_context->notices->close();
}

void OutbidWatcher::check(bool evenWithoutLead)
{
    AppData *appData = AppData::shared();
    for (const Record &row : std::exchange(appData->takenBids, {})) {
        if (!ledBy(m_leads, auctionCode(row)))
            m_leads.append(row);
    }
    if (m_checking || appData->bidsInFlight > 0 || (m_leads.isEmpty() && !evenWithoutLead))
        return;
    m_checking = true;
    m_queries.board(m_latest.track([this](const QueryResult<Records> &result) {
        m_checking = false;
        // A bid sent meanwhile may change who leads: the next check tells.
        if (result.ok() && result.complete && AppData::shared()->bidsInFlight == 0)
            checked(result.value);
    }));
}

void OutbidWatcher::checked(const Records &rows)
{
    const QDateTime now = m_context->clock->now();
    Records leads, outbid;
    for (const Record &row : rows) {
        const QString leader = row.value(QStringLiteral("sMaxUserCode"));
        if (leader == m_dealer) {
            if (row.value(QStringLiteral("sAuctionStatus")) == QLatin1String("1") &&
                !auctionPastEnd(row, now))
                leads.append(row);
        } else if (!leader.isEmpty() && ledBy(m_leads, auctionCode(row))) {
            outbid.append(row);
        }
    }
    m_leads = leads;
    if (!outbid.isEmpty())
        tell(outbid);
}

void OutbidWatcher::tell(const Records &outbid)
{
    const Record &first = outbid.first();
    const AuctionCellView view = AuctionCellView::from(first, 1, m_dealer, nullptr, m_context->clock->now());
    QString text =
        view.name + QStringLiteral(" · ") + view.info + QStringLiteral(" · 최고 입찰가 ") + view.price;
    if (outbid.size() > 1)
        text += QStringLiteral(" 외 %1건").arg(outbid.size() - 1);
    qCInfo(lcAuction) << "outbid in" << outbid.size() << "auction(s), first" << auctionCode(first);
    if (!m_context->notices) {
        qCWarning(lcAuction) << "no notices to tell the dealer:" << text;
        return;
    }
    m_context->notices->show(QStringLiteral("다른 딜러가 더 높은 금액에 입찰했습니다"), text,
                             [self = QPointer<OutbidWatcher>(this), first] {
                                 if (self)
                                     self->openAuction(first);
                             });
}

void OutbidWatcher::openAuction(const Record &row)
{
    Navigator *navigator = m_context->navigator;
    if (!navigator || m_dealer.isEmpty())
        return;
    // The auction already in view shows where it stands now, with the amount typed.
    auto *shown = qobject_cast<AuctionDetailController *>(navigator->top());
    if (shown && auctionCode(shown->takeList) == auctionCode(row)) {
        shown->setAuction(row);
        return;
    }
    auto *detail =
        qobject_cast<AuctionDetailController *>(navigator->instantiate(QStringLiteral("auctionDetail")));
    if (!detail)
        return;
    detail->setAuction(row);
    navigator->push(detail);
}

} // namespace tvs
