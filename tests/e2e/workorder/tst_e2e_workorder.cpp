// The work orders against the stand-in service over HTTPS: from the drawer's
// entry through the plate search, a car's job orders and its inspection items
// to job lines with their shops, on the demo shop's data.
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "MainController.h"
#include "MainDrawerController.h"
#include "StandInFixture.h"
#include "WorkOrder_p1.h"
#include "WorkOrder_p2.h"
#include "WorkOrder_p3.h"
#include "WorkWrite_p1.h"
#include "WorkWrite_p2.h"

#include <QTest>

using namespace tvs;
using namespace tvs::test;

class TestWorkOrderEndToEnd : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    std::unique_ptr<TestContext> t;

    QString sql(const QString &q, const QString &v = demo::kUserCode)
    {
        return m_stand.db(q, {v}).toString();
    }
    template <typename T> T *top() const { return qobject_cast<T *>(t->navigator->top()); }

private slots:
    void initTestCase() { QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString())); }
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        m_stand.attach(*t);
    }
    void cleanup() { t.reset(); }

    void fromTheDrawerToJobLines()
    {
        const char *openOrder =
            "SELECT %1 FROM job_orders j JOIN cars c USING (sCarProductCode)"
            " WHERE j.sUserCode = ? AND j.sJobOrderListStatus = '1' ORDER BY j.sJobListCode LIMIT 1";
        const QString plate = sql(QByteArray(openOrder).replace("%1", "c.sCarProductNum"));
        const QString code = sql(QByteArray(openOrder).replace("%1", "j.sJobListCode"));
        auto *main = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        QVERIFY(main);
        main->drawerController()->openWorkOrders();
        auto *search = top<WorkOrder_p1>();
        QVERIFY(search);
        search->carNum = plate.right(4);
        search->search();
        auto *found = top<WorkOrder_p2>();
        QVERIFY(found);
        QTRY_VERIFY_WITH_TIMEOUT(found->table().count() > 0, 30000);
        for (int row = 0; row < found->table().count(); ++row) {
            if (found->table().cell(row, "cell_CarNum").toString() == plate)
                found->cell_btnCheck_Action(row);
        }
        auto *orders = top<WorkOrder_p3>();
        QVERIFY(orders);
        QTRY_COMPARE_WITH_TIMEOUT(orders->table().count(), 2, 30000);
        int open = 0;
        while (orders->table().cell(open, "cell_JobNumber").toString() !=
               QStringLiteral("작업 지시번호: ") + code)
            ++open;
        orders->cell_EditButton_Action(open);

        auto *items = top<WorkWrite_p1>();
        QVERIFY(items);
        QCOMPARE(items->take_JobListCode, code);
        const char *ofCar = " FROM check_items WHERE sCarProductCode = ? ORDER BY sCarProductCheckItemCode";
        const int itemCount =
            sql(QByteArray("SELECT COUNT(*)").append(ofCar), items->take_ProductCode).toInt();
        QVERIFY(itemCount >= 2);
        QTRY_COMPARE_WITH_TIMEOUT(items->table().count(), itemCount, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(items->repairResultList.size(), 4, 30000);
        QCOMPARE(
            items->table().cell(0, "cell_label").toString(),
            sql(QByteArray("SELECT sCarProductCheckItemName || '(' || sCarProductCheckItemContent || ')'")
                    .append(ofCar),
                items->take_ProductCode));
        items->cell_ButtonAction(1);
        QVERIFY(pressDialogAction(*items, QStringLiteral("우리 판금 도장")));
        QCOMPARE(items->table().cell(1, "cell_Button").toString(), QStringLiteral("우리 판금 도장"));

        items->openJobLines();
        auto *lines = top<WorkWrite_p2>();
        QVERIFY(lines);
        lines->setJobContent(lines->lines().idAt(0), QStringLiteral("브레이크 패드 교환"));
        lines->cell_JobButtonAction(lines->lines().idAt(0));
        QVERIFY(pressDialogAction(*lines, QStringLiteral("송파 종합 카센터")));
        QCOMPARE(lines->lines().lines().value(0).shop.value(QStringLiteral("sStoreCode")),
                 QStringLiteral("R0002"));
    }
};

QTEST_MAIN(TestWorkOrderEndToEnd)
#include "tst_e2e_workorder.moc"
