#pragma once

#include "Services.h"

#include <QList>
#include <QUrl>

namespace tvs::test {

// A clock pinned to one moment (Korea time), movable by the test.
class FixedClock : public Clock
{
public:
    // 2026-03-15 10:00 in Seoul unless told otherwise.
    FixedClock();
    explicit FixedClock(const QDateTime &now) { setNow(now); }
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime &now) { m_now = now.toTimeZone(timeZone()); }

private:
    QDateTime m_now;
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
