#pragma once

#include "Config.h"
#include "JsonServiceClient.h"
#include "ProcedureClient.h"
#include "StandInService.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QNetworkAccessManager;

namespace tvs::test {

// The stand-in service in-process on free ports over a temporary folder, and the app's
// network side pointed at it: one network manager, a procedure client and a JSON service
// client that trust the service's CA, and a Config naming the service's hosts. The folder takes the test's own
// files too (filePath()).
//
//   StandInFixture m_stand;                       // a member of the test
//   QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));   // initTestCase
//   context.procedures = m_stand.procedures();
//   config = m_stand.config();
//   m_stand.stop();                               // cleanupTestCase, after the screens
class StandInFixture
{
public:
    StandInFixture();
    ~StandInFixture();

    StandInFixture(const StandInFixture &) = delete;
    StandInFixture &operator=(const StandInFixture &) = delete;

    // Starts the service, logging its requests to logFile(); false with errorString().
    bool start();
    // Drops the client and stops the service, so that its log is complete; the folder stays.
    void stop();
    QString errorString() const { return m_error; }

    StandInService *service() const { return m_service.get(); }
    QNetworkAccessManager *nam() const { return m_nam.get(); }
    ProcedureClient *procedures() const { return m_client.get(); }
    JsonServiceClient *jsonServices() const { return m_json.get(); }

    // Every host at the service; its CA file too unless withCaFile is false (the app then
    // trusts the system's CAs only).
    Config config(bool withCaFile = true) const;

    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString logFile() const { return filePath(QStringLiteral("service.log")); }

    // The session store as the screens that only read the dealer's code find it after the
    // demo dealer's sign-in: emptied, then that code.
    static void setDemoDealer();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StandInService> m_service;
    std::unique_ptr<QNetworkAccessManager> m_nam;
    std::unique_ptr<ProcedureClient> m_client;
    std::unique_ptr<JsonServiceClient> m_json;
    QString m_error;
};

} // namespace tvs::test
