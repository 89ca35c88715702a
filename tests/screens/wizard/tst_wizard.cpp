// The five wizard steps, headless with canned replies: each step's checks in
// order and what it stores, the lookup, the choice lists and what a choice
// clears, edit mode from the stored car, what was typed on the way back, the
// options, the colour and the submission with its failures and its way back to
// the dashboard.
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "EnterCar2Controller.h"
#include "EnterCar3Controller.h"
#include "EnterCar4Controller.h"
#include "EnterCar5Controller.h"
#include "EnterCarController.h"
#include "ReplyBuilder.h"
#include "WizardState.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using namespace tvs;
using namespace tvs::test;
using Fields = QMap<QString, QString>;

namespace {

const QString kLookup = QStringLiteral("CarInfo_Search");
const QString kRegister = QStringLiteral("ps_SetEnterCar3");
// A lookup slot table as the picks hold them: maker, model, detail 1-3, year,
// fuel, first registration, gearbox, form 3.
const QStringList kAllChosen = {"M", "MD", "D1", "D2", "D3", "2019", "A000001", "20190315", "A000003", "F3"};

QJsonObject lookupReply(const Fields &body)
{
    QJsonObject car;
    for (auto it = body.cbegin(); it != body.cend(); ++it)
        car.insert(it.key(), it.value());
    return {{"message", "성공"}, {"body", QString::fromUtf8(QJsonDocument(car).toJson(QJsonDocument::Compact))}};
}

Fields domestic(const QString &group = QStringLiteral("국산차"))
{
    return {{"sCarName1", "현대"}, {"sCarCode1", "1001"}, {"sCarName2", "쏘나타"}, {"sCarCode2", "2001"},
            {"sCarGroup1", group}, {"sCarProductYearMonth", "2019"}, {"sCarFuelName", "디젤"},
            {"sCarFuelCode", "A000002"}, {"sCarProductFirstRegDate", "20190315"}, {"sCarCC", "1999"},
            {"sCarIdNum", "KMH0000000000001"}, {"sCarProductCheckStartDate", "20250101"},
            {"sCarProductCheckEndDate", "20270101"}};
}

Record option(const QString &group, const QString &code, const QString &name = {})
{
    return {{"sCarOptionCode", group},
            {"sCarOptionDetailCode", code},
            {"sCarOptionDetailName", name},
            {"sCarOptionName", group}};
}

} // namespace

class TestWizard : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    template <typename C>
    C *show(const char *identifier)
    {
        auto *screen = qobject_cast<C *>(t->navigator->instantiate(QString::fromLatin1(identifier)));
        t->navigator->push(screen);
        return screen;
    }
    EnterCarController *step1(const QStringList &picks = kAllChosen, const QString &plate = QStringLiteral("12가3456"))
    {
        auto *screen = show<EnterCarController>("EnterCarController");
        screen->inputPick = picks;
        screen->editCarNum = plate;
        return screen;
    }
    // What a lookup filled, as titles of buttons 1, 2, 6, 7, 8 and picks 0, 1, 5, 6, 7.
    static QStringList filled(const EnterCarController &s)
    {
        QStringList out;
        for (int tag : {1, 2, 6, 7, 8})
            out << s.title(tag);
        for (int slot : {0, 1, 5, 6, 7})
            out << s.inputPick.at(slot);
        return out;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->procedures.answer(QStringLiteral("ps_UserCarCount"), noRowsBody());
        t->procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"), noRowsBody());
        t->procedures.answer(QStringLiteral("ps_GetCarOption"), noRowsBody());
    }
    void cleanup() { t.reset(); }

    void step1ChecksInOrder_data()
    {
        QTest::addColumn<QList<int>>("unchosen");
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("alert");
        QTest::addColumn<double>("scroll"); // -1: none
        QTest::addColumn<Fields>("stored");  // when all pass
        QTest::newRow("locked state") << QList<int>{} << "12가3456" << "5" << "현재 차량상태에서는 수정을 할 수 없습니다." << -1.0 << Fields();
        QTest::newRow("one-character plate") << QList<int>{0} << "1" << "3" << "차량번호를 입력해주세요." << 0.0 << Fields();
        QTest::newRow("maker") << QList<int>{0, 5} << "12가3456" << "" << "제조사를 선택해주세요." << 0.0 << Fields();
        QTest::newRow("model") << QList<int>{1, 2} << "12" << "" << "차량 모델을 선택해주세요." << 0.0 << Fields();
        QTest::newRow("detail 1") << QList<int>{2, 7} << "12" << "" << "세부 모델을 선택해주세요." << 0.5 << Fields();
        QTest::newRow("year") << QList<int>{5, 6} << "12" << "" << "연식을 선택해주세요." << -1.0 << Fields();
        QTest::newRow("fuel") << QList<int>{6} << "12" << "" << "연료를 선택해주세요." << -1.0 << Fields();
        QTest::newRow("first day") << QList<int>{7} << "12" << "" << "최초등록일을 선택해주세요." << -1.0 << Fields();
        // Unchosen slots are stored as "no"; the plate as typed; a car whose group is
        // neither domestic nor imported goes as group "3" and stays a car.
        QTest::newRow("details 2-3, forms: no check")
            << QList<int>{3, 4, 9} << "12 가" << "1" << "" << -1.0
            << Fields{{"sCarCode1", "M"}, {"sCarCode2", "MD"}, {"sCarCode3", "D1"}, {"sCarCode4", "no"}, {"sCarCode5", "no"},
                      {"sCarProductNum", "12 가"}, {"sCarProductYearMonth", "2019"}, {"sCarFuelCode", "A000001"},
                      {"sCarProductFirstRegDate", "20190315"}, {"sCarTransmissionCode", "A000003"}, {"sCarStatus", "1"},
                      {"sCarSaleType", "1"}, {"sCarGroup", "3"}, {"sCarImportType", "12"}};
    }
    void step1ChecksInOrder()
    {
        QFETCH(QList<int>, unchosen);
        QFETCH(QString, plate);
        QFETCH(QString, status);
        QFETCH(QString, alert);
        QFETCH(double, scroll);
        QFETCH(Fields, stored);
        WizardState::set(WizardKey::Group, QStringLiteral("화물특장버스")); // an earlier answer, not a decision
        if (!status.isEmpty())
            WizardState::set(WizardKey::Status, status);
        QStringList picks = kAllChosen;
        for (int slot : unchosen)
            picks[slot] = EnterCarController::kEmptySlot;
        EnterCarController *screen = step1(picks, plate);
        QSignalSpy scrolled(screen, &EnterCarController::scrollRequested);
        screen->import_p1_btns(EnterCarController::Next);
        QCOMPARE(dialogTitles(*screen), alert.isEmpty() ? QStringList() : QStringList{alert});
        QCOMPARE(scrolled.isEmpty() ? -1.0 : scrolled.first().first().toDouble(), scroll);
        QCOMPARE(t->navigator->top()->identifier(), alert.isEmpty() ? "EnterCar2" : "EnterCarController");
        if (alert.isEmpty())
            QCOMPARE(WizardState::values(), stored);
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QJsonObject>("reply"); // empty: a transport failure
        QTest::addColumn<QString>("alert");
        QTest::addColumn<QString>("group"); // stored sCarGroup; empty: none
        QTest::addColumn<QStringList>("filled");
        // The maker and model the lookup names are chosen already: the details stay.
        const QStringList untouched = {"제조사 선택", "모델 선택", "연식 선택", "연료 선택", "최초등록일",
                                       "1001", "2001", "no", "no", "no"};
        const QStringList found = {"현대", "쏘나타", "2019년식", "디젤", "20190315",
                                   "1001", "2001", "2019", "A000002", "20190315"};
        QTest::newRow("domestic") << "12가 3456" << lookupReply(domestic()) << "" << "1" << found;
        QTest::newRow("imported") << "12" << lookupReply(domestic("수입차")) << "" << "2" << found;
        QTest::newRow("empty group name") << "12" << lookupReply(domestic("")) << "" << "3" << found;
        Fields partial = domestic();
        partial.remove("sCarCode2");
        partial.remove("sCarGroup1");
        QTest::newRow("fields missing: their choices stay") << "12" << lookupReply(partial) << "" << ""
            << QStringList{"현대", "모델 선택", "2019년식", "디젤", "20190315", "1001", "2001", "2019", "A000002", "20190315"};
        Fields displayYear = domestic();
        displayYear.insert("sCarProductYearMonth", "2019년식");
        QTest::newRow("a year that is no year stays unchosen") << "12" << lookupReply(displayYear) << "" << "1"
            << QStringList{"현대", "쏘나타", "연식 선택", "디젤", "20190315", "1001", "2001", "no", "A000002", "20190315"};
        QTest::newRow("refused") << "12" << QJsonObject{{"message", "조회된 차량 정보가 없습니다."}}
                                 << "조회된 차량 정보가 없습니다." << "" << untouched;
        QTest::newRow("body not JSON") << "12" << QJsonObject{{"message", "성공"}, {"body", "{broken"}} << "" << ""
                                       << untouched;
        QTest::newRow("transport failure") << "12" << QJsonObject{} << "서버에 연결할 수 없습니다." << "" << untouched;
        QTest::newRow("one character: not sent") << "1" << QJsonObject{} << "차량번호를 입력해주세요." << "" << untouched;
    }
    void lookup()
    {
        QFETCH(QString, plate);
        QFETCH(QJsonObject, reply);
        QFETCH(QString, alert);
        QFETCH(QString, group);
        QFETCH(QStringList, filled);
        reply.isEmpty() ? t->jsonServices.fail(kLookup) : t->jsonServices.answer(kLookup, reply);
        auto *screen = step1({"1001", "2001", "D1", "D2", "D3", "no", "no", "no", "A000003", "F3"}, plate);
        screen->actionCarSearch();
        QTRY_VERIFY(!screen->searchLoading());
        QCOMPARE(screen->loadingCount(), 0);
        QCOMPARE(dialogTitles(*screen), alert.isEmpty() ? QStringList() : QStringList{alert});
        QCOMPARE(WizardState::value(WizardKey::Group), group);
        QCOMPARE(TestWizard::filled(*screen), filled);
        QCOMPARE(screen->inputPick.mid(2, 3) + screen->inputPick.mid(8), kAllChosen.mid(2, 3) + kAllChosen.mid(8));
        QCOMPARE(WizardState::value(WizardKey::CC), filled.at(0) == "현대" ? u"1999"_qs : QString());
        QCOMPARE(t->jsonServices.calls().size(), plate.size() < 2 ? 0 : 1);
        if (plate.size() < 2)
            return;
        const auto &call = t->jsonServices.calls().first();
        QCOMPARE(call.params, (QList<std::pair<QString, QString>>{
                                  {"sSearchType", "Search"}, {"sCarImportType", "12"}, {"sCarProductNum", plate},
                                  {"sUserCode", "D0001"}, {"sRequest", "kr.qorbel.TVSDealer"}}));
    }

    // A choice, a lookup or the other kind clears what depended on the value it replaced.
    void clearingRules_data()
    {
        QTest::addColumn<bool>("truck");
        QTest::addColumn<QString>("action"); // list:TAG:CODE, lookup:MAKER:MODEL, switch, same kind
        QTest::addColumn<QStringList>("picks");
        const QString y = "2019", f = "A000001", d = "20190315", g = "A000003";
        QTest::newRow("another maker: model, details")
            << false << "list:1:M2" << QStringList{"M2", "no", "no", "no", "no", y, f, d, g, "F3"};
        QTest::newRow("the same maker: nothing") << false << "list:1:M" << kAllChosen;
        QTest::newRow("another model: details")
            << false << "list:2:MD2" << QStringList{"M", "MD2", "no", "no", "no", y, f, d, g, "F3"};
        QTest::newRow("another detail 1: details 2, 3")
            << false << "list:3:D1b" << QStringList{"M", "MD", "D1b", "no", "no", y, f, d, g, "F3"};
        QTest::newRow("truck, another maker: model, detail; forms stay")
            << true << "list:1:M2" << QStringList{"M2", "no", "no", "D2", "D3", y, f, d, g, "F3"};
        QTest::newRow("truck, another form 1: forms 2, 3")
            << true << "list:10:F1b" << QStringList{"M", "MD", "D1", "F1b", "no", y, f, d, g, "no"};
        QTest::newRow("lookup of another maker: details")
            << false << "lookup:1001:2001"
            << QStringList{"1001", "2001", "no", "no", "no", y, "A000002", d, g, "F3"};
        // Answers still on their way belong to the kind left: they are dropped.
        QTest::newRow("the other kind: all but the gearbox")
            << false << "switch" << QStringList{"no", "no", "no", "no", "no", "no", "no", "no", g, "no"};
        QTest::newRow("the kind chosen: nothing") << false << "same kind" << kAllChosen;
    }
    void clearingRules()
    {
        QFETCH(bool, truck);
        QFETCH(QString, action);
        QFETCH(QStringList, picks);
        const QStringList a = action.split(u':');
        EnterCarController *screen = step1(QStringList(10, EnterCarController::kEmptySlot));
        if (truck)
            screen->actionCarTypeSelect2();
        screen->inputPick = kAllChosen;
        if (a.first() == "list") {
            const Record row{
                {"sCarCode", a.at(2)}, {"sCarFormCode", a.at(2)}, {"sCarName", "N"}, {"sCarFormName", "N"}};
            for (const char *p : {"ps_CarLevel1Info", "ps_CarLevel2Info", "ps_TruckType1"})
                t->procedures.answer(QString::fromLatin1(p), replyBody({row}));
            screen->import_p1_btns(a.at(1).toInt());
            QTRY_COMPARE(screen->pendingDialogs().size(), 1);
            QVERIFY(pressDialogAction(*screen, shownDialogActions(*screen).first()));
        } else if (a.first() == "lookup") {
            Fields car = domestic();
            car.insert({{"sCarCode1", a.at(1)}, {"sCarCode2", a.at(2)}});
            t->jsonServices.answer(kLookup, lookupReply(car));
            screen->actionCarSearch();
            QTRY_VERIFY(!screen->searchLoading());
        } else if (action == "switch") {
            t->jsonServices.answer(kLookup, lookupReply(domestic()));
            t->procedures.answer(QStringLiteral("ps_CarLevel2Info"), replyBody({Record{{"sCarCode", "X"}}}));
            t->procedures.setHolding(true);
            t->jsonServices.setHolding(true);
            screen->actionCarSearch();
            screen->import_p1_btns(EnterCarController::Model);
            screen->actionCarTypeSelect2();
            t->procedures.releaseAll();
            t->jsonServices.releaseAll();
            QVERIFY(!screen->searchLoading());
            QCOMPARE(dialogTitles(*screen), QStringList());
        } else {
            screen->actionCarTypeSelect();
        }
        QCOMPARE(screen->inputPick, picks);
    }

    void choiceLists_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("truck");
        QTest::addColumn<int>("chosenSlot"); // the one slot chosen beforehand, or -1
        QTest::addColumn<QString>("call");   // or the alert, for a missing precondition
        QTest::addColumn<QString>("list");   // the list's title
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("chosen"); // title|code in the tag's slot once the first entry is chosen
        QTest::newRow("model before maker") << 2 << false << -1 << "제조사를 선택해주세요." << "" << QStringList() << "";
        QTest::newRow("makers, cars") << 1 << false << -1 << "ps_CarLevel1Info '12'" << "차량 선택" << QStringList{"N (G)"} << "N|C";
        QTest::newRow("model") << 2 << false << 0 << "ps_CarLevel2Info 'M', '2'" << "차량 모델 선택" << QStringList{"N"} << "N|C";
        QTest::newRow("detail 3") << 5 << false << 3 << "ps_CarLevel5Info 'D2'" << "차량 세부 모델 선택3" << QStringList{"N S"} << "N S|C5";
        QTest::newRow("form 2") << 11 << true << 3 << "ps_TruckType2 '2','D2'" << "형식 선택2" << QStringList{"FN"} << "FN|FC";
        QTest::newRow("year") << 6 << false << 2 << "" << "차량 연식 선택" << QStringList{"1980", "2026"} << "1980년식|1980";
    }
    void choiceLists()
    {
        QFETCH(int, tag);
        QFETCH(bool, truck);
        QFETCH(int, chosenSlot);
        QFETCH(QString, call);
        QFETCH(QString, list);
        QFETCH(QStringList, entries);
        QFETCH(QString, chosen);
        const Record full{{"sCarCode", "C"}, {"sCarCode5", "C5"}, {"sCarName", "N"}, {"sCarGroup", "G"},
                          {"sCarNameSub", "S"}, {"sCarFormName", "FN"}, {"sCarFormCode", "FC"}};
        const Record codeless{{"sCarName", "X"}, {"sCarFormName", "X"}}; // cannot be chosen
        for (const char *p : {"ps_CarLevel1Info", "ps_CarLevel2Info", "ps_CarLevel5Info", "ps_TruckType1", "ps_TruckType2"})
            t->procedures.answer(QString::fromLatin1(p), replyBody({full, codeless}));
        EnterCarController *screen = step1(QStringList(10, EnterCarController::kEmptySlot));
        if (truck)
            screen->actionCarTypeSelect2();
        if (chosenSlot >= 0)
            screen->inputPick[chosenSlot] = kAllChosen.at(chosenSlot);
        screen->import_p1_btns(tag);
        QTRY_COMPARE(screen->pendingDialogs().size(), 1);
        if (entries.isEmpty()) {
            QCOMPARE(dialogTitles(*screen), QStringList{call});
            QCOMPARE(t->procedures.calls().size(), 0);
            return;
        }
        QCOMPARE(t->procedures.callTexts(), call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(dialogTitles(*screen), QStringList{list});
        // Every list ends in "선택 취소", the one Escape presses.
        const QStringList actions = shownDialogActions(*screen);
        QCOMPARE(actions.first(), entries.first());
        QCOMPARE(actions.mid(actions.size() - 2), (QStringList{entries.last(), "선택 취소"}));
        QVERIFY(pressDialogAction(*screen, entries.first()));
        QVERIFY(screen->isChosen(tag));
        const int picks[] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 3, 4, 9};
        QCOMPARE(screen->title(tag) + u'|' + screen->inputPick.at(picks[tag]), chosen);
        QCOMPARE(screen->loadingCount(), 0);
    }

    // The date is taken only with the day, from the days of the chosen month.
    void firstRegistrationDate()
    {
        EnterCarController *screen = step1();
        screen->import_p1_btns(EnterCarController::FirstDay);
        QCOMPARE(shownDialogActions(*screen).size(), 2026 - 1980 + 1 + 1);
        QCOMPARE(dialogTitles(*screen), QStringList{"최초등록일 (년)선택"});
        QVERIFY(pressDialogAction(*screen, "2024"));
        QVERIFY(pressDialogAction(*screen, "선택 취소"));
        QCOMPARE(screen->inputPick.at(7), QStringLiteral("20190315"));
        screen->import_p1_btns(EnterCarController::FirstDay);
        QVERIFY(pressDialogAction(*screen, "2024"));
        QVERIFY(pressDialogAction(*screen, "2"));
        QCOMPARE(shownDialogActions(*screen).size(), 29 + 1);
        QCOMPARE(dialogTitles(*screen), QStringList{"최초등록일 (일)선택"});
        QVERIFY(pressDialogAction(*screen, "29"));
        QCOMPARE(screen->inputPick.at(7), QStringLiteral("20240229"));
        QCOMPARE(screen->title(EnterCarController::FirstDay), QStringLiteral("2024년 02월 29일"));
    }

    // An edit starts from the car as stored, not from the list's display form the
    // detail hands over; the lookup refreshes what it knows and blanks nothing.
    void editStartsFromTheStoredCar_data()
    {
        QTest::addColumn<QString>("lookedUpPrice"); // empty: the lookup fails
        QTest::addColumn<QStringList>("stored"); // year, price, check start and end after step 1
        QTest::newRow("lookup of the same price") << "1500" << QStringList{"2019", "15000001", "20240101", "20270101"};
        QTest::newRow("lookup of a new price") << "1600" << QStringList{"2019", "16000000", "20240101", "20270101"};
        QTest::newRow("lookup failed") << "" << QStringList{"2018", "15000001", "20240101", "20260101"};
    }
    void editStartsFromTheStoredCar()
    {
        QFETCH(QString, lookedUpPrice);
        QFETCH(QStringList, stored);
        Fields body = domestic();
        body.insert({{"sCarCode1", "1009"}, {"sCarCode2", "2009"}, {"iCarProductMoney", lookedUpPrice},
                     {"sCarGroup1", "화물특장버스"}, {"sCarProductCheckStartDate", ""}});
        lookedUpPrice.isEmpty() ? t->jsonServices.fail(kLookup) : t->jsonServices.answer(kLookup, lookupReply(body));
        const Record lorry = carRow(
            "C9", "2", {{"sCarGroup", "화물특장버스"}, {"sCarImportType", "3"}, {"sCarCode1", "1009"}, {"sCarCode2", "2009"},
                        {"sCarCode3", "3009"}, {"sCarCode4", "3009"}, {"sCarFormCode1", "F1"}, {"sCarFuelCode", "A000002"},
                        {"sCarProductYearMonth", "2018"}, {"sCarProductFirstRegDate", "20180101"},
                        {"iCarProductMoney", "15000001"}, {"sCarDealerPrice", "14500000"},
                        {"sCarProductCheckStartDate", "20240101"}, {"sCarProductCheckEndDate", "20260101"}});
        t->procedures.answer(QStringLiteral("ps_GetUserProductCar_Info2"), replyBody({carRow("C8", "1"), lorry}));
        WizardState::startEdit(carRow("C9", "2", {{"sCarProductYearMonth", "2018년식"}}));
        auto *screen = show<EnterCarController>("EnterCarController");
        QVERIFY(screen);
        QTRY_VERIFY(t->jsonServices.calls().size() == 1 && !screen->searchLoading());
        QCOMPARE(t->jsonServices.calls().first().param("sCarImportType"), QStringLiteral("3"));
        screen->import_p1_btns(EnterCarController::Next);
        QCOMPARE(t->navigator->top()->identifier(), QStringLiteral("EnterCar2"));
        // A truck stores its detail model as code 3 and code 4, and its forms.
        using namespace WizardKey;
        QStringList sent;
        for (const QString &key : {YearMonth, Money, CheckStart, CheckEnd, DealerPrice, Code3, Code4, FormCode1, Group})
            sent << WizardState::value(key);
        QCOMPARE(sent, stored + QStringList({"14500000", "3009", "3009", "F1", "3"}));
    }

    // Without the stored car an edit would send what it does not know as empty.
    void editNeedsTheStoredCar_data()
    {
        QTest::addColumn<bool>("held"); // the shop holds the car: the first try fails
        QTest::addColumn<QString>("alert");
        QTest::addColumn<QString>("press");
        QTest::newRow("unreachable, again") << true << "차량 정보를 불러오지 못했습니다." << u"다시 시도"_qs;
        QTest::newRow("unreachable, left") << true << "차량 정보를 불러오지 못했습니다." << u"확인"_qs;
        QTest::newRow("not held by the shop") << false << "차량 정보를 찾을 수 없습니다." << u"확인"_qs;
    }
    void editNeedsTheStoredCar()
    {
        QFETCH(bool, held);
        QFETCH(QString, alert);
        QFETCH(QString, press);
        const QString list = QStringLiteral("ps_GetUserProductCar_Info2");
        t->jsonServices.fail(kLookup);
        if (held)
            t->procedures.answerOnce(list, CannedAnswer::transportError());
        t->procedures.answer(list, replyBody({carRow(held ? "C9" : "C8", "1")}));
        WizardState::startEdit(carRow("C9", "1"));
        t->navigator->push(new Screen(t->ctx())); // the detail
        auto *screen = show<EnterCarController>("EnterCarController");
        QVERIFY(screen);
        QTRY_COMPARE(dialogTitles(*screen), QStringList{alert});
        screen->import_p1_btns(EnterCarController::Next); // nothing to check yet
        QCOMPARE(dialogTitles(*screen), QStringList{alert});
        QVERIFY(pressDialogAction(*screen, press));
        if (press == QStringLiteral("확인")) {
            QVERIFY(t->navigator->top() != screen);
            return;
        }
        QTRY_COMPARE(screen->editCarNum, QStringLiteral("12가3456"));
        QCOMPARE(screen->loadingCount(), 0);
    }

    void step2Checks_data()
    {
        QTest::addColumn<QStringList>("typed"); // cc, mileage, chassis, price
        QTest::addColumn<QString>("alert");
        QTest::addColumn<QString>("focused");
        const QString id = QStringLiteral("KMH0000000000001");
        const QString digits = QStringLiteral("숫자만 입력해주세요.");
        // A field that holds something else than digits is told so; what was typed stays.
        QTest::newRow("cc 1 character") << QStringList{"1", "", "", ""} << "배기량을 입력해주세요." << "editCC";
        QTest::newRow("cc not digits") << QStringList{"1,999", "1", "", ""} << digits << "editCC";
        QTest::newRow("mileage") << QStringList{"99", "9", "", ""} << "주행거리를 입력해주세요." << "sCarMileage";
        QTest::newRow("mileage not digits") << QStringList{"99", "9 km", id, "1"} << digits << "sCarMileage";
        QTest::newRow("chassis 15") << QStringList{"99", "99", id.chopped(1), ""} << "차대번호를 입력해주세요." << "editCarId";
        QTest::newRow("price 1") << QStringList{"99", "99", id, "1"} << "차량가격을 입력해주세요." << "editPrice";
        QTest::newRow("price 1,500") << QStringList{"99", "99", id, "1,500"} << digits << "editPrice";
        QTest::newRow("all pass") << QStringList{"99", "99", id, "15"} << "" << "";
    }
    void step2Checks()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, alert);
        QFETCH(QString, focused);
        auto *screen = show<EnterCar2Controller>("EnterCar2");
        QSignalSpy focus(screen, &EnterCar2Controller::focusRequested);
        screen->editCC = typed.at(0);
        screen->sCarMileage = typed.at(1);
        screen->editCarId = typed.at(2);
        screen->editPrice = typed.at(3);
        screen->actionCarSelect();
        QVERIFY(pressDialogAction(*screen, QStringLiteral("위탁차량(리스차량)")));
        QCOMPARE(screen->saleTypeTitle() + WizardState::value(WizardKey::SaleType), QStringLiteral("위탁차량(리스차량)4"));
        screen->actionNext();
        QCOMPARE(dialogTitles(*screen), alert.isEmpty() ? QStringList() : QStringList{alert});
        QCOMPARE(focus.isEmpty() ? QString() : focus.first().first().toString(), focused);
        QCOMPARE(WizardState::value(WizardKey::IdNum), alert.isEmpty() ? typed.at(2) : QString());
    }

    // Step 2 shows the stored price in ten thousands where it can, sends it as stored
    // when left as it is, and starts from the car's sale type; step 4 from its colour,
    // by code. What the dealer typed in steps 2 and 5 survives going back a step until
    // the wizard starts again; a field left as it was follows the wizard's values.
    void stepsStartFromTheCarAndKeepWhatIsTyped()
    {
        using namespace WizardKey;
        t->procedures.answer(QStringLiteral("ps_GetProductCarOption"), noRowsBody());
        WizardState::startEdit(carRow("C9", "1", {{"sCarCC", "1999"}, {"sCarIdNum", "KMH0000000000001"}, {"iCarProductMoney", "15000001"},
                                                  {"sCarProductSaleType", "3"}, {"sCarProductContent", "무사고"},
                                                  {"sCarColorCode", "A000007"}, {"sCarColorName", "흰색"}}));
        t->navigator->push(new Screen(t->ctx())); // step 1
        auto *step2 = show<EnterCar2Controller>("EnterCar2");
        QVERIFY(step2);
        QCOMPARE(step2->editPrice + step2->saleTypeTitle(), QStringLiteral("15000001매입차량(리스차량)"));
        step2->editCC = QStringLiteral("1,999");
        step2->actionCarSelect();
        QVERIFY(pressDialogAction(*step2, QStringLiteral("위탁차량")));
        step2->dismiss();
        WizardState::set(Mileage, QStringLiteral("5000")); // a lookup on step 1 meanwhile
        auto *again = show<EnterCar2Controller>("EnterCar2");
        QVERIFY(again);
        QCOMPARE((QStringList{again->editCC, again->sCarMileage, again->editPrice, again->saleTypeTitle()}),
                 (QStringList{"1,999", "5000", "15000001", "위탁차량"}));
        again->editCC = QStringLiteral("1999");
        again->actionNext();
        QCOMPARE(WizardState::value(Money) + u'|' + WizardState::value(SaleType), QStringLiteral("15000001|2"));
        auto *step4 = show<EnterCar4Controller>("EnterCar4");
        QVERIFY(step4);
        QCOMPARE(step4->selectedColor(), 6); // 검정투톤
        auto *step5 = show<EnterCar5Controller>("EnterCar5");
        QVERIFY(step5);
        QCOMPARE(step5->inputContent, QStringLiteral("무사고"));
        step5->inputContent = QStringLiteral("무사고, 1인 신조");
        step5->dismiss();
        step5 = show<EnterCar5Controller>("EnterCar5");
        QVERIFY(step5);
        QCOMPARE(step5->inputContent, QStringLiteral("무사고, 1인 신조"));
        WizardState::startNew();
        auto *fresh = show<EnterCar2Controller>("EnterCar2");
        QVERIFY(fresh);
        QCOMPARE(fresh->editCC + fresh->saleTypeTitle(), QStringLiteral("매입차량"));
        step4 = show<EnterCar4Controller>("EnterCar4");
        QVERIFY(step4);
        step4->import_p4_btns();
        QCOMPARE(dialogTitles(*step4), QStringList{"색상을 선택해주세요."});
    }

    void step3Grouping_data()
    {
        QTest::addColumn<QString>("importType");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("json"); // untouched
        QTest::newRow("car") << "1" << QList<int>{2, 1, 1, 1}
                             << R"({"Option":[{"sCarOptionCode":"A000001","sCarOptionDetailCode":"O1b","sCarOptionDetailName":"b","sCarOptionName":"A000001"}]})";
        // The truck add-on groups show after their main groups, their stored options marked.
        QTest::newRow("truck") << "3" << QList<int>{2, 1, 2, 1}
                               << R"({"Option":[{"sCarOptionCode":"A000006","sCarOptionDetailCode":"T6","sCarOptionDetailName":"t6","sCarOptionName":"A000006"}]})";
    }
    void step3Grouping()
    {
        QFETCH(QString, importType);
        QFETCH(QList<int>, counts);
        QFETCH(QString, json);
        Records catalogue = {option("A000001", "O1a", "a"), option("A000001", "O1b", "b"), option("A000001", "", "no code")};
        for (int g = 2; g <= 10; ++g)
            catalogue.append(option(QStringLiteral("A%1").arg(g, 6, 10, QLatin1Char('0')), g == 6 ? "T6" : QStringLiteral("X%1").arg(g),
                                    g == 6 ? "t6" : "x"));
        t->procedures.answer(QStringLiteral("ps_GetCarOption"), replyBody(catalogue));
        t->procedures.answer(QStringLiteral("ps_GetProductCarOption"),
                             replyBody({option("A000006", "T6"), option("A000002", "O1b"), option("A000001", "O1b")}));
        WizardState::startEdit(carRow("C9", "2", {{"sCarImportType", importType}}));
        WizardState::setOptionsJson(QStringLiteral("{\"Option\":[]}"));
        auto *screen = show<EnterCar3Controller>("EnterCar3");
        QVERIFY(!screen->nextEnabled());
        QVERIFY(WizardState::optionsJson().isEmpty());
        QTRY_VERIFY(screen->nextEnabled());
        QCOMPARE(t->procedures.callTexts(), (QStringList{"ps_GetProductCarOption 'C9'", "ps_GetCarOption"}));
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(screen->grid(n).count(), counts.at(n - 1));
        screen->nextButtonEvent();
        QCOMPARE(WizardState::optionsJson(), json);
        QCOMPARE(t->navigator->top()->identifier(), QStringLiteral("EnterCar4"));
    }

    void step3MarkingOrderAndUnmarking()
    {
        t->procedures.answer(QStringLiteral("ps_GetCarOption"),
                             replyBody({option("A000001", "O1", "열선 \"앞\" \\ 뒤"), option("A000002", "O1", "same code"),
                                        option("A000002", "O2", "둘")}));
        auto *screen = show<EnterCar3Controller>("EnterCar3");
        QTRY_VERIFY(screen->nextEnabled());
        screen->btnCellEvent2(1);
        screen->btnCellEvent1(0);
        screen->btnCellEvent2(0);
        screen->btnCellEvent2(0); // unmarks only the group's own O1
        QVERIFY(screen->grid(1).isSelected(0) && !screen->grid(2).isSelected(0));
        screen->nextButtonEvent();
        const QJsonDocument doc = QJsonDocument::fromJson(WizardState::optionsJson().toUtf8());
        QStringList names;
        for (const QJsonValue &v : doc.object().value("Option").toArray())
            names << v.toObject().value("sCarOptionDetailName").toString();
        QCOMPARE(names, (QStringList{"둘", "열선 \"앞\" \\ 뒤"}));
    }

    // Without the stored options next would send an empty list and delete them.
    void step3StoredOptionsUnreachable()
    {
        t->procedures.answerOnce(QStringLiteral("ps_GetProductCarOption"), CannedAnswer::transportError());
        t->procedures.answer(QStringLiteral("ps_GetProductCarOption"), noRowsBody());
        t->procedures.answer(QStringLiteral("ps_GetCarOption"), replyBody({option("A000001", "O1", "a")}));
        WizardState::startEdit(carRow("C9", "2"));
        auto *screen = show<EnterCar3Controller>("EnterCar3");
        QTRY_VERIFY(!screen->notice().isEmpty());
        screen->nextButtonEvent();
        QVERIFY(!screen->nextEnabled());
        QCOMPARE(t->navigator->top(), screen);
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_GetCarOption")), 0);
        screen->reload();
        QTRY_VERIFY(screen->nextEnabled());
        QCOMPARE(screen->notice(), QString());
    }

    // 31 arguments without blanks, except inside the description, the plate and the
    // options; a car's code 6 and forms go empty.
    void step5CallText()
    {
        t->procedures.setHolding(true);
        WizardState::startNew();
        const Fields car{{"sCarCode1", "M"}, {"sCarCode2", "MD"}, {"sCarCode3", "D1"}, {"sCarCode4", "D2"},
                         {"sCarCode5", "D3"}, {"sCarCode6", "X6"}, {"sCarFormCode1", "F1"}, {"sCarFormCode2", "F2"},
                         {"sCarFormCode3", "F3"}, {"sCarColorCode", "A000001"}, {"sCarFuelCode", "A000002"},
                         {"sCarTransmissionCode", "A000002"}, {"sCarProductNum", "12가 3456"}, {"sCarProductYearMonth", "2019"},
                         {"iCarProductMoney", "15000000"}, {"sCarProductMileage", "45 210"}, {"sCarStatus", "27"},
                         {"sCarGroup", "1"}, {"sCarIdNum", "KMH0000000000001"}, {"sCarCC", "1999"},
                         {"sCarProductCheckStartDate", "20250101"}, {"sCarSaleType", "1"},
                         {"sCarProductFirstRegDate", "20190315"}, {"sCarDealerPrice", "no"}};
        for (auto it = car.cbegin(); it != car.cend(); ++it)
            WizardState::set(it.key(), it.value());
        WizardState::setOptionsJson(QStringLiteral("{\"Option\":[{\"n\":\"열선 시트\"}]}"));
        auto *screen = show<EnterCar5Controller>("EnterCar5");
        QVERIFY(screen);
        screen->inputContent = QStringLiteral("무사고  1인 신조, 김's 차");
        screen->import_p5_btns();
        screen->import_p5_btns(); // in flight: not sent again
        QCOMPARE(t->procedures.callTexts(),
                 QStringList{"ps_SetEnterCar3'','M','MD','D1','D2','D3','','','','','A000001','A000002','A000002','D0001',"
                             "'12가 3456','2019','15000000','무사고  1인 신조, 김''s 차','1','45210','3','1','1',"
                             "'KMH0000000000001','{\"Option\":[{\"n\":\"열선 시트\"}]}','1999','20250101','','1',"
                             "'20190315','no'"});
        QVERIFY(screen->submitting());
        QCOMPARE(screen->loadingCount(), 1);
    }

    // A failure says the car was not saved and offers to send it again; a refusal
    // shows the service's text.
    void step5Answers_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("handedOff"); // code|type; empty: the dealer stays
        QTest::addColumn<QString>("alert");
        const int ok = ProcedureReply::Ok;
        const int transport = ProcedureReply::TransportError, unreadable = ProcedureReply::BadReply;
        QTest::newRow("no dashboard below: one is pushed")
            << false << ok << singleElementsBody({{"sCarProductCode", "\n C000077 \n"}}) << "C000077|POST" << "";
        QTest::newRow("transport error") << true << transport << QByteArray() << "" << "등록 실패";
        QTest::newRow("unreadable") << false << unreadable << QByteArray() << "" << "등록 실패";
        QTest::newRow("no code, no text") << false << ok << noRowsBody() << "" << "등록 실패";
        QTest::newRow("refused") << false << ok
                                 << singleElementsBody(Record{{"rtn", "NO"}, {"sMessage", "이미 등록된 차량번호입니다."}})
                                 << "" << "이미 등록된 차량번호입니다.";
    }
    void step5Answers()
    {
        QFETCH(bool, editing);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, handedOff);
        QFETCH(QString, alert);
        t->procedures.answer(kRegister, CannedAnswer{ProcedureReply::Status(status), body, u"refused"_qs});
        t->jsonServices.answer(u"CarProductInfo_Send"_qs, QJsonObject{{"message", "전송 실패"}});
        if (editing)
            WizardState::startEdit(carRow("C000009", "1"));
        t->navigator->push(new Screen(t->ctx())); // the steps before
        auto *screen = show<EnterCar5Controller>("EnterCar5");
        QVERIFY(screen);
        const int depth = t->navigator->depth();
        screen->import_p5_btns();
        if (handedOff.isEmpty()) {
            QTRY_VERIFY(!screen->submitting());
            QCOMPARE(t->navigator->top(), screen);
            QCOMPARE(dialogTitles(*screen), QStringList{alert});
            QVERIFY(t->jsonServices.calls().isEmpty());
            QCOMPARE(WizardState::editing(), editing);
            if (alert != QStringLiteral("등록 실패")) {
                QCOMPARE(shownDialogActions(*screen), QStringList{"확인"});
                return;
            }
            QVERIFY(screen->pendingDialogs().first().message.startsWith(
                QStringLiteral("차량 정보가 저장되지 않았습니다.")));
            QVERIFY(pressDialogAction(*screen, QStringLiteral("다시 시도")));
            QCOMPARE(t->procedures.callCount(kRegister), 2);
            return;
        }
        QTRY_COMPARE(t->navigator->top()->identifier(), QStringLiteral("MainView"));
        QCOMPARE(t->navigator->depth(), depth + 1);
        QTRY_COMPARE(t->procedures.callCount(QStringLiteral("ps_UserCarCount")), 1); // loaded
        const auto &call = t->jsonServices.calls().first();
        QCOMPARE(call.param("sCarProductCode") + u'|' + call.param("sInputType"), handedOff);
        QCOMPARE(t->jsonServices.calls().size(), 1);
        QVERIFY(!WizardState::editing() && WizardState::values().isEmpty());
        // The refused hand-off shows over the dashboard.
        QTRY_COMPARE(dialogTitles(*t->navigator->top()), QStringList{"전송 실패"});
    }
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
