// The serving threads: changes sent at the same moment to different threads are applied
// one after the other, a client that sends its request a byte at a time is refused while
// the others are served, and answers paced to a slow link hold up no one else. And the
// big shop the service adds to the demo shop on request.
#include "CallText.h"
#include "Database.h"
#include "ProcedureCaller.h"
#include "ReplyWalk.h"
#include "SoapRequest.h"
#include "StandInService.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace tvs;

class ServiceServing : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<StandInService> m_service;
    QNetworkAccessManager m_nam;
    QSslConfiguration m_tls;

    QNetworkReply *post(const QString &operation, const QString &text)
    {
        SoapRequest soap = makeSoapRequest(m_service->apiHost(), operation, text);
        soap.request.setSslConfiguration(m_tls);
        return m_nam.post(soap.request, soap.body);
    }

    // The walked reply ("rtn" and the dashboard's counts kept), or the HTTP status in
    // `error` when the call was not answered with a data set.
    static WalkResult finish(QNetworkReply *reply)
    {
        const bool answered = QTest::qWaitFor([reply] { return reply->isFinished(); }, 30000);
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (!answered || status != 200) {
            WalkResult failed;
            failed.error = answered ? QStringLiteral("HTTP %1").arg(status) : QStringLiteral("no answer");
            return failed;
        }
        ReplyShape shape;
        shape.namedElements = {QStringLiteral("rtn"), QStringLiteral("sSellWait")};
        return walkReply(reply->readAll(), shape);
    }

private slots:
    void initTestCase()
    {
        StandInService::Options options;
        options.dataDir = m_dir.path();
        options.workers = 4;
        options.requestReadMs = 1500;
        m_service = std::make_unique<StandInService>(options);
        QVERIFY2(m_service->start(), qPrintable(m_service->errorString()));
        m_tls = QSslConfiguration::defaultConfiguration();
        m_tls.addCaCertificates(m_service->caCertificates());
    }

    // Six dealers' bids of one amount at once on one auction, round after round: each
    // round exactly one is taken (the others are no longer higher), none fails, and the
    // database holds exactly the bids that were taken.
    void concurrentBidsOnOneAuction()
    {
        const QString auction = QStringLiteral("AU0002");
        const auto bids = [&] {
            return m_service
                ->queryValue(QStringLiteral("SELECT COUNT(*) FROM bids WHERE sAuctionCode = ?"), {auction})
                .toInt();
        };
        const int before = bids();
        for (int round = 1; round <= 10; ++round) {
            const QString amount = QString::number(30'000'000 + round * 100'000);
            QList<QNetworkReply *> pending;
            for (int i = 0; i < 6; ++i) {
                const QString dealer = i % 2 ? QStringLiteral("D0002") : demo::kUserCode;
                pending << post(kProcedureExecute,
                                callText(QStringLiteral("ps_SetAuctionCar"), {auction, dealer, amount}));
            }
            QStringList answers;
            for (QNetworkReply *reply : pending) {
                const WalkResult w = finish(reply);
                answers << (w.error.isEmpty() ? w.named.value(QStringLiteral("rtn")) : w.error);
            }
            QCOMPARE(answers.count(QStringLiteral("YES")), 1);
            QCOMPARE(answers.count(QStringLiteral("NO")), 5);
            QCOMPARE(bids(), before + round);
            QCOMPARE(
                m_service
                    ->queryValue(QStringLiteral("SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = ?"),
                                 {auction})
                    .toString(),
                amount);
        }
    }

    // A statement is prepared once per connection and reused, but one that is still
    // running is never handed out again: a loop over one statement's rows may run the
    // same statement inside it.
    void statementReusedButNeverTwiceAtOnce()
    {
        Database db(QStringLiteral("serving-statements"));
        QString error;
        QVERIFY2(db.attach(m_dir.filePath(QStringLiteral("tvs-service.sqlite")), &error), qPrintable(error));
        const QString sql = QStringLiteral("SELECT sCarProductCode FROM cars WHERE sStoreCode = ? ORDER BY 1");
        QStringList outer, inner;
        QSqlQuery *first = nullptr;
        {
            Statement a(db, sql);
            first = &a.query();
            a.query().addBindValue(QStringLiteral("S0001"));
            QVERIFY(a.query().exec());
            while (a.query().next()) {
                outer << a.query().value(0).toString();
                Statement b(db, sql);
                QVERIFY(&b.query() != &a.query());
                b.query().addBindValue(QStringLiteral("S0002"));
                QVERIFY(b.query().exec() && b.query().next());
                inner << b.query().value(0).toString();
            }
        }
        QVERIFY(outer.size() > 1);
        QCOMPARE(inner.size(), outer.size());
        QVERIFY(!outer.contains(inner.first()));
        Statement again(db, sql);
        QCOMPARE(&again.query(), first);
    }

    void slowClientIsRefusedWhileOthersAreServed()
    {
        QSslSocket slow;
        slow.setSslConfiguration(m_tls);
        slow.connectToHostEncrypted(QStringLiteral("127.0.0.1"), m_service->apiPort());
        QVERIFY(slow.waitForEncrypted(10000));
        const QByteArray request =
            "POST /sub_asmx/asmx_soap.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 400\r\n\r\n";
        qsizetype sent = 0;
        QTimer drip;
        connect(&drip, &QTimer::timeout, &slow, [&] {
            if (sent < request.size())
                slow.write(request.mid(sent++, 1));
        });
        drip.start(100);
        QTest::qWait(300);
        const WalkResult counts =
            finish(post(kProcedureList, callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})));
        QVERIFY2(counts.named.contains(QStringLiteral("sSellWait")), qPrintable(counts.error));
        QTRY_VERIFY_WITH_TIMEOUT(slow.bytesAvailable() > 0 || slow.state() != QAbstractSocket::ConnectedState,
                                 10000);
        QVERIFY(slow.readAll().startsWith("HTTP/1.1 408"));
        QVERIFY(sent < request.size());
    }

    void bigShop_data()
    {
        QTest::addColumn<int>("cars");
        QTest::addColumn<int>("kbps");
        QTest::newRow("big shop") << 45 << 0;
        QTest::newRow("big shop over a slow link") << 23 << 40;
    }
    // The same number of cars gives the same cars, made at once or added to a kept
    // database in steps, where a smaller number later takes none away. The counts and the
    // lists of every state answer for the demo shop's 44 cars and the added ones.
    void bigShop()
    {
        QFETCH(int, cars);
        QFETCH(int, kbps);
        const QString fingerprint = QStringLiteral(
            "SELECT group_concat(sCarProductCode || sCarProductNum || sCarStatus || iCarProductMoney || "
            "sCarCode5"
            " || sCarProductMileage || sUserCode || sCarColorCode, ',')"
            " || (SELECT group_concat(sCarPhotoPath) FROM car_photos) || (SELECT COUNT(*) FROM car_options)"
            " || (SELECT COUNT(*) FROM job_orders) FROM (SELECT * FROM cars ORDER BY sCarProductCode)");
        QTemporaryDir keptDir, freshDir;
        StandInService::Options options;
        options.today = QDate(2026, 3, 10);
        options.workers = 1;
        options.dataDir = keptDir.path();
        for (const int count : {cars / 2, cars}) {
            options.bigShopCars = count;
            StandInService step(options);
            QVERIFY2(step.start(), qPrintable(step.errorString()));
        }
        options.bigShopCars = cars / 3;
        StandInService kept(options);
        QVERIFY2(kept.start(), qPrintable(kept.errorString()));
        options.bigShopCars = cars;
        options.dataDir = freshDir.path();
        options.throttleKbps = kbps;
        options.logFile = freshDir.filePath(QStringLiteral("requests.log"));
        StandInService shop(options);
        QVERIFY2(shop.start(), qPrintable(shop.errorString()));
        QCOMPARE(kept.bigShopCars(), cars);
        QCOMPARE(kept.queryValue(fingerprint).toString(), shop.queryValue(fingerprint).toString());

        QSslConfiguration tls = m_tls;
        tls.addCaCertificates(shop.caCertificates() + kept.caCertificates());
        const auto post = [&](const StandInService &service, const QString &procedure,
                              const QStringList &args) {
            SoapRequest soap = makeSoapRequest(service.apiHost(), kProcedureList, callText(procedure, args));
            soap.request.setSslConfiguration(tls);
            return m_nam.post(soap.request, soap.body);
        };
        qsizetype listed = 0;
        for (const char *state : {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                                  "11", "12", "13", "14", "15", "16", "17", "18", "19", "61"})
            listed += finish(post(kept, QStringLiteral("ps_GetUserProductCar_Info2"),
                                  {demo::kUserCode, QLatin1String(state)}))
                          .rows.size();
        QCOMPARE(listed, 44 + cars);

        // The shop's cars held: on a slow link the whole list, no sooner than its size
        // allows at the rate; a small answer sent after it by the one serving thread, on a
        // connection of its own, is not held up behind it.
        QElapsedTimer clock;
        clock.start();
        QNetworkReply *list =
            post(shop, QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")});
        QVERIFY(kbps == 0 || QTest::qWaitFor([list] { return list->bytesAvailable() > 0; }, 30000));
        const WalkResult counts = finish(post(shop, QStringLiteral("ps_UserCarCount"), {demo::kUserCode}));
        QVERIFY(kbps == 0 || list->isRunning());
        QVERIFY(QTest::qWaitFor([list] { return list->isFinished(); }, 60000));
        const qint64 tookNs = clock.nsecsElapsed();
        const QByteArray body = list->peek(list->bytesAvailable());
        const WalkResult held = finish(list);
        QVERIFY(held.complete);
        QCOMPARE(QString::number(held.rows.size()), counts.named.value(QStringLiteral("sSellWait")));
        // Sent in chunks as it was read: every car once, newest first.
        const auto newer = [](const Record &a, const Record &b) {
            const QString date = QStringLiteral("sCarProductRegDate"),
                          code = QStringLiteral("sCarProductCode");
            return a.value(date) != b.value(date) ? a.value(date) > b.value(date)
                                                  : a.value(code) < b.value(code);
        };
        QVERIFY(std::is_sorted(held.rows.cbegin(), held.rows.cend(), newer));
        QVERIFY(std::adjacent_find(held.rows.cbegin(), held.rows.cend()) == held.rows.cend());
        if (kbps > 0)
            QVERIFY2(tookNs >= body.size() * 1'000'000 / kbps,
                     qPrintable(QString::number(tookNs / 1'000'000)));

        // A client that goes away in the middle of a list: the service logs the cut and serves on.
        QNetworkReply *left =
            post(shop, QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")});
        QVERIFY(QTest::qWaitFor([left] { return left->bytesAvailable() > 0; }, 30000));
        left->abort();
        left->deleteLater();
        QFile log(options.logFile);
        const auto cutLogged = [&log] {
            log.close();
            return log.open(QIODevice::ReadOnly) && log.readAll().contains("\"cut\"");
        };
        QVERIFY(kbps == 0 || QTest::qWaitFor(cutLogged, 30000));
        const Records photos =
            finish(post(shop, QStringLiteral("ps_GetCarPhotoList"), {QStringLiteral("B000002")})).rows;
        QVERIFY(photos.size() >= 2 && photos.size() <= 5);
        QNetworkReply *picture = m_nam.get(QNetworkRequest(
            QUrl(QStringLiteral("http://%1/image_product/B000002/%2")
                     .arg(shop.imageHost(), photos[0].value(QStringLiteral("sCarPhotoPath"))))));
        QVERIFY(QTest::qWaitFor([picture] { return picture->isFinished(); }, 30000));
        picture->deleteLater();
        QCOMPARE(picture->header(QNetworkRequest::ContentTypeHeader).toString(),
                 QStringLiteral("image/jpeg"));
    }
};

QTEST_MAIN(ServiceServing)
#include "tst_service_serving.moc"
