#pragma once

#include "Services.h"

#include <QList>
#include <QPointer>
#include <QUrl>

namespace tvs::test {

// A clock pinned to one moment (Korea time), movable by the test. Its tickers tick
// only in advance(), so no test waits for real time.
class FixedClock : public Clock
{
public:
    // 2026-03-15 10:00 in Seoul unless told otherwise.
    FixedClock();
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime &now) { m_now = now.toTimeZone(timeZone()); }
    Ticker *makeTicker(std::chrono::milliseconds interval, QObject *parent) const override;
    // Moves time forward by `by`; each running ticker ticks at each of its times on the way.
    void advance(std::chrono::milliseconds by);

private:
    QDateTime m_now;
    mutable QList<QPointer<Ticker>> m_tickers;
};

// The test drives the network path: report(true/false) emits pathUpdated.
class FakeNetworkMonitor : public NetworkMonitor
{
    Q_OBJECT
public:
    using NetworkMonitor::NetworkMonitor;
    bool start() override { return ++startCount > 0; }
    void report(bool satisfied) { emit pathUpdated(satisfied); }

    int startCount = 0;
};

// Records the URLs a screen opens instead of opening them.
class RecordingUrlOpener : public UrlOpener
{
public:
    // As on a phone with a dialer and a browser: any valid address, unless canOpenAll is false.
    bool canOpen(const QUrl &url) const override { return canOpenAll && url.isValid(); }
    bool open(const QUrl &url) override
    {
        opened.append(url);
        return canOpen(url);
    }

    bool canOpenAll = true; // false: nothing can be opened (no dialer, no browser)
    QList<QUrl> opened;
};

} // namespace tvs::test
