#pragma once

#include <QDate>
#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QVariant>

#include <memory>

namespace tvs {

class ServiceWorker;

// The stand-in of the service's web server, on SQLite: the SOAP procedure service
// ("/sub_asmx/asmx_soap.asmx"), the car-number lookup ("/sub_asmx/asmx_json.asmx"), the
// registration hand-off ("/sub_asmx/asmx_json_tvs_to_zest.asmx"), the zest host's
// "/service/" pages and the mobile web page "/sub_buycar/buycar_view_func.aspx" over
// HTTPS on one port, and the pictures "/image_product/" and "/image_user/" over HTTP
// on a second port (the HTTPS port serves the pictures too, for the web pages).
//
// The listening ports and the database live on a thread of their own, and requests are
// answered by a pool of serving threads, each with its own connection to the database
// (SQLite in WAL mode; every change runs in a transaction that takes the write lock
// first, so changes from different threads never interleave). A test may block its own
// thread (QProcess::waitForFinished, a synchronous wait) while the service answers.
//
// In an end-to-end test:
//
//     QTemporaryDir dir;
//     tvs::StandInService::Options options;
//     options.dataDir = dir.path();
//     tvs::StandInService service(options);
//     QVERIFY2(service.start(), qPrintable(service.errorString()));
//     // hosts for the client's configuration: every HTTPS host is service.apiHost(),
//     // the image host is service.imageHost(); trust service.caCertificates().
//     // demo sign-in: "demo01" / "demo1234", user code "D0001", QR token "7301928465".
//     QCOMPARE(service.queryValue("SELECT sCarStatus FROM cars WHERE sCarProductCode = ?",
//                                 {code}).toString(), "7");
//
// The database is created with the deterministic demo data when the data folder holds
// none (or with `reset`); its dates are relative to today, and move forward with the days
// when a kept database is opened again on a later day.
//
// Pictures of cars are drawn when first asked for and kept in the data folder; the big
// shop's cars share theirs by model, colour and angle (their plates covered), so a shop of
// thousands costs a few hundred pictures.
class StandInService
{
public:
    struct Options
    {
        QString dataDir;          // database, certificates, cached pictures; created when missing
        quint16 port = 0;         // HTTPS port of every HTTPS host; 0 picks a free port
        quint16 imagePort = 0;    // HTTP port of the image host; 0 picks a free port
        QString logFile;          // one JSON line per request when set
        bool reset = false;       // throw the database away and make fresh demo data
        QHostAddress address = QHostAddress::LocalHost;
        // Threads that answer requests, each with its own database connection; 0: as
        // many as the machine has cores, at least 4 and at most 8.
        int workers = 0;
        // A request must arrive whole within this time of its first byte (else 408).
        int requestReadMs = 10'000;
        // The day the demo data is made relative to; a kept database's dates are moved
        // forward to it. Today in KST when not set.
        QDate today;
        // Cars added to the demo shop on top of its 44 ("the big shop"), the same cars for
        // the same number; a kept database gets the ones it lacks, and keeps any beyond.
        int bigShopCars = 0;
        // Every answer is sent at about this many kilobytes (1000 bytes) a second; 0: at once.
        int throttleKbps = 0;
    };

    explicit StandInService(Options options);
    ~StandInService(); // stops the servers and closes the database

    StandInService(const StandInService &) = delete;
    StandInService &operator=(const StandInService &) = delete;

    // Opens (or creates) the database and the certificates and starts listening.
    // Blocks until the service is ready or has failed; false with errorString() on failure.
    bool start();
    void stop();
    bool isRunning() const;
    QString errorString() const;

    quint16 apiPort() const;
    quint16 imagePort() const;
    QString apiHost() const;   // "127.0.0.1:PORT": the api, zest and mobile web hosts
    QString imageHost() const; // "127.0.0.1:PORT": the image host (http)
    QString caFile() const;    // PEM file of the CA that signed the service's certificate
    QList<QSslCertificate> caCertificates() const;
    QString readyLine() const; // "tvs-service ready api=... images=... ca=..."

    // Runs one parameterised statement on the service's database (on its thread) and
    // returns the first column of the first row; an invalid QVariant when there is none
    // or the statement fails. For tests that check what a call has written (or prepare a
    // state with "UPDATE ... RETURNING 1"). Tables (DemoData.cpp): shops, users, cars
    // (columns named like the reply fields), car_photos, car_options, options,
    // option_groups, models, truck_forms, auctions, bids, registry, handoffs,
    // status_history, job_orders, check_items, repair_shops.
    QVariant queryValue(const QString &sql, const QVariantList &binds = {}) const;
    // Number of requests answered so far (every host).
    int requestCount() const;
    // Cars the database holds beyond the demo shop's 44 (Options::bigShopCars, or more
    // from an earlier start).
    int bigShopCars() const;

private:
    Options m_options;
    std::unique_ptr<ServiceWorker> m_worker;
    QString m_error;
};

// Demo accounts of the stand-in's database.
namespace demo {
inline const QString kUserId = QStringLiteral("demo01");
inline const QString kPassword = QStringLiteral("demo1234");
inline const QString kUserCode = QStringLiteral("D0001");
inline const QString kQrToken = QStringLiteral("7301928465");
inline const QString kOtherShopUserCode = QStringLiteral("D0003");
} // namespace demo

} // namespace tvs
