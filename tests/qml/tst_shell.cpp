// The shell's QML: the window follows the Navigator (pages, popups, dialogs and the
// loading cover of the top screen), and the styled views draw as configured.
#include "Navigator.h"
#include "QmlPageHarness.h"
#include "RecordingScreen.h"
#include "TestContext.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class ShellTest : public QObject
{
    Q_OBJECT

    QStringList log;

    // Items by object name in the visual tree (Repeater delegates are not found
    // through QObject children).
    static int countNamed(QQuickItem *root, const QString &name)
    {
        int found = 0;
        for (QQuickItem *child : root->childItems())
            found += (child->objectName() == name ? 1 : 0) + countNamed(child, name);
        return found;
    }

private slots:
    void windowFollowsNavigator()
    {
        TestContext t;
        Navigator &nav = *t.navigator;
        // A screen whose page is missing still goes through its steps.
        for (const QString &id : {u"First"_qs, u"Second"_qs, u"Popup"_qs, u"Lost"_qs}) {
            const QString page = id == u"Lost" ? u"NoSuchPage.qml"_qs : u"TestPage.qml"_qs;
            nav.registerScreen(id, QUrl(u"qrc:/test/"_qs + page),
                               [this, id](ScreenContext *c) { return new RecordingScreen(c, id, &log); });
        }
        nav.registerTransition(QStringLiteral("to_second"), QStringLiteral("Second"), Navigator::Kind::Push);
        nav.registerTransition(QStringLiteral("to_modal"), QStringLiteral("Second"), Navigator::Kind::Modal);
        nav.registerTransition(QStringLiteral("to_popup"), QStringLiteral("Popup"),
                               Navigator::Kind::OverContext);
        QmlPageHarness harness;
        QQuickWindow *window = harness.loadWindow(QUrl(u"qrc:/tvs/ui/Main.qml"_qs),
                                                  {{u"navigator"_qs, QVariant::fromValue(&nav)}});
        QVERIFY2(window && QTest::qWaitForWindowExposed(window), qPrintable(harness.report()));
        nav.setPageAttached(true);
        QPointer<Screen> first = nav.resetTo(QStringLiteral("First"));
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("뒤로 First")), 10000);

        // The second screen appears only once its page reports the end of its slide.
        QPointer<Screen> second = nav.performSegue(QStringLiteral("to_second"), first);
        QVERIFY(!log.contains(QStringLiteral("Second.viewDidAppear")));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Second.viewDidAppear")), 10000);

        // A dialog of the top screen shows over the stack and answers through the page.
        const auto alertAnswered = [&harness](Screen *screen, const QString &title) {
            bool pressed = false;
            if (screen)
                screen->presentAlert(title, QString(), [&pressed] { pressed = true; });
            return QTest::qWaitFor([&] { return harness.findAccessible(title); }, 10000) &&
                   harness.click(QStringLiteral("확인")) && QTest::qWaitFor([&] { return pressed; }, 10000);
        };
        QVERIFY(alertAnswered(second, QStringLiteral("아이디를 확인해주세요.")));
        int chosen = -2;
        second->presentChoice(QStringLiteral("연료"), {QStringLiteral("가솔린"), QStringLiteral("디젤")},
                              true, [&chosen](int index) { chosen = index; });
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("선택 취소")), 10000);
        QVERIFY(harness.click(QStringLiteral("디젤")));
        QTRY_COMPARE_WITH_TIMEOUT(chosen, 1, 10000);

        // The loading cover: one layer per pending show (a hide without one changes
        // nothing), swallowing touches meanwhile.
        second->setLoading(false);
        second->setLoading(true);
        second->setLoading(true);
        QTRY_COMPARE_WITH_TIMEOUT(countNamed(window->contentItem(), QStringLiteral("loadingLayer")), 2,
                                  10000);
        QVERIFY(harness.click(QStringLiteral("뒤로 Second")));
        second->setLoading(false);
        QTRY_COMPARE_WITH_TIMEOUT(countNamed(window->contentItem(), QStringLiteral("loadingLayer")), 1,
                                  10000);
        second->setLoading(false);
        QTRY_VERIFY_WITH_TIMEOUT(!harness.findAccessible(QStringLiteral("데이터 처리중..")), 10000);
        QCOMPARE(nav.top(), second.data());

        // The page's button reaches its controller: popping reveals the first page.
        QVERIFY(harness.click(QStringLiteral("뒤로 Second")));
        QTRY_VERIFY_WITH_TIMEOUT(second.isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("뒤로 First")), 10000);

        // A popup shows over the page, which stays visible; the popup's own dialogs
        // show over it.
        QPointer<Screen> popup = nav.performSegue(QStringLiteral("to_popup"), first);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("뒤로 Popup")), 10000);
        QVERIFY(harness.findAccessible(QStringLiteral("뒤로 First")));
        QVERIFY(alertAnswered(popup, QStringLiteral("전화를 걸 수 없습니다.")));
        QVERIFY(harness.click(QStringLiteral("뒤로 Popup")));
        QTRY_VERIFY_WITH_TIMEOUT(popup.isNull() && !harness.findAccessible(QStringLiteral("뒤로 Popup")),
                                 10000);
        QVERIFY(harness.findAccessible(QStringLiteral("뒤로 First")));

        // A modal screen rises and reports the end of its transition too.
        QPointer<Screen> modal = nav.performSegue(QStringLiteral("to_modal"), first);
        QTRY_COMPARE_WITH_TIMEOUT(log.count(QStringLiteral("Second.viewDidAppear")), 2, 10000);
        QVERIFY(harness.click(QStringLiteral("뒤로 Second")));
        QTRY_VERIFY_WITH_TIMEOUT(modal.isNull(), 10000);

        // Replacing the stack shows the new screen and destroys the old ones.
        nav.resetTo(QStringLiteral("Second"));
        QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("뒤로 Second")), 10000);
        harness.settle(300);
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));

        // A missing page leaves a blank screen, and the window says why.
        nav.resetTo(u"Lost"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(u"Lost.viewDidAppear"_qs), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(harness.report().contains(u"cannot load the page of Lost"_qs), 10000);
    }

    void styledViewsDraw()
    {
        QmlPageHarness harness;
        QQuickItem *root = harness.load(QUrl(QStringLiteral("qrc:/test/StyledViews.qml")), nullptr);
        QVERIFY2(root, qPrintable(harness.report()));
        QVERIFY(QTest::qWaitForWindowExposed(harness.window()));
        harness.settle(300);
        const QImage image = harness.window()->grabWindow();
        QVERIFY(!image.isNull());
        // An unset gradient draws nothing; gradient ends at the top and bottom edges; a rounded label's
        // background cut at its corner and its border along the straight edge; a border colour without a
        // width draws no border.
        const std::tuple<const char *, QPoint, QColor, bool> probes[] = {
            {"gradient", {50, 2}, Qt::red, true},        {"gradient", {50, 97}, Qt::blue, true},
            {"roundLabel", {50, 30}, Qt::green, true},   {"roundLabel", {1, 1}, Qt::white, true},
            {"roundLabel", {50, 0}, Qt::green, false},   {"colorOnlyLabel", {0, 20}, Qt::white, true},
            {"plainGradient", {50, 50}, Qt::white, true}};
        for (const auto &[item, at, colour, drawn] : probes) {
            const auto *view = root->findChild<QQuickItem *>(QLatin1String(item));
            QVERIFY(view);
            const QColor c = image.pixelColor((view->mapToScene(at) * image.devicePixelRatio()).toPoint());
            const int off = std::max({qAbs(c.red() - colour.red()), qAbs(c.green() - colour.green()),
                                      qAbs(c.blue() - colour.blue())});
            QVERIFY2((off <= 40) == drawn, qPrintable(QLatin1String(item) + u' ' + c.name()));
        }
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
