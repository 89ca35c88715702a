// The five wizard pages with their controllers: they load without a QML warning,
// show what the controllers hold, reach their actions when pressed by accessible
// name, the keyboard walks the fields, and the submit closes the way back.
#include "CarFixtures.h"
#include "DialogHelpers.h"
#include "EnterCar3Controller.h"
#include "EnterCar4Controller.h"
#include "EnterCarController.h"
#include "QmlPageHarness.h"
#include "ReplyBuilder.h"
#include "WizardState.h"

#include <QGuiApplication>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

namespace {

// Presses a control that may lie below the fold of its page.
bool press(QQuickItem *item)
{
    return item && QMetaObject::invokeMethod(item, "clicked");
}

void typeText(QQuickWindow *window, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QString focusedName(QQuickWindow *window)
{
    QQuickItem *item = window->activeFocusItem();
    for (; item; item = item->parentItem()) {
        for (QObject *child : item->children()) {
            if (qstrcmp(child->metaObject()->className(), "QQuickAccessibleAttached") == 0 &&
                !child->property("name").toString().isEmpty())
                return child->property("name").toString();
        }
    }
    return {};
}

} // namespace

class TestWizardPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;
    std::unique_ptr<QmlPageHarness> harness;

    // Loads the page of the screen now on top of the stack, once the last page shown
    // is found quiet.
    template <typename C>
    C *showTop()
    {
        auto *screen = qobject_cast<C *>(t->navigator->top());
        if (harness)
            verifyQuiet();
        harness.reset(); // one harness at a time: each installs its message handler over the last
        harness = std::make_unique<QmlPageHarness>();
        QQuickItem *page = harness->load(t->navigator->pageOf(screen->identifier()), screen);
        [&] { QVERIFY2(page, qPrintable(harness->report())); }();
        harness->settle();
        return screen;
    }
    void verifyQuiet() { QVERIFY2(harness->warnings().isEmpty(), qPrintable(harness->report())); }

private slots:
    void initTestCase()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->procedures.answer(QStringLiteral("ps_CarLevel2Info"),
                             replyBody({Record{{"sCarCode", "3001"}, {"sCarName", "포터2 (HR) 1톤"}}}));
        t->procedures.answer(QStringLiteral("ps_GetCarOption"),
                             replyBody({Record{{"sCarOptionCode", "A000005"}, {"sCarOptionDetailCode", "A000055"},
                                               {"sCarOptionDetailName", "적재함 라이닝"}, {"sCarOptionName", "적재함"}}}));
    }

    void walkTheStepsOfATruck()
    {
        t->jsonServices.answer(QStringLiteral("CarInfo_Search"), QJsonObject{{"message", "조회된 차량 정보가 없습니다."}});
        WizardState::startNew();
        t->navigator->push(t->navigator->instantiate(QStringLiteral("EnterCarController")));
        auto *step1 = showTop<EnterCarController>();
        QVERIFY(harness->click(QStringLiteral("화물")));
        QVERIFY(step1->isCarType);
        harness->settle(400);
        QVERIFY(!harness->findAccessible(QStringLiteral("세부 모델 2 세부 모델 선택2"))); // forms instead
        step1->inputPick = {"1007", "2020", "no", "no", "no", "2019", "A000002", "20190315", "A000002", "no"};
        QVERIFY(press(harness->findAccessible(QStringLiteral("세부 모델 1 세부 모델 선택1"))));
        QTRY_COMPARE(step1->pendingDialogs().size(), 1);
        QVERIFY(pressDialogAction(*step1, QStringLiteral("포터2 (HR) 1톤")));
        QTRY_VERIFY(harness->findAccessible(QStringLiteral("세부 모델 1 포터2 (HR) 1톤")));
        // The plate is typed into the field and Return looks it up.
        harness->findAccessible(QStringLiteral("차량번호"))->forceActiveFocus();
        typeText(harness->window(), QStringLiteral("80바1234"));
        QCOMPARE(step1->editCarNum, QStringLiteral("80바1234"));
        QTest::keyClick(harness->window(), Qt::Key_Return);
        QCOMPARE(t->jsonServices.calls().size(), 1);
        QTRY_VERIFY(!step1->searchLoading());
        QVERIFY(pressDialogAction(*step1, QStringLiteral("확인")));
        WizardState::set(WizardKey::CC, QStringLiteral("2497"));
        WizardState::set(WizardKey::IdNum, QStringLiteral("KMH0000000000001"));
        QVERIFY(press(harness->findAccessible(QStringLiteral("다음"))));

        showTop<Screen>();
        // Return hands the keyboard on field by field, then to the sale type and next.
        harness->findAccessible(QStringLiteral("배기량"))->forceActiveFocus();
        QStringList walked;
        for (const char *typed : {"", "45210", "", "1500"}) {
            typeText(harness->window(), QString::fromLatin1(typed));
            QTest::keyClick(harness->window(), Qt::Key_Return);
            walked << focusedName(harness->window());
        }
        QCOMPARE(walked, (QStringList{"주행거리", "차대번호", "차량가격", "차량구분 매입차량"}));
        QTest::keyClick(harness->window(), Qt::Key_Tab);
        QCOMPARE(focusedName(harness->window()), QStringLiteral("다음"));
        QTest::keyClick(harness->window(), Qt::Key_Return);
        QCOMPARE(WizardState::value(WizardKey::Money), QStringLiteral("15000000"));

        auto *step3 = showTop<EnterCar3Controller>();
        QTRY_VERIFY(step3->nextEnabled());
        QVERIFY(harness->click(QStringLiteral("적재함 라이닝")));
        QVERIFY(step3->grid(1).isSelected(0));
        QVERIFY(press(harness->findAccessible(QStringLiteral("다음"))));

        auto *step4 = showTop<EnterCar4Controller>();
        QVERIFY(harness->click(QStringLiteral("검정투톤")));
        QCOMPARE(step4->selectedColor(), 6);
        QVERIFY(press(harness->findAccessible(QStringLiteral("다음"))));

        // While the car is on its way the way back is closed.
        showTop<Screen>();
        QQuickItem *back = harness->findAccessible(QStringLiteral("뒤로"));
        QVERIFY(back && back->isEnabled() && harness->findAccessible(QStringLiteral("차량 설명")));
        t->procedures.answer(QStringLiteral("ps_SetEnterCar3"), noRowsBody());
        t->procedures.setHolding(true);
        QVERIFY(press(harness->findAccessible(QStringLiteral("등록하기"))));
        QTRY_VERIFY(!back->isEnabled());
        verifyQuiet();
    }
};

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    TestWizardPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wizard_pages.moc"
