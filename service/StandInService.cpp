#include "StandInService.h"

#include "ServiceWorker.h"

namespace tvs {

StandInService::StandInService(Options options) : m_options(std::move(options)) {}

StandInService::~StandInService() { stop(); }

bool StandInService::start()
{
    stop();
    m_error.clear();
    auto worker = std::make_unique<ServiceWorker>(m_options);
    if (!worker->start(&m_error))
        return false;
    m_worker = std::move(worker);
    return true;
}

void StandInService::stop() { m_worker.reset(); }

bool StandInService::isRunning() const { return m_worker != nullptr; }
QString StandInService::errorString() const { return m_error; }

quint16 StandInService::apiPort() const { return m_worker ? m_worker->core()->apiPort() : 0; }
quint16 StandInService::imagePort() const { return m_worker ? m_worker->core()->imagePort() : 0; }

QString StandInService::apiHost() const { return QStringLiteral("127.0.0.1:%1").arg(apiPort()); }
QString StandInService::imageHost() const { return QStringLiteral("127.0.0.1:%1").arg(imagePort()); }
QString StandInService::caFile() const { return m_worker ? m_worker->core()->caFile() : QString(); }

QList<QSslCertificate> StandInService::caCertificates() const
{
    return m_worker ? QSslCertificate::fromPath(caFile()) : QList<QSslCertificate>();
}

QString StandInService::readyLine() const
{
    return QStringLiteral("tvs-service ready api=%1 images=%2 ca=%3").arg(apiHost(), imageHost(), caFile());
}

QVariant StandInService::queryValue(const QString &sql, const QVariantList &binds) const
{
    if (!m_worker)
        return {};
    ServiceCore *core = m_worker->core();
    return m_worker->run([&] { return core->queryValue(sql, binds); });
}

int StandInService::bigShopCars() const
{
    if (!m_worker)
        return 0;
    ServiceCore *core = m_worker->core();
    return m_worker->run([core] { return core->bigShopCars(); });
}

int StandInService::requestCount() const { return m_worker ? m_worker->core()->requestCount() : 0; }

} // namespace tvs
