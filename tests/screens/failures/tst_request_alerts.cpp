// Every request a dealer's action starts, failing: exactly one alert, over the
// screen on top, saying what went wrong and which action it was, with the right
// buttons; "다시 시도" repeats each failed request once. The board's own refresh
// fails without a word.
#include "AuctionDetailController.h"
#include "CarFixtures.h"
#include "CarListController.h"
#include "DialogHelpers.h"
#include "EnterCarController.h"
#include "LoginController.h"
#include "LoginCrypto.h"
#include "MainDetailController.h"
#include "ReplyBuilder.h"
#include "WorkOrder_p2.h"
#include "WorkOrder_p3.h"
#include "WorkWrite_p1.h"

#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {

using Start = std::function<void(TestContext &)>;

template <typename T> T *push(TestContext &t, const char *identifier)
{
    auto *screen = qobject_cast<T *>(t.navigator->instantiate(QString::fromLatin1(identifier)));
    if (screen)
        t.navigator->push(screen);
    return screen;
}

// Every procedure answers as the service would; the test makes some fail once.
void answerAll(TestContext &t)
{
    auto &p = t.procedures;
    for (const char *login : {"ps_Login1", "ps_LoginQR1"})
        p.answer(QString::fromLatin1(login),
                 singleElementsBody({{"sUserCode", "D0001"}, {"sUserId", "demo01"}, {"sUserPw", "x"}}));
    p.answer(u"ps_UserCarCount"_qs, singleElementsBody({{"sSellWait", "1"}}));
    p.answer(u"ps_GetUserProductCar_Info2"_qs, replyBody({carRow("C1", "1")}));
    p.answer(u"ps_SetProductCar_Status"_qs, singleElementsBody({{"rtn", "YES"}}, kProcedureExecute));
    for (const char *none : {"ps_GetCarPhotoList", "ps_GetProductCarOption", "ps_GetCarOption",
                             "ps_GetMainJobList", "ps_GetCheckRepairList"})
        p.answer(QString::fromLatin1(none), noRowsBody());
    p.answer(u"ps_GetJobList1"_qs, replyBody({carRow("C1", "2")}));
    p.answer(u"ps_GetStoreList"_qs, replyBody({{{"sStoreCode", "R1"}, {"sStoreName", "정비소1"}}}));
    p.answer(u"ps_GetAuctionCar_info1"_qs, noRowsBody());
    p.answer(u"ps_SetAuctionCar"_qs, resultBody(u"<rtn>YES</rtn>"_qs, kProcedureExecute));
    p.answer(u"ps_CarLevel1Info"_qs,
             replyBody({{{"sCarCode", "A1"}, {"sCarName", "현대"}, {"sCarGroup", "국산"}}}));
}

// The alerts (not choice lists) pending anywhere in the stack.
QStringList alertsShown(const TestContext &t)
{
    QStringList shown;
    for (Screen *screen : t.navigator->stack()) {
        for (const DialogRequest &d : screen->pendingDialogs()) {
            if (d.kind == DialogRequest::Alert)
                shown << d.title + u'|' + d.message;
        }
    }
    return shown;
}

} // namespace

class TestRequestAlerts : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        TestContext::resetAppData();
        AppData::shared()->userInfo.insert(u"sUserCode"_qs, u"D0001"_qs);
        registerAllScreens(*t->navigator);
        answerAll(*t);
        t->navigator->resetTo(u"LoginController"_qs);
    }
    void cleanup() { t.reset(); }

    void failures_data()
    {
        QTest::addColumn<Start>("start");
        QTest::addColumn<QStringList>("failing"); // each fails once with `answer`, then answers
        QTest::addColumn<CannedAnswer>("answer");
        QTest::addColumn<QString>("alert");       // title|message; empty: none
        QTest::addColumn<QStringList>("buttons"); // the first is pressed
        const QString noServer = QStringLiteral("서버에 연결할 수 없습니다.|");
        const auto row = [&](const char *tag, Start start, const QStringList &failing, const QString &alert,
                             const QStringList &buttons = {"다시 시도", "확인"},
                             const CannedAnswer &answer = {}) {
            QTest::newRow(tag) << start << failing
                               << (answer.status == ProcedureReply::Ok ? CannedAnswer::transportError()
                                                                       : answer)
                               << alert << buttons;
        };
        row(
            "password sign-in",
            [](TestContext &t) {
                auto *login = qobject_cast<LoginController *>(t.navigator->top());
                login->setLogin_ID(u"demo01"_qs);
                login->setLogin_PW(u"demo1234"_qs);
                login->loginBtnAction();
            },
            {"ps_Login1"}, noServer + "로그인하지 못했습니다.");
        row(
            "QR sign-in",
            [](TestContext &t) {
                const AppData *data = AppData::shared();
                auto *login = qobject_cast<LoginController *>(t.navigator->top());
                login->scrollViewDidScroll(390); // the QR page
                login->qrLogin(sealQrPayload(u"U7301928465"_qs, data->AESKEY, data->AESIV));
            },
            {"ps_LoginQR1"}, noServer + "로그인하지 못했습니다.");
        const Start dashboard = [](TestContext &t) { t.navigator->resetTo(u"MainView"_qs); };
        row("dashboard counts", dashboard, {"ps_UserCarCount"},
            noServer + "차량 현황을 불러오지 못했습니다.");
        row("dashboard list", dashboard, {"ps_GetUserProductCar_Info2"},
            noServer + "차량 목록을 불러오지 못했습니다.");
        row(
            "car list", [](TestContext &t) { push<CarListController>(t, "CarListController"); },
            {"ps_GetUserProductCar_Info2"}, noServer + "차량 목록을 불러오지 못했습니다.");
        const Start changeStatus = [](TestContext &t) {
            auto *list = qobject_cast<CarListController *>(t.navigator->instantiate(u"CarListController"_qs));
            list->showCars(u"출고"_qs, 0, CarListController::Mode::Release);
            t.navigator->push(list);
            QTRY_COMPARE(list->getMyCarList().size(), 1);
            list->pressRowButton(0);
            pressDialogAction(*list, u"차량 판매"_qs);
        };
        row("status change", changeStatus, {"ps_SetProductCar_Status"},
            noServer + "차량 상태를 변경하지 못했습니다.");
        // A SOAP fault is the service's no, in its words, and is not repeated from the alert.
        row("status change refused", changeStatus, {"ps_SetProductCar_Status"},
            "요청이 거절되었습니다.|차량 상태를 변경하지 못했습니다.\n판매중인 차량이 아닙니다.", {"확인"},
            CannedAnswer::refused(u"판매중인 차량이 아닙니다."_qs));
        // Photos and options fail together: one alert, a line each.
        row(
            "car detail",
            [](TestContext &t) {
                auto *detail = qobject_cast<MainDetailController *>(
                    t.navigator->instantiate(u"MainDetailController"_qs));
                detail->setCar(carRow("C1", "1"));
                t.navigator->push(detail);
            },
            {"ps_GetCarPhotoList", "ps_GetProductCarOption"},
            noServer + "차량 사진을 불러오지 못했습니다.\n차량 옵션을 불러오지 못했습니다.");
        row(
            "plate search",
            [](TestContext &t) {
                auto *found = qobject_cast<WorkOrder_p2 *>(t.navigator->instantiate(u"WorkOrder_p2"_qs));
                found->setSearchCarnum(u"3456"_qs);
                t.navigator->push(found);
            },
            {"ps_GetJobList1"}, noServer + "차량을 검색하지 못했습니다.");
        row(
            "job orders",
            [](TestContext &t) {
                auto *orders = qobject_cast<WorkOrder_p3 *>(t.navigator->instantiate(u"WorkOrder_p3"_qs));
                orders->setCar(u"C1"_qs, u"12가3456"_qs);
                t.navigator->push(orders);
            },
            {"ps_GetMainJobList"}, noServer + "작업 지시 목록을 불러오지 못했습니다.");
        row(
            "inspection items and shops",
            [](TestContext &t) {
                auto *items = qobject_cast<WorkWrite_p1 *>(t.navigator->instantiate(u"WorkWrite_p1"_qs));
                items->setOrder(u"C1"_qs, u"J1"_qs);
                t.navigator->push(items);
            },
            {"ps_GetCheckRepairList", "ps_GetStoreList"},
            noServer + "점검 항목을 불러오지 못했습니다.\n정비소 목록을 불러오지 못했습니다.");
        row(
            "wizard choice list",
            [](TestContext &t) {
                push<EnterCarController>(t, "EnterCarController")
                    ->import_p1_btns(EnterCarController::Company);
            },
            {"ps_CarLevel1Info"}, noServer + "차량 선택 목록을 불러오지 못했습니다.");
        row(
            "auction board", [](TestContext &t) { push<Screen>(t, "AuctionController"); },
            {"ps_GetAuctionCar_info1"}, noServer + "경매 목록을 불러오지 못했습니다.");
        // Money never moves from an alert: a bid is only ever placed by its own button.
        row("bid",
            [](TestContext &t) {
                auto *detail =
                    qobject_cast<AuctionDetailController *>(t.navigator->instantiate(u"auctionDetail"_qs));
                detail->setAuction(
                    {{"sAuctionCode", "A1"}, {"sCarProductCode", "C1"}, {"sAuctionStatus", "1"}});
                t.navigator->push(detail);
                detail->acu_money = u"17000000"_qs;
                detail->btnMoneyInsert();
                pressDialogAction(*detail, u"입찰"_qs); // the confirmation
            },
            {"ps_SetAuctionCar"}, noServer + "입찰 결과를 확인하지 못했습니다.", {"확인"});
        row("auction board refresh",
            [](TestContext &t) {
                auto *board = push<Screen>(t, "AuctionController");
                QTRY_COMPARE(t.procedures.deliveredCount(), 1);
                QTRY_COMPARE(board->loadingCount(), 0);
                t.procedures.answerOnce(u"ps_GetAuctionCar_info1"_qs, CannedAnswer::transportError());
                t.clock.advance(std::chrono::seconds(30));
            },
            {}, QString(), {});
    }
    void failures()
    {
        QFETCH(Start, start);
        QFETCH(QStringList, failing);
        QFETCH(CannedAnswer, answer);
        QFETCH(QString, alert);
        QFETCH(QStringList, buttons);
        for (const QString &procedure : failing)
            t->procedures.answerOnce(procedure, answer);
        start(*t);
        if (alert.isEmpty()) { // the board's refresh: asked and failed, in silence
            QTRY_COMPARE(t->procedures.callCount(u"ps_GetAuctionCar_info1"_qs), 2);
            QTRY_COMPARE(t->procedures.deliveredCount(), 2);
            QCoreApplication::processEvents();
            QCOMPARE(alertsShown(*t), QStringList());
            return;
        }
        QTRY_COMPARE(alertsShown(*t), QStringList{alert});
        Screen *top = t->navigator->top();
        QCOMPARE(top->pendingDialogs().size(), 1);
        QCOMPARE(shownDialogActions(*top), buttons);
        QList<int> calls;
        for (const QString &procedure : failing)
            calls << t->procedures.callCount(procedure);
        QVERIFY(pressDialogAction(*top, buttons.first()));
        const int repeats = buttons.first() == u"다시 시도"_qs ? 1 : 0;
        for (qsizetype i = 0; i < failing.size(); ++i)
            QTRY_COMPARE(t->procedures.callCount(failing.at(i)), calls.at(i) + repeats);
        QTRY_COMPARE(t->procedures.heldCount() + t->procedures.deliveredCount(),
                     t->procedures.calls().size());
        QCoreApplication::processEvents();
        QCOMPARE(alertsShown(*t), QStringList());
        for (qsizetype i = 0; i < failing.size(); ++i)
            QCOMPARE(t->procedures.callCount(failing.at(i)), calls.at(i) + repeats); // once, not twice
    }
};

QTEST_MAIN(TestRequestAlerts)
#include "tst_request_alerts.moc"
