// tvs-service: the stand-in of the service's web server on 127.0.0.1.
#include "StandInService.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <limits>

namespace {
// Set by SIGTERM/SIGINT; the event loop looks at it (nothing else is safe in a handler).
volatile std::sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }
} // namespace

int main(int argc, char *argv[])
{
    // The pictures are drawn with fonts, which need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tvs-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Stand-in of the used-car dealer service: SOAP procedures, lookup and hand-off, web pages (HTTPS) "
        "and pictures (HTTP) on SQLite, listening on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("HTTPS port of every HTTPS host (0: a free one)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption imagePort(QStringLiteral("image-port"), QStringLiteral("HTTP port of the pictures (0: a free one)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Folder of the database and the certificates."), QStringLiteral("DIR"));
    const QCommandLineOption reset(QStringLiteral("reset"), QStringLiteral("Start from fresh demo data."));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Append one JSON line per request to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption forSeconds(QStringLiteral("for-seconds"), QStringLiteral("Stop after N seconds."), QStringLiteral("N"));
    const QCommandLineOption workers(QStringLiteral("workers"), QStringLiteral("Threads that answer requests (default: one per core, 4 to 8)."), QStringLiteral("N"));
    const QCommandLineOption demoCars(
        QStringLiteral("demo-cars"),
        QStringLiteral(
            "Add N cars to the demo shop on top of its 44, the same cars for the same N (a kept database "
            "gets the ones it lacks and keeps any beyond N)."),
        QStringLiteral("N"));
    const QCommandLineOption throttle(
        QStringLiteral("throttle-kbps"),
        QStringLiteral("Send every answer at about K kilobytes (1000 bytes) a second."), QStringLiteral("K"));
    parser.addOptions({port, imagePort, data, reset, log, forSeconds, workers, demoCars, throttle});
    parser.process(app);

    auto readPort = [&](const QCommandLineOption &option, quint16 *out) {
        bool ok = false;
        const uint value = parser.value(option).toUInt(&ok);
        if (!ok || value > 65535) {
            std::fprintf(stderr, "tvs-service: --%s must be a port number from 0 to 65535\n",
                         qPrintable(option.names().first()));
            return false;
        }
        *out = quint16(value);
        return true;
    };
    tvs::StandInService::Options options;
    if (!readPort(port, &options.port) || !readPort(imagePort, &options.imagePort))
        return 2;
    options.dataDir = parser.isSet(data)
        ? parser.value(data)
        : QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    options.reset = parser.isSet(reset);
    options.logFile = parser.value(log);
    if (parser.isSet(workers)) {
        bool ok = false;
        options.workers = parser.value(workers).toInt(&ok);
        if (!ok || options.workers < 1 || options.workers > 64) {
            std::fprintf(stderr, "tvs-service: --workers must be a number from 1 to 64\n");
            return 2;
        }
    }
    // A whole number from 1 to `max`, or a message on stderr.
    auto readCount = [&](const QCommandLineOption &option, int max, int *out) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        *out = parser.value(option).toInt(&ok);
        if (ok && *out >= 0 && *out <= max)
            return true;
        std::fprintf(stderr, "tvs-service: --%s must be a number from 0 to %d\n",
                     qPrintable(option.names().first()), max);
        return false;
    };
    constexpr int kMaxDemoCars = 100'000; // codes of the big shop have six digits
    constexpr int kMaxKbps = 10'000'000;  // 10 GB/s: more than any link this serves on
    if (!readCount(demoCars, kMaxDemoCars, &options.bigShopCars) ||
        !readCount(throttle, kMaxKbps, &options.throttleKbps))
        return 2;
    if (parser.isSet(forSeconds)) {
        bool ok = false;
        // A timer counts milliseconds in an int: about 24 days at most.
        constexpr int kMaxSeconds = std::numeric_limits<int>::max() / 1000;
        const int seconds = parser.value(forSeconds).toInt(&ok);
        if (!ok || seconds <= 0 || seconds > kMaxSeconds) {
            std::fprintf(stderr, "tvs-service: --for-seconds must be a positive number of seconds up to %d\n",
                         kMaxSeconds);
            return 2;
        }
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    }

    tvs::StandInService service(options);
    if (!service.start()) {
        std::fprintf(stderr, "tvs-service: %s\n", qPrintable(service.errorString()));
        return 1;
    }
    const int heldCars = service.bigShopCars();
    if (heldCars > options.bigShopCars)
        std::fprintf(
            stderr,
            "tvs-service: the database keeps the %d cars added to the demo shop before (--demo-cars %d adds "
            "none, takes none away); --reset starts afresh\n",
            heldCars, options.bigShopCars);
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, &app, [] {
        if (stopRequested)
            QCoreApplication::quit();
    });
    stopWatch.start(200);
    std::printf("%s\n", qPrintable(service.readyLine()));
    std::fflush(stdout);
    return app.exec();
}
