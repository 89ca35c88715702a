#pragma once

#include "Config.h"
#include "FakeJsonServiceCaller.h"
#include "FakeProcedureCaller.h"
#include "FakeServices.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QTemporaryDir>

#include <memory>

namespace tvs::test {

// Everything a screen needs, with fakes: the procedure and JSON callers, a pinned
// clock, a driven network monitor, a recording URL opener, settings in a fresh
// temporary file, a Config pointing at 127.0.0.1 and a Navigator without a page
// (viewDidAppear follows on the next turn of the event loop).
//
//   TestContext t;
//   t.procedures.answer("ps_UserCarCount", singleElementsBody({{"iCount0", "3"}}));
//   auto *screen = t.navigator->resetTo("MainView");   // after registering screens
//   QTRY_COMPARE(...);
//
// The session store is the process-wide AppData::shared(); call resetAppData()
// between tests that depend on its fields.
class TestContext
{
public:
    TestContext();
    ~TestContext();

    FakeProcedureCaller procedures;
    FakeJsonServiceCaller jsonServices;
    FixedClock clock;
    FakeNetworkMonitor network;
    RecordingUrlOpener urls;
    Config config;
    QTemporaryDir dir;
    std::unique_ptr<Settings> settings;
    RequestAlerts alerts;
    ScreenContext context;
    std::unique_ptr<Navigator> navigator;

    ScreenContext *ctx() { return &context; }

    // Empties the session store's fields (they outlive a test otherwise).
    static void resetAppData();
};

} // namespace tvs::test
