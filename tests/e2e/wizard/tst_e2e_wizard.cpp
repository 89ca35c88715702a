// The registration wizard against the stand-in service over HTTPS: a new car from
// its plate lookup to the dashboard's list and its detail, and an edit passed
// through every step untouched that leaves the car as it was.
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "EnterCar2Controller.h"
#include "EnterCar3Controller.h"
#include "EnterCar4Controller.h"
#include "EnterCar5Controller.h"
#include "EnterCarController.h"
#include "MainController.h"
#include "MainDetailController.h"
#include "MainDrawerController.h"
#include "StandInFixture.h"
#include "StandInService.h"

#include <QGuiApplication>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

class TestWizardEndToEnd : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    std::unique_ptr<TestContext> t;

    QString sql(const char *query, const QVariantList &values)
    {
        return m_stand.service()->queryValue(QString::fromUtf8(query), values).toString();
    }
    // The car's options in the order they were sent, or by code.
    QString options(const QString &code, const char *order = "iSort")
    {
        return m_stand.service()
            ->queryValue(QStringLiteral("SELECT group_concat(sCarOptionDetailCode) FROM (SELECT sCarOptionDetailCode"
                                        " FROM car_options WHERE sCarProductCode = ? ORDER BY %1)")
                             .arg(QLatin1String(order)),
                         {code})
            .toString();
    }
    template <typename C>
    C *top(const char *identifier)
    {
        [&] { QTRY_COMPARE_WITH_TIMEOUT(t->navigator->top()->identifier(), QString::fromLatin1(identifier), 30000); }();
        return qobject_cast<C *>(t->navigator->top());
    }
    MainController *dashboard()
    {
        auto *main = qobject_cast<MainController *>(t->navigator->resetTo(QStringLiteral("MainView")));
        [&] { QTRY_VERIFY_WITH_TIMEOUT(main->getMyCarList()->count() > 0, 30000); }();
        return main;
    }
    void chooseFirst(EnterCarController *step1, int tag)
    {
        step1->import_p1_btns(tag);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(step1->pendingDialogs().size(), 1, 30000); }();
        QVERIFY(pressDialogAction(*step1, shownDialogActions(*step1).first()));
    }
    // Steps 2 to 5 as the dealer goes through them; `marks` are option rows of grids 1 and 3.
    void stepsTwoToFive(const QString &mileage, const QString &price, const QList<int> &marks, int colour,
                        const QString &content)
    {
        auto *step2 = top<EnterCar2Controller>("EnterCar2");
        if (!mileage.isNull())
            step2->sCarMileage = mileage;
        if (!price.isNull())
            step2->editPrice = price;
        step2->actionNext();
        auto *step3 = top<EnterCar3Controller>("EnterCar3");
        QTRY_VERIFY_WITH_TIMEOUT(step3->nextEnabled(), 30000);
        for (int row : marks)
            row < 100 ? step3->btnCellEvent1(row) : step3->btnCellEvent3(row - 100);
        step3->nextButtonEvent();
        auto *step4 = top<EnterCar4Controller>("EnterCar4");
        if (colour >= 0)
            step4->selectColor(colour);
        step4->import_p4_btns();
        auto *step5 = top<EnterCar5Controller>("EnterCar5");
        if (!content.isNull())
            step5->inputContent = content;
        step5->import_p5_btns();
    }

private slots:
    void initTestCase() { QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString())); }
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        StandInFixture::setDemoDealer();
        t->config = m_stand.config();
        t->context.procedures = m_stand.procedures();
        t->context.jsonServices = m_stand.jsonServices();
        t->clock.setNow(QDateTime::currentDateTime());
    }
    void cleanup() { t.reset(); }
    void cleanupTestCase() { m_stand.stop(); }

    void registerANewCar()
    {
        MainController *main = dashboard();
        const int before = main->getMyCarList()->count();
        main->drawerController()->openNewRegistration();
        auto *step1 = top<EnterCarController>("EnterCarController");
        step1->editCarNum = QStringLiteral("34나5678");
        step1->actionCarSearch();
        QTRY_VERIFY_WITH_TIMEOUT(!step1->searchLoading(), 30000);
        for (int tag : {EnterCarController::DetailModel1, EnterCarController::DetailModel2, EnterCarController::DetailModel3})
            chooseFirst(step1, tag);
        step1->import_p1_btns(EnterCarController::Next);
        const QString content = QStringLiteral("무사고  1인 신조 차량, 정기 점검 완비.");
        stepsTwoToFive(QStringLiteral("12345"), QStringLiteral("2150"), {102, 0}, 6, content);

        top<MainController>("MainView");
        const QString code = sql("SELECT sCarProductCode FROM cars WHERE sCarProductNum = ?", {"34나5678"});
        QVERIFY(!code.isEmpty());
        QCOMPARE(sql("SELECT iCarProductMoney || '|' || sCarProductContent || '|' || sCarColorCode || '|' || sCarStatus"
                     " || '|' || sCarProductMileage || '|' || (sCarCode5 IS NOT NULL) FROM cars WHERE sCarProductCode = ?", {code}),
                 QStringLiteral("21500000|") + content + QStringLiteral("|A000007|3|12345|1"));
        QCOMPARE(options(code), QStringLiteral("A000030,A000001"));
        // The hand-off is sent as the wizard leaves; its answer is not awaited.
        QTRY_COMPARE_WITH_TIMEOUT(sql("SELECT group_concat(sInputType) FROM handoffs WHERE sCarProductCode = ?", {code}),
                                  QStringLiteral("POST"), 30000);

        // The dashboard reloaded on its return: the car is in its list, its options on its detail.
        QTRY_COMPARE_WITH_TIMEOUT(main->getMyCarList()->count(), before + 1, 30000);
        int row = 0;
        while (main->getMyCarList()->record(row).value(QStringLiteral("sCarProductCode")) != code)
            ++row;
        main->openCar(row);
        auto *detail = top<MainDetailController>("MainDetailController");
        QTRY_VERIFY_WITH_TIMEOUT(detail->box(1).count() > 0 && detail->box(3).count() > 0, 30000);
        QVERIFY(detail->box(1).isSelected(0) && detail->box(3).isSelected(2));
        QCOMPARE(detail->optionImages().at(2), QStringLiteral("detail_icn_03_on")); // the sunroof
    }

    // Next on every step, the price untouched: the car stays as it was stored.
    void editACarUntouched()
    {
        MainController *main = dashboard();
        int row = 0;
        const auto record = [&] { return main->getMyCarList()->record(row); };
        while (record().value(QStringLiteral("sCarStatus")) != QLatin1String("1")
               || record().value(QStringLiteral("sCarGroup")) != QStringLiteral("국산차"))
            ++row;
        const QString code = record().value(QStringLiteral("sCarProductCode"));
        const char *stored = "SELECT iCarProductMoney || '|' || sCarProductContent || '|' || sCarColorCode || '|' ||"
                             " sCarCode1 || sCarCode2 || sCarCode3 || sCarCode4 || sCarCode5 || '|' || sCarFuelCode ||"
                             " sCarTransmissionCode || '|' || sCarProductMileage || '|' || sCarStatus || '|' ||"
                             " sCarProductSaleType || '|' || sCarProductFirstRegDate FROM cars WHERE sCarProductCode = ?";
        const QString before = sql(stored, {code});
        const QString ownOptions = options(code, "sCarOptionDetailCode");
        QVERIFY(sql("SELECT sCarProductContent FROM cars WHERE sCarProductCode = ?", {code}).contains(u' '));

        main->openCar(row);
        top<MainDetailController>("MainDetailController")->editCar();
        auto *step1 = top<EnterCarController>("EnterCarController");
        QTRY_VERIFY_WITH_TIMEOUT(!step1->searchLoading(), 30000);
        step1->import_p1_btns(EnterCarController::Next);
        const QString price = sql("SELECT iCarProductMoney / 10000 FROM cars WHERE sCarProductCode = ?", {code});
        QCOMPARE(top<EnterCar2Controller>("EnterCar2")->editPrice, price);
        stepsTwoToFive(QString(), QString(), {}, -1, QString());

        top<MainController>("MainView");
        QCOMPARE(sql(stored, {code}), before);
        QCOMPARE(options(code, "sCarOptionDetailCode"), ownOptions);
        // The hand-off is sent as the wizard leaves; its answer is not awaited.
        QTRY_COMPARE_WITH_TIMEOUT(sql("SELECT group_concat(sInputType) FROM handoffs WHERE sCarProductCode = ?", {code}),
                                  QStringLiteral("PUT"), 30000);
    }
};

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    TestWizardEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_wizard.moc"
