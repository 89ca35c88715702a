// Requests per second and latency percentiles of the stand-in service for the dealer's car
// list (ps_GetUserProductCar_Info2, 40 rows) over HTTPS on loopback, with 1 and 8 clients
// that each keep one request in flight. Bounded by a request count and a time limit. The
// service answers first from one serving thread (the reference), then from its default pool.
#include "CallText.h"
#include "SoapRequest.h"
#include "StandInService.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Run
{
    int clients = 1;
    int requests = 0;
    int failures = 0;
    double seconds = 0;
    std::vector<double> latenciesMs;
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p / 100.0 * double(v.size())));
    return v[i];
}

Run measure(const tvs::StandInService &service, int clients, int maxRequests, int maxSeconds, int expectedRows)
{
    Run run;
    run.clients = clients;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificates(service.caCertificates());
    const QString text = tvs::callText(QStringLiteral("ps_GetUserProductCar_Info2"), {tvs::demo::kUserCode, QStringLiteral("0")});
    std::vector<std::unique_ptr<QNetworkAccessManager>> nams;
    for (int i = 0; i < clients; ++i)
        nams.push_back(std::make_unique<QNetworkAccessManager>());
    QEventLoop loop;
    QElapsedTimer total;
    int started = 0, finished = 0;
    bool stopping = false;
    std::function<void(int)> send = [&](int client) {
        if (stopping || started >= maxRequests)
            return;
        ++started;
        tvs::SoapRequest soap = tvs::makeSoapRequest(service.apiHost(), QStringLiteral("Procedure_List01"), text);
        soap.request.setSslConfiguration(tls);
        auto *timer = new QElapsedTimer;
        timer->start();
        QNetworkReply *reply = nams[size_t(client)]->post(soap.request, soap.body);
        QObject::connect(reply, &QNetworkReply::finished, reply, [&, reply, timer, client] {
            const double ms = double(timer->nsecsElapsed()) / 1e6;
            delete timer;
            const QByteArray body = reply->readAll();
            const bool ok = reply->error() == QNetworkReply::NoError && body.count("&lt;Table&gt;") == expectedRows;
            reply->deleteLater();
            ++finished;
            if (ok)
                run.latenciesMs.push_back(ms);
            else
                ++run.failures;
            if (finished == started && (stopping || started >= maxRequests))
                loop.quit();
            else
                send(client);
        });
    };
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
        stopping = true;
        if (finished == started)
            loop.quit();
    });
    limit.start(maxSeconds * 1000);
    total.start();
    for (int c = 0; c < clients; ++c)
        send(c);
    loop.exec();
    run.seconds = double(total.nsecsElapsed()) / 1e9;
    run.requests = finished;
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Benchmark of the stand-in service's car list over HTTPS."));
    parser.addHelpOption();
    const QCommandLineOption requests(QStringLiteral("requests"), QStringLiteral("Requests per run (default 2000)."), QStringLiteral("N"), QStringLiteral("2000"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Time limit per run (default 20)."), QStringLiteral("S"), QStringLiteral("20"));
    parser.addOptions({requests, seconds});
    parser.process(app);
    const int maxRequests = std::max(1, parser.value(requests).toInt());
    const int maxSeconds = std::max(1, parser.value(seconds).toInt());

    // The same run measures the service answering from one serving thread, the reference,
    // and from its default pool.
    double oneThread = 0;
    for (const int workers : {1, 0}) {
        QTemporaryDir dir;
        tvs::StandInService::Options options;
        options.dataDir = dir.path();
        options.workers = workers;
        tvs::StandInService service(options);
        if (!service.start()) {
            std::fprintf(stderr, "tvs-bench-service: %s\n", qPrintable(service.errorString()));
            return 1;
        }
        const int rows = service.queryValue(QStringLiteral("SELECT COUNT(*) FROM cars WHERE sStoreCode = 'S0001' AND sCarStatus NOT IN ('7', '9')")).toInt();
        std::printf("ps_GetUserProductCar_Info2 (%d rows) over HTTPS on 127.0.0.1, %s, up to %d requests or %d s per run\n",
                    rows, workers == 1 ? "one serving thread" : "the default serving threads", maxRequests, maxSeconds);
        measure(service, 2, 50, maxSeconds, rows); // warm-up: connections, TLS sessions, page cache
        for (int clients : {1, 8}) {
            const Run r = measure(service, clients, maxRequests, maxSeconds, rows);
            const double rate = double(r.requests - r.failures) / r.seconds;
            std::printf("clients %d: %d requests in %.2f s = %.0f req/s; latency p50 %.2f ms, p90 %.2f ms, p99 %.2f ms; failures %d\n",
                        r.clients, r.requests, r.seconds, rate,
                        percentile(r.latenciesMs, 50), percentile(r.latenciesMs, 90), percentile(r.latenciesMs, 99), r.failures);
            if (clients == 8 && workers == 1)
                oneThread = rate;
            else if (clients == 8)
                std::printf("8 clients: %.2fx the rate of one serving thread (goal: 500 req/s or more)\n", rate / oneThread);
        }
    }
    return 0;
}
