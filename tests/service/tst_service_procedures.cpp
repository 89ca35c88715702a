// Each procedure of the stand-in against a fresh database, over HTTPS, sent and read
// back with the client's own request builder, reply walk and JSON reader; and the
// service's call-text reader and data sets against the client's writer and walk.
#include "CallText.h"
#include "CallTextReader.h"
#include "DataSet.h"
#include "LoginCrypto.h"
#include "StandInFixture.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

class ServiceProcedures : public QObject
{
    Q_OBJECT

    StandInFixture f;
    QString status(const QString &car)
    {
        return f.db(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = ?"), {car}).toString();
    }
    Records cars(const QString &filter)
    {
        return f.call(callText(QStringLiteral("ps_GetUserProductCar_Info2"), {demo::kUserCode, filter})).rows;
    }
    int count(const char *table) { return f.db(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt(); }

private slots:
    void initTestCase() { QVERIFY2(f.start(), qPrintable(f.errorString())); }

    void answers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minRows"); // 0: nothing found, "rtn" NO
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pattern"); // every row's value of `field`
        const QString pw = passwordDigest(demo::kPassword),
                      levels = QStringLiteral("MOBILE_DEALER', '1, 2, 3, 4, 12'");
        QTest::newRow("sign-in") << "ps_Login1 'demo01', '" + pw + "', '" + levels << 1 << "sUserCode" << "^D0001$";
        QTest::newRow("password's case")
            << "ps_Login1 'demo01', '" + passwordDigest("DEMO1234") + "', '" + levels << 0 << ""
            << "";
        QTest::newRow("unknown id") << "ps_Login1 'nobody', '" + pw + "', '" + levels << 0 << "" << "";
        QTest::newRow("level not allowed") << "ps_Login1 'demo01', '" + pw + "', 'MOBILE_DEALER', '1, 2'" << 0 << "" << "";
        QTest::newRow("injected quote") << "ps_Login1 'demo01'' OR ''1''=''1', '" + pw + "', '" + levels << 0 << "" << "";
        QTest::newRow("QR sign-in") << "ps_LoginQR1 '7301928465', 'MOBILE_DEALER', '1,2,3,4,12'" << 1 << "sUserCode" << "^D0001$";
        QTest::newRow("unknown QR token") << "ps_LoginQR1 '1111111111', 'MOBILE_DEALER', '1,2,3,4,12'" << 0 << "" << "";
        QTest::newRow("QR text instead of the token") << "ps_LoginQR1 'U7301928465', 'MOBILE_DEALER', '1,2,3,4,12'" << 0 << "" << "";
        QTest::newRow("counts of an unknown dealer") << "ps_UserCarCount 'D9999'" << 0 << "" << "";
        QTest::newRow("cars in a state nobody has") << "ps_GetUserProductCar_Info2 'D0001', '25'" << 0 << "" << "";
        QTest::newRow("photos") << "ps_GetCarPhotoList 'C000001'" << 3 << "sCarPhotoPath" << "^C000001_0\\d\\.jpg$";
        QTest::newRow("photos of no car") << "ps_GetCarPhotoList 'C999999'" << 0 << "" << "";
        QTest::newRow("option catalogue: ten groups") << "ps_GetCarOption" << 30 << "sCarOptionCode" << "^A0000(0[1-9]|10)$";
        QTest::newRow("options of a car") << "ps_GetProductCarOption 'C000001'" << 1 << "sCarOptionDetailCode" << "^A\\d{6}$";
        QTest::newRow("makers of cars") << "ps_CarLevel1Info '12'" << 5 << "sCarGroup" << "^(국산차|수입차)$";
        QTest::newRow("makers of lorries") << "ps_CarLevel1Info '3'" << 1 << "sCarGroup" << "^화물특장버스$";
        QTest::newRow("cars for work orders") << "ps_GetJobList1 'D0001', ''" << 30 << "sCarProductCode" << "^C";
        QTest::newRow("no such plate") << "ps_GetJobList1 'D0001', '없는번호'" << 0 << "" << "";
        QTest::newRow("job orders of a car without any") << "ps_GetMainJobList 'D0001', 'C000001'" << 0 << "" << "";
        QTest::newRow("inspection items of a car without any") << "ps_GetCheckRepairList 'C000001', ''" << 0 << "" << "";
        QTest::newRow("repair shops") << "ps_GetStoreList" << 3 << "sStoreName" << ".";
    }
    void answers()
    {
        QFETCH(QString, text);
        QFETCH(int, minRows);
        QFETCH(QString, field);
        QFETCH(QString, pattern);
        const QString lastSignIn = f.db(QStringLiteral("SELECT sUserLastDate FROM users WHERE sUserCode = 'D0001'")).toString();
        const WalkResult w = f.call(text);
        // A sign-in answers with the previous sign-in's time and records this one's.
        if (field == QLatin1String("sUserCode"))
            QCOMPARE(w.rows.value(0).value(QStringLiteral("sUserLastDate")) + u'/' + w.rows.value(0).value(QStringLiteral("sUserLastDate1")),
                     lastSignIn + u'/' + f.db(QStringLiteral("SELECT sUserLastDate FROM users WHERE sUserCode = 'D0001'")).toString());
        QVERIFY2(w.rows.size() >= minRows, qPrintable(QString::number(w.rows.size())));
        QCOMPARE(w.named.value(QStringLiteral("rtn")), minRows == 0 ? QStringLiteral("NO") : QString());
        for (const Record &r : w.rows)
            QVERIFY2(r.value(field).contains(QRegularExpression(pattern)),
                     qPrintable(field + u'=' + r.value(field)));
    }

    void demoShopCountsAndStates()
    {
        const Records held = cars(QStringLiteral("0"));
        const Record counts = f.call(callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})).rows.value(0);
        QCOMPARE(counts, (Record{{"sSellWait", QString::number(held.size())}, {"sSellComplete", QString::number(cars("9").size())},
                                 {"sAuction", "4"}, {"AuctionComplete", "2"}}));
        QVERIFY(held.size() >= 36);
        for (int s : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 61}) {
            const Records rows = cars(QString::number(s));
            QVERIFY2(!rows.isEmpty(), qPrintable(QString::number(s)));
            for (const Record &r : rows)
                QCOMPARE(r.value(QStringLiteral("sCarStatus")), QString::number(s));
        }
        // Cars held: no sold or cancelled ones.
        for (const Record &r : held)
            QVERIFY(r.value(QStringLiteral("sCarStatus")) != QLatin1String("9") && r.value(QStringLiteral("sCarStatus")) != QLatin1String("7"));
    }

    void statusChange_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        const QString notNow = QStringLiteral("현재 차량상태에서는 변경할 수 없습니다.");
        QTest::newRow("cancel an entry") << "3" << "7" << "D0001" << "";
        QTest::newRow("request a sale") << "1" << "14" << "D0001" << "";
        QTest::newRow("return a consigned car") << "12" << "5" << "D0002" << "";
        QTest::newRow("sold car") << "9" << "7" << "D0001" << notNow;
        QTest::newRow("sale request while inspecting") << "2" << "14" << "D0001" << notNow;
        QTest::newRow("unknown target") << "1" << "99" << "D0001" << notNow;
        QTest::newRow("other shop") << "16" << "7" << "D0003" << "차량 정보를 찾을 수 없습니다.";
    }
    void statusChange()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, user);
        QFETCH(QString, refusal);
        const QString car = f.db(QStringLiteral("SELECT sCarProductCode FROM cars WHERE sStoreCode = 'S0001' AND sCarStatus = ?"
                                                " ORDER BY sCarProductCode LIMIT 1"), {from}).toString();
        QVERIFY(!car.isEmpty());
        const int history = count("status_history");
        const WalkResult w = f.call(callText(QStringLiteral("ps_SetProductCar_Status"), {car, to, user, QStringLiteral("MOBILE_DEALER")}),
                                    kProcedureExecute);
        QCOMPARE(w.named.value(QStringLiteral("rtn")), refusal.isEmpty() ? QStringLiteral("YES") : QStringLiteral("NO"));
        QCOMPARE(w.named.value(QStringLiteral("sMessage")), refusal);
        QCOMPARE(status(car), refusal.isEmpty() ? to : from);
        QCOMPARE(count("status_history"), history + (refusal.isEmpty() ? 1 : 0));
    }

    void modelTreeAndLorryFormsCanBeWalked()
    {
        QString code = f.call(callText(QStringLiteral("ps_CarLevel1Info"), {QStringLiteral("12")})).rows.value(0).value(QStringLiteral("sCarCode"));
        for (const char *level : {"2", "3", "4"}) {
            code = f.call(callText(QStringLiteral("ps_CarLevel2Info"), {code, QLatin1String(level)})).rows.value(0).value(QStringLiteral("sCarCode"));
            QVERIFY2(!code.isEmpty(), level);
        }
        const Record trim = f.call(callText(QStringLiteral("ps_CarLevel5Info"), {code})).rows.value(0);
        QVERIFY(!trim.value(QStringLiteral("sCarCode5")).isEmpty() && !trim.value(QStringLiteral("sCarNameSub")).isEmpty());
        // The client writes the form levels without a blank after the comma.
        code = f.call(QStringLiteral("ps_TruckType1")).rows.value(0).value(QStringLiteral("sCarFormCode"));
        for (const char *level : {"2", "3"}) {
            code = f.call(callText(QStringLiteral("ps_TruckType2"), {QLatin1String(level), code}, QStringLiteral("','")))
                       .rows.value(0).value(QStringLiteral("sCarFormCode"));
            QVERIFY2(!code.isEmpty(), level);
        }
    }

    void registerAndEditACar()
    {
        // The first model under the maker at each of the five levels.
        QStringList levels{f.db(QStringLiteral("SELECT sCarCode FROM models WHERE iLevel = 1 AND sCarName = '기아'")).toString()};
        while (levels.size() < 5)
            levels << f.db(QStringLiteral("SELECT sCarCode FROM models WHERE sCarUpCode = ? ORDER BY iSort LIMIT 1"), {levels.last()}).toString();
        // The registration call has no blank between its arguments.
        auto enter = [&](const QString &code, const QString &content, const QString &json, int index = 0, const QString &value = {}) {
            QStringList args = QStringList{code} + levels + QStringList{QString(), QString(), QString(), QString(),
                               QStringLiteral("A000005"), QStringLiteral("A000001"), QStringLiteral("A000002"),
                               demo::kUserCode, QStringLiteral("77가7777"), QStringLiteral("2021"), QStringLiteral("23500000"),
                               content, QStringLiteral("1"), QStringLiteral("31000"), QStringLiteral("3"), QStringLiteral("1"),
                               QStringLiteral("1"), QStringLiteral("KNAGM41BBMA000001"), json, QStringLiteral("1999"),
                               QStringLiteral("20250101"), QStringLiteral("20270101"), QStringLiteral("1"),
                               QStringLiteral("20210315"), QString()};
            if (index > 0)
                args[index] = value;
            return f.call(callText(QStringLiteral("ps_SetEnterCar3"), args, QStringLiteral("','")));
        };
        const QString json = QStringLiteral("{\"Option\":[{\"sCarOptionCode\":\"A000001\",\"sCarOptionDetailCode\":\"A000001\","
                                            "\"sCarOptionDetailName\":\"선루프\",\"sCarOptionName\":\"외관/내장\"},"
                                            "{\"sCarOptionCode\":\"A000003\",\"sCarOptionDetailCode\":\"A000039\"}]}");
        // A value with a quote, "<" and "&" is stored as it is and comes back unchanged.
        const QString literal = QStringLiteral("O'Brien<b>&\"quoted\"");
        WalkResult w = enter(QString(), literal, json);
        const QString code = w.rows.value(0).value(QStringLiteral("sCarProductCode"));
        QVERIFY(code.startsWith(u'C'));
        QCOMPARE(status(code), QStringLiteral("3"));
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM car_options WHERE sCarProductCode = ?"), {code}).toInt(), 2);
        Record listed;
        for (const Record &r : cars(u"3"_qs))
            listed = r.value(u"sCarProductCode"_qs) == code ? r : listed;
        QCOMPARE(listed.value(u"sCarProductContent"_qs) + u'|' + listed.value(u"sCarName1"_qs),
                 literal + u"|기아"_qs);

        // The same plate again as a new car is refused.
        const int carsBefore = count("cars");
        QCOMPARE(enter(QString(), QStringLiteral("again"), json).named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
        QCOMPARE(count("cars"), carsBefore);

        // Editing keeps the code and replaces the options.
        QCOMPARE(enter(code, QStringLiteral("수정됨"), QStringLiteral("{\"Option\":[]}")).rows.value(0).value(QStringLiteral("sCarProductCode")), code);
        QCOMPARE(f.db(QStringLiteral("SELECT COUNT(*) FROM car_options WHERE sCarProductCode = ?"), {code}).toInt(), 0);

        // Bad values write nothing and say why.
        const QString fingerprint = QStringLiteral("SELECT group_concat(sCarProductContent) FROM cars WHERE sCarProductCode IN (?, 'C000045')");
        const QString before = f.db(fingerprint, {code}).toString();
        const QList<WalkResult> bad = {enter(code, QStringLiteral("x"), QStringLiteral("{not json")),
                                       enter(code, QStringLiteral("x"), QStringLiteral("{\"Option\":[{\"sCarOptionDetailCode\":\"A999999\"}]}")),
                                       enter(code, QStringLiteral("x"), json, 16, QStringLiteral("12,000")),
                                       enter(code, QStringLiteral("x"), json, 1, QStringLiteral("no")),
                                       enter(QStringLiteral("C000045"), QStringLiteral("x"), json)}; // other shop
        for (const WalkResult &r : bad) {
            QCOMPARE(r.named.value(QStringLiteral("rtn")), QStringLiteral("NO"));
            QVERIFY(!r.named.value(QStringLiteral("sMessage")).isEmpty());
        }
        QCOMPARE(f.db(fingerprint, {code}).toString(), before);
    }

    void auctionBoard()
    {
        const Records rows = f.call(QStringLiteral("ps_GetAuctionCar_info1")).rows;
        QCOMPARE(rows.size(), 8);
        QSet<QString> kinds;
        for (const Record &r : rows) {
            // Every row holds the 51 fields (a lorry has no detail models 2 and 3), empty ones too.
            QCOMPARE(r.size(), r.value(QStringLiteral("sCarGroup")).contains(QStringLiteral("화물")) ? 49 : 51);
            QVERIFY(!r.value(QStringLiteral("sAuctionUserName")).isEmpty() && !r.value(QStringLiteral("sAuctionUserTelnum")).isEmpty());
            const QString state = r.value(QStringLiteral("sAuctionStatus"));
            kinds << (state != QLatin1String("2") ? state : r.value(QStringLiteral("sMaxUserCode")) == demo::kUserCode ? "won" : "lost");
        }
        QCOMPARE(kinds.size(), 4);
    }

    void bid_data()
    {
        QTest::addColumn<QString>("auction");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        const QString low = QStringLiteral("현재 최고 입찰가보다 높은 금액을 입력해주세요.");
        const QString digits = QStringLiteral("입찰금액은 숫자로 입력해주세요.");
        const QString closed = QStringLiteral("진행 중인 경매가 아닙니다.");
        QTest::newRow("above the highest") << "AU0001" << "D0001" << "TOP+1" << "";
        QTest::newRow("equal to the highest") << "AU0001" << "D0001" << "TOP" << low;
        QTest::newRow("no bids yet, above the start") << "AU0002" << "D0001" << "TOP+1" << "";
        QTest::newRow("below") << "AU0003" << "D0002" << "100" << low;
        QTest::newRow("not digits") << "AU0003" << "D0002" << "1.5e9" << digits;
        QTest::newRow("fullwidth digits") << "AU0003" << "D0002" << QString::fromUtf8("１２３４５６７８９") << digits;
        QTest::newRow("own car") << "AU0007" << "D0001" << "99000000" << "본인이 출품한 차량에는 입찰할 수 없습니다.";
        QTest::newRow("closed with a winner") << "AU0004" << "D0002" << "99000000" << closed;
        QTest::newRow("unknown auction") << "AU9999" << "D0001" << "99000000" << "경매 정보를 찾을 수 없습니다.";
        QTest::newRow("unknown dealer") << "AU0003" << "D7777" << "99000000" << "등록되지 않은 사용자입니다.";
        QTest::newRow("past its end") << "ENDED"
                                      << "D0001"
                                      << "99000000"
                                      << "경매 시간이 종료되었습니다.";
    }
    void bid()
    {
        QFETCH(QString, auction);
        QFETCH(QString, user);
        QFETCH(QString, amount);
        QFETCH(QString, refusal);
        // TOP: the amount the board shows (the highest bid, else the start price).
        const qlonglong top = f.db(QStringLiteral("SELECT COALESCE((SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = ?),"
                                                  " iStartPrice) FROM auctions WHERE sAuctionCode = ?"), {auction, auction}).toLongLong();
        amount.replace(QStringLiteral("TOP+1"), QString::number(top + 1)).replace(QStringLiteral("TOP"), QString::number(top));
        const QString ended = f.db(QStringLiteral("SELECT sAuctionEndDate FROM auctions WHERE sAuctionCode = 'AU0002'")).toString();
        if (auction == QLatin1String("ENDED"))
            f.db(QStringLiteral("UPDATE auctions SET sAuctionEndDate = '20200101180000' WHERE sAuctionCode = 'AU0002' RETURNING 1"));
        const int bids = count("bids");
        const QString code = auction == QLatin1String("ENDED") ? QStringLiteral("AU0002") : auction;
        const QByteArray body =
            StandInFixture::finish(
                f.send(callText(u"ps_SetAuctionCar"_qs, {code, user, amount}), kProcedureExecute))
                .body;
        // The app looks for this text in the unescaped reply.
        const bool taken =
            QByteArray(body).replace("&lt;", "<").replace("&gt;", ">").contains("<rtn>YES</rtn>");
        f.db(QStringLiteral("UPDATE auctions SET sAuctionEndDate = ? WHERE sAuctionCode = 'AU0002' RETURNING 1"), {ended});
        QCOMPARE(taken ? QString() : StandInFixture::walk(body).named.value(u"sMessage"_qs), refusal);
        QCOMPARE(count("bids"), bids + (taken ? 1 : 0));
    }

    void jobOrdersAndInspectionItems()
    {
        const QString car61 = f.db(QStringLiteral("SELECT sCarProductCode FROM cars WHERE sStoreCode = 'S0001' AND sCarStatus = '61'")).toString();
        // Part of a plate finds the car, with or without its blank.
        const QString plate = f.db(QStringLiteral("SELECT sCarProductNum FROM cars WHERE sCarProductCode = ?"), {car61}).toString();
        for (const QString &part : {plate.mid(1, 4), plate.mid(1, 4).remove(u' ')}) {
            const Records found = f.call(callText(QStringLiteral("ps_GetJobList1"), {demo::kUserCode, part})).rows;
            QVERIFY2(std::any_of(found.begin(), found.end(), [&](const Record &r) {
                return r.value(QStringLiteral("sCarProductCode")) == car61 && r.contains(QStringLiteral("sCarProductCheckStatus"));
            }), qPrintable(part));
        }
        const Records jobs = f.call(callText(QStringLiteral("ps_GetMainJobList"), {demo::kUserCode, car61})).rows;
        QSet<QString> states;
        for (const Record &j : jobs) {
            states << j.value(QStringLiteral("sJobOrderListStatus"));
            QCOMPARE(j.value(QStringLiteral("sJobListRegdate")).size(), 14);
            QVERIFY(j.value(QStringLiteral("iJobPrice")).toLongLong() > 0);
        }
        QCOMPARE(states, (QSet<QString>{QStringLiteral("1"), QStringLiteral("2")}));
        const Records items = f.call(callText(QStringLiteral("ps_GetCheckRepairList"), {car61, QString()})).rows;
        QVERIFY(items.size() >= 2 && !items.first().value(u"sCarProductCheckItemName"_qs).isEmpty());
        // An existing order opened without its car code finds the order's car.
        QCOMPARE(f.call(callText(QStringLiteral("ps_GetCheckRepairList"), {QString(), jobs.value(0).value(QStringLiteral("sJobListCode"))})).rows,
                 items);
    }

    void carLookup_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("own");
        QTest::newRow("registry only") << "12가3456" << "성공" << false;
        QTest::newRow("registry, with a blank") << "12가 3456" << "성공" << false;
        QTest::newRow("own car") << "HELD" << "성공" << true;
        QTest::newRow("unknown") << "00허0000" << "조회된 차량 정보가 없습니다. 차량번호를 확인해주세요." << false;
        QTest::newRow("lorry on the car page") << "80바1234" << "화물/특장 차량입니다. 화물 탭에서 조회해주세요." << false;
    }
    void carLookup()
    {
        QFETCH(QString, plate);
        QFETCH(QString, message);
        QFETCH(bool, own);
        if (own)
            plate = f.db(QStringLiteral("SELECT sCarProductNum FROM cars WHERE sCarProductCode = 'C000002'")).toString();
        const JsonServiceReply r = f.json(kCarLookupPath, kCarLookupOperation,
                                          {{u"sSearchType"_qs, u"Search"_qs},
                                           {u"sCarImportType"_qs, u"12"_qs},
                                           {u"sCarProductNum"_qs, plate},
                                           {u"sUserCode"_qs, demo::kUserCode},
                                           {u"sRequest"_qs, kRequesterId}});
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.object.value(QStringLiteral("message")).toString(), message);
        const QJsonObject body = QJsonDocument::fromJson(r.object.value(QStringLiteral("body")).toString().toUtf8()).object();
        if (message != QStringLiteral("성공"))
            return;
        // The wizard shows and sends the dates as received: eight digits, year first.
        for (const char *field : {"sCarProductFirstRegDate", "sCarProductCheckStartDate", "sCarProductCheckEndDate"})
            QVERIFY2(QDate::fromString(body.value(QLatin1String(field)).toString(), QStringLiteral("yyyyMMdd")).isValid(), field);
        QCOMPARE(body.contains(QStringLiteral("sCarProductMileage")), own);
        if (own) {
            // In units of ten thousand won, as the wizard's price field takes it.
            QCOMPARE(body.value(QStringLiteral("iCarProductMoney")).toString().toLongLong(),
                     f.db(QStringLiteral("SELECT iCarProductMoney FROM cars WHERE sCarProductCode = 'C000002'")).toLongLong() / 10000);
            QCOMPARE(body.value(QStringLiteral("sCarStatus")).toString(), status(QStringLiteral("C000002")));
        }
    }

    void handOff()
    {
        auto send = [&](const QString &code, const QString &type) {
            return f.json(kHandOffPath, kHandOffOperation, {{QStringLiteral("sCarProductCode"), code}, {QStringLiteral("sInputType"), type},
                                                            {QStringLiteral("sUserCode"), demo::kUserCode},
                                                            {QStringLiteral("sRequest"), kRequesterId}})
                .object.value(QStringLiteral("message")).toString();
        };
        const int before = count("handoffs");
        QCOMPARE(send(QStringLiteral("C000001"), QStringLiteral("PUT")), QStringLiteral("성공"));
        QCOMPARE(send(QStringLiteral("C000001"), QStringLiteral("POST")), QStringLiteral("성공"));
        QVERIFY(send(QStringLiteral("C000045"), QStringLiteral("PUT")) != QStringLiteral("성공"));
        QVERIFY(send(QStringLiteral("C000001"), QStringLiteral("DELETE")) != QStringLiteral("성공"));
        QCOMPARE(count("handoffs"), before + 2);
    }

    void readsWhatTheClientWrites()
    {
        // Any values, written by the client's call-text builder with either separator,
        // read back as the same values; and random texts never break the reader.
        QRandomGenerator random(20261206);
        const QString alphabet = QStringLiteral("a1 ,'\"<>&;-_()가나\n");
        auto text = [&](int maxLength) {
            QString t;
            for (int n = random.bounded(maxLength + 1); n > 0; --n)
                t += alphabet[random.bounded(int(alphabet.size()))];
            return t;
        };
        for (int round = 0; round < 2000; ++round) {
            QStringList args;
            for (int n = random.bounded(6); n > 0; --n)
                args << text(12);
            const QString written = callText(QStringLiteral("ps_Any"), args, round % 2 ? "', '" : "','");
            const CallText read = readCallText(written);
            QVERIFY2(read.ok, qPrintable(written + QStringLiteral(": ") + read.error));
            QCOMPARE(read.procedure, QStringLiteral("ps_Any"));
            QCOMPARE(read.args, args);
            const CallText noise = readCallText(text(40));
            QVERIFY(noise.ok || !noise.error.isEmpty());
        }
    }

    void dataSetsAsTheClientReadsThem()
    {
        DataSet set;
        set.rows << DataRow{{"sA", "x<y & z"}, {"sNull", QVariant()}, {"sEmpty", QString()}} << DataRow{{"sA", "2"}};
        QCOMPARE(dataSetXml(set), QStringLiteral("<NewDataSet>\n  <Table>\n    <sA>x&lt;y &amp; z</sA>\n    <sEmpty />\n"
                                                 "  </Table>\n  <Table>\n    <sA>2</sA>\n  </Table>\n</NewDataSet>"));
        // A null is absent, an empty text is there and empty.
        QCOMPARE(walkReply(soapResponse("Procedure_List01", dataSetXml(set)), ReplyShape{}).rows,
                 (Records{{{"sA", "x<y & z"}, {"sEmpty", ""}}, {{"sA", "2"}}}));
        ReplyShape named;
        named.namedElements = {QStringLiteral("rtn")};
        QCOMPARE(walkReply(soapResponse("Procedure_List01", dataSetXml(DataSet::answer("NO"))), named).named,
                 (Record{{"rtn", "NO"}}));
    }
};

QTEST_MAIN(ServiceProcedures)
#include "tst_service_procedures.moc"
