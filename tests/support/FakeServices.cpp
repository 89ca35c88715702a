#include "FakeServices.h"

namespace tvs::test {

namespace {

class ClockTicker : public Ticker
{
public:
    ClockTicker(const Clock *clock, std::chrono::milliseconds interval, QObject *parent)
        : Ticker(parent), clock(clock), interval(interval)
    {
    }
    void start() override { due = clock->now().addMSecs(interval.count()); }
    void stop() override { due = {}; }
    bool isActive() const override { return due.isValid(); }

    const Clock *clock;
    const std::chrono::milliseconds interval;
    QDateTime due;
};

} // namespace

FixedClock::FixedClock()
{
    setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0), timeZone()));
}

Ticker *FixedClock::makeTicker(std::chrono::milliseconds interval, QObject *parent) const
{
    m_tickers.append(new ClockTicker(this, interval, parent));
    return m_tickers.last();
}

void FixedClock::advance(std::chrono::milliseconds by)
{
    const QDateTime until = m_now.addMSecs(by.count());
    for (;;) {
        ClockTicker *next = nullptr;
        for (Ticker *ticker : std::as_const(m_tickers)) {
            auto *t = static_cast<ClockTicker *>(ticker);
            if (t && t->isActive() && t->due <= until && (!next || t->due < next->due))
                next = t;
        }
        if (!next)
            break;
        m_now = next->due;
        next->due = next->due.addMSecs(next->interval.count());
        emit next->tick();
    }
    m_now = until;
}

} // namespace tvs::test
