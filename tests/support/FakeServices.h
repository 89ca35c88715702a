#pragma once

#include "Services.h"

#include <QList>
#include <QPointer>
#include <QUrl>

namespace tvs::test {

class FixedClock;

// A ticker that ticks only when the test moves its clock past the tick's time.
class ClockTicker : public Ticker
{
public:
    ClockTicker(const FixedClock *clock, std::chrono::milliseconds interval, QObject *parent)
        : Ticker(parent), m_clock(clock), m_interval(interval)
    {
    }
    void start() override;
    void stop() override { m_due = {}; }
    bool isActive() const override { return m_due.isValid(); }
    QDateTime due() const { return m_due; }
    // Ticks and sets the next tick one interval later.
    void fire();

private:
    const FixedClock *m_clock;
    std::chrono::milliseconds m_interval;
    QDateTime m_due;
};

// A clock pinned to one moment (Korea time), movable by the test. Its tickers
// tick only in advance(), so no test waits for real time.
class FixedClock : public Clock
{
public:
    // 2026-03-15 10:00 in Seoul unless told otherwise.
    FixedClock();
    explicit FixedClock(const QDateTime &now) { setNow(now); }
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime &now) { m_now = now.toTimeZone(timeZone()); }
    Ticker *makeTicker(std::chrono::milliseconds interval, QObject *parent) const override;
    // Moves time forward by `by`, ticking every active ticker at each of its due
    // times on the way, in time order.
    void advance(std::chrono::milliseconds by);

private:
    QDateTime m_now;
    mutable QList<QPointer<ClockTicker>> m_tickers;
};

// The test drives the network path: report(true/false) emits pathUpdated.
class FakeNetworkMonitor : public NetworkMonitor
{
    Q_OBJECT
public:
    using NetworkMonitor::NetworkMonitor;
    bool start() override
    {
        ++startCount;
        return startResult;
    }
    void report(bool satisfied) { emit pathUpdated(satisfied); }

    bool startResult = true;
    int startCount = 0;
};

// Records the URLs a screen opens instead of opening them.
class RecordingUrlOpener : public UrlOpener
{
public:
    bool canOpen(const QUrl &url) const override { return canOpenAll && UrlOpener::canOpen(url); }
    bool open(const QUrl &url) override
    {
        opened.append(url);
        return canOpen(url);
    }

    bool canOpenAll = true; // false: nothing can be opened (no dialer, no browser)
    QList<QUrl> opened;
};

} // namespace tvs::test
