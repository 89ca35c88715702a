#include "FakeServices.h"

namespace tvs::test {

FixedClock::FixedClock()
{
    setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0), timeZone()));
}

void ClockTicker::start()
{
    m_due = m_clock->now().addMSecs(m_interval.count());
}

void ClockTicker::fire()
{
    m_due = m_due.addMSecs(m_interval.count());
    emit tick();
}

Ticker *FixedClock::makeTicker(std::chrono::milliseconds interval, QObject *parent) const
{
    auto *ticker = new ClockTicker(this, interval, parent);
    m_tickers.append(ticker);
    return ticker;
}

void FixedClock::advance(std::chrono::milliseconds by)
{
    const QDateTime until = m_now.addMSecs(by.count());
    for (;;) {
        ClockTicker *next = nullptr;
        for (const QPointer<ClockTicker> &t : std::as_const(m_tickers)) {
            if (t && t->isActive() && t->due() <= until && (!next || t->due() < next->due()))
                next = t;
        }
        if (!next)
            break;
        m_now = next->due();
        next->fire();
    }
    m_now = until;
}

} // namespace tvs::test
