// The serving threads: changes sent at the same moment to different threads are applied
// one after the other, a client that sends its request a byte at a time is refused while
// the others are served, and answers paced to a slow link hold up no one else. And the
// big shop the service adds to the demo shop on request.
#include "CallText.h"
#include "Database.h"
#include "StandInFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkReply>
#include <QSslSocket>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace tvs;
using namespace tvs::test;

class ServiceServing : public QObject
{
    Q_OBJECT

    StandInFixture f;

private slots:
    void initTestCase()
    {
        StandInService::Options options;
        options.workers = 4;
        options.requestReadMs = 1500;
        QVERIFY2(f.start(options), qPrintable(f.errorString()));
    }

    // Six dealers' bids of one amount at once on one auction, round after round: each
    // round exactly one is taken (the others are no longer higher), none fails, and the
    // database holds exactly the bids that were taken.
    void concurrentBidsOnOneAuction()
    {
        const QString auction = QStringLiteral("AU0002");
        const QString count = QStringLiteral("SELECT COUNT(*) FROM bids WHERE sAuctionCode = ?");
        const int before = f.db(count, {auction}).toInt();
        for (int round = 1; round <= 10; ++round) {
            const QString amount = QString::number(30'000'000 + round * 100'000);
            QList<QNetworkReply *> pending;
            for (const QString dealer : {"D0001", "D0002", "D0001", "D0002", "D0001", "D0002"})
                pending << f.send(callText(u"ps_SetAuctionCar"_qs, {auction, dealer, amount}),
                                  kProcedureExecute);
            QStringList answers;
            for (QNetworkReply *reply : pending)
                answers << StandInFixture::walk(StandInFixture::finish(reply).body).named.value(u"rtn"_qs);
            answers.sort();
            QCOMPARE(answers.join(u','), u"NO,NO,NO,NO,NO,YES"_qs);
            QCOMPARE(f.db(count, {auction}).toInt(), before + round);
            QCOMPARE(f.db(u"SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = ?"_qs, {auction}).toString(),
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
        QVERIFY2(db.attach(f.filePath(u"service/tvs-service.sqlite"_qs), &error), qPrintable(error));
        const QString sql = u"SELECT sCarProductCode FROM cars WHERE sStoreCode = ? ORDER BY 1"_qs;
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
        slow.setSslConfiguration(f.tls());
        slow.connectToHostEncrypted(QStringLiteral("127.0.0.1"), f.service()->apiPort());
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
        QCOMPARE(f.call(callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})).rows.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(slow.bytesAvailable() > 0 || slow.state() != QAbstractSocket::ConnectedState,
                                 10000);
        QVERIFY(slow.readAll().startsWith("HTTP/1.1 408") && sent < request.size());
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
        StandInFixture kept, shop;
        StandInService::Options options;
        options.today = QDate(2026, 3, 10);
        options.workers = 1;
        for (const int count : {cars / 2, cars, cars / 3}) {
            options.bigShopCars = count;
            QVERIFY2(kept.start(options), qPrintable(kept.errorString()));
        }
        options.bigShopCars = cars;
        options.throttleKbps = kbps;
        QVERIFY2(shop.start(options), qPrintable(shop.errorString()));
        QCOMPARE(kept.service()->bigShopCars(), cars);
        QCOMPARE(kept.db(fingerprint).toString(), shop.db(fingerprint).toString());

        const auto held = [](const char *state) {
            return callText(u"ps_GetUserProductCar_Info2"_qs, {demo::kUserCode, QLatin1String(state)});
        };
        qsizetype listed = 0;
        for (const char *state : {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                                  "11", "12", "13", "14", "15", "16", "17", "18", "19", "61"})
            listed += kept.call(held(state)).rows.size();
        QCOMPARE(listed, 44 + cars);

        // The shop's cars held: on a slow link the whole list, no sooner than its size
        // allows at the rate; a small answer sent after it by the one serving thread, on a
        // connection of its own, is not held up behind it.
        QElapsedTimer clock;
        clock.start();
        QNetworkReply *list = shop.send(held("0"));
        QVERIFY(kbps == 0 || QTest::qWaitFor([list] { return list->bytesAvailable() > 0; }, 30000));
        const Record counts = shop.call(callText(u"ps_UserCarCount"_qs, {demo::kUserCode})).rows.value(0);
        QVERIFY(kbps == 0 || list->isRunning());
        const HttpResult whole = StandInFixture::finish(list);
        const qint64 tookNs = clock.nsecsElapsed();
        const WalkResult rows = StandInFixture::walk(whole.body);
        QVERIFY(rows.complete);
        QCOMPARE(QString::number(rows.rows.size()), counts.value(QStringLiteral("sSellWait")));
        // Sent in chunks as it was read: every car once, newest first.
        const auto newer = [](const Record &a, const Record &b) {
            const QString date = QStringLiteral("sCarProductRegDate"), code = QStringLiteral("sCarProductCode");
            return a.value(date) != b.value(date) ? a.value(date) > b.value(date) : a.value(code) < b.value(code);
        };
        QVERIFY(std::is_sorted(rows.rows.cbegin(), rows.rows.cend(), newer));
        QVERIFY(std::adjacent_find(rows.rows.cbegin(), rows.rows.cend()) == rows.rows.cend());
        if (kbps > 0)
            QVERIFY2(tookNs >= whole.body.size() * 1'000'000 / kbps,
                     qPrintable(QString::number(tookNs / 1'000'000)));

        // A client that goes away in the middle of a list: the service logs the cut and serves on.
        QNetworkReply *left = shop.send(held("0"));
        QVERIFY(QTest::qWaitFor([left] { return left->bytesAvailable() > 0; }, 30000));
        left->abort();
        left->deleteLater();
        QFile log(shop.logFile());
        const auto cutLogged = [&log] {
            log.close();
            return log.open(QIODevice::ReadOnly) && log.readAll().contains("\"cut\"");
        };
        QVERIFY(kbps == 0 || QTest::qWaitFor(cutLogged, 30000));
        const Records photos = shop.call(callText(u"ps_GetCarPhotoList"_qs, {u"B000002"_qs})).rows;
        QVERIFY(photos.size() >= 2 && photos.size() <= 5);
        const HttpResult picture =
            shop.get(u"img:/image_product/B000002/"_qs + photos[0].value(u"sCarPhotoPath"_qs));
        QCOMPARE(picture.contentType, QByteArray("image/jpeg"));
    }
};

QTEST_MAIN(ServiceServing)
#include "tst_service_serving.moc"
