// The car list, the car detail and its photo pager, headless with canned replies.
#include "CarFixtures.h"
#include "CarListController.h"
#include "DialogHelpers.h"
#include "MainDetailController.h"
#include "ModelLog.h"
#include "ReplyBuilder.h"
#include "WebController.h"

#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {

const QString kList = QStringLiteral("ps_GetUserProductCar_Info2");
const QString kStatus = QStringLiteral("ps_SetProductCar_Status");
const QString kPhotos = QStringLiteral("ps_GetCarPhotoList");
const QString kOwn = QStringLiteral("ps_GetProductCarOption");
const QString kCatalogue = QStringLiteral("ps_GetCarOption");

Record option(const QString &group, const QString &code, const QString &name = {})
{
    Record r{{QStringLiteral("sCarOptionCode"), group}, {QStringLiteral("sCarOptionDetailCode"), code}};
    if (!name.isEmpty()) {
        r.insert(QStringLiteral("sCarOptionDetailName"), name);
        r.insert(QStringLiteral("sCarOptionName"), QStringLiteral("그룹 ") + group);
    }
    return r;
}

// Five options in group 1, two in each of groups 2-4, one in each truck group 5-10.
Records catalogue()
{
    Records rows;
    for (int i = 1; i <= 5; ++i)
        rows.append(option("A000001", QStringLiteral("A1%1").arg(i), QStringLiteral("옵션1-%1 (고급)").arg(i)));
    for (const char *g : {"A000002", "A000003", "A000004"})
        for (int i = 1; i <= 2; ++i)
            rows.append(option(g, QStringLiteral("%1-%2").arg(g).arg(i), QStringLiteral("%1/%2").arg(g).arg(i)));
    for (const char *g : {"A000005", "A000006", "A000007", "A000008", "A000009", "A000010"})
        rows.append(option(g, QStringLiteral("T-%1").arg(g), QStringLiteral("트럭 %1").arg(g)));
    return rows;
}

Record detailCar(std::initializer_list<std::pair<QString, QString>> more = {})
{
    Record r = carRow("C000123", "1",
                      {{"sCarProductYearMonth", "2019년식"}, {"iCarProductMoney", "1234567"}, {"sCarCC", "1999"},
                       {"sCarColorName", "흰색"}, {"sCarProductContent", "무사고"}, {"sCarName3", "쏘나타 "}});
    for (const auto &f : more)
        r.insert(f.first, f.second);
    return r;
}

QStringList titlesOf(OptionGridModel &box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out.append(box.cell(i, "btn_Option").toString());
    return out;
}

} // namespace

class TestInventory : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    CarListController *openList(CarListController::Mode mode, const Records &rows, int searchNum = 0)
    {
        t->procedures.answer(kList, rows.isEmpty() ? noRowsBody() : replyBody(rows));
        auto *list = qobject_cast<CarListController *>(t->navigator->instantiate("CarListController"));
        list->showCars(QStringLiteral("목록"), searchNum, mode);
        t->navigator->push(list);
        [&] { QTRY_COMPARE(t->procedures.deliveredCount(), 1); }();
        return list;
    }
    QStringList codes(CarListController *list)
    {
        QStringList out;
        for (const Record &row : list->getMyCarList())
            out.append(row.value(QStringLiteral("sCarProductCode")));
        return out;
    }
    MainDetailController *openDetail(const Record &car, const QStringList &photoPaths = {},
                                     const Records &own = {}, bool wait = true)
    {
        Records photoRows;
        for (const QString &p : photoPaths)
            photoRows.append(Record{{QStringLiteral("sCarPhotoPath"), p}});
        t->procedures.answer(kPhotos, photoRows.isEmpty() ? noRowsBody() : replyBody(photoRows));
        t->procedures.answer(kOwn, own.isEmpty() ? noRowsBody() : replyBody(own));
        t->procedures.answer(kCatalogue, replyBody(catalogue()));
        auto *detail = qobject_cast<MainDetailController *>(t->navigator->instantiate("MainDetailController"));
        detail->setCar(car);
        t->navigator->push(detail);
        if (wait)
            [&] { QTRY_COMPARE(t->procedures.deliveredCount(), 3); }();
        return detail;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->procedures.answer(kStatus, singleElementsBody({{"rtn", "YES"}}, kProcedureExecute));
    }
    void cleanup() { t.reset(); }

    void listFetchStoreAndModeFilter_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("button");
        QTest::newRow("plain") << int(CarListController::Mode::Plain)
                               << QStringList{"s1", "s2", "s3", "s4", "s5", "s6", "s11", "s12", "s16", "s21", "s"}
                               << "";
        QTest::newRow("cancel") << int(CarListController::Mode::Cancel) << QStringList{"s2", "s3", "s16", "s21"}
                                << "  취소요청  ";
        QTest::newRow("release") << int(CarListController::Mode::Release)
                                 << QStringList{"s1", "s4", "s5", "s11", "s12"} << "  출고요청  ";
    }
    void listFetchStoreAndModeFilter()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, kept);
        QFETCH(QString, button);
        Records rows;
        for (const char *s : {"1", "2", "3", "4", "5", "6", "11", "12", "16", "21"})
            rows.append(carRow(QStringLiteral("s") + QLatin1String(s), QString::fromLatin1(s)));
        Record noStatus = carRow("s", "");
        noStatus.remove(QStringLiteral("sCarStatus"));
        rows.append(noStatus);
        CarListController *list = openList(CarListController::Mode(mode), rows, 9);
        QCOMPARE(t->procedures.callTextsOf(kList), QStringList{"ps_GetUserProductCar_Info2 'D0001', '9'"});
        QCOMPARE(codes(list), kept);
        QCOMPARE(list->carListCountText(), QString::number(kept.size()));
        QCOMPARE(list->rowButtonTitle(), button);
        // Stored as the list keeps them: "년식" after the year, the name cut before "(".
        QCOMPARE(list->getMyCarList().first().value(QStringLiteral("sCarProductYearMonth")), QStringLiteral("2019년식"));
        QCOMPARE(list->getMyCarList().first().value(QStringLiteral("sCarName3")), QStringLiteral("쏘나타 "));
        QCOMPARE(list->carListTable()->cell(0, "cell_name").toString(), QStringLiteral("현대 쏘나타 "));
    }

    void statusChanges_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("sent"); // empty: nothing is sent
        QTest::newRow("확인") << int(CarListController::Mode::Cancel) << "확인" << "7";
        QTest::newRow("취소") << int(CarListController::Mode::Cancel) << "취소" << "";
        QTest::newRow("차량 판매") << int(CarListController::Mode::Release) << "차량 판매" << "14";
        QTest::newRow("위탁 차량 반환") << int(CarListController::Mode::Release) << "위탁 차량 반환" << "5";
        QTest::newRow("구입 취소") << int(CarListController::Mode::Release) << "구입 취소" << "7";
        QTest::newRow("선택 취소") << int(CarListController::Mode::Release) << "선택 취소" << "";
    }
    void statusChanges()
    {
        QFETCH(int, mode);
        QFETCH(QString, pressed);
        QFETCH(QString, sent);
        const bool cancel = mode == int(CarListController::Mode::Cancel);
        const QString status = cancel ? QStringLiteral("2") : QStringLiteral("1");
        CarListController *list = openList(CarListController::Mode(mode),
                                           {carRow("C1", status), carRow("C2", status), carRow("C3", status)});
        ModelLog log(list->carListTable());
        list->pressRowButton(1);
        QCOMPARE(dialogTitles(*list), QStringList{"쏘나타 "});
        QCOMPARE(list->pendingDialogs().first().message,
                 cancel ? QStringLiteral("차량 입고를 취소하시겠습니까?") : QStringLiteral("출고 사유를 선택해주세요."));
        QVERIFY(pressDialogAction(*list, pressed));
        if (sent.isEmpty()) {
            QCOMPARE(t->procedures.callCount(kStatus), 0);
            QCOMPARE(codes(list), (QStringList{"C1", "C2", "C3"}));
            return;
        }
        QCOMPARE(t->procedures.callTextsOf(kStatus),
                 QStringList{QStringLiteral("ps_SetProductCar_Status 'C2', '%1', 'D0001', 'MOBILE_DEALER'").arg(sent)});
        QCOMPARE(t->procedures.calls().last().operation, kProcedureExecute);
        // Only that row goes: no reset, so the list stays where the dealer scrolled it;
        // the next row takes over its tag.
        QCOMPARE(log.entries, (QStringList{"-1", "~1 cell_index", "count"}));
        QTRY_COMPARE(t->procedures.deliveredCount(), 2);
        QCoreApplication::processEvents(); // an alert would come on the next turn
        QVERIFY(list->pendingDialogs().isEmpty());
        QCOMPARE(codes(list), (QStringList{"C1", "C3"}));
        QCOMPARE(list->carListCountText(), QStringLiteral("2"));
    }

    // What the service answered decides the row: a change not made (or not known to
    // be made) puts it back where it was, and the dealer is told why.
    void statusChangeOutcomes_data()
    {
        QTest::addColumn<CannedAnswer>("answer");
        QTest::addColumn<QString>("alert"); // title|message
        QTest::addColumn<QStringList>("buttons");
        const QString line = QStringLiteral("차량 상태를 변경하지 못했습니다.");
        const QStringList retry{"다시 시도", "확인"};
        QTest::newRow("NO with a reason")
            << CannedAnswer::reply(singleElementsBody(
                   {{"rtn", "NO"}, {"sMessage", "현재 차량상태에서는 변경할 수 없습니다."}}, kProcedureExecute))
            << "요청이 거절되었습니다.|" + line + "\n현재 차량상태에서는 변경할 수 없습니다." << QStringList{"확인"};
        QTest::newRow("unreadable") << CannedAnswer::badReply() << "서버의 응답을 읽을 수 없습니다.|" + line << retry;
        QTest::newRow("no connection") << CannedAnswer::transportError() << "서버에 연결할 수 없습니다.|" + line
                                       << retry;
    }
    void statusChangeOutcomes()
    {
        QFETCH(CannedAnswer, answer);
        QFETCH(QString, alert);
        QFETCH(QStringList, buttons);
        t->procedures.answer(kStatus, answer);
        CarListController *list =
            openList(CarListController::Mode::Cancel, {carRow("C1", "2"), carRow("C2", "2"), carRow("C3", "2")});
        list->Action_isCarCheck1(1);
        QVERIFY(pressDialogAction(*list, QStringLiteral("확인")));
        QTRY_COMPARE(t->procedures.deliveredCount(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(codes(list), (QStringList{"C1", "C2", "C3"}));
        QCOMPARE(list->carListTable()->cell(2, "cell_index").toInt(), 2);
        QCOMPARE(dialogTitles(*list), QStringList{alert.section(u'|', 0, 0)});
        QCOMPARE(list->pendingDialogs().first().message, alert.section(u'|', 1));
        QCOMPARE(shownDialogActions(*list), buttons);
        // Given up, the list shows the cars as the service has them: here none.
        t->procedures.answer(kList, noRowsBody());
        QVERIFY(pressDialogAction(*list, QStringLiteral("확인")));
        QTRY_COMPARE(list->carListCountText(), QStringLiteral("0"));
    }

    // A list asked for before a status change comes too late to bring the car back.
    void anOlderListNeverBringsBackAChangedCar()
    {
        CarListController *list = openList(CarListController::Mode::Cancel, {carRow("C1", "2"), carRow("C2", "2")});
        t->procedures.answerOnce(kStatus, CannedAnswer::transportError());
        list->Action_isCarCheck1(0);
        QVERIFY(pressDialogAction(*list, QStringLiteral("확인")));
        QTRY_COMPARE(dialogTitles(*list), QStringList{"서버에 연결할 수 없습니다."});
        t->procedures.setHolding(true);
        QVERIFY(pressDialogAction(*list, QStringLiteral("확인"))); // given up: the list is asked for
        list->Action_isCarCheck1(1);
        QVERIFY(pressDialogAction(*list, QStringLiteral("확인")));
        QCOMPARE(t->procedures.heldCount(), 2);
        t->procedures.releaseAll(); // the list (still with C2), then the change
        QCOMPARE(codes(list), QStringList{"C1"});
    }

    void listToDetailHandsTheWholeRecord()
    {
        CarListController *list = openList(CarListController::Mode::Plain, {carRow("C1", "1"), carRow("C2", "3")});
        list->Action_isCarCheck1(0); // no mode: the row buttons do nothing
        QVERIFY(list->pendingDialogs().isEmpty());
        list->openCar(1);
        auto *detail = qobject_cast<MainDetailController *>(t->navigator->top());
        QVERIFY(detail);
        QCOMPARE(detail->takeList, list->getMyCarList().at(1));
    }

    void detailLabels_data()
    {
        QTest::addColumn<Record>("car");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("readCount");
        QTest::newRow("three name parts") << detailCar({{"sCarName4", "프리미엄"}, {"iCarProductReadCount", "17"}})
                                          << "현대 쏘나타  프리미엄" << "17";
        // An empty fourth part is present: three parts, the last empty.
        QTest::newRow("empty fourth part") << detailCar({{"sCarName4", ""}}) << "현대 쏘나타  " << "0";
        QTest::newRow("two name parts") << detailCar() << "현대 쏘나타 " << "0";
        QTest::newRow("truck") << detailCar({{"sCarGroup", "화물특장버스"}, {"sCarFormName1", "포터2 윙바디"}})
                               << "포터2 윙바디" << "0";
    }
    void detailLabels()
    {
        QFETCH(Record, car);
        QFETCH(QString, name);
        QFETCH(QString, readCount);
        MainDetailController *detail = openDetail(car, {}, {}, false);
        QCOMPARE(detail->detail_Name, name);
        QCOMPARE((QStringList{detail->detail_info, detail->detail_Price, detail->detail_Year, detail->detail_Kind,
                              detail->detail_CC, detail->detail_Color, detail->datail_CarNumber, detail->detail_Content,
                              detail->detail_mileage, detail->detail_readCount, detail->detail_favoirteCount}),
                 (QStringList{"12가3456  /  2019년식", "1,234,567", "  2019년식", "쏘나타", "  1,999 cc", "  흰색",
                              "  12가3456", "무사고", "  45,210 km", readCount, "0"}));
    }

    void iconsAndBoxes_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QList<int>>("box1"); // selected items of box 1 (car) or box 3 (truck)
        QTest::newRow("car") << "승용" << QList<int>{2};
        QTest::newRow("truck") << "화물특장버스" << QList<int>{0};
    }
    void iconsAndBoxes()
    {
        QFETCH(QString, group);
        QFETCH(QList<int>, box1);
        const bool truck = group == QStringLiteral("화물특장버스");
        // A13 is group 1's option (lit in box 1 only), A000039 lights the first icon.
        MainDetailController *detail =
            openDetail(detailCar({{"sCarGroup", group}}), {},
                       {option("A000001", "A13"), option("A000003", "A13"), option("A000008", "T-A000008"),
                        option("X", "A000039"), option("X", "A000013")});
        QCOMPARE(detail->optionImages(),
                 (QStringList{"detail_icn_01_on", "", "", "", "", "", "", "detail_icn_08_on"}));
        OptionGridModel &box = detail->box(truck ? 3 : 1);
        QList<int> selected;
        for (int i = 0; i < box.count(); ++i)
            if (box.isSelected(i))
                selected.append(i);
        QCOMPARE(selected, box1);
        if (truck) {
            QCOMPARE(titlesOf(detail->box(1)), (QStringList{"트럭 A000005", "트럭 A000006"}));
            QCOMPARE(titlesOf(detail->box(3)), (QStringList{"트럭 A000008", "트럭 A000009"}));
        } else {
            QCOMPARE(titlesOf(detail->box(1)).first(), QStringLiteral("옵션1-1 \n(고급)"));
            QVERIFY(!detail->box(3).isSelected(0)); // "A13" under group 3 is not group 3's A000003-1
        }
    }

    void foldingTheBoxes()
    {
        t->procedures.setHolding(true);
        MainDetailController *detail = openDetail(detailCar(), {}, {}, false);
        const double base = detail->contentSizeH();
        detail->btnOptionMore(); // before the catalogue: unfolds by nothing
        QTRY_COMPARE(detail->optionMoreTitle(), QStringLiteral("- 옵션 닫기"));
        t->procedures.releaseAll();
        t->procedures.releaseAll();
        detail->btnOptionMore(); // folds by what it unfolded
        QTRY_COMPARE(detail->optionMoreTitle(), QStringLiteral("+ 옵션 더보기"));
        QCOMPARE(detail->contentSizeH(), base);
        detail->btnOptionMore();
        QTRY_VERIFY(detail->contentSizeH() > base);
        detail->btnOptionMore();
        QTRY_COMPARE(detail->contentSizeH(), base);
    }

    void detailActions_data()
    {
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("handed"); // the web page, or the alert on the detail
        QTest::newRow("settlement") << QByteArray("openSettlement") << u"1"_qs
                                    << "summery|&sCarProductCode=C000123|정산내역";
        QTest::newRow("record") << QByteArray("openInspectionRecord") << u"1"_qs
                                << "record|C000123|성능점검 기록부";
        QTest::newRow("prices") << QByteArray("openPriceEntry") << u"1"_qs
                                << "inoutgate|C000123|매입매출금액입력";
        QTest::newRow("edit") << QByteArray("editCar") << u"1"_qs << "";
        // A contract is only written for a car coming in or on sale.
        QTest::newRow("계약서, 1") << QByteArray("gotoAction_ContractPic") << u"1"_qs << "";
        QTest::newRow("계약서, 3") << QByteArray("gotoAction_ContractPic") << u"3"_qs << "";
        QTest::newRow("계약서, 2") << QByteArray("gotoAction_ContractPic") << u"2"_qs << "오류";
    }
    void detailActions()
    {
        QFETCH(QByteArray, action);
        QFETCH(QString, status);
        QFETCH(QString, handed);
        MainDetailController *detail = openDetail(detailCar({{"sCarStatus", status}}));
        QVERIFY(QMetaObject::invokeMethod(detail, action.constData()));
        QCoreApplication::processEvents();
        Screen *top = t->navigator->top();
        if (auto *web = qobject_cast<WebController *>(top)) {
            QCOMPARE(web->ch + u'|' + web->pCode + u'|' + web->setTitle, handed);
            return;
        }
        if (top == detail) {
            QCOMPARE(dialogTitles(*detail), handed.isEmpty() ? QStringList() : QStringList{handed});
            return;
        }
        QCOMPARE(top->identifier(), QStringLiteral("EnterCarController"));
        QVERIFY(AppData::shared()->editCarInfo);
        QCOMPARE(AppData::shared()->enterCarInfo.value(QStringLiteral("iCarProductMoney")), QStringLiteral("1234567"));
        QCOMPARE(AppData::shared()->enterCarInfo.size(), detailCar().size());
    }

    void pagerTurnsWrapsAndStopsWithTheDetail()
    {
        MainDetailController *detail = openDetail(detailCar(), {"a.jpg", "", "b.jpg", "c.jpg"});
        PhotoPager &pager = detail->pager();
        QCOMPARE(pager.count(), 3); // an empty path names no picture
        QCOMPARE(pager.pageAddress(2), QUrl("http://127.0.0.1:8080/image_product/C000123/c.jpg"));
        QVERIFY(pager.isRunning());
        for (const int page : {1, 2, 0, 1}) {
            pager.autoPaging();
            QCOMPARE(pager.currentPage(), page);
        }
        pager.pageSettled(2); // a swipe came to rest on the last photo
        pager.autoPaging();
        QCOMPARE(pager.currentPage(), 0);

        t->navigator->push(new Screen(t->ctx())); // the detail disappears
        QVERIFY(!pager.isRunning());
    }

    void photosArrivingAfterTheDetailLeftStartNothing()
    {
        t->procedures.setHolding(true);
        MainDetailController *detail = openDetail(detailCar(), {"a.jpg"}, {}, false);
        t->navigator->push(new Screen(t->ctx()));
        t->procedures.releaseAll();
        QCOMPARE(detail->pager().count(), 1);
        QVERIFY(!detail->pager().isRunning());
    }
};

QTEST_MAIN(TestInventory)
#include "tst_inventory.moc"
