#include "CarListController.h"
#include "MainDetailController.h"
#include "StandInFixture.h"
#include "StandInService.h"
#include "TestContext.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

namespace tvs {
void registerInventoryScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

// The inventory screens against the stand-in service over HTTPS: the real
// procedure client, reply walk and pictures, the demo shop's data.
class TestInventoryEndToEnd : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    StandInService *m_service = nullptr;
    std::unique_ptr<TestContext> t;

    CarListController *openList(int searchNum, bool cancelMode)
    {
        auto *screen =
            qobject_cast<CarListController *>(t->navigator->instantiate(QStringLiteral("CarListController")));
        screen->searchNum = searchNum;
        screen->isCarCheck1 = cancelMode;
        screen->subTitle = cancelMode ? QStringLiteral("차량 입고를 취소할 수 있습니다.")
                                      : QStringLiteral("현재 보유 중인 차량");
        t->navigator->push(screen);
        return screen;
    }

    int count(const char *sql, const QVariantList &values)
    {
        return m_service->queryValue(QString::fromLatin1(sql), values).toInt();
    }

    QByteArray get(const QUrl &url)
    {
        QNetworkReply *reply = m_stand.nam()->get(QNetworkRequest(url));
        [&] { QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 30000); }();
        const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
        reply->deleteLater();
        return body;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));
        m_service = m_stand.service();
    }

    void init()
    {
        StandInFixture::setDemoDealer();
        t = std::make_unique<TestContext>();
        t->config = m_stand.config();
        t->context.procedures = m_stand.procedures();
        registerInventoryScreens(*t->navigator);
    }
    void cleanup() { t.reset(); }
    void cleanupTestCase() { m_stand.stop(); }

    void cancellingACarsEntryShowsItsNewStateInAFreshList()
    {
        CarListController *cancel = openList(0, true);
        QTRY_VERIFY_WITH_TIMEOUT(!cancel->getMyCarList.isEmpty(), 30000);
        for (const Record &row : std::as_const(cancel->getMyCarList))
            QVERIFY(CarListController::kCancelStatuses.contains(row.value(QStringLiteral("sCarStatus"))));
        const int before = int(cancel->getMyCarList.size());
        const Record car = cancel->getMyCarList.first();
        const QString code = car.value(QStringLiteral("sCarProductCode"));

        cancel->Action_isCarCheck1(0);
        QCOMPARE(cancel->pendingDialogs().size(), 1);
        cancel->answerDialog(cancel->pendingDialogs().first().id, 0);
        QCOMPARE(int(cancel->getMyCarList.size()), before - 1);
        QTRY_COMPARE_WITH_TIMEOUT(
            m_service
                ->queryValue(QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = ?"), {code})
                .toString(),
            QStringLiteral("7"), 30000);
        QVERIFY(cancel->pendingDialogs().isEmpty()); // the service took it: nothing to tell

        CarListController *fresh = openList(7, false);
        QTRY_VERIFY_WITH_TIMEOUT(!fresh->getMyCarList.isEmpty(), 30000);
        int at = -1;
        for (int i = 0; i < fresh->getMyCarList.size(); ++i) {
            if (fresh->getMyCarList.at(i).value(QStringLiteral("sCarProductCode")) == code)
                at = i;
        }
        QVERIFY2(at >= 0, qPrintable(code));
        const CarRowModel *model = fresh->carListTable();
        QCOMPARE(model->data(model->index(at), CarRowModel::CellState).toString(),
                 QStringLiteral("  구입취소  "));
        QVERIFY(fresh->getMyCarList.at(at)
                    .value(QStringLiteral("sCarProductYearMonth"))
                    .endsWith(QStringLiteral("년식")));
    }

    void theDetailOfADemoCarShowsItsPhotosIconsAndBoxes()
    {
        CarListController *list = openList(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(!list->getMyCarList.isEmpty(), 30000);
        int row = -1;
        for (int i = 0; i < list->getMyCarList.size() && row < 0; ++i) {
            if (list->getMyCarList.at(i).value(QStringLiteral("sCarGroup")) != QStringLiteral("화물특장버스"))
                row = i;
        }
        QVERIFY(row >= 0);
        const QString code = list->getMyCarList.at(row).value(QStringLiteral("sCarProductCode"));
        list->selectRow(row);
        auto *detail = qobject_cast<MainDetailController *>(t->navigator->top());
        QVERIFY(detail);
        QCOMPARE(detail->takeList.value(QStringLiteral("sCarProductCode")), code);
        QTRY_VERIFY_WITH_TIMEOUT(detail->box(1).count() > 0, 30000);

        const int photos = count("SELECT COUNT(*) FROM car_photos WHERE sCarProductCode = ?", {code});
        QVERIFY(photos >= 3);
        QTRY_COMPARE_WITH_TIMEOUT(detail->pager().count(), photos, 30000);
        QVERIFY(detail->pager().isRunning());
        const QImage first = QImage::fromData(get(detail->pager().pageAddress(0)));
        QVERIFY2(!first.isNull(), qPrintable(detail->pager().pageAddress(0).toString()));

        const char *iconCodes[] = {"A000039", "A000034", "A000001", "A000006",
                                   "A000070", "A000026", "A000069", "A000013"};
        for (int i = 0; i < 8; ++i) {
            const bool has = count("SELECT COUNT(*) FROM car_options WHERE sCarProductCode = ?"
                                   " AND sCarOptionDetailCode = ?",
                                   {code, QString::fromLatin1(iconCodes[i])}) == 1;
            QCOMPARE(detail->optionImages().at(i),
                     has ? QStringLiteral("detail_icn_0%1_on").arg(i + 1) : QString());
        }

        int selected = 0;
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(detail->box(n).count() > 0);
            for (int i = 0; i < detail->box(n).count(); ++i)
                selected += detail->box(n).isSelected(i) ? 1 : 0;
        }
        QCOMPARE(selected, count("SELECT COUNT(*) FROM car_options WHERE sCarProductCode = ?", {code}));

        t->navigator->pop(detail);
        QVERIFY(!detail->pager().isRunning());
    }
};

QTEST_GUILESS_MAIN(TestInventoryEndToEnd)
#include "tst_e2e_inventory.moc"
