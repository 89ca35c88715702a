// The big shop against the demo shop, in one run. The app (this build's AppShell with every
// screen, the real dashboard page in a real window on the X display) signs in to the
// stand-in service, once to the demo shop's 44 cars and once to a shop with 5,000 more
// (--cars), each sign-in in a process of its own, the two shops in turn for several rounds
// after a warm-up of each. From the moment the sign-in is pressed, the bench takes:
//  - the dashboard's list: when its request went out (after the sign-in and the counts),
//    its first byte (service), its last byte (transfer), when the list model began to take
//    rows (walk, from the last byte; a list that fills while the reply still arrives begins
//    before it, shown as "overlapping"), its first row (count > 0) and its last row (as many
//    rows as the dashboard counts cars held) - whatever code path fills the model;
//  - resident memory once the whole list is shown and has settled (per car: the big shop's
//    less the demo shop's, over the difference in rows);
//  - frame times while the list is flicked from its first row to its last (and back, until
//    --flick-seconds have passed), with the list's own flick at --velocity.
// With --throttle-kbps 1000 it checks the goal of a slow link (the big shop's first rows
// within 1 s of sign-in); the other goals are set for an unthrottled service.
// The stand-in serves from this process and stands for a service on a machine of its own:
// its serving threads run at a lower weight (--service-nice, 19 by default), so that making
// and encrypting the big shop's 13 MB list does not take this machine's two cores from the
// app as a remote service cannot (--service-nice 0 measures them sharing the cores evenly).
// Without a display it runs itself under xvfb-run.
#include "AppShell.h"
#include "BenchSupport.h"
#include "Config.h"
#include "LoginController.h"
#include "MainController.h"
#include "Navigator.h"
#include "StandInService.h"

#include <QAbstractItemModel>
#include <QChildEvent>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace tvs {
// Generated: registers the screens of every subsystem.
void registerAllScreens(Navigator &navigator);
} // namespace tvs

using namespace tvs;
using bench::median;
using bench::percentile;

namespace {

const char kAppRun[] = "--app-run";
const char kResultTag[] = "bigshop-result ";

double msSince(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// ---- one sign-in, in the child process --------------------------------------------------

// The requests of the app's procedure client, as its network manager creates them: when
// each was sent, its first byte (headers) and its last.
class RequestWatch : public QObject
{
public:
    struct Request
    {
        double sent = -1, firstByte = -1, lastByte = -1;
        qint64 bytes = -1; // received
    };

    RequestWatch(QNetworkAccessManager *nam, const QElapsedTimer &clock) : m_clock(clock)
    {
        nam->installEventFilter(this);
    }
    const std::vector<Request> &requests() const { return m_requests; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ChildAdded)
            return QObject::eventFilter(watched, event);
        // The reply is announced from its base class's constructor; it is looked at once
        // it exists, before any of its data can arrive (that comes in later events).
        QPointer<QObject> child = static_cast<QChildEvent *>(event)->child();
        const double sent = msSince(m_clock);
        QMetaObject::invokeMethod(
            this,
            [this, child, sent] {
                auto *reply = qobject_cast<QNetworkReply *>(child.data());
                if (!reply)
                    return;
                const std::size_t at = m_requests.size();
                m_requests.push_back({sent});
                connect(reply, &QNetworkReply::metaDataChanged, this, [this, at] {
                    Request &r = m_requests[at];
                    if (r.firstByte < 0)
                        r.firstByte = msSince(m_clock);
                });
                // A list comes in chunks, without a Content-Length.
                connect(reply, &QNetworkReply::downloadProgress, this,
                        [this, at](qint64 received) { m_requests[at].bytes = received; });
                connect(reply, &QNetworkReply::finished, this,
                        [this, at] { m_requests[at].lastByte = msSince(m_clock); });
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    const QElapsedTimer &m_clock;
    std::vector<Request> m_requests;
};

// The window's frames, as the scene graph swaps them (on its render thread), and the
// spans in which the list was moving (on this thread), on one clock.
class FrameLog
{
public:
    FrameLog(QQuickWindow *window, const QElapsedTimer &clock) : m_clock(clock)
    {
        QObject::connect(
            window, &QQuickWindow::frameSwapped, window,
            [this] {
                QMutexLocker lock(&m_mutex);
                m_frames.push_back(msSince(m_clock));
            },
            Qt::DirectConnection);
    }
    int framesSoFar()
    {
        QMutexLocker lock(&m_mutex);
        return int(m_frames.size());
    }
    void moving(bool on)
    {
        if (on)
            m_spans.push_back({msSince(m_clock), -1});
        else if (!m_spans.empty() && m_spans.back().second < 0)
            m_spans.back().second = msSince(m_clock);
    }
    // The time between two frames that were both swapped within one span of movement.
    std::vector<double> frameTimes()
    {
        QMutexLocker lock(&m_mutex);
        std::vector<double> times;
        for (std::size_t i = 1; i < m_frames.size(); ++i) {
            for (const auto &[from, to] : m_spans) {
                if (m_frames[i - 1] >= from && m_frames[i] <= to) {
                    times.push_back(m_frames[i] - m_frames[i - 1]);
                    break;
                }
            }
        }
        return times;
    }

private:
    const QElapsedTimer &m_clock;
    QMutex m_mutex;
    std::vector<double> m_frames;
    std::vector<std::pair<double, double>> m_spans;
};

QQuickItem *listShowing(QQuickItem *item, QObject *model)
{
    if (!item)
        return nullptr;
    if (item->inherits("QQuickListView") && qvariant_cast<QObject *>(item->property("model")) == model)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = listShowing(child, model))
            return found;
    }
    return nullptr;
}

// Runs the event loop until `done` holds or `seconds` have passed; false on the timeout.
bool waitFor(const std::function<bool()> &done, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > seconds * 1000)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

int fail(const char *why)
{
    std::fprintf(stderr, "tvs-bench-bigshop: %s\n", why);
    return 1;
}

int appRun(int argc, char *argv[])
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGL);
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("TVSDealer"));
    QGuiApplication::setApplicationName(QStringLiteral("TVSDealer"));
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    QCommandLineParser parser;
    const QCommandLineOption run(QString::fromLatin1(kAppRun + 2));
    const QCommandLineOption velocity(QStringLiteral("velocity"), {}, QStringLiteral("PX"));
    const QCommandLineOption flickSeconds(QStringLiteral("flick-seconds"), {}, QStringLiteral("S"));
    parser.addOptions({run, velocity, flickSeconds});
    for (const char *host : {"api-host", "image-host", "zest-host", "mweb-host", "ca-file"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(host), {}, QStringLiteral("V")));
    parser.process(app);
    Config config;
    QString error;
    if (!Config::load(config, QGuiApplication::arguments(), &error))
        return fail(qPrintable(error));

    AppShell shell(config, registerAllScreens);
    if (!shell.start())
        return fail("the window could not be loaded");
    auto *window = qobject_cast<QQuickWindow *>(shell.engine()->rootObjects().value(0));
    auto *nam = shell.findChild<QNetworkAccessManager *>(QString(), Qt::FindDirectChildrenOnly);
    auto *login = qobject_cast<LoginController *>(shell.navigator()->top());
    if (!window || !nam || !login)
        return fail("no window, network manager or login screen");

    QElapsedTimer clock;
    FrameLog frames(window, clock);
    if (!waitFor([&] { return frames.framesSoFar() > 0; }, 60))
        return fail("the window showed no frame");
    RequestWatch watch(nam, clock);
    MainController *main = nullptr;
    QAbstractItemModel *model = nullptr;
    double modelStart = -1, firstRow = -1, lastRow = -1;
    std::size_t listRequest = 0;
    const auto checkRows = [&] {
        const int rows = model->rowCount();
        if (rows > 0 && firstRow < 0)
            firstRow = msSince(clock);
        const int held = main->count0().toInt();
        if (held > 0 && rows >= held && lastRow < 0)
            lastRow = msSince(clock);
    };
    const auto takingRows = [&] {
        if (modelStart >= 0)
            return;
        modelStart = msSince(clock);
        listRequest = watch.requests().size() - 1; // the newest: the list, after the counts
    };
    QObject::connect(shell.navigator(), &Navigator::stackChanged, &app, [&] {
        if (main)
            return;
        main = qobject_cast<MainController *>(shell.navigator()->top());
        if (!main)
            return;
        model = qobject_cast<QAbstractItemModel *>(main->mainTable());
        QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, &app, takingRows);
        QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, &app, takingRows);
        QObject::connect(model, &QAbstractItemModel::modelReset, &app, checkRows);
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &app, checkRows);
        QObject::connect(model, &QAbstractItemModel::layoutChanged, &app, checkRows);
        QObject::connect(main, &MainController::countsChanged, &app, checkRows);
    });

    clock.start();
    login->setLogin_ID(demo::kUserId);
    login->setLogin_PW(demo::kPassword);
    login->loginBtnAction();
    if (!waitFor([&] { return lastRow >= 0; }, 240) || watch.requests().empty())
        return fail("the dashboard's list did not fill");

    // Memory once the rows are shown and the pictures of the first screen have come.
    const int shown = frames.framesSoFar();
    waitFor([&] { return frames.framesSoFar() > shown + 2; }, 10);
    waitFor([] { return false; }, 2);
    const double rssMb = bench::residentMb(QCoreApplication::applicationPid());

    QQuickItem *list = listShowing(window->contentItem(), model);
    if (!list)
        return fail("no list view shows the dashboard's rows");
    const qreal speed = parser.value(velocity).toDouble();
    list->setProperty("maximumFlickVelocity", speed);
    QElapsedTimer flicking;
    flicking.start();
    bool down = true;
    bool done = false;
    int passes = 0;
    // A flick, each time the last one has come to rest: down to the last row, then up and
    // down again until the time is up (the last pass ends at the last row).
    QTimer flicker;
    QObject::connect(&flicker, &QTimer::timeout, &app, [&] {
        if (list->property("moving").toBool())
            return;
        frames.moving(false);
        if (down && list->property("atYEnd").toBool()) {
            ++passes;
            if (flicking.elapsed() >= parser.value(flickSeconds).toInt() * 1000) {
                done = true;
                return;
            }
            down = false;
        } else if (!down && list->property("atYBeginning").toBool()) {
            down = true;
        }
        frames.moving(true);
        QMetaObject::invokeMethod(list, "flick", Q_ARG(qreal, 0), Q_ARG(qreal, down ? -speed : speed));
    });
    flicker.start(10);
    if (!waitFor([&] { return done; }, 600))
        return fail("flicking the list did not reach its end");
    flicker.stop();

    const RequestWatch::Request &r = watch.requests()[listRequest];
    const std::vector<double> times = frames.frameTimes();
    QJsonObject result{
        {QStringLiteral("rows"), model->rowCount()},
        {QStringLiteral("listBytes"), r.bytes},
        {QStringLiteral("listSent"), r.sent},
        {QStringLiteral("firstByte"), r.firstByte},
        {QStringLiteral("lastByte"), r.lastByte},
        {QStringLiteral("modelStart"), modelStart},
        {QStringLiteral("firstRow"), firstRow},
        {QStringLiteral("lastRow"), lastRow},
        {QStringLiteral("rssMb"), rssMb},
        {QStringLiteral("passes"), passes},
        {QStringLiteral("frames"), int(times.size())},
        {QStringLiteral("frameP50"), percentile(times, 0.5)},
        {QStringLiteral("frameP99"), percentile(times, 0.99)},
    };
    std::printf("%s%s\n", kResultTag, QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    return 0;
}

// ---- the run, in the parent process ------------------------------------------------------

// Sets the nice value of this process's threads named as the stand-in names its own; the
// main thread, which starts the apps (they would inherit it), is never one. False when no
// thread was found or one could not be set.
bool niceServiceThreads(int nice)
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    int set = 0;
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || !comm.readAll().startsWith("tvs-service"))
            continue;
        if (setpriority(PRIO_PROCESS, id_t(tid.toInt()), nice) != 0)
            return false;
        ++set;
    }
    return set > 0;
}

struct Shop
{
    QString name;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<StandInService> service;
    std::vector<QJsonObject> results;
};

std::optional<QJsonObject> signInOnce(const QString &self, const Shop &shop, const QStringList &flickArgs)
{
    // A fresh home each time: no picture cache, no saved dealer ID, as after installing.
    const QTemporaryDir home;
    QProcess child;
    child.setProcessEnvironment(bench::appEnvironment(home));
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const QString api = shop.service->apiHost();
    child.start(self, QStringList{QString::fromLatin1(kAppRun), QStringLiteral("--api-host"), api,
                                  QStringLiteral("--zest-host"), api, QStringLiteral("--mweb-host"), api,
                                  QStringLiteral("--image-host"), shop.service->imageHost(),
                                  QStringLiteral("--ca-file"), shop.service->caFile()} +
                          flickArgs);
    if (!child.waitForFinished(900'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        child.kill();
        std::fprintf(stderr, "tvs-bench-bigshop: the sign-in to the %s failed:\n%s\n", qPrintable(shop.name),
                     child.readAllStandardError().right(3000).constData());
        return std::nullopt;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        if (line.startsWith(kResultTag))
            return QJsonDocument::fromJson(line.mid(int(qstrlen(kResultTag)))).object();
    }
    return std::nullopt;
}

// The median over the rounds of one figure, or of the difference of two.
double figure(const Shop &shop, const char *key, const char *minus = nullptr)
{
    std::vector<double> values;
    for (const QJsonObject &r : shop.results)
        values.push_back(r.value(QLatin1String(key)).toDouble() -
                         (minus ? r.value(QLatin1String(minus)).toDouble() : 0.0));
    return median(values);
}

void printShop(const Shop &shop)
{
    const double walk = figure(shop, "modelStart", "lastByte");
    std::printf("%s: %.0f rows, list reply %.1f MB\n", qPrintable(shop.name), figure(shop, "rows"),
                figure(shop, "listBytes") / 1e6);
    std::printf(
        "  sign-in to the list request %.0f ms; service %.0f ms, transfer %.0f ms, walk %s, model %.0f ms\n",
        figure(shop, "listSent"), figure(shop, "firstByte", "listSent"),
        figure(shop, "lastByte", "firstByte"),
        walk >= 0 ? qPrintable(QStringLiteral("%1 ms").arg(walk, 0, 'f', 0))
                  : qPrintable(QStringLiteral("overlapping the transfer (rows %1 ms before its last byte)")
                                   .arg(-walk, 0, 'f', 0)),
        figure(shop, "firstRow", "modelStart"));
    std::printf("  sign-in to the first row %.0f ms, to the last row %.0f ms\n", figure(shop, "firstRow"),
                figure(shop, "lastRow"));
    std::printf("  resident memory with the list shown %.1f MB\n", figure(shop, "rssMb"));
    std::printf("  flicking: %.0f frames, frame time median %.1f ms, 99th percentile %.1f ms\n",
                figure(shop, "frames"), figure(shop, "frameP50"), figure(shop, "frameP99"));
}

const char *verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], kAppRun) == 0)
        return appRun(argc, argv);
    if (const auto code = bench::rerunUnderXvfb(argc, argv, "tvs-bench-bigshop"))
        return *code;

    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sign-in to the dashboard's list, memory and frame times: the demo shop against a big shop."));
    parser.addHelpOption();
    const QCommandLineOption cars(QStringLiteral("cars"),
                                  QStringLiteral("Cars of the big shop beyond the demo's 44 (default 5000)."),
                                  QStringLiteral("N"), QStringLiteral("5000"));
    const QCommandLineOption rounds(QStringLiteral("rounds"),
                                    QStringLiteral("Sign-ins to each shop (default 3)."), QStringLiteral("N"),
                                    QStringLiteral("3"));
    const QCommandLineOption throttle(
        QStringLiteral("throttle-kbps"),
        QStringLiteral("The service sends at about K kilobytes a second (default: at once)."),
        QStringLiteral("K"), QStringLiteral("0"));
    const QCommandLineOption velocity(QStringLiteral("velocity"),
                                      QStringLiteral("Speed of each flick, pixels a second (default 20000)."),
                                      QStringLiteral("PX"), QStringLiteral("20000"));
    const QCommandLineOption flickSeconds(QStringLiteral("flick-seconds"),
                                          QStringLiteral("Flick the list at least this long (default 5)."),
                                          QStringLiteral("S"), QStringLiteral("5"));
    const QCommandLineOption serviceNice(
        QStringLiteral("service-nice"),
        QStringLiteral("Nice value of the stand-in's serving threads (default 19; 0: as the app's)."),
        QStringLiteral("N"), QStringLiteral("19"));
    parser.addOptions({cars, rounds, throttle, velocity, flickSeconds, serviceNice});
    parser.process(app);

    Shop shops[2];
    shops[0].name = QStringLiteral("demo shop (44 cars)");
    shops[1].name = QStringLiteral("big shop (%1 cars)").arg(44 + parser.value(cars).toInt());
    for (int i = 0; i < 2; ++i) {
        Shop &shop = shops[i];
        shop.dir = std::make_unique<QTemporaryDir>();
        StandInService::Options options;
        options.dataDir = shop.dir->path();
        options.bigShopCars = i == 0 ? 0 : std::max(0, parser.value(cars).toInt());
        options.throttleKbps = std::max(0, parser.value(throttle).toInt());
        shop.service = std::make_unique<StandInService>(options);
        if (!shop.service->start())
            return fail(qPrintable(shop.service->errorString()));
    }
    const int nice = std::clamp(parser.value(serviceNice).toInt(), 0, 19);
    if (nice > 0 && !niceServiceThreads(nice))
        return fail("the stand-in's serving threads could not be given a lower weight");
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList flickArgs{QStringLiteral("--velocity"), parser.value(velocity),
                                QStringLiteral("--flick-seconds"), parser.value(flickSeconds)};
    const int n = std::max(1, parser.value(rounds).toInt());
    // The first sign-in to each is a warm-up: the service's pictures and pages, the file cache.
    for (int round = 0; round <= n; ++round) {
        for (Shop &shop : shops) {
            const std::optional<QJsonObject> result = signInOnce(self, shop, flickArgs);
            if (!result)
                return 1;
            if (round == 0)
                continue;
            shop.results.push_back(*result);
            std::printf("round %d, %s: first row %.0f ms, last row %.0f ms, %.1f MB, frame p99 %.1f ms\n",
                        round, qPrintable(shop.name), result->value(QStringLiteral("firstRow")).toDouble(),
                        result->value(QStringLiteral("lastRow")).toDouble(),
                        result->value(QStringLiteral("rssMb")).toDouble(),
                        result->value(QStringLiteral("frameP99")).toDouble());
            std::fflush(stdout);
        }
    }

    std::printf(
        "\nmedian of %d rounds, the stand-in's threads at nice %d%s:\n", n, nice,
        parser.value(throttle).toInt() > 0
            ? qPrintable(QStringLiteral(", the service throttled to %1 KB/s").arg(parser.value(throttle)))
            : "");
    for (const Shop &shop : shops)
        printShop(shop);
    const Shop &demo = shops[0], &big = shops[1];
    const double firstRatio = figure(big, "firstRow") / figure(demo, "firstRow");
    const double kbPerCar =
        (figure(big, "rssMb") - figure(demo, "rssMb")) * 1024 / (figure(big, "rows") - figure(demo, "rows"));
    const double frameRatio = figure(big, "frameP99") / figure(demo, "frameP99");
    if (const int kbps = parser.value(throttle).toInt(); kbps > 0)
        std::printf("\ngoal on a slow link:\n  first rows of the big shop within 1 s of sign-in at %d KB/s: "
                    "%.0f ms: %s\n",
                    kbps, figure(big, "firstRow"), verdict(figure(big, "firstRow") <= 1000));
    std::printf("\ngoals%s:\n",
                parser.value(throttle).toInt() > 0 ? " (set for an unthrottled service)" : "");
    std::printf(
        "  first row of the big shop within 1.5x the demo shop's: %.0f ms against %.0f ms = %.2fx: %s\n",
        figure(big, "firstRow"), figure(demo, "firstRow"), firstRatio, verdict(firstRatio <= 1.5));
    std::printf(
        "  at most 10 KB resident per car (difference in memory over the difference in rows): %.1f KB: %s\n",
        kbPerCar, verdict(kbPerCar <= 10));
    std::printf("  99th percentile frame time flicking within 1.5x the demo shop's: %.1f ms against %.1f ms "
                "= %.2fx: %s\n",
                figure(big, "frameP99"), figure(demo, "frameP99"), frameRatio, verdict(frameRatio <= 1.5));
    return 0;
}
