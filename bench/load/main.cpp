// The stand-in service under load: 8 HTTPS clients for 60 seconds, each keeping one call
// in flight, mixing the car list, the car detail (photos and options), status changes
// and bids, while a ninth sends requests the service must refuse (bad XML, no SOAPAction,
// oversized bodies) and two more send their requests one byte a second. (The refused
// ones come from clients of their own: a connection that sent an oversized body is
// closed, and whatever its client sends next on it is lost with it.) Afterwards the
// database is checked against what the clients were told: every accepted bid recorded
// once, rejected ones not at all, each auction's highest bid the highest accepted, every
// accepted status change applied once. Prints the figures; exits non-zero on any error or
// integrity failure.
#include "CallText.h"
#include "ProcedureCaller.h"
#include "ReplyWalk.h"
#include "SoapRequest.h"
#include "StandInService.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace tvs;

namespace {

enum Kind { CarList, Detail, StatusChange, Bid, BadXml, NoSoapAction, Oversized, SlowClient, KindCount };
const char *const kKindNames[] = {"car list", "car detail",    "status change",  "bid",
                                  "bad XML",  "no SOAPAction", "oversized body", "slow client"};

const QString kBenchClient = QStringLiteral("LOAD-BENCH"); // marks the bench's status changes

struct SentBid
{
    QString auction, dealer;
    qint64 amount;
    bool accepted;
};

struct Figures
{
    int done[KindCount] = {};
    std::vector<double> latencyMs[KindCount];
    QStringList errors;
    std::vector<SentBid> bids;
    QMap<QString, int> acceptedChanges; // car -> accepted changes to "7"
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p / 100.0 * double(v.size())))];
}

class Load
{
public:
    Load(const StandInService &service, int clients, int seconds) : m_service(service), m_seconds(seconds)
    {
        m_tls = QSslConfiguration::defaultConfiguration();
        m_tls.addCaCertificates(service.caCertificates());
        for (int i = 0; i <= clients; ++i) // the last one sends the malformed requests
            m_nams.push_back(std::make_unique<QNetworkAccessManager>());
        const QString held =
            service
                .queryValue(QStringLiteral(
                    "SELECT group_concat(sCarProductCode) FROM cars WHERE sStoreCode = 'S0001'"
                    " AND sCarStatus IN ('1','2','3','4','5','11','12','16','17','18','19','20','21')"))
                .toString();
        m_changeable = held.split(u',', Qt::SkipEmptyParts);
        m_photoCars =
            service
                .queryValue(QStringLiteral("SELECT group_concat(DISTINCT sCarProductCode) FROM car_photos"))
                .toString()
                .split(u',', Qt::SkipEmptyParts);
    }

    Figures run()
    {
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(m_seconds * 1000, &m_loop, [this, &clock] {
            m_stopping = true;
            m_elapsed = double(clock.nsecsElapsed()) / 1e9;
            if (m_inFlight == 0)
                m_loop.quit();
        });
        for (size_t c = 0; c + 1 < m_nams.size(); ++c)
            next(c);
        malformed();
        for (int s = 0; s < 2; ++s)
            slowClient();
        m_loop.exec();
        return std::move(m_figures);
    }
    // The length of the run, without the wait for the calls still in flight at its end.
    double elapsed() const { return m_elapsed; }

private:
    void finishOne()
    {
        if (--m_inFlight == 0 && m_stopping)
            m_loop.quit();
    }

    void send(size_t client, Kind kind, QNetworkRequest request, const QByteArray &body,
              std::function<QString(int status, const QByteArray &reply, QNetworkReply::NetworkError)> check,
              std::function<void()> then = {})
    {
        ++m_inFlight;
        request.setSslConfiguration(m_tls);
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        QNetworkReply *reply = m_nams[client]->post(request, body);
        QObject::connect(reply, &QNetworkReply::finished, reply, [=, this] {
            reply->deleteLater();
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            QString problem = check(status, reply->readAll(), reply->error());
            if (!problem.isEmpty() && status == 0)
                problem += QStringLiteral(" (%1)").arg(reply->errorString());
            if (problem.isEmpty()) {
                ++m_figures.done[kind];
                m_figures.latencyMs[kind].push_back(double(timer->nsecsElapsed()) / 1e6);
            } else {
                m_figures.errors << QStringLiteral("%1: %2").arg(QLatin1String(kKindNames[kind]), problem);
            }
            if (then && problem.isEmpty())
                then();
            else if (client + 1 == m_nams.size())
                malformed();
            else
                next(client);
            finishOne();
        });
    }

    QNetworkRequest procedureRequest(const QString &operation, const QString &text, QByteArray *body)
    {
        SoapRequest soap = makeSoapRequest(m_service.apiHost(), operation, text);
        *body = soap.body;
        return soap.request;
    }

    void call(size_t client, Kind kind, const QString &operation, const QString &text,
              std::function<QString(const WalkResult &)> check, std::function<void()> then = {})
    {
        QByteArray body;
        const QNetworkRequest request = procedureRequest(operation, text, &body);
        send(
            client, kind, request, body,
            [check](int status, const QByteArray &reply, QNetworkReply::NetworkError) {
                if (status != 200)
                    return QStringLiteral("HTTP %1").arg(status);
                ReplyShape shape;
                shape.namedElements = {QStringLiteral("rtn")};
                const WalkResult walk = walkReply(reply, shape);
                return walk.complete ? check(walk) : QStringLiteral("unreadable reply: ") + walk.error;
            },
            std::move(then));
    }

    void next(size_t client)
    {
        if (m_stopping)
            return;
        const int pick = int(QRandomGenerator::global()->bounded(100));
        if (pick < 45)
            carList(client);
        else if (pick < 70)
            detail(client);
        else if (pick < 80)
            statusChange(client);
        else
            bid(client);
    }

    void carList(size_t client)
    {
        call(client, CarList, kProcedureList,
             callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")}),
             [](const WalkResult &w) { return w.rows.isEmpty() ? QStringLiteral("no cars") : QString(); });
    }

    void detail(size_t client)
    {
        const QString car = m_photoCars.at(int(QRandomGenerator::global()->bounded(m_photoCars.size())));
        call(
            client, Detail, kProcedureList, callText(QStringLiteral("ps_GetCarPhotoList"), {car}),
            [](const WalkResult &w) { return w.rows.isEmpty() ? QStringLiteral("no photos") : QString(); },
            [this, client, car] {
                call(client, Detail, kProcedureList,
                     callText(QStringLiteral("ps_GetProductCarOption"), {car}),
                     [](const WalkResult &) { return QString(); });
            });
    }

    // Every car is asked twice, by consecutive changes (so often at the same moment from
    // two clients); each change is a withdrawal ("7"), which no state allows after it.
    void statusChange(size_t client)
    {
        const QString car = m_changeable.at((m_changes++ / 2) % m_changeable.size());
        call(client, StatusChange, kProcedureExecute,
             callText(QStringLiteral("ps_SetProductCar_Status"),
                      {car, QStringLiteral("7"), demo::kUserCode, kBenchClient}),
             [this, car](const WalkResult &w) {
                 const QString rtn = w.named.value(QStringLiteral("rtn"));
                 if (rtn == QLatin1String("YES"))
                     ++m_figures.acceptedChanges[car];
                 return rtn == QLatin1String("YES") || rtn == QLatin1String("NO")
                            ? QString()
                            : QStringLiteral("rtn ") + rtn;
             });
    }

    // Amounts rise with every bid sent, so each is unique; one that arrives after a higher
    // one is rejected.
    void bid(size_t client)
    {
        static const QList<std::pair<QString, QStringList>> auctions = {
            {QStringLiteral("AU0001"), {QStringLiteral("D0001"), QStringLiteral("D0002")}},
            {QStringLiteral("AU0002"), {QStringLiteral("D0001"), QStringLiteral("D0002")}},
            {QStringLiteral("AU0003"), {QStringLiteral("D0002"), QStringLiteral("D0001")}},
            {QStringLiteral("AU0007"), {QStringLiteral("D0002"), QStringLiteral("D0003")}},
        };
        const auto &[auction, dealers] = auctions.at(m_bids % auctions.size());
        const QString dealer = dealers.at((m_bids / auctions.size()) % 2);
        const qint64 amount = 60'000'000 + qint64(m_bids) * 1000;
        ++m_bids;
        call(client, Bid, kProcedureExecute,
             callText(QStringLiteral("ps_SetAuctionCar"), {auction, dealer, QString::number(amount)}),
             [this, auction, dealer, amount](const WalkResult &w) {
                 const QString rtn = w.named.value(QStringLiteral("rtn"));
                 if (rtn != QLatin1String("YES") && rtn != QLatin1String("NO"))
                     return QStringLiteral("rtn ") + rtn;
                 m_figures.bids.push_back({auction, dealer, amount, rtn == QLatin1String("YES")});
                 return QString();
             });
    }

    void malformed()
    {
        if (m_stopping)
            return;
        const Kind kind = Kind(BadXml + m_malformed++ % 3);
        QByteArray body;
        QNetworkRequest request = procedureRequest(
            kProcedureList, callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode}), &body);
        if (kind == BadXml)
            body = body.left(body.size() / 2);
        else if (kind == NoSoapAction)
            request.setRawHeader("SOAPAction", QByteArray());
        else
            body += QByteArray(2 * 1024 * 1024, ' ');
        request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
        send(m_nams.size() - 1, kind, request, body,
             [kind](int status, const QByteArray &reply, QNetworkReply::NetworkError e) {
                 if (kind == Oversized)
                     return status == 413 || (status == 0 && e != QNetworkReply::NoError)
                                ? QString()
                                : QStringLiteral("HTTP %1 instead of 413").arg(status);
                 return status == 500 && reply.contains("<faultstring>")
                            ? QString()
                            : QStringLiteral("HTTP %1 instead of a fault").arg(status);
             });
    }

    // A request written one byte a second, again and again: each must end in a 408.
    void slowClient()
    {
        if (m_stopping)
            return;
        ++m_inFlight;
        auto *socket = new QSslSocket;
        socket->setSslConfiguration(m_tls);
        auto *drip = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        auto answer = std::make_shared<QByteArray>();
        const QByteArray request =
            "POST /sub_asmx/asmx_soap.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\n"
            "SOAPAction: http://tempuri.org/Procedure_List01\r\nContent-Length: 300\r\n\r\n";
        QObject::connect(drip, &QTimer::timeout, socket, [socket, sent, request] {
            if (*sent < request.size())
                socket->write(request.mid((*sent)++, 1));
        });
        QObject::connect(socket, &QSslSocket::encrypted, drip, [drip] { drip->start(1000); });
        QObject::connect(socket, &QIODevice::readyRead, socket,
                         [socket, answer] { *answer += socket->readAll(); });
        QObject::connect(socket, &QAbstractSocket::disconnected, socket, [this, socket, answer] {
            socket->deleteLater();
            if (answer->startsWith("HTTP/1.1 408"))
                ++m_figures.done[SlowClient];
            else
                m_figures.errors << QStringLiteral("slow client: answered \"%1\"")
                                        .arg(QString::fromUtf8(answer->left(40)));
            slowClient();
            finishOne();
        });
        socket->connectToHostEncrypted(QStringLiteral("127.0.0.1"), m_service.apiPort());
    }

    const StandInService &m_service;
    int m_seconds;
    QSslConfiguration m_tls;
    std::vector<std::unique_ptr<QNetworkAccessManager>> m_nams;
    QStringList m_changeable, m_photoCars;
    int m_changes = 0;
    int m_bids = 0;
    int m_malformed = 0;
    int m_inFlight = 0;
    bool m_stopping = false;
    QEventLoop m_loop;
    Figures m_figures;
    double m_elapsed = 0;
};

// What the database holds against what the clients were told.
QStringList integrityFailures(const StandInService &service, const Figures &figures, int bidsBefore)
{
    QStringList failures;
    const auto count = [&](const QString &sql, const QVariantList &binds) {
        return service.queryValue(sql, binds).toInt();
    };
    QMap<QString, qint64> highest;
    int accepted = 0;
    for (const SentBid &b : figures.bids) {
        const int rows =
            count(QStringLiteral(
                      "SELECT COUNT(*) FROM bids WHERE sAuctionCode = ? AND sUserCode = ? AND iBidPrice = ?"),
                  {b.auction, b.dealer, b.amount});
        if (rows != (b.accepted ? 1 : 0))
            failures << QStringLiteral("bid %1 %2 %3 (%4): %5 rows")
                            .arg(b.auction, b.dealer)
                            .arg(b.amount)
                            .arg(b.accepted ? QStringLiteral("accepted") : QStringLiteral("rejected"))
                            .arg(rows);
        if (b.accepted) {
            ++accepted;
            highest[b.auction] = std::max(highest.value(b.auction), b.amount);
        }
    }
    if (count(QStringLiteral("SELECT COUNT(*) FROM bids"), {}) != bidsBefore + accepted)
        failures << QStringLiteral("the bids table does not grow by the %1 accepted bids").arg(accepted);
    for (auto it = highest.cbegin(); it != highest.cend(); ++it) {
        const qint64 top =
            service
                .queryValue(QStringLiteral("SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = ?"),
                            {it.key()})
                .toLongLong();
        if (top != it.value())
            failures << QStringLiteral("%1: highest bid %2, highest accepted %3")
                            .arg(it.key())
                            .arg(top)
                            .arg(it.value());
    }
    int changes = 0;
    for (auto it = figures.acceptedChanges.cbegin(); it != figures.acceptedChanges.cend(); ++it) {
        changes += it.value();
        const int rows = count(
            QStringLiteral("SELECT COUNT(*) FROM status_history WHERE sCarProductCode = ? AND sClient = ?"),
            {it.key(), kBenchClient});
        if (it.value() != 1 || rows != 1 ||
            service.queryValue(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = ?"),
                               {it.key()})
                    .toString() != QLatin1String("7"))
            failures << QStringLiteral("car %1: %2 accepted changes, %3 recorded")
                            .arg(it.key())
                            .arg(it.value())
                            .arg(rows);
    }
    if (count(QStringLiteral("SELECT COUNT(*) FROM status_history WHERE sClient = ?"), {kBenchClient}) !=
        changes)
        failures << QStringLiteral("status changes recorded that no client was told of");
    return failures;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The stand-in service under load, then checked for lost or doubled writes."));
    parser.addHelpOption();
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Length of the run (default 60)."), QStringLiteral("S"),
                                     QStringLiteral("60"));
    const QCommandLineOption clients(QStringLiteral("clients"), QStringLiteral("Clients (default 8)."),
                                     QStringLiteral("N"), QStringLiteral("8"));
    const QCommandLineOption workers(QStringLiteral("workers"),
                                     QStringLiteral("Serving threads (default: the service's)."),
                                     QStringLiteral("N"), QStringLiteral("0"));
    parser.addOptions({seconds, clients, workers});
    parser.process(app);

    QTemporaryDir dir;
    StandInService::Options options;
    options.dataDir = dir.path();
    options.workers = parser.value(workers).toInt();
    StandInService service(options);
    if (!service.start()) {
        std::fprintf(stderr, "tvs-bench-load: %s\n", qPrintable(service.errorString()));
        return 1;
    }
    const int bidsBefore = service.queryValue(QStringLiteral("SELECT COUNT(*) FROM bids")).toInt();
    Load load(service, std::max(1, parser.value(clients).toInt()),
              std::max(1, parser.value(seconds).toInt()));
    std::printf(
        "%d clients for %d s against the stand-in service over HTTPS on 127.0.0.1, one sending malformed "
        "requests and 2 slow ones besides\n",
        std::max(1, parser.value(clients).toInt()), std::max(1, parser.value(seconds).toInt()));
    const Figures figures = load.run();

    int total = 0;
    for (int k = 0; k < KindCount; ++k) {
        total += figures.done[k];
        std::printf("%-15s %6d answered as expected, %7.1f/s; latency p50 %6.2f ms, p99 %7.2f ms\n",
                    kKindNames[k], figures.done[k], figures.done[k] / load.elapsed(),
                    percentile(figures.latencyMs[k], 50), percentile(figures.latencyMs[k], 99));
    }
    const auto acceptedBids =
        std::count_if(figures.bids.begin(), figures.bids.end(), [](const SentBid &b) { return b.accepted; });
    int acceptedChanges = 0;
    for (const int n : figures.acceptedChanges)
        acceptedChanges += n;
    std::printf("all: %d in %.1f s = %.0f/s; bids: %zu sent, %lld accepted; status changes: %d accepted\n",
                total, load.elapsed(), total / load.elapsed(), figures.bids.size(),
                static_cast<long long>(acceptedBids), acceptedChanges);
    const QStringList failures = integrityFailures(service, figures, bidsBefore);
    for (const QString &e : figures.errors.mid(0, 20))
        std::printf("error: %s\n", qPrintable(e));
    for (const QString &f : failures)
        std::printf("integrity: %s\n", qPrintable(f));
    std::printf("%lld errors, %lld integrity failures\n", static_cast<long long>(figures.errors.size()),
                static_cast<long long>(failures.size()));
    return figures.errors.isEmpty() && failures.isEmpty() ? 0 : 1;
}
