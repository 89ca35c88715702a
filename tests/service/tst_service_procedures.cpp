// Each procedure of the stand-in against a fresh database, over HTTPS, read back with
// the client's own request builder and reply walk.
#include "CallText.h"
#include "ServiceFixture.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

using namespace tvs;
using namespace tvs::test;

class ServiceProcedures : public QObject
{
    Q_OBJECT

private:
    ServiceFixture f;
    // The signed-in user's code, or the "rtn" answer when there is none.
    static QString userOrAnswer(const WalkResult &w)
    {
        return w.rows.isEmpty() ? w.named.value(QStringLiteral("rtn")) : w.rows.first().value(QStringLiteral("sUserCode"));
    }
    int carCount(const QString &filter)
    {
        const WalkResult w = f.call(callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, filter}));
        return int(w.rows.size());
    }
    QString status(const QString &car)
    {
        return f.db(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = ?"), {car}).toString();
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(f.start(&error), qPrintable(error));
    }

    void signIn_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("levels");
        QTest::addColumn<QString>("expected");
        const QString all = QStringLiteral("1, 2, 3, 4, 12");
        QTest::newRow("demo") << "demo01" << "demo1234" << all << "D0001";
        QTest::newRow("second dealer") << "demo03" << "demo3456" << all << "D0003";
        QTest::newRow("wrong password") << "demo01" << "demo1235" << all << "NO";
        QTest::newRow("password case") << "demo01" << "DEMO1234" << all << "NO";
        QTest::newRow("unknown id") << "nobody" << "demo1234" << all << "NO";
        QTest::newRow("level not allowed") << "demo01" << "demo1234" << "1, 2" << "NO";
        QTest::newRow("injected quote") << "demo01' OR '1'='1" << "demo1234" << all << "NO";
    }
    void signIn()
    {
        QFETCH(QString, id);
        QFETCH(QString, password);
        QFETCH(QString, levels);
        QFETCH(QString, expected);
        QCOMPARE(userOrAnswer(f.call(callText(QStringLiteral("ps_Login1"), {id, md5(password), QStringLiteral("MOBILE_DEALER"), levels}))),
                 expected);
    }

    void signInReplyCarriesTheUserRecord()
    {
        const QString before = f.db(QStringLiteral("SELECT sUserLastDate FROM users WHERE sUserCode = 'D0001'")).toString();
        const WalkResult w = f.call(callText(QStringLiteral("ps_Login1"), {demo::kUserId, md5(demo::kPassword),
                                                                           QStringLiteral("MOBILE_DEALER"),
                                                                           QStringLiteral("1, 2, 3, 4, 12")}));
        QCOMPARE(w.rows.size(), 1);
        const Record &r = w.rows.first();
        for (const char *field : {"sUserCode", "sUserId", "sStoreCode", "sStoreName", "sUserName", "sUserTelnum",
                                  "sUserEmail", "iUserLevel", "sUserRegDate", "sUserUpDate", "sUserLastDate",
                                  "sUserStatus", "sUserMemo", "sUserPw", "sUserLastDate1", "sStoreAddress",
                                  "sStoreBusinessNum", "sStoreUseName", "sUserPicturePath"})
            QVERIFY2(!r.value(QLatin1String(field)).isEmpty(), field);
        QCOMPARE(r.value(QStringLiteral("sUserLastDate")), before); // the previous sign-in
        QCOMPARE(f.db(QStringLiteral("SELECT sUserLastDate FROM users WHERE sUserCode = 'D0001'")).toString(),
                 r.value(QStringLiteral("sUserLastDate1")));
        QVERIFY(!w.named.contains(QStringLiteral("rtn")));
    }

    void qrSignIn_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("expected");
        QTest::newRow("demo token") << demo::kQrToken << "D0001";
        QTest::newRow("unknown token") << "1111111111" << "NO";
        QTest::newRow("letters") << "U7301928465" << "NO";
        QTest::newRow("empty") << "" << "NO";
    }
    void qrSignIn()
    {
        QFETCH(QString, token);
        QFETCH(QString, expected);
        QCOMPARE(userOrAnswer(f.call(callText(QStringLiteral("ps_LoginQR1"), {token, QStringLiteral("MOBILE_DEALER"), QStringLiteral("1,2,3,4,12")}))),
                 expected);
    }

    void countsMatchTheLists()
    {
        const WalkResult w = f.call(callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode}));
        QCOMPARE(w.rows.size(), 1);
        const Record &c = w.rows.first();
        QCOMPARE(c.value(QStringLiteral("sSellWait")).toInt(), carCount(QStringLiteral("0")));
        QCOMPARE(c.value(QStringLiteral("sSellComplete")).toInt(), carCount(QStringLiteral("9")));
        QCOMPARE(c.value(QStringLiteral("sAuction")).toInt(), 4);
        QCOMPARE(c.value(QStringLiteral("AuctionComplete")).toInt(), 2);
        QCOMPARE(f.call(callText(QStringLiteral("ps_UserCarCount"), {QStringLiteral("D9999")})).named.value(QStringLiteral("rtn")),
                 QStringLiteral("NO"));
    }

    void demoShopCoversEveryStateKindAndTint()
    {
        QVERIFY(carCount(QStringLiteral("0")) >= 36);
        for (int s : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 61}) {
            const WalkResult w = f.call(callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QString::number(s)}));
            QVERIFY2(!w.rows.isEmpty(), qPrintable(QString::number(s)));
            for (const Record &r : w.rows)
                QCOMPARE(r.value(QStringLiteral("sCarStatus")), QString::number(s));
        }
        const WalkResult all = f.call(callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("0")}));
        const QString fourMonths = QDate::currentDate().addMonths(-4).toString(QStringLiteral("yyyyMMdd"));
        const QString sevenDays = QDate::currentDate().addDays(-7).toString(QStringLiteral("yyyyMMdd"));
        QSet<QString> groups, tints;
        for (const Record &r : all.rows) {
            QVERIFY(r.value(QStringLiteral("sCarStatus")) != QLatin1String("9"));
            QVERIFY(r.value(QStringLiteral("sCarStatus")) != QLatin1String("7"));
            QVERIFY(!r.value(QStringLiteral("sCarPhotoPath")).isEmpty());
            groups << r.value(QStringLiteral("sCarGroup"));
            const bool oldCheck = r.value(QStringLiteral("sCarProductCheckDate")).toInt() < fourMonths.toInt();
            const bool expired = r.value(QStringLiteral("sCheckEndDate")).toInt() < sevenDays.toInt();
            tints << QStringLiteral("%1%2").arg(oldCheck).arg(expired);
            if (r.value(QStringLiteral("sCarGroup")).contains(QStringLiteral("화물")))
                QVERIFY(!r.value(QStringLiteral("sCarFormName2")).isEmpty());
        }
        QCOMPARE(groups, (QSet<QString>{QStringLiteral("국산차"), QStringLiteral("수입차"), QStringLiteral("화물특장버스")}));
        QCOMPARE(tints.size(), 4);
        QCOMPARE(carCount(QStringLiteral("25")), 0);
        QVERIFY(f.lastReply.body.contains("&lt;rtn&gt;NO&lt;/rtn&gt;"));
    }

    void aCarRowCarriesTheListFields()
    {
        const WalkResult w = f.call(callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("1")}));
        QVERIFY(!w.rows.isEmpty());
        const Record &r = w.rows.first();
        for (const char *field : {"sCarProductCode", "sCarName1", "sCarName2", "sCarProductNum", "sCarProductYearMonth",
                                  "iCarProductMoney", "sCarProductMileage", "sCarStatus", "sCarFuelName", "sCarColorName",
                                  "sCarTransmissionName", "sCarPhotoPath", "sCarProductCheckDate", "sCarCC", "sCarGroup",
                                  "sCarIdNum", "sCarProductFirstRegDate", "sCarProductSaleType"})
            QVERIFY2(r.contains(QLatin1String(field)), field);
    }

    void statusChange_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("rtn");
        QTest::newRow("cancel an entry") << "3" << "7" << "D0001" << "YES";
        QTest::newRow("request a sale") << "1" << "14" << "D0001" << "YES";
        QTest::newRow("return a consigned car") << "12" << "5" << "D0002" << "YES";
        QTest::newRow("sold car") << "9" << "7" << "D0001" << "NO";
        QTest::newRow("sale request while inspecting") << "2" << "14" << "D0001" << "NO";
        QTest::newRow("unknown target") << "1" << "99" << "D0001" << "NO";
        QTest::newRow("other shop") << "16" << "7" << "D0003" << "NO";
    }
    void statusChange()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, user);
        QFETCH(QString, rtn);
        const QString car = f.db(QStringLiteral("SELECT sCarProductCode FROM cars WHERE sStoreCode = 'S0001' AND sCarStatus = ?"
                                                " ORDER BY sCarProductCode LIMIT 1"), {from}).toString();
        QVERIFY(!car.isEmpty());
        const int history = f.db(QStringLiteral("SELECT COUNT(*) FROM status_history")).toInt();
        const WalkResult w = f.call(callText(QStringLiteral("ps_SetProductCar_Status"), {car, to, user, QStringLiteral("MOBILE_DEALER")}),
                                    QStringLiteral("Procedure_Execute01"));
        QCOMPARE(f.lastReply.status, 200);
        QCOMPARE(w.named.value(QStringLiteral("rtn")), rtn);
        QCOMPARE(status(car), rtn == QLatin1String("YES") ? to : from);
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM status_history")).toInt(), history + (rtn == QLatin1String("YES") ? 1 : 0));
    }

    void photosAndOptions()
    {
        const WalkResult photos = f.call(callText(QStringLiteral("ps_GetCarPhotoList"), {QStringLiteral("C000001")}));
        QVERIFY(photos.rows.size() >= 3);
        QCOMPARE(photos.rows.first().value(QStringLiteral("sCarPhotoPath")), QStringLiteral("C000001_01.jpg"));
        QCOMPARE(f.call(callText(QStringLiteral("ps_GetCarPhotoList"), {QStringLiteral("C999999")})).named.value(QStringLiteral("rtn")),
                 QStringLiteral("NO"));

        const WalkResult catalogue = f.call(QStringLiteral("ps_GetCarOption"));
        QSet<QString> groups, codes;
        for (const Record &r : catalogue.rows) {
            groups << r.value(QStringLiteral("sCarOptionCode"));
            codes << r.value(QStringLiteral("sCarOptionDetailCode"));
            QVERIFY(!r.value(QStringLiteral("sCarOptionDetailName")).isEmpty());
            QVERIFY(!r.value(QStringLiteral("sCarOptionName")).isEmpty());
        }
        QCOMPARE(groups.size(), 10);
        for (int g = 1; g <= 10; ++g)
            QVERIFY(groups.contains(QStringLiteral("A%1").arg(g, 6, 10, QLatin1Char('0'))));
        for (const char *icon : {"A000039", "A000034", "A000001", "A000006", "A000070", "A000026", "A000069", "A000013"})
            QVERIFY2(codes.contains(QLatin1String(icon)), icon);

        const WalkResult own = f.call(callText(QStringLiteral("ps_GetProductCarOption"), {QStringLiteral("C000001")}));
        QVERIFY(!own.rows.isEmpty());
        for (const Record &r : own.rows)
            QVERIFY(codes.contains(r.value(QStringLiteral("sCarOptionDetailCode"))));
    }

    void modelTreeCanBeWalked()
    {
        const WalkResult makers = f.call(callText(QStringLiteral("ps_CarLevel1Info"), {QStringLiteral("12")}));
        QVERIFY(makers.rows.size() >= 5);
        for (const Record &m : makers.rows)
            QVERIFY(m.value(QStringLiteral("sCarGroup")) == QStringLiteral("국산차") || m.value(QStringLiteral("sCarGroup")) == QStringLiteral("수입차"));
        QString code = makers.rows.first().value(QStringLiteral("sCarCode"));
        for (const char *level : {"2", "3", "4"}) {
            const WalkResult w = f.call(callText(QStringLiteral("ps_CarLevel2Info"), {code, QLatin1String(level)}));
            QVERIFY2(!w.rows.isEmpty(), level);
            code = w.rows.first().value(QStringLiteral("sCarCode"));
        }
        const WalkResult trims = f.call(callText(QStringLiteral("ps_CarLevel5Info"), {code}));
        QVERIFY(!trims.rows.isEmpty());
        QVERIFY(!trims.rows.first().value(QStringLiteral("sCarCode5")).isEmpty());
        QVERIFY(!trims.rows.first().value(QStringLiteral("sCarNameSub")).isEmpty());

        const WalkResult trucks = f.call(callText(QStringLiteral("ps_CarLevel1Info"), {QStringLiteral("3")}));
        QVERIFY(!trucks.rows.isEmpty());
        for (const Record &m : trucks.rows)
            QCOMPARE(m.value(QStringLiteral("sCarGroup")), QStringLiteral("화물특장버스"));
        const WalkResult form1 = f.call(QStringLiteral("ps_TruckType1"));
        QVERIFY(!form1.rows.isEmpty());
        // The client writes the form levels without a blank after the comma.
        const WalkResult form2 = f.call(QStringLiteral("ps_TruckType2 '2','%1'").arg(form1.rows.first().value(QStringLiteral("sCarFormCode"))));
        QVERIFY(!form2.rows.isEmpty());
        const WalkResult form3 = f.call(QStringLiteral("ps_TruckType2 '3','%1'").arg(form2.rows.first().value(QStringLiteral("sCarFormCode"))));
        QVERIFY(!form3.rows.isEmpty());
        QVERIFY(!form3.rows.first().value(QStringLiteral("sCarFormName")).isEmpty());
    }

    void registerAndEditACar()
    {
        // The first model under the maker at each of the five levels.
        QStringList levels{f.db(QStringLiteral("SELECT sCarCode FROM models WHERE iLevel = 1 AND sCarName = '기아'")).toString()};
        while (levels.size() < 5)
            levels << f.db(QStringLiteral("SELECT sCarCode FROM models WHERE sCarUpCode = ? ORDER BY iSort LIMIT 1"), {levels.last()}).toString();
        auto args = [&](const QString &code, const QString &content, const QString &json) {
            return QStringList{code} + levels + QStringList{QString(), QString(), QString(), QString(),
                               QStringLiteral("A000005"), QStringLiteral("A000001"), QStringLiteral("A000002"),
                               demo::kUserCode, QStringLiteral("77가7777"), QStringLiteral("2021"), QStringLiteral("23500000"),
                               content, QStringLiteral("1"), QStringLiteral("31000"), QStringLiteral("3"), QStringLiteral("1"),
                               QStringLiteral("1"), QStringLiteral("KNAGM41BBMA000001"), json, QStringLiteral("1999"),
                               QStringLiteral("20250101"), QStringLiteral("20270101"), QStringLiteral("1"),
                               QStringLiteral("20210315"), QString()};
        };
        // The registration call has no blank between its arguments.
        const QString json = QStringLiteral("{\"Option\":[{\"sCarOptionCode\":\"A000001\",\"sCarOptionDetailCode\":\"A000001\","
                                            "\"sCarOptionDetailName\":\"선루프\",\"sCarOptionName\":\"외관/내장\"},"
                                            "{\"sCarOptionCode\":\"A000003\",\"sCarOptionDetailCode\":\"A000039\"}]}");
        const QString literal = QStringLiteral("O'Brien<b>&\"quoted\"");
        WalkResult w = f.call(callText(QStringLiteral("ps_SetEnterCar3"), args(QString(), literal, json), QStringLiteral("','")));
        QCOMPARE(w.rows.size(), 1);
        const QString code = w.rows.first().value(QStringLiteral("sCarProductCode"));
        QVERIFY(code.startsWith(u'C'));
        QCOMPARE(f.db(QStringLiteral("SELECT sCarProductContent FROM cars WHERE sCarProductCode = ?"), {code}).toString(), literal);
        QCOMPARE(status(code), QStringLiteral("3"));
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM car_options WHERE sCarProductCode = ?"), {code}).toInt(), 2);
        // Read back literally through the list.
        const WalkResult list = f.call(callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, QStringLiteral("3")}));
        bool found = false;
        for (const Record &r : list.rows)
            if (r.value(QStringLiteral("sCarProductCode")) == code) {
                found = true;
                QCOMPARE(r.value(QStringLiteral("sCarProductContent")), literal);
                QCOMPARE(r.value(QStringLiteral("sCarName1")), QStringLiteral("기아"));
                QCOMPARE(r.value(QStringLiteral("sCarGroup")), QStringLiteral("국산차"));
            }
        QVERIFY(found);

        // The same plate again as a new car is refused.
        const int cars = f.db(QStringLiteral("SELECT COUNT(*) FROM cars")).toInt();
        w = f.call(callText(QStringLiteral("ps_SetEnterCar3"), args(QString(), QStringLiteral("again"), json), QStringLiteral("','")));
        QCOMPARE(w.named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM cars")).toInt(), cars);

        // Editing keeps the code and replaces the options.
        w = f.call(callText(QStringLiteral("ps_SetEnterCar3"), args(code, QStringLiteral("수정됨"), QStringLiteral("{\"Option\":[]}")),
                            QStringLiteral("','")));
        QCOMPARE(w.rows.first().value(QStringLiteral("sCarProductCode")), code);
        QCOMPARE(f.db(QStringLiteral("SELECT sCarProductContent FROM cars WHERE sCarProductCode = ?"), {code}).toString(),
                 QStringLiteral("수정됨"));
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM car_options WHERE sCarProductCode = ?"), {code}).toInt(), 0);

        // Bad values write nothing.
        const QStringList bad[] = {
            args(code, QStringLiteral("x"), QStringLiteral("{not json")),
            args(code, QStringLiteral("x"), QStringLiteral("{\"Option\":[{\"sCarOptionDetailCode\":\"A999999\"}]}")),
            [&] { QStringList a = args(code, QStringLiteral("x"), json); a[16] = QStringLiteral("12,000"); return a; }(),
            [&] { QStringList a = args(code, QStringLiteral("x"), json); a[1] = QStringLiteral("no"); return a; }(),
            [&] { QStringList a = args(QStringLiteral("C000045"), QStringLiteral("x"), json); return a; }(), // other shop
        };
        for (const QStringList &a : bad) {
            w = f.call(callText(QStringLiteral("ps_SetEnterCar3"), a, QStringLiteral("','")));
            QCOMPARE(w.named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
            QVERIFY(!w.named.value(QStringLiteral("sMessage")).isEmpty());
        }
        QCOMPARE(f.db(QStringLiteral("SELECT sCarProductContent FROM cars WHERE sCarProductCode = ?"), {code}).toString(),
                 QStringLiteral("수정됨"));
        QVERIFY(f.db(QStringLiteral("SELECT sCarProductContent FROM cars WHERE sCarProductCode = 'C000045'")).toString() != QLatin1String("x"));
    }

    void auctionBoard()
    {
        const WalkResult w = f.call(QStringLiteral("ps_GetAuctionCar_info1"));
        QCOMPARE(w.rows.size(), 8);
        QSet<QString> kinds;
        // Every row holds the 51 fields (a truck has no detail models 2 and 3); empty
        // ones are empty elements, which the client's walk leaves out.
        QXmlStreamReader xml(QString::fromUtf8(f.lastReply.body).section(QStringLiteral("<Procedure_List01Result>"), 1)
                                 .section(QStringLiteral("</Procedure_List01Result>"), 0, 0)
                                 .replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                                 .replace(QStringLiteral("&amp;"), QStringLiteral("&")));
        QList<int> fieldCounts;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("Table"))
                fieldCounts << 0;
            else if (xml.name() != QLatin1String("NewDataSet"))
                ++fieldCounts.last();
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(fieldCounts.size(), 8);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(fieldCounts[i], w.rows[i].value(QStringLiteral("sCarGroup")).contains(QStringLiteral("화물")) ? 49 : 51);
        for (const Record &r : w.rows) {
            const QString st = r.value(QStringLiteral("sAuctionStatus"));
            const QString max = r.value(QStringLiteral("sMaxUserCode"));
            if (st == QLatin1String("1"))
                kinds << QStringLiteral("progress");
            else if (st == QLatin1String("2"))
                kinds << (max == demo::kUserCode ? QStringLiteral("won") : QStringLiteral("lost"));
            else
                kinds << QStringLiteral("closed");
            QVERIFY(!r.value(QStringLiteral("sAuctionUserName")).isEmpty());
            QVERIFY(!r.value(QStringLiteral("sAuctionUserTelnum")).isEmpty());
        }
        QCOMPARE(kinds.size(), 4);
    }

    void bid_data()
    {
        QTest::addColumn<QString>("auction");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("above the highest") << "AU0001" << "D0001" << "16100000" << true;
        QTest::newRow("equal to the highest") << "AU0001" << "D0001" << "16100000" << false;
        QTest::newRow("no bids yet, above the start") << "AU0002" << "D0001" << "22000001" << true;
        QTest::newRow("below") << "AU0003" << "D0002" << "100" << false;
        QTest::newRow("not digits") << "AU0003" << "D0002" << "1.5e9" << false;
        QTest::newRow("fullwidth digits") << "AU0003" << "D0002" << QString::fromUtf8("１２３４５６７８９") << false;
        QTest::newRow("sign") << "AU0003" << "D0002" << "+99999999" << false;
        QTest::newRow("empty") << "AU0003" << "D0002" << "" << false;
        QTest::newRow("own car") << "AU0007" << "D0001" << "99000000" << false;
        QTest::newRow("closed with a winner") << "AU0004" << "D0002" << "99000000" << false;
        QTest::newRow("closed without") << "AU0006" << "D0001" << "99000000" << false;
        QTest::newRow("unknown auction") << "AU9999" << "D0001" << "99000000" << false;
        QTest::newRow("unknown dealer") << "AU0003" << "D7777" << "99000000" << false;
        QTest::newRow("in progress but past its end") << "ENDED" << "D0001" << "99000000" << false;
        // Two dealers at the same moment with the same amount: one bid is taken, the other
        // is measured against it.
        QTest::newRow("two at once") << "AU0001" << "D0001,D0002" << "17000000" << true;
    }
    void bid()
    {
        QFETCH(QString, auction);
        QFETCH(QString, user);
        QFETCH(QString, amount);
        QFETCH(bool, accepted);
        if (auction == QLatin1String("ENDED")) {
            auction = QStringLiteral("AU0002");
            f.db(QStringLiteral("UPDATE auctions SET sAuctionEndDate = '20200101180000' WHERE sAuctionCode = ? RETURNING 1"), {auction});
        }
        const int bids = f.db(QStringLiteral("SELECT COUNT(*) FROM bids")).toInt();
        QStringList calls;
        for (const QString &bidder : user.split(u','))
            calls << callText(QStringLiteral("ps_SetAuctionCar"), {auction, bidder, amount});
        int taken = 0;
        for (const HttpResult &reply : f.sendTogether(QStringLiteral("Procedure_Execute01"), calls)) {
            QCOMPARE(reply.status, 200);
            // The app looks for this text in the unescaped reply.
            taken += QByteArray(reply.body).replace("&lt;", "<").replace("&gt;", ">").contains("<rtn>YES</rtn>");
        }
        QCOMPARE(taken, accepted ? 1 : 0);
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM bids")).toInt(), bids + taken);
    }

    void workOrders()
    {
        WalkResult cars = f.call(callText(QStringLiteral("ps_GetJobList1"), {demo::kUserCode, QString()}));
        QVERIFY(cars.rows.size() >= 30);
        QString car61;
        for (const Record &r : cars.rows)
            if (r.value(QStringLiteral("sCarStatus")) == QLatin1String("61")) {
                car61 = r.value(QStringLiteral("sCarProductCode"));
                QVERIFY(r.contains(QStringLiteral("sCarProductCheckStatus")));
            }
        QVERIFY(!car61.isEmpty());
        // Part of a plate, with or without its blank.
        const QString plate = cars.rows.first().value(QStringLiteral("sCarProductNum"));
        const QString part = plate.mid(1, 4);
        cars = f.call(callText(QStringLiteral("ps_GetJobList1"), {demo::kUserCode, part}));
        QVERIFY(!cars.rows.isEmpty());
        for (const Record &r : cars.rows)
            QVERIFY(r.value(QStringLiteral("sCarProductNum")).remove(u' ').contains(QString(part).remove(u' ')));
        cars = f.call(callText(QStringLiteral("ps_GetJobList1"), {demo::kUserCode, QStringLiteral("없는번호")}));
        QCOMPARE(cars.rows.size(), 0);
        QCOMPARE(cars.named.value(QStringLiteral("rtn")), QStringLiteral("NO"));

        const WalkResult jobs = f.call(callText(QStringLiteral("ps_GetMainJobList"), {demo::kUserCode, car61}));
        QSet<QString> states;
        for (const Record &j : jobs.rows) {
            states << j.value(QStringLiteral("sJobOrderListStatus"));
            QCOMPARE(j.value(QStringLiteral("sJobListRegdate")).size(), 14);
            QVERIFY(j.value(QStringLiteral("iJobPrice")).toLongLong() > 0);
        }
        QCOMPARE(states, (QSet<QString>{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(f.call(callText(QStringLiteral("ps_GetMainJobList"), {demo::kUserCode, QStringLiteral("C000001")})).named.value(QStringLiteral("rtn")),
                 QStringLiteral("NO"));

        const WalkResult items = f.call(callText(QStringLiteral("ps_GetCheckRepairList"), {car61, QString()}));
        QVERIFY(items.rows.size() >= 2);
        QVERIFY(!items.rows.first().value(QStringLiteral("sCarProductCheckItemName")).isEmpty());
        // An existing order opened without its car code finds the order's car.
        const WalkResult byOrder = f.call(callText(QStringLiteral("ps_GetCheckRepairList"),
                                                   {QString(), jobs.rows.first().value(QStringLiteral("sJobListCode"))}));
        QCOMPARE(byOrder.rows.size(), items.rows.size());
        QCOMPARE(f.call(callText(QStringLiteral("ps_GetCheckRepairList"), {QStringLiteral("C000001"), QString()})).named.value(QStringLiteral("rtn")),
                 QStringLiteral("NO"));

        const WalkResult shops = f.call(QStringLiteral("ps_GetStoreList"));
        QVERIFY(shops.rows.size() >= 3);
        QVERIFY(!shops.rows.first().value(QStringLiteral("sStoreName")).isEmpty());
    }

    void carLookup_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("own");
        const QString heldPlate = QStringLiteral("HELD");
        QTest::newRow("registry only") << "12가3456" << "12" << "성공" << false;
        QTest::newRow("registry, without blank") << "12가 3456" << "12" << "성공" << false;
        QTest::newRow("own car") << heldPlate << "12" << "성공" << true;
        QTest::newRow("unknown") << "00허0000" << "12" << "조회된 차량 정보가 없습니다. 차량번호를 확인해주세요." << false;
        QTest::newRow("truck on the car page") << "80바1234" << "12" << "화물/특장 차량입니다. 화물 탭에서 조회해주세요." << false;
    }
    void carLookup()
    {
        QFETCH(QString, plate);
        QFETCH(QString, types);
        QFETCH(QString, message);
        QFETCH(bool, own);
        if (plate == QLatin1String("HELD"))
            plate = f.db(QStringLiteral("SELECT sCarProductNum FROM cars WHERE sCarProductCode = 'C000002'")).toString();
        const HttpResult r = f.json(QStringLiteral("/sub_asmx/asmx_json.asmx"), QStringLiteral("CarInfo_Search"),
                                    {{QStringLiteral("sSearchType"), QStringLiteral("Search")},
                                     {QStringLiteral("sCarImportType"), types},
                                     {QStringLiteral("sCarProductNum"), plate},
                                     {QStringLiteral("sUserCode"), demo::kUserCode},
                                     {QStringLiteral("sRequest"), QStringLiteral("kr.qorbel.TVSDealer")}});
        QCOMPARE(r.status, 200);
        // The app takes the raw text between the result tags as JSON.
        const QByteArray open = "<CarInfo_SearchResult>", close = "</CarInfo_SearchResult>";
        const qsizetype a = r.body.indexOf(open), b = r.body.indexOf(close);
        QVERIFY(a > 0 && b > a);
        const QJsonObject result = QJsonDocument::fromJson(r.body.mid(a + open.size(), b - a - open.size())).object();
        QCOMPARE(result.value(QStringLiteral("message")).toString(), message);
        if (message != QStringLiteral("성공"))
            return;
        const QJsonObject body = QJsonDocument::fromJson(result.value(QStringLiteral("body")).toString().toUtf8()).object();
        for (const char *field : {"sCarName1", "sCarName2", "sCarCode1", "sCarCode2", "sCarGroup1", "sCarProductYearMonth",
                                  "sCarFuelName", "sCarFuelCode", "sCarProductFirstRegDate", "sCarProductCheckStartDate",
                                  "sCarProductCheckEndDate", "sCarCC", "sCarIdNum"})
            QVERIFY2(!body.value(QLatin1String(field)).toString().isEmpty(), field);
        // The wizard shows and sends the dates as received: eight digits, year first.
        for (const char *field : {"sCarProductFirstRegDate", "sCarProductCheckStartDate", "sCarProductCheckEndDate"}) {
            const QString date = body.value(QLatin1String(field)).toString();
            QVERIFY2(date.size() == 8 && QDate::fromString(date, QStringLiteral("yyyyMMdd")).isValid(),
                     qPrintable(QStringLiteral("%1 = %2").arg(QLatin1String(field), date)));
        }
        QCOMPARE(body.contains(QStringLiteral("sCarProductMileage")), own);
        if (own) {
            // In units of ten thousand won, as the wizard's price field takes it.
            QCOMPARE(body.value(QStringLiteral("iCarProductMoney")).toString().toLongLong() * 10000,
                     f.db(QStringLiteral("SELECT iCarProductMoney FROM cars WHERE sCarProductCode = 'C000002'")).toLongLong()
                         / 10000 * 10000);
            QCOMPARE(body.value(QStringLiteral("sCarStatus")).toString(), status(QStringLiteral("C000002")));
        }
    }

    void handOff()
    {
        auto send = [&](const QString &code, const QString &type) {
            const HttpResult r = f.json(QStringLiteral("/sub_asmx/asmx_json_tvs_to_zest.asmx"), QStringLiteral("CarProductInfo_Send"),
                                        {{QStringLiteral("sCarProductCode"), code}, {QStringLiteral("sInputType"), type},
                                         {QStringLiteral("sUserCode"), demo::kUserCode},
                                         {QStringLiteral("sRequest"), QStringLiteral("kr.qorbel.TVSDealer")}});
            const QByteArray open = "<CarProductInfo_SendResult>";
            const qsizetype a = r.body.indexOf(open);
            const qsizetype b = r.body.indexOf("</CarProductInfo_SendResult>");
            return QJsonDocument::fromJson(r.body.mid(a + open.size(), b - a - open.size())).object().value(QStringLiteral("message")).toString();
        };
        const int before = f.db(QStringLiteral("SELECT COUNT(*) FROM handoffs")).toInt();
        QCOMPARE(send(QStringLiteral("C000001"), QStringLiteral("PUT")), QStringLiteral("성공"));
        QCOMPARE(send(QStringLiteral("C000001"), QStringLiteral("POST")), QStringLiteral("성공"));
        QVERIFY(send(QStringLiteral("C000045"), QStringLiteral("PUT")) != QStringLiteral("성공"));
        QVERIFY(send(QStringLiteral("C000001"), QStringLiteral("DELETE")) != QStringLiteral("성공"));
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM handoffs")).toInt(), before + 2);
    }
};

QTEST_MAIN(ServiceProcedures)
#include "tst_service_procedures.moc"
