#include "InventoryFixtures.h"
#include "MainDetailController.h"
#include "ReplyBuilder.h"
#include "WebController.h"

#include <QSignalSpy>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {
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

Records photos(std::initializer_list<const char *> paths)
{
    Records rows;
    for (const char *p : paths)
        rows.append(Record{{QStringLiteral("sCarPhotoPath"), QString::fromUtf8(p)}});
    return rows;
}

QStringList titlesOf(OptionBoxModel &box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out.append(box.data(box.index(i), OptionBoxModel::TitleRole).toString());
    return out;
}

// Five options in group 1, two in each of groups 2-4, and truck groups 5-10.
Records catalogue()
{
    Records rows;
    for (int i = 1; i <= 5; ++i)
        rows.append(
            option("A000001", QStringLiteral("A1%1").arg(i), QStringLiteral("옵션1-%1 (고급)").arg(i)));
    for (const char *g : {"A000002", "A000003", "A000004"})
        for (int i = 1; i <= 2; ++i)
            rows.append(
                option(g, QStringLiteral("%1-%2").arg(g).arg(i), QStringLiteral("%1/%2").arg(g).arg(i)));
    for (const char *g : {"A000005", "A000006", "A000007", "A000008", "A000009", "A000010"})
        rows.append(option(g, QStringLiteral("T-%1").arg(g), QStringLiteral("트럭 %1").arg(g)));
    return rows;
}
} // namespace

class TestMainDetail : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    MainDetailController *open(const Record &car, const Records &photoRows, const Records &own,
                               const Records &cat = catalogue())
    {
        t->procedures.answer(kPhotos, photoRows.isEmpty() ? noRowsBody() : replyBody(photoRows));
        t->procedures.answer(kOwn, own.isEmpty() ? noRowsBody() : replyBody(own));
        t->procedures.answer(kCatalogue, replyBody(cat));
        auto *screen =
            qobject_cast<MainDetailController *>(t->navigator->instantiate("MainDetailController"));
        QVariantMap map;
        for (const auto &[k, v] : car.fields())
            map.insert(k, v);
        screen->setProperty("takeList", map);
        t->navigator->push(screen);
        return screen;
    }
    MainDetailController *openLoaded(const Record &car, const Records &photoRows = {},
                                     const Records &own = {})
    {
        MainDetailController *screen = open(car, photoRows, own);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(t->procedures.deliveredCount(), 3, 10000); }();
        return screen;
    }
    static Record passenger(std::initializer_list<std::pair<QString, QString>> more = {})
    {
        Record r = carRow("C000123", "1",
                          {{"sCarProductYearMonth", "2019년식"},
                           {"iCarProductMoney", "1234567"},
                           {"sCarCC", "1999"},
                           {"sCarColorName", "흰색"},
                           {"sCarProductContent", "무사고"},
                           {"sCarName3", "쏘나타 "}});
        for (const auto &f : more)
            r.insert(f.first, f.second);
        return r;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startInventoryTest(*t);
    }
    void cleanup() { t.reset(); }

    void labels_data()
    {
        QTest::addColumn<Record>("car");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("readCount");
        QTest::newRow("passenger, three name parts")
            << passenger({{"sCarName4", "프리미엄"}, {"iCarProductReadCount", "17"}}) << "현대 쏘나타  프리미엄" << "17";
        QTest::newRow("passenger, two name parts") << passenger() << "현대 쏘나타 " << "0";
        QTest::newRow("truck") << passenger({{"sCarGroup", "화물특장버스"}, {"sCarFormName1", "포터2 윙바디"}})
                               << "포터2 윙바디" << "0";
    }
    void labels()
    {
        QFETCH(Record, car);
        QFETCH(QString, name);
        QFETCH(QString, readCount);
        MainDetailController *screen = open(car, {}, {});
        QCOMPARE(screen->detail_Name, name);
        QCOMPARE(screen->detail_info, QStringLiteral("12가3456  /  2019년식"));
        QCOMPARE(screen->detail_Price, QStringLiteral("1,234,567"));
        QCOMPARE(screen->detail_Year, QStringLiteral("  2019년식"));
        QCOMPARE(screen->detail_Kind, QStringLiteral("쏘나타"));
        QCOMPARE(screen->detail_CC, QStringLiteral("  1,999 cc"));
        QCOMPARE(screen->detail_Color, QStringLiteral("  흰색"));
        QCOMPARE(screen->datail_CarNumber, QStringLiteral("  12가3456"));
        QCOMPARE(screen->detail_Content, QStringLiteral("무사고"));
        QCOMPARE(screen->detail_mileage, QStringLiteral("  45,210 km"));
        QCOMPARE(screen->detail_readCount, readCount);
        QCOMPARE(screen->detail_favoirteCount, QStringLiteral("0"));
    }

    void threeFetchesCatalogueAfterTheCarsOptions()
    {
        t->procedures.setHolding(true);
        MainDetailController *screen = open(passenger(), photos({"a.jpg"}), {option("A000001", "A11")});
        QCOMPARE(t->procedures.callTexts(),
                 (QStringList{QStringLiteral("ps_GetCarPhotoList 'C000123'"),
                              QStringLiteral("ps_GetProductCarOption 'C000123'")}));
        for (const auto &call : t->procedures.calls())
            QCOMPARE(call.operation, kProcedureList);
        QVERIFY(t->procedures.releaseNext());
        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(t->procedures.callTexts().last(), QStringLiteral("ps_GetCarOption"));
        QVERIFY(t->procedures.releaseNext());
        QCOMPARE(screen->box(1).count(), 5);
        QTRY_COMPARE(screen->loadingCount(), 0);
    }

    void aFailedOwnOptionsCallFetchesNoCatalogue()
    {
        t->procedures.answer(kPhotos, noRowsBody());
        t->procedures.answer(kOwn, CannedAnswer::transportError());
        auto *screen =
            qobject_cast<MainDetailController *>(t->navigator->instantiate("MainDetailController"));
        screen->takeList = passenger();
        t->navigator->push(screen);
        QTRY_COMPARE(t->procedures.deliveredCount(), 2);
        QCOMPARE(t->procedures.callCount(kCatalogue), 0);
        QCOMPARE(screen->optionImages(), QStringList(8));
        QVERIFY(screen->pendingDialogs().isEmpty());
    }

    void icons_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("icon"); // -1: none lit
        const char *codes[] = {"A000039", "A000034", "A000001", "A000006",
                               "A000070", "A000026", "A000069", "A000013"};
        for (int i = 0; i < 8; ++i)
            QTest::newRow(codes[i]) << QString::fromLatin1(codes[i]) << i;
        QTest::newRow("A000002 lights nothing") << QStringLiteral("A000002") << -1;
    }
    void icons()
    {
        QFETCH(QString, code);
        QFETCH(int, icon);
        MainDetailController *screen = openLoaded(passenger(), {}, {option("A000003", code)});
        QStringList expected(8);
        if (icon >= 0)
            expected[icon] = QStringLiteral("detail_icn_0%1_on").arg(icon + 1);
        QCOMPARE(screen->optionImages(), expected);
    }

    void passengerBoxesHeightsAndSelection()
    {
        MainDetailController *screen =
            openLoaded(passenger(), {},
                       {option("A000001", "A13"), option("A000002", "A000002-2"), option("A000003", "A13")});
        QCOMPARE(titlesOf(screen->box(1)).first(), QStringLiteral("옵션1-1 \n(고급)"));
        QCOMPARE(screen->box(1).count(), 5);
        QCOMPARE(screen->box(2).count(), 2);
        QCOMPARE(screen->box(3).count(), 2);
        QCOMPARE(screen->box(4).count(), 2);
        QList<bool> box1;
        for (int i = 0; i < 5; ++i)
            box1.append(screen->box(1).isSelected(i));
        QCOMPARE(box1, (QList<bool>{false, false, true, false, false}));
        QVERIFY(!screen->box(2).isSelected(0));
        QVERIFY(screen->box(2).isSelected(1));
        QVERIFY(!screen->box(3).isSelected(0)); // "A13" is group 1's option, not group 3's
        // Box 1: three lines of 60 with 2 between, plus 40; the others one line plus 40.
        QCOMPARE(screen->boxHeights(), (QVariantList{224.0, 100.0, 100.0, 100.0}));
        QCOMPARE(screen->opBoxHeight, 224.0 + 3 * 100.0 + 300.0);
    }

    void truckBoxesTakeTwoGroups()
    {
        MainDetailController *screen =
            openLoaded(passenger({{"sCarGroup", "화물특장버스"}}), {}, {option("A000008", "T-A000008")});
        QCOMPARE(titlesOf(screen->box(1)), (QStringList{"트럭 A000005", "트럭 A000006"}));
        QCOMPARE(titlesOf(screen->box(2)), (QStringList{"트럭 A000007"}));
        QCOMPARE(titlesOf(screen->box(3)), (QStringList{"트럭 A000008", "트럭 A000009"}));
        QCOMPARE(titlesOf(screen->box(4)), (QStringList{"트럭 A000010"}));
        QCOMPARE(screen->getTruckOpList1_1.size(), 1);
        QCOMPARE(screen->getTruckOpList3_1.size(), 1);
        QVERIFY(screen->box(3).isSelected(0));
        QVERIFY(!screen->box(3).isSelected(1));
        QCOMPARE(screen->opBoxHeight, 4 * 100.0 + 300.0);
    }

    void foldAndUnfold()
    {
        MainDetailController *screen = openLoaded(passenger());
        const double base = screen->contentSizeH();
        QCOMPARE(screen->optionMoreTitle(), QStringLiteral("+ 옵션 더보기"));
        QCOMPARE(screen->btnOpMoreBottom(), 1.0);

        screen->btnOptionMore();
        QVERIFY(screen->isOptionMoreOpen);
        QTRY_COMPARE(screen->optionMoreTitle(), QStringLiteral("- 옵션 닫기"));
        QCOMPARE(screen->btnOpMoreBottom(), screen->opBoxHeight);
        QCOMPARE(screen->contentSizeH(), base + screen->opBoxHeight);

        screen->btnOptionMore();
        QVERIFY(!screen->isOptionMoreOpen);
        QTRY_COMPARE(screen->optionMoreTitle(), QStringLiteral("+ 옵션 더보기"));
        QCOMPARE(screen->btnOpMoreBottom(), 1.0);
        QCOMPARE(screen->contentSizeH(), base);
    }

    void unfoldingBeforeTheCatalogueUnfoldsByZero()
    {
        t->procedures.setHolding(true);
        MainDetailController *screen = open(passenger(), {}, {});
        const double base = screen->contentSizeH();
        screen->btnOptionMore();
        QTRY_COMPARE(screen->optionMoreTitle(), QStringLiteral("- 옵션 닫기"));
        QCOMPARE(screen->btnOpMoreBottom(), 0.0);
        QCOMPARE(screen->contentSizeH(), base);
        t->procedures.releaseAll();
        t->procedures.releaseAll();
        QVERIFY(screen->opBoxHeight > 300);
        screen->btnOptionMore();
        QTRY_COMPARE(screen->btnOpMoreBottom(), 1.0);
        QCOMPARE(screen->contentSizeH(), base); // folding takes back what unfolding added
    }

    void contractPicture_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("alert");
        QTest::newRow("1 passes") << "1" << false;
        QTest::newRow("3 passes") << "3" << false;
        QTest::newRow("2 refused") << "2" << true;
        QTest::newRow("16 refused") << "16" << true;
    }
    void contractPicture()
    {
        QFETCH(QString, status);
        QFETCH(bool, alert);
        MainDetailController *screen = openLoaded(passenger({{"sCarStatus", status}}));
        screen->gotoAction_ContractPic();
        QTest::qWait(50);
        if (!alert) {
            QVERIFY(screen->pendingDialogs().isEmpty());
            return;
        }
        QTRY_COMPARE(screen->pendingDialogs().size(), 1);
        QCOMPARE(screen->pendingDialogs().first().title, QStringLiteral("오류"));
        QCOMPARE(screen->pendingDialogs().first().message,
                 QStringLiteral("입고중이나 판매중인 상태에서만 작성하실 수 있습니다."));
    }

    void transitions_data()
    {
        QTest::addColumn<QString>("segue");
        QTest::addColumn<QString>("ch");
        QTest::addColumn<QString>("pCode");
        QTest::addColumn<QString>("title");
        QTest::newRow("web2") << "detail_to_web2" << "summery" << "&sCarProductCode=C000123" << "정산내역";
        QTest::newRow("web3") << "detail_to_web3" << "record" << "C000123" << "성능점검 기록부";
        QTest::newRow("web4") << "detail_to_web4" << "inoutgate" << "C000123" << "매입매출금액입력";
    }
    void transitions()
    {
        QFETCH(QString, segue);
        QFETCH(QString, ch);
        QFETCH(QString, pCode);
        QFETCH(QString, title);
        MainDetailController *screen = openLoaded(passenger());
        screen->performSegue(segue);
        auto *web = qobject_cast<WebController *>(t->navigator->top());
        QVERIFY(web);
        QCOMPARE(web->ch, ch);
        QCOMPARE(web->pCode, pCode);
        QCOMPARE(web->setTitle, title);
        QCOMPARE(web->title(), title);
    }

    void detailToEnterHandsTheCarToTheWizard()
    {
        MainDetailController *screen = openLoaded(passenger());
        QVERIFY(!AppData::shared()->editCarInfo);
        AppData::shared()->enterCarInfo.insert(QStringLiteral("stale"), QStringLiteral("x"));
        screen->prepareForSegue(QStringLiteral("detail_to_enter"), nullptr);
        QVERIFY(AppData::shared()->editCarInfo);
        QCOMPARE(AppData::shared()->enterCarInfo.size(), screen->takeList.size());
        QCOMPARE(AppData::shared()->enterCarInfo.value(QStringLiteral("sCarProductCode")),
                 QStringLiteral("C000123"));
        QCOMPARE(AppData::shared()->enterCarInfo.value(QStringLiteral("iCarProductMoney")),
                 QStringLiteral("1234567"));
    }

    // The pager as the detail builds it.
    void pagerOfOnePhoto()
    {
        MainDetailController *screen = openLoaded(passenger(), photos({"only.jpg"}));
        PhotoPager &pager = screen->pager();
        QCOMPARE(pager.count(), 1);
        QVERIFY(pager.isRunning());
        QCOMPARE(pager.timer().interval(), 5000);
        QVERIFY(pager.pageAddress(0).toString().endsWith(QStringLiteral("/image_product/C000123/only.jpg")));
        QCOMPARE(pager.pageAddress(0).scheme(), QStringLiteral("http"));
        for (int i = 0; i < 3; ++i) {
            pager.autoPaging();
            QCOMPARE(pager.shownIndex(), 0);
            QCOMPARE(pager.currentPage(), 0);
        }
        QCOMPARE(pager.pageAfter(0), 0);
        QCOMPARE(pager.pageBefore(0), 0);
    }

    void pagerOfThreePhotos()
    {
        MainDetailController *screen = openLoaded(passenger(), photos({"a.jpg", "b.jpg", "c.jpg"}));
        PhotoPager &pager = screen->pager();
        QSignalSpy shown(&pager, &PhotoPager::pageShown);
        QCOMPARE(pager.count(), 3);
        QList<int> pages, dots;
        for (int i = 0; i < 4; ++i) {
            pager.autoPaging();
            pages.append(pager.shownIndex());
            dots.append(pager.currentPage());
        }
        QCOMPARE(pages, (QList<int>{1, 2, 0, 1}));
        QCOMPARE(dots, pages);
        QCOMPARE(shown.at(2).at(1).toBool(), true); // the wrap to the first photo is a forward turn

        pager.pageSettled(0);
        pager.swipeBack();
        QCOMPARE(pager.shownIndex(), 2);
        QCOMPARE(pager.currentPage(), 2);
        pager.swipeForward();
        QCOMPARE(pager.shownIndex(), 0);
        QCOMPARE(pager.pageBefore(0), 2);
        QCOMPARE(pager.pageAfter(2), 0);
        QCOMPARE(pager.pageAfter(-1), -1);
    }

    void rowsWithoutPathsBuildNoPager()
    {
        MainDetailController *screen =
            openLoaded(passenger(), {Record{{QStringLiteral("sCarPhotoID"), QStringLiteral("1")}}});
        QCOMPARE(screen->pager().count(), 0);
        QVERIFY(!screen->pager().isRunning());
        screen->pager().autoPaging();
        QCOMPARE(screen->pager().shownIndex(), -1);
    }

    void pagerTurnsByItselfAndStopsWhenTheDetailDisappears()
    {
        MainDetailController *screen = openLoaded(passenger(), photos({"a.jpg", "b.jpg"}));
        PhotoPager &pager = screen->pager();
        QCOMPARE(pager.shownIndex(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(pager.shownIndex(), 1, 20000);

        auto *cover = new Screen(t->ctx());
        t->navigator->push(cover);
        QVERIFY(!pager.isRunning());
        const int at = pager.shownIndex();
        QTest::qWait(6000);
        QCOMPARE(pager.shownIndex(), at);
        t->navigator->pop(cover);
        QTRY_COMPARE(t->navigator->top(), static_cast<Screen *>(screen));
        QVERIFY(!pager.isRunning()); // coming back does not restart it
    }

    void photosArrivingAfterTheDetailDisappearedStartNoTimer()
    {
        t->procedures.setHolding(true);
        MainDetailController *screen = open(passenger(), photos({"a.jpg", "b.jpg"}), {});
        t->navigator->push(new Screen(t->ctx()));
        QVERIFY(t->procedures.releaseNext()); // the photo list
        QTRY_COMPARE(screen->pager().count(), 2);
        QVERIFY(!screen->pager().isRunning());
    }
};

QTEST_GUILESS_MAIN(TestMainDetail)
#include "tst_maindetail.moc"
