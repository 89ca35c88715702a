// The work-order screens with canned replies: what the rows show, the hand-offs
// from the search to the job lines, the order rules, the two replies of the
// inspection step in either order, the job lines kept per order, and the pages.
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "QmlPageHarness.h"
#include "ReplyBuilder.h"
#include "WebController.h"
#include "WorkOrder_p1.h"
#include "WorkOrder_p2.h"
#include "WorkOrder_p3.h"
#include "WorkWrite_p1.h"
#include "WorkWrite_p2.h"

#include <QQuickItem>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {

const QString kCars = QStringLiteral("ps_GetJobList1");
const QString kOrders = QStringLiteral("ps_GetMainJobList");
const QString kItems = QStringLiteral("ps_GetCheckRepairList");
const QString kShops = QStringLiteral("ps_GetStoreList");

Records shops(int count)
{
    Records rows;
    for (int i = 1; i <= count; ++i)
        rows.append(Record{{"sStoreCode", u"R%1"_qs.arg(i)}, {"sStoreName", u"정비소%1"_qs.arg(i)}});
    return rows;
}

Record order(const QString &code, const QString &status, const QString &regdate = u"20200512143025"_qs)
{
    return {{"sJobListCode", code},          {"iJobPrice", "1500000"},         {"sJobListRegdate", regdate},
            {"sJobOrderListStatus", status}, {"sJobContent", "엔진오일 교환"}, {"sStoreCode", "R1"},
            {"sStoreName", "정비소1"}};
}

CannedAnswer rowsOrNo(const Records &rows)
{
    return CannedAnswer::reply(rows.isEmpty() ? noRowsBody() : replyBody(rows));
}

QStringList cells(const RecordListModel &model, int row, const QByteArrayList &outlets)
{
    QStringList out;
    for (const QByteArray &outlet : outlets)
        out.append(model.cell(row, outlet).toString());
    return out;
}

} // namespace

class TestWorkOrder : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    template <typename T> T *top() const { return qobject_cast<T *>(t->navigator->top()); }
    // Shows screen `identifier` set up as its opener would.
    template <typename T, typename Setup> T *show(const QString &identifier, Setup setup)
    {
        auto *screen = qobject_cast<T *>(t->navigator->instantiate(identifier));
        setup(screen);
        t->navigator->push(screen);
        return screen;
    }
    WorkOrder_p3 *showOrders(const Records &orders)
    {
        t->procedures.answer(kOrders, rowsOrNo(orders));
        return show<WorkOrder_p3>(u"WorkOrder_p3"_qs,
                                  [](WorkOrder_p3 *s) { s->setCar(u"C1"_qs, u"12가3456"_qs); });
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->navigator->push(new Screen(t->ctx())); // the drawer's dashboard
        t->procedures.answer(kItems, noRowsBody());
        t->procedures.answer(kShops, replyBody(shops(1)));
    }
    void cleanup() { t.reset(); }

    void searchRowsAndCheck_data()
    {
        QTest::addColumn<Record>("car");
        QTest::addColumn<QStringList>("shown"); // year, kind, VIN, plate, status, complete button
        const auto car = [](const QString &status, const QString &check) {
            return carRow(u"C1"_qs, status,
                          {{"sCarIdNum", "KMHL14"},
                           {"sCarProductYearMonth", "201907"},
                           {"sCarProductCheckStatus", check}});
        };
        const QStringList shown{"2019년식", "현대 / 쏘나타", "KMHL14", "12가3456"};
        QTest::newRow("61, check 3: ready") << car("61", "3") << shown + QStringList{"  Error  ", "ready"};
        QTest::newRow("61, check 1: ready") << car("61", "1") << shown + QStringList{"  Error  ", "ready"};
        QTest::newRow("61, check 2: fresh") << car("61", "2") << shown + QStringList{"  Error  ", "fresh"};
        QTest::newRow("12: disabled") << car("12", "3") << shown + QStringList{"  출고대기  ", "disabled"};
        QTest::newRow("only a plate: no way on")
            << Record{{"sCarProductNum", "99허9999"}, {"sCarProductYearMonth", "19"}}
            << QStringList{"", "", "", "99허9999", "", "disabled"};
        QTest::newRow("nothing found: the notice") << Record() << QStringList(6);
    }
    void searchRowsAndCheck()
    {
        QFETCH(Record, car);
        QFETCH(QStringList, shown);
        t->procedures.answer(kCars, rowsOrNo(car.isEmpty() ? Records() : Records{car}));
        t->procedures.answer(kOrders, replyBody({order("J1", "1")}));
        t->navigator->performSegue(QStringLiteral("main_to_workOrder"), nullptr);
        top<WorkOrder_p1>()->carNum = QStringLiteral("3456");
        top<WorkOrder_p1>()->search();
        auto *found = top<WorkOrder_p2>();
        QTRY_COMPARE(t->procedures.deliveredCount(), 1);
        QCOMPARE(found->searchListCount(), car.isEmpty() ? u"0"_qs : u"1"_qs);
        QCOMPARE(cells(found->table(), 0,
                       {"cell_CarDate", "cell_CarKind", "cell_CarNum2", "cell_CarNum", "cell_CarState",
                        "cell_btnCompleteLook"}),
                 shown);
        QCOMPARE(found->noSearchDataVisible(), car.isEmpty());
        found->cell_btnCheck_Action(0);
        auto *orders = top<WorkOrder_p3>();
        QCOMPARE(orders ? orders->productCode + u'|' + orders->car_Number : QString(),
                 car.contains(u"sCarProductCode"_qs) ? u"C1|12가3456"_qs : QString());
    }

    void orderButtons_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("outcome"); // the screen on top, and its dialog
        const QString refused = QStringLiteral(
            "WorkOrder_p3|오류|이미 주문접수 상태입니다.\n주문접수 상태이면 취소하실 수 없습니다.");
        QTest::newRow("edit, open") << "1" << true << "WorkWrite_p1||";
        QTest::newRow("edit, taken") << "2" << true << refused;
        QTest::newRow("edit, no status") << "" << true << refused;
        QTest::newRow("delete, open") << "1" << false << "WorkOrder_p3||삭제하시겠습니까?";
        QTest::newRow("delete, taken") << "2" << false << refused;
    }
    void orderButtons()
    {
        QFETCH(QString, status);
        QFETCH(bool, edit);
        QFETCH(QString, outcome);
        WorkOrder_p3 *screen = showOrders({order("J7", status)});
        QTRY_COMPARE(screen->table().count(), 1);
        edit ? screen->cell_EditButton_Action(0) : screen->cell_DelButton_Action(0);
        const QList<DialogRequest> &dialogs = screen->pendingDialogs();
        QCOMPARE(t->navigator->top()->identifier() + u'|' +
                     (dialogs.isEmpty() ? u"|"_qs : dialogs.first().title + u'|' + dialogs.first().message),
                 outcome);
        if (auto *writing = top<WorkWrite_p1>()) // the car's code comes along with the order's
            QCOMPARE(writing->take_ProductCode + u'|' + writing->take_JobListCode, u"C1|J7");
        if (!edit && status == QLatin1String("1")) {
            QCOMPARE(shownDialogActions(*screen), (QStringList{"확인", "취소"}));
            QVERIFY(pressDialogAction(*screen, QStringLiteral("확인")));
            QCOMPARE(t->procedures.calls().size(), 1); // nothing is sent for a delete
            QCOMPARE(screen->table().count(), 1);
        }
    }

    void carWithoutOrdersOpensANewOneOnce()
    {
        WorkOrder_p3 *screen = showOrders({});
        QTRY_VERIFY(top<WorkWrite_p1>());
        QCOMPARE(top<WorkWrite_p1>()->take_ProductCode + u'|' + top<WorkWrite_p1>()->take_JobListCode,
                 u"C1|");
        const int depth = t->navigator->depth();
        Record odd = order("J1", "1", "2020051");
        odd.insert(QStringLiteral("iJobPrice"), QString());
        t->procedures.answer(kOrders, replyBody({odd}));
        t->navigator->pop(); // back: the list is fetched again and shows the new order
        QTRY_COMPARE(screen->table().count(), 1);
        // A time not in the usual form is shown as it stands; an empty price not at all.
        QCOMPARE(cells(screen->table(), 0, {"cell_Time", "cell_RepairPrice"}), (QStringList{"2020051", ""}));
        t->procedures.answer(kOrders, noRowsBody());
        t->navigator->push(new Screen(t->ctx()));
        t->navigator->pop();
        QTRY_COMPARE(screen->table().count(), 0);
        QCOMPARE(t->navigator->top(), screen); // no second order opened by itself
        screen->openNewOrder();
        QCOMPARE(t->navigator->depth(), depth); // one screen for a new order
    }

    void inspectionRepliesInEitherOrder_data()
    {
        QTest::addColumn<bool>("itemsFirst");
        QTest::addColumn<int>("items");     // -1: the request fails
        QTest::addColumn<int>("shopCount"); // -1: the request fails
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("skips");      // ends on the job lines with every shop
        QTest::addColumn<bool>("nextAtOnce"); // "다음" pressed before either reply
        QTest::newRow("no items, two shops, items first") << true << 0 << 2 << true << true << false;
        QTest::newRow("no items, two shops, shops first") << false << 0 << 2 << true << true << false;
        QTest::newRow("no items, one shop, items first") << true << 0 << 1 << true << false << false;
        QTest::newRow("two items, three shops") << false << 2 << 3 << true << false << false;
        QTest::newRow("no items, but the dealer left") << true << 0 << 2 << false << false << false;
        QTest::newRow("items fail") << true << -1 << 2 << true << false << false;
        QTest::newRow("shops fail") << false << 0 << -1 << true << false << false;
        QTest::newRow("both fail") << true << -1 << -1 << true << false << false;
        // The job lines choose from the shop list: "다음" waits for it.
        QTest::newRow("다음 before the shops") << true << 2 << 3 << true << true << true;
    }
    void inspectionRepliesInEitherOrder()
    {
        QFETCH(bool, itemsFirst);
        QFETCH(int, items);
        QFETCH(int, shopCount);
        QFETCH(bool, shown);
        QFETCH(bool, skips);
        QFETCH(bool, nextAtOnce);
        const Records itemRows(qMax(items, 0), Record{{"sCarProductCheckItemName", "엔진"},
                                                      {"sCarProductCheckItemContent", "누유"}});
        t->procedures.answer(kItems, items < 0 ? CannedAnswer::transportError() : rowsOrNo(itemRows));
        t->procedures.answer(kShops,
                             shopCount < 0 ? CannedAnswer::transportError() : rowsOrNo(shops(shopCount)));
        t->procedures.setHolding(true);
        auto *screen =
            show<WorkWrite_p1>(u"WorkWrite_p1"_qs, [](WorkWrite_p1 *s) { s->setOrder(u"C1"_qs, u"J1"_qs); });
        QCOMPARE(t->procedures.callTexts(),
                 (QStringList{"ps_GetCheckRepairList 'C1', 'J1'", "ps_GetStoreList"}));
        if (!shown)
            screen->openInspectionRecord();
        if (nextAtOnce)
            screen->openJobLines();
        QVERIFY(t->procedures.releaseNext(itemsFirst ? kItems : kShops));
        QCOMPARE(t->navigator->top()->identifier(), shown ? u"WorkWrite_p1"_qs : u"WebController"_qs);
        QVERIFY(t->procedures.releaseNext(itemsFirst ? kShops : kItems));
        QCOMPARE(top<WorkWrite_p2>() ? top<WorkWrite_p2>()->takeRepairList.size() : -1,
                 skips ? shopCount : -1);
        QCOMPARE(screen->table().count(), qMax(items, 0));
        // One alert, however many requests failed.
        QCOMPARE(dialogTitles(*screen),
                 items < 0 || shopCount < 0 ? QStringList{"서버에 연결할 수 없습니다."} : QStringList());
    }

    // Lines are found by their id where they are now; what was typed and chosen
    // stays with its line and with the order for the rest of the session.
    void jobLinesKeptPerOrder()
    {
        const auto open = [this](const QString &jobListCode, const JobLine &first = {}) {
            return show<WorkWrite_p2>(u"WorkWrite_p2"_qs, [&](WorkWrite_p2 *s) {
                s->setOrder(shops(2), JobOrderKey{u"D0001"_qs, u"C1"_qs, jobListCode}, first);
            });
        };
        const auto texts = [](WorkWrite_p2 *screen) {
            QStringList out;
            for (const JobLine &line : screen->lines().lines())
                out.append(line.content + u'@' + line.shop.value(QStringLiteral("sStoreName")));
            return out;
        };
        WorkWrite_p2 *screen = open(QStringLiteral("J1"));
        for (int i = 0; i < 3; ++i)
            screen->cell_AddButtonAction();
        QList<int> ids;
        for (int i = 0; i < 4; ++i) {
            ids.append(screen->lines().idAt(i));
            screen->setJobContent(ids[i], QStringLiteral("작업%1").arg(i));
        }
        screen->cell_JobButtonAction(ids[2]);
        QVERIFY(pressDialogAction(*screen, QStringLiteral("정비소2")));
        screen->cell_DelButtonAction(ids[1]);
        screen->cell_DelButtonAction(ids[3]); // drawn fourth, now third
        QCOMPARE(texts(screen), (QStringList{"작업0@", "작업2@정비소2"}));

        t->navigator->pop();
        QCOMPARE(texts(open(QStringLiteral("J1"))), (QStringList{"작업0@", "작업2@정비소2"}));
        t->navigator->pop();
        QCOMPARE(texts(open(QString())), QStringList{"@"}); // another order starts with one empty line
        t->navigator->pop();
        // Lines written in this session win over the order's own first line.
        QCOMPARE(texts(open(u"J1"_qs, JobLine{u"주문 내용"_qs, {}})),
                 (QStringList{"작업0@", "작업2@정비소2"}));
    }

    // The pages walked as a dealer would: type a plate and press Return, open a
    // car's orders, edit one, pick shops, look at the inspection record, add job
    // lines. No page may warn; a line's text and shop must survive a scroll.
    void walkThePages()
    {
        std::unique_ptr<QmlPageHarness> harness;
        QStringList warnings;      // of the pages shown before
        const auto showTop = [&] { // the page of the screen on top, alone in a fresh window
            if (harness)
                warnings += harness->warnings();
            harness.reset();
            harness = std::make_unique<QmlPageHarness>();
            QQuickItem *page =
                harness->load(t->navigator->pageOf(t->navigator->top()->identifier()), t->navigator->top());
            harness->settle(100);
            return page;
        };
        const auto type = [&](const QString &field, const char *text) {
            harness->findAccessible(field)->forceActiveFocus();
            for (const char *c = text; *c; ++c)
                QTest::keyClick(harness->window(), *c);
        };
        Records three = shops(3);
        three[2].remove(QStringLiteral("sStoreName"));
        t->procedures.answer(kCars, replyBody({carRow("C1", "61", {{"sCarProductCheckStatus", "1"}})}));
        t->procedures.answer(kOrders, replyBody({order("J1", "1")}));
        t->procedures.answer(kItems, replyBody({Record{{"sCarProductCheckItemName", "엔진"},
                                                       {"sCarProductCheckItemContent", "누유"}},
                                                Record{{"sCarProductCheckItemName", "타이어"}}}));
        t->procedures.answer(kShops, replyBody(three));
        t->navigator->performSegue(QStringLiteral("main_to_workOrder"), nullptr);

        QVERIFY(showTop());
        QTRY_VERIFY(harness->findAccessible(QStringLiteral("차량번호"))->hasActiveFocus());
        type(QStringLiteral("차량번호"), "3456");
        QTest::keyClick(harness->window(), Qt::Key_Return);
        QVERIFY(showTop());
        QTRY_VERIFY(harness->findAccessible(QStringLiteral("작업 지시 12가3456")));
        QVERIFY(harness->click(QStringLiteral("작업 지시 12가3456")));
        QVERIFY(showTop());
        // Rows read as they show; their buttons name them.
        QVERIFY(harness->findAccessible(u"작업 지시번호: J1 2020.05.12 14:30:25 12가3456 1,500,000 원"_qs));
        QTRY_VERIFY(harness->findAccessible(u"수정 J1"_qs));
        QVERIFY(harness->click(u"수정 J1"_qs));

        auto *items = top<WorkWrite_p1>();
        QVERIFY(showTop());
        QTRY_VERIFY(harness->findAccessible(QStringLiteral("정비소 선택 엔진(누유)")));
        QVERIFY(harness->click(QStringLiteral("정비소 선택 엔진(누유)")));
        QCOMPARE(shownDialogActions(*items), (QStringList{"정비소1", "정비소2", "", "선택 취소"}));
        QVERIFY(pressDialogAction(*items, QStringLiteral("정비소2")));
        QTRY_VERIFY(harness->findAccessible(QStringLiteral("정비소2 엔진(누유)")));
        QCOMPARE(cells(items->table(), 1, {"cell_label", "cell_Button"}),
                 (QStringList{"타이어()", "정비소 선택"}));
        QVERIFY(harness->click(QStringLiteral("성능 점검 기록부")));
        auto *web = top<WebController>();
        QCOMPARE(web->ch + u'|' + web->pCode + u'|' + web->setTitle, u"record|C1|성능 점검 기록부");
        t->navigator->pop();
        QVERIFY(harness->click(QStringLiteral("다음")));

        auto *lines = top<WorkWrite_p2>();
        QCOMPARE(lines->takeRepairList, three); // every shop, whatever was chosen
        QCOMPARE(lines->orderKey.userCode + lines->orderKey.productCode + lines->orderKey.jobListCode,
                 u"D0001C1J1");
        QQuickItem *page = showTop();
        // The order's own work and shop are its first line (edited here, nothing was kept yet).
        QCOMPARE(harness->findAccessible(u"작업 내용 1"_qs)->property("text").toString(), u"엔진오일 교환");
        QVERIFY(harness->findAccessible(u"정비소 1 정비소1"_qs));
        // A long text grows its line, then scrolls in it: what is typed stays above the buttons.
        type(QStringLiteral("작업 내용 1"), "oil");
        for (int i = 0; i < 15; ++i)
            QTest::keyClick(harness->window(), Qt::Key_Return);
        QQuickItem *field = harness->findAccessible(QStringLiteral("작업 내용 1"));
        QQuickItem *add = harness->findAccessible(QStringLiteral("작업 추가 1"));
        QTRY_VERIFY(field->mapRectToScene(field->property("cursorRectangle").toRectF()).bottom() <=
                    add->mapRectToScene(add->boundingRect()).top());
        QVERIFY(harness->click(u"작업 추가 1"_qs));
        QVERIFY(!harness->findAccessible(u"작업 내용 1"_qs)->hasActiveFocus()); // the keyboard closed
        QTRY_VERIFY(harness->findAccessible(u"작업 내용 2"_qs));
        type(u"작업 내용 2"_qs, "tire");
        QVERIFY(harness->click(u"정비소 2 정비소 선택"_qs));
        QVERIFY(pressDialogAction(*lines, u"정비소1"_qs));
        for (int i = 0; i < 14; ++i)
            lines->cell_AddButtonAction();
        // Line 2's cell is dropped when scrolled out of view, and made anew when back.
        auto *table = page->findChild<QQuickItem *>(QStringLiteral("theTable"));
        QMetaObject::invokeMethod(table, "positionViewAtEnd");
        QTRY_VERIFY(!harness->findAccessible(QStringLiteral("작업 내용 2")));
        QMetaObject::invokeMethod(table, "positionViewAtBeginning");
        QTRY_VERIFY(harness->findAccessible(u"정비소 2 정비소1"_qs));
        QCOMPARE(harness->findAccessible(u"작업 내용 2"_qs)->property("text").toString(), u"tire");
        QVERIFY2((warnings + harness->warnings()).isEmpty(),
                 qPrintable(warnings.join(u'\n') + harness->report()));
    }
};

QTEST_MAIN(TestWorkOrder)
#include "tst_workorder.moc"
