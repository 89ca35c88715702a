#pragma once

#include "Services.h"

namespace tvs {

// The network path from QNetworkInformation. The path counts as satisfied unless
// the backend reports it disconnected: a local or site-only network still reaches
// the service (it may well run on this machine), and an unknown state must not
// lock the dealer out. Reports once when started and on every change, always
// queued on this object's (the main) thread.
class QtNetworkMonitor : public NetworkMonitor
{
    Q_OBJECT
public:
    using NetworkMonitor::NetworkMonitor;
    bool start() override;

private:
    void reportCurrentPath();

    bool m_started = false;
};

} // namespace tvs
