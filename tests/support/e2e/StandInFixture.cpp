#include "StandInFixture.h"

#include "AppData.h"
#include "TestContext.h"

#include <QNetworkAccessManager>

namespace tvs::test {

StandInFixture::StandInFixture() = default;

StandInFixture::~StandInFixture()
{
    stop();
}

bool StandInFixture::start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
        return false;
    }
    StandInService::Options options;
    options.dataDir = filePath(QStringLiteral("service"));
    options.logFile = logFile();
    m_service = std::make_unique<StandInService>(options);
    if (!m_service->start()) {
        m_error = m_service->errorString();
        return false;
    }
    m_nam = std::make_unique<QNetworkAccessManager>();
    m_client = std::make_unique<ProcedureClient>(m_nam.get(), m_service->apiHost(), m_service->caCertificates());
    m_json = std::make_unique<JsonServiceClient>(m_nam.get(), m_service->apiHost(), m_service->caCertificates());
    return true;
}

void StandInFixture::stop()
{
    m_json.reset();
    m_client.reset();
    m_nam.reset();
    m_service.reset();
}

Config StandInFixture::config(bool withCaFile) const
{
    Config config;
    config.apiHost = config.zestHost = config.mwebHost = m_service->apiHost();
    config.imageHost = m_service->imageHost();
    if (withCaFile)
        config.caFile = m_service->caFile();
    return config;
}

void StandInFixture::setDemoDealer()
{
    TestContext::resetAppData();
    AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), demo::kUserCode);
}

} // namespace tvs::test
