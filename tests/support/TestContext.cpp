#include "TestContext.h"

#include "AppData.h"

namespace tvs::test {

TestContext::TestContext()
{
    config.apiHost = config.zestHost = config.mwebHost = QStringLiteral("127.0.0.1:8443");
    config.imageHost = QStringLiteral("127.0.0.1:8080");
    settings = std::make_unique<Settings>(dir.filePath(QStringLiteral("settings.ini")));

    context.procedures = &procedures;
    context.jsonServices = &jsonServices;
    context.settings = settings.get();
    context.clock = &clock;
    context.network = &network;
    context.urls = &urls;
    context.config = &config;
    context.alerts = &alerts;
    navigator = std::make_unique<Navigator>(&context);
    context.navigator = navigator.get();
}

TestContext::~TestContext()
{
    // Screens go first: they may still reach the services while they are destroyed.
    navigator.reset();
}

void TestContext::resetAppData()
{
    AppData *data = AppData::shared();
    data->editCarInfo = false;
    data->userInfo.clear();
    data->enterCarInfo.clear();
    data->jsonString.clear();
    data->aucRefresh = false;
    data->bidsInFlight = 0;
    data->takenBids.clear();
    data->jobLines.clear();
}

} // namespace tvs::test
