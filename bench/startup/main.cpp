// Start-up cost of the app against a reference: a bare Qt Quick window with one label,
// built by this bench (run as `tvs-bench-startup --bare-window`). In one run, each is
// started several times in turn under the same X display; for each start the bench takes
// the time from just before the process starts to its first frame (the scene graph's
// line for a rendered frame, written after the frame is swapped to the screen) and the
// resident memory once the first screen has settled. Without a display it runs itself
// under xvfb-run.
#include "BenchSupport.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using tvs::bench::median;
using tvs::bench::residentMb;

struct Sample
{
    double firstFrameMs = -1;
    double rssMb = -1;
};

// The reference: a window and one label, in Korean like every screen of the app, so that
// both load the same fonts and what the app costs beyond them is what is measured.
int bareWindow(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.loadData("import QtQuick\n"
                    "Window { width: 390; height: 844; visible: true; title: \"bare\"\n"
                    "  Text { anchors.centerIn: parent; text: \"TVS 딜러 로그인\"; font.pixelSize: 20 } }\n");
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}

Sample measureOnce(const QString &program, const QStringList &arguments, const QTemporaryDir &home,
                   int settleMs)
{
    Sample sample;
    QProcess process;
    // A home of its own for each program, kept across its starts: the first (the warm-up)
    // fills the caches (QML, fonts, the media plugins' registry) that a user's later starts find.
    QProcessEnvironment env = tvs::bench::appEnvironment(home);
    env.insert(QStringLiteral("QT_LOGGING_RULES"),
               QStringLiteral("qt.scenegraph.time.renderloop.debug=true"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);

    QEventLoop loop;
    QElapsedTimer clock;
    QByteArray errors;
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&] {
        errors += process.readAllStandardError();
        // "Frame rendered with 'basic' renderloop" or, from the threaded loop, "frame rendered in".
        if (sample.firstFrameMs < 0 &&
            (errors.contains("Frame rendered") || errors.contains("frame rendered"))) {
            sample.firstFrameMs = double(clock.nsecsElapsed()) / 1e6;
            QTimer::singleShot(settleMs, &loop, &QEventLoop::quit);
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    clock.start();
    process.start(program, arguments);
    loop.exec();
    if (process.state() == QProcess::Running) {
        sample.rssMb = residentMb(process.processId());
        process.kill();
        process.waitForFinished(10000);
    }
    if (sample.firstFrameMs < 0 || sample.rssMb < 0)
        std::fprintf(stderr, "tvs-bench-startup: %s showed no frame:\n%s\n", qPrintable(program),
                     errors.right(2000).constData());
    return sample;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--bare-window") == 0)
        return bareWindow(argc, argv);
    if (const auto code = tvs::bench::rerunUnderXvfb(argc, argv, "tvs-bench-startup"))
        return *code;

    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Start-up time and memory of the app against a bare Qt Quick window."));
    parser.addHelpOption();
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Starts of each (default 5)."),
                                    QStringLiteral("N"), QStringLiteral("5"));
    const QCommandLineOption settle(
        QStringLiteral("settle"),
        QStringLiteral("Wait after the first frame before the memory is read, ms (default 3000)."),
        QStringLiteral("MS"), QStringLiteral("3000"));
    const QCommandLineOption appOption(QStringLiteral("app"),
                                       QStringLiteral("The app to measure (default: this build's)."),
                                       QStringLiteral("PATH"), QStringLiteral(TVS_APP_PATH));
    parser.addOptions({rounds, settle, appOption});
    parser.process(app);
    const int n = std::max(1, parser.value(rounds).toInt());
    const int settleMs = std::max(0, parser.value(settle).toInt());
    const QString self = QCoreApplication::applicationFilePath();
    const QString appPath = parser.value(appOption);

    std::vector<double> bareMs, bareMb, appMs, appMb;
    const QTemporaryDir bareHome, appHome;
    measureOnce(self, {QStringLiteral("--bare-window")}, bareHome,
                500); // warm-up: caches, file cache, X server
    measureOnce(appPath, {}, appHome, 500);
    for (int i = 0; i < n; ++i) {
        const Sample bare = measureOnce(self, {QStringLiteral("--bare-window")}, bareHome, settleMs);
        const Sample tvs = measureOnce(appPath, {}, appHome, settleMs);
        if (bare.firstFrameMs < 0 || tvs.firstFrameMs < 0)
            return 1;
        std::printf("round %d: bare window %.0f ms, %.1f MB; app %.0f ms, %.1f MB\n", i + 1,
                    bare.firstFrameMs, bare.rssMb, tvs.firstFrameMs, tvs.rssMb);
        bareMs.push_back(bare.firstFrameMs);
        bareMb.push_back(bare.rssMb);
        appMs.push_back(tvs.firstFrameMs);
        appMb.push_back(tvs.rssMb);
    }
    const double timeRatio = median(appMs) / median(bareMs);
    const double memoryRatio = median(appMb) / median(bareMb);
    std::printf("median of %d: first frame: app %.0f ms, bare window %.0f ms = %.2fx (goal 1.30x or less)\n",
                n, median(appMs), median(bareMs), timeRatio);
    // On a shared machine the fastest start of each is the one least disturbed by others.
    std::printf(
        "fastest of %d: first frame: app %.0f ms, bare window %.0f ms = %.2fx\n", n,
        *std::min_element(appMs.begin(), appMs.end()), *std::min_element(bareMs.begin(), bareMs.end()),
        *std::min_element(appMs.begin(), appMs.end()) / *std::min_element(bareMs.begin(), bareMs.end()));
    std::printf("median of %d: resident memory at the first screen: app %.1f MB, bare window %.1f MB = %.2fx "
                "(goal 1.30x or less)\n",
                n, median(appMb), median(bareMb), memoryRatio);
    return 0;
}
