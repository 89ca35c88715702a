// How long the UI thread goes without turning its event loop while ProcedureClient
// fetches and walks a 30 MB reply: the rows of the stand-in service's own car list,
// repeated. The reply comes from a TLS server on a thread of its own, so the UI thread
// (this program's main thread) does only what the app's would. A 1 ms timer on the main
// thread records the longest gap between two of its turns during each call, from the
// request to the rows handed over; the same timer running idle for as long is the
// reference (what the machine itself adds). Freeing the rows, which the receiving screen
// does when it drops them, is timed apart.
#include "BenchSupport.h"
#include "CallText.h"
#include "ProcedureClient.h"
#include "ReplyWalk.h"
#include "SoapRequest.h"
#include "StandInService.h"
#include "TlsTestServer.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <time.h>
#include <vector>

using namespace tvs;

namespace {

using tvs::bench::median;

// The escaped rows of a real car-list reply, repeated to `bytes`, in the service's envelope.
QByteArray hugeReply(qsizetype bytes)
{
    QTemporaryDir dir;
    StandInService::Options options;
    options.dataDir = dir.path();
    StandInService service(options);
    if (!service.start())
        return {};
    QNetworkAccessManager nam;
    SoapRequest soap = makeSoapRequest(
        service.apiHost(), kProcedureList,
        callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")}));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificates(service.caCertificates());
    soap.request.setSslConfiguration(tls);
    QNetworkReply *reply = nam.post(soap.request, soap.body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray body = reply->readAll();
    delete reply;
    const qsizetype first = body.indexOf("  &lt;Table&gt;");
    const qsizetype end = body.lastIndexOf("&lt;/Table&gt;\n") + 15;
    if (first < 0 || end < first)
        return {};
    const QByteArray rows = body.mid(first, end - first);
    QByteArray out = body.left(first);
    out.reserve(bytes + body.size());
    while (out.size() < bytes)
        out += rows;
    return out + body.mid(end);
}

// Wall and UI-thread CPU time between two turns of the event loop: a long gap in which the
// thread itself was busy is a stall of its own making; a long gap in which it was not is
// the machine's (another thread or process had the core).
qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

struct Turns
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 lastCpu = 0;
    qint64 longestNs = 0;
    qint64 longestCpuNs = 0;
    void start()
    {
        clock.start();
        last = 0;
        lastCpu = threadCpuNs();
        longestNs = 0;
        longestCpuNs = 0;
    }
    void turn()
    {
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpu = threadCpuNs();
        longestNs = std::max(longestNs, now - last);
        longestCpuNs = std::max(longestCpuNs, cpu - lastCpu);
        last = now;
        lastCpu = cpu;
    }
    double longestMs() const { return double(longestNs) / 1e6; }
    double longestCpuMs() const { return double(longestCpuNs) / 1e6; }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Longest UI-thread stall while a 30 MB reply is walked."));
    parser.addHelpOption();
    const QCommandLineOption megabytes(QStringLiteral("megabytes"),
                                       QStringLiteral("Reply size (default 30)."), QStringLiteral("MB"),
                                       QStringLiteral("30"));
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Calls (default 5)."),
                                    QStringLiteral("N"), QStringLiteral("5"));
    parser.addOptions({megabytes, rounds});
    parser.process(app);
    const qsizetype bytes = qsizetype(std::max(1, parser.value(megabytes).toInt())) * 1000 * 1000;

    const QByteArray body = hugeReply(bytes);
    if (body.isEmpty()) {
        std::fprintf(stderr, "tvs-bench-ui-stall: could not get a car list from the stand-in service\n");
        return 1;
    }
    const test::TestCertificate cert = test::TestCertificate::generate();
    // The server stands for another machine: its thread gives way to this process's own.
    QThread serverThread;
    auto *server = new test::TlsTestServer(cert);
    server->setReply(body);
    server->moveToThread(&serverThread);
    serverThread.start(QThread::IdlePriority);
    bool listening = false;
    QMetaObject::invokeMethod(
        server, [&] { listening = server->listenLocal(); }, Qt::BlockingQueuedConnection);
    if (!listening)
        return 1;
    const QString host = server->hostPort();

    QNetworkAccessManager nam;
    ProcedureClient client(&nam, host, {cert.certificate});
    client.setMaxReplyBytes(2 * bytes); // past the app's limit on purpose: the walk is what is measured

    ReplyShape shape; // every field of every row, as the car list keeps them
    shape.cleaning = Cleaning::Trimming;
    Turns turns;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&turns] { turns.turn(); });
    ticker.start(1);

    std::printf("reply of %.1f MB (%lld car rows), %s\n", double(body.size()) / 1e6,
                static_cast<long long>(body.count("&lt;Table&gt;")), "walked with every field kept");
    std::vector<double> busy, busyCpu, idle, drops;
    const int n = std::max(1, parser.value(rounds).toInt());
    for (int i = 0; i < n; ++i) {
        QEventLoop loop;
        std::optional<ProcedureReply> got;
        QElapsedTimer took;
        took.start();
        turns.start();
        client.call(kProcedureList, QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '0'"), shape, &loop,
                    [&](const ProcedureReply &reply) {
                        got = reply;
                        loop.quit();
                    });
        loop.exec();
        const double stall = turns.longestMs();
        const double stallCpu = turns.longestCpuMs();
        const double ms = double(took.nsecsElapsed()) / 1e6;
        const qsizetype rows = got ? got->walk.rows.size() : 0;
        const bool ok = got && got->ok() && got->walk.complete;
        // The screen that receives the rows frees them on the UI thread when it drops them:
        // its own cost, timed apart from the call's.
        QElapsedTimer dropping;
        dropping.start();
        got.reset();
        drops.push_back(double(dropping.nsecsElapsed()) / 1e6);

        QEventLoop rest;
        QTimer::singleShot(int(ms), &rest, &QEventLoop::quit);
        turns.start();
        rest.exec();
        idle.push_back(turns.longestMs());
        busy.push_back(stall);
        busyCpu.push_back(stallCpu);
        std::printf(
            "call %d: %s, %lld rows in %.0f ms; longest UI-thread stall %.1f ms, most UI-thread work "
            "between two turns %.1f ms; idle reference %.1f ms; dropping the rows afterwards %.1f ms\n",
            i + 1, ok ? "ok" : "FAILED", static_cast<long long>(rows), ms, stall, stallCpu, idle.back(),
            drops.back());
        if (!ok)
            return 1;
    }
    std::printf(
        "median of %d: longest UI-thread stall %.1f ms (goal under 50 ms), most UI-thread work between two "
        "turns %.1f ms; idle reference %.1f ms; dropping the rows %.1f ms\n",
        n, median(busy), median(busyCpu), median(idle), median(drops));
    QMetaObject::invokeMethod(
        server, [server] { delete server; }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();
    return 0;
}
