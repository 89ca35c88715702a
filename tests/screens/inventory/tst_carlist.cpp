#include "CarListController.h"
#include "InventoryFixtures.h"
#include "MainDetailController.h"
#include "ReplyBuilder.h"

#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {
const QString kList = QStringLiteral("ps_GetUserProductCar_Info2");
const QString kStatus = QStringLiteral("ps_SetProductCar_Status");

QStringList codes(const Records &rows)
{
    QStringList out;
    for (const Record &r : rows)
        out.append(r.value(QStringLiteral("sCarProductCode")));
    return out;
}

QStringList titles(const DialogRequest &dialog)
{
    QStringList out;
    for (const DialogAction &a : dialog.actions)
        out.append(a.title);
    return out;
}
} // namespace

class TestCarList : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    enum Mode { Plain, Cancel, Release };

    // Opens the list as its opener would and waits for its reply.
    CarListController *open(Mode mode, int searchNum, const Records &rows)
    {
        t->procedures.answer(kList, replyBody(rows));
        auto *screen =
            qobject_cast<CarListController *>(t->navigator->instantiate(QStringLiteral("CarListController")));
        screen->setProperty("subTitle", QStringLiteral("차량 입고를 취소할 수 있습니다."));
        screen->setProperty("searchNum", searchNum);
        screen->setProperty("isCarCheck1", mode == Cancel);
        screen->setProperty("isCarCheck2", mode == Release);
        const int before = t->procedures.deliveredCount();
        t->navigator->push(screen);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(t->procedures.deliveredCount() > before, 10000); }();
        return screen;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startInventoryTest(*t);
    }
    void cleanup() { t.reset(); }

    void fetchesWithTheListNumberAndKeepsEveryRowWithoutAMode()
    {
        CarListController *screen = open(Plain, 9, {carRow("C1", "9"), carRow("C2", "6"), carRow("C3", "1")});
        QCOMPARE(t->procedures.callTextsOf(kList),
                 QStringList{QStringLiteral("ps_GetUserProductCar_Info2 'D0001', '9'")});
        QCOMPARE(t->procedures.calls().first().operation, kProcedureList);
        QCOMPARE(t->procedures.calls().first().shape.cleaning, Cleaning::Trimming);
        // All 48 fields of a car row, the service's own spelling included.
        QCOMPARE(t->procedures.calls().first().shape.rowFields.size(), 48);
        QVERIFY(t->procedures.calls().first().shape.rowFields.contains(QStringLiteral("iFavoirteCount")));
        QCOMPARE(codes(screen->getMyCarList), (QStringList{"C1", "C2", "C3"}));
        QCOMPARE(screen->property("getCarListCount").toString(), QStringLiteral("3"));
        QCOMPARE(screen->rowButtonTitle(), QString());
        QCOMPARE(screen->property("getCarListSubTitle").toString(),
                 QStringLiteral("차량 입고를 취소할 수 있습니다."));
        QCOMPARE(screen->footerTitle(), QStringLiteral("Tar Vesta"));
        QTRY_COMPARE(screen->loadingCount(), 0);
    }

    void modeFilter_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("button");
        // Statuses sent: 1 2 3 4 5 6 7 11 12 16 17 18 19 20 21 02 and one row without a status.
        QTest::newRow("cancel") << int(Cancel)
                                << QStringList{"s2", "s3", "s16", "s17", "s18", "s19", "s20", "s21"}
                                << QStringLiteral("  취소요청  ");
        QTest::newRow("release") << int(Release) << QStringList{"s1", "s4", "s5", "s11", "s12"}
                                 << QStringLiteral("  출고요청  ");
    }
    void modeFilter()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, kept);
        QFETCH(QString, button);
        Records rows;
        for (const char *s :
             {"1", "2", "3", "4", "5", "6", "7", "11", "12", "16", "17", "18", "19", "20", "21", "02"})
            rows.append(carRow(QStringLiteral("s") + QLatin1String(s), QLatin1String(s)));
        Record noStatus = carRow("none", "");
        noStatus.remove(QStringLiteral("sCarStatus"));
        rows.append(noStatus);

        CarListController *screen = open(Mode(mode), 0, rows);
        QCOMPARE(codes(screen->getMyCarList), kept);
        QCOMPARE(screen->property("getCarListCount").toString(), QString::number(kept.size()));
        QCOMPARE(screen->rowButtonTitle(), button);
    }

    void storedValuesAndWhatARowShows()
    {
        CarListController *screen = open(
            Plain, 0,
            {carRow("C1", "9"),
             carRow("C2", "1",
                    {{"sCarName3", "아반떼"}, {"sCarGroup", "화물특장버스"}, {"sCarFormName2", "윙바디"}})});
        const Record &first = screen->getMyCarList.at(0);
        QCOMPARE(first.value(QStringLiteral("sCarName3")), QStringLiteral("쏘나타 "));
        QCOMPARE(first.value(QStringLiteral("sCarProductYearMonth")), QStringLiteral("2019년식"));
        QCOMPARE(screen->getMyCarList.at(1).value(QStringLiteral("sCarName3")), QStringLiteral("아반떼"));

        // The list's own cleaning reaches the shown row (the row's look is the dashboard's).
        const CarRowModel *model = screen->carListTable();
        QCOMPARE(model->index(0).data(CarRowModel::CellName).toString(), QStringLiteral("현대 쏘나타 "));
        QCOMPARE(model->index(0).data(CarRowModel::CellInfo).toString(), QStringLiteral("12가3456  2019년식"));
        QCOMPARE(model->index(1).data(CarRowModel::CellName).toString(), QStringLiteral("현대 윙바디"));
    }

    void tints_data()
    {
        QTest::addColumn<QString>("checkDate"); // "-" for absent
        QTest::addColumn<QString>("checkEnd");  // "-" for absent
        QTest::addColumn<QColor>("background");
        const auto tint = [](double r, double g, double b) {
            QColor c;
            c.setRgbF(float(r), float(g), float(b), 0.3f);
            return c;
        };
        QTest::newRow("both: red") << "20251114" << "20260307" << tint(0.9153, 0.3079, 0.3100);
        QTest::newRow("blank end counts as 0: red") << "20251001" << "  " << tint(0.9153, 0.3079, 0.3100);
        QTest::newRow("end only: green") << "20251115" << "20260101" << tint(0.6098, 0.8240, 0.5666);
        QTest::newRow("old check only: blue") << "20250101" << "20260308" << tint(0.4882, 0.7242, 0.9984);
        QTest::newRow("recent, no end: white") << "20260301" << "-" << QColor(Qt::white);
    }
    void tints()
    {
        QFETCH(QString, checkDate);
        QFETCH(QString, checkEnd);
        QFETCH(QColor, background);
        Record row = carRow("C1", "1");
        if (checkDate != QLatin1String("-"))
            row.insert(QStringLiteral("sCarProductCheckDate"), checkDate);
        if (checkEnd != QLatin1String("-"))
            row.insert(QStringLiteral("sCheckEndDate"), checkEnd);
        CarListController *screen = open(Plain, 0, {row});
        QCOMPARE(screen->now4Month, QStringLiteral("20251115"));
        QCOMPARE(screen->now7Day, QStringLiteral("20260308"));
        const QColor shown = screen->carListTable()->index(0).data(CarRowModel::CellBackground).value<QColor>();
        QCOMPARE(shown.rgba(), background.rgba());
    }

    void releaseRemovesTheRowAndTheNextRowTakesItsTag()
    {
        CarListController *screen =
            open(Release, 0, {carRow("C1", "1"), carRow("C000123", "4"), carRow("C3", "12")});
        screen->Action_isCarCheck2(1);
        QCOMPARE(screen->pendingDialogs().size(), 1);
        const DialogRequest dialog = screen->pendingDialogs().first();
        QCOMPARE(dialog.title, QStringLiteral("쏘나타 "));
        QCOMPARE(dialog.message, QStringLiteral("출고 사유를 선택해주세요."));
        QCOMPARE(titles(dialog), (QStringList{"차량 판매", "위탁 차량 반환", "구입 취소", "선택 취소"}));
        QCOMPARE(dialog.actions.at(0).style, DialogAction::Default);
        QCOMPARE(dialog.actions.at(2).style, DialogAction::Default);
        QCOMPARE(dialog.actions.at(3).style, DialogAction::Destructive);

        t->procedures.answer(kStatus, resultBody(QStringLiteral("OK"), kProcedureExecute));
        screen->answerDialog(dialog.id, 0);
        QCOMPARE(
            t->procedures.callTextsOf(kStatus),
            QStringList{QStringLiteral("ps_SetProductCar_Status 'C000123', '14', 'D0001', 'MOBILE_DEALER'")});
        QCOMPARE(t->procedures.calls().last().operation, kProcedureExecute);
        QCOMPARE(codes(screen->getMyCarList), (QStringList{"C1", "C3"}));
        QCOMPARE(screen->property("getCarListCount").toString(), QStringLiteral("2"));
        QCOMPARE(screen->carListTable()->index(1).data(CarRowModel::CellIndex).toInt(), 1);

        // The reply changes nothing: the row stays removed.
        QTRY_COMPARE(t->procedures.deliveredCount(), 2);
        QCOMPARE(codes(screen->getMyCarList), (QStringList{"C1", "C3"}));
        QCOMPARE(t->procedures.callCount(kList), 1);
        QVERIFY(screen->pendingDialogs().isEmpty());
    }

    void releaseReasons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("status");
        QTest::newRow("위탁 차량 반환") << 1 << QStringLiteral("5");
        QTest::newRow("구입 취소") << 2 << QStringLiteral("7");
    }
    void releaseReasons()
    {
        QFETCH(int, button);
        QFETCH(QString, status);
        CarListController *screen = open(Release, 0, {carRow("C9", "5")});
        t->procedures.answer(kStatus, resultBody(QStringLiteral("OK"), kProcedureExecute));
        screen->Action_isCarCheck2(0);
        screen->answerDialog(screen->pendingDialogs().first().id, button);
        QCOMPARE(
            t->procedures.callTextsOf(kStatus),
            QStringList{
                QStringLiteral("ps_SetProductCar_Status 'C9', '%1', 'D0001', 'MOBILE_DEALER'").arg(status)});
        QVERIFY(screen->getMyCarList.isEmpty());
        QCOMPARE(screen->property("getCarListCount").toString(), QStringLiteral("0"));
    }

    void cancelEntryAsksThenSendsSeven()
    {
        CarListController *screen = open(Cancel, 0, {carRow("C1", "2"), carRow("C2", "3")});
        screen->Action_isCarCheck1(0);
        const DialogRequest dialog = screen->pendingDialogs().first();
        QCOMPARE(dialog.title, QStringLiteral("쏘나타 "));
        QCOMPARE(dialog.message, QStringLiteral("차량 입고를 취소하시겠습니까?"));
        QCOMPARE(titles(dialog), (QStringList{"확인", "취소"}));
        QCOMPARE(dialog.actions.at(0).style, DialogAction::Default);
        QCOMPARE(dialog.actions.at(1).style, DialogAction::Destructive);
        t->procedures.answer(kStatus, resultBody(QStringLiteral("OK"), kProcedureExecute));
        screen->answerDialog(dialog.id, 0);
        QCOMPARE(t->procedures.callTextsOf(kStatus),
                 QStringList{QStringLiteral("ps_SetProductCar_Status 'C1', '7', 'D0001', 'MOBILE_DEALER'")});
        QCOMPARE(codes(screen->getMyCarList), QStringList{"C2"});
    }

    void closingButtonsSendNothing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("button");
        QTest::newRow("취소") << int(Cancel) << 1;
        QTest::newRow("선택 취소") << int(Release) << 3;
    }
    void closingButtonsSendNothing()
    {
        QFETCH(int, mode);
        QFETCH(int, button);
        CarListController *screen = open(Mode(mode), 0, {carRow("C1", mode == Cancel ? "2" : "1")});
        if (mode == Cancel)
            screen->Action_isCarCheck1(0);
        else
            screen->Action_isCarCheck2(0);
        screen->answerDialog(screen->pendingDialogs().first().id, button);
        QCOMPARE(t->procedures.callCount(kStatus), 0);
        QCOMPARE(codes(screen->getMyCarList), QStringList{"C1"});
        QVERIFY(screen->pendingDialogs().isEmpty());
    }

    void aFailedStatusChangeIsToldAndTheRowComesBack()
    {
        CarListController *screen = open(Cancel, 0, {carRow("C1", "2"), carRow("C2", "3")});
        t->procedures.answer(kStatus, CannedAnswer::transportError());
        screen->Action_isCarCheck1(1);
        screen->answerDialog(screen->pendingDialogs().first().id, 0);
        QCOMPARE(codes(screen->getMyCarList), QStringList{"C1"});

        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.callCount(kList), 2, 10000);
        QCOMPARE(screen->pendingDialogs().size(), 1);
        QCOMPARE(screen->pendingDialogs().first().title, QStringLiteral("상태 변경 실패"));
        QTRY_COMPARE_WITH_TIMEOUT(codes(screen->getMyCarList), (QStringList{"C1", "C2"}), 10000);
        QCOMPARE(screen->property("getCarListCount").toString(), QStringLiteral("2"));
    }

    void anEmptyReplyOrAFailedListShowsNoRows_data()
    {
        QTest::addColumn<bool>("transportFailure");
        QTest::newRow("no rows") << false;
        QTest::newRow("transport failure") << true;
    }
    void anEmptyReplyOrAFailedListShowsNoRows()
    {
        QFETCH(bool, transportFailure);
        auto *screen =
            qobject_cast<CarListController *>(t->navigator->instantiate(QStringLiteral("CarListController")));
        t->procedures.answer(kList, transportFailure ? CannedAnswer::transportError()
                                                     : CannedAnswer::reply(noRowsBody()));
        t->navigator->push(screen);
        QTRY_COMPARE(t->procedures.deliveredCount(), 1);
        QVERIFY(screen->getMyCarList.isEmpty()); // "rtn NO" is no car
        QCOMPARE(screen->carListTable()->count(), 0);
        QCOMPARE(screen->property("getCarListCount").toString(), QStringLiteral("0"));
        QVERIFY(screen->pendingDialogs().isEmpty());
    }

    void listToDetailHandsTheWholeRecord()
    {
        CarListController *screen =
            open(Plain, 0, {carRow("C1", "1"), carRow("C2", "9", {{"iCarProductMoney", "1500"}})});
        t->procedures.answer(QStringLiteral("ps_GetCarPhotoList"), noRowsBody());
        t->procedures.answer(QStringLiteral("ps_GetProductCarOption"), noRowsBody());
        t->procedures.answer(QStringLiteral("ps_GetCarOption"), noRowsBody());
        screen->selectRow(1);
        auto *detail = qobject_cast<MainDetailController *>(t->navigator->top());
        QVERIFY(detail);
        QCOMPARE(detail->takeList, screen->getMyCarList.at(1));
        QCOMPARE(detail->detail_Price, QStringLiteral("1,500"));
        QCOMPARE(detail->detail_info, QStringLiteral("12가3456  /  2019년식"));
    }
};

QTEST_GUILESS_MAIN(TestCarList)
#include "tst_carlist.moc"
