// The shell's QML: the window follows the Navigator, dialogs and the loading
// overlay show for the top screen, and the styled views keep their defaults.
#include "Navigator.h"
#include "QmlPageHarness.h"
#include "RecordingScreen.h"
#include "TestContext.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class ShellTest : public QObject
{
    Q_OBJECT

private:
    QStringList log;

    // Items by object name in the visual tree (Repeater delegates are not found
    // through QObject children).
    static QList<QQuickItem *> itemsNamed(QQuickItem *root, const QString &name)
    {
        QList<QQuickItem *> found;
        const QList<QQuickItem *> children = root->childItems();
        for (QQuickItem *child : children) {
            if (child->objectName() == name)
                found << child;
            found << itemsNamed(child, name);
        }
        return found;
    }

    static QColor pixel(const QImage &image, QQuickItem *item, qreal x, qreal y)
    {
        const QPointF p = item->mapToScene(QPointF(x, y));
        const qreal dpr = image.devicePixelRatio();
        return image.pixelColor(int(p.x() * dpr), int(p.y() * dpr));
    }

    static bool near(const QColor &a, const QColor &b, int tolerance = 40)
    {
        return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
               qAbs(a.blue() - b.blue()) <= tolerance;
    }

    void addScreen(Navigator &nav, const QString &id, const QString &page, const QString &name)
    {
        nav.registerScreen(id, QUrl(QStringLiteral("qrc:/test/") + page),
                           [this, name](ScreenContext *c) { return new RecordingScreen(c, name, &log); });
    }

    // The app's window (Main.qml) following `nav`; null when it did not load or show.
    static QQuickWindow *openWindow(QmlPageHarness &harness, Navigator &nav)
    {
        harness.engine()->rootContext()->setContextProperty(QStringLiteral("navigator"), &nav);
        QQuickWindow *window = harness.loadWindow(QUrl(QStringLiteral("qrc:/tvs/ui/Main.qml")));
        if (!window || !QTest::qWaitForWindowExposed(window))
            return nullptr;
        nav.setPageAttached(true);
        return window;
    }

    // Shows "First" (screen A) as the only screen and waits until its page is there.
    Screen *showFirst(QmlPageHarness &harness, Navigator &nav)
    {
        Screen *first = nav.resetTo(QStringLiteral("First"));
        const bool shown = QTest::qWaitFor(
            [&] {
                return log.contains(QStringLiteral("A.viewDidAppear")) &&
                       harness.findAccessible(QStringLiteral("다음 First"));
            },
            10000);
        return shown ? first : nullptr;
    }

private slots:
    void init() { log.clear(); }

    // A popup fades in over the current page, which stays visible and keeps its
    // state: it gets no lifecycle steps when the popup opens or closes.
    void popupStaysOverThePage()
    {
        TestContext t;
        Navigator &nav = *t.navigator;
        addScreen(nav, QStringLiteral("First"), QStringLiteral("TestPage.qml"), QStringLiteral("A"));
        addScreen(nav, QStringLiteral("Popup"), QStringLiteral("PopupPage.qml"), QStringLiteral("P"));
        nav.registerTransition(QStringLiteral("to_popup"), QStringLiteral("Popup"), Navigator::Kind::OverContext);
        QmlPageHarness harness;
        QVERIFY2(openWindow(harness, nav), qPrintable(harness.report()));
        QPointer<Screen> first = showFirst(harness, nav);
        QVERIFY2(first, qPrintable(log.join(u' ') + harness.report()));

        log.clear();
        QPointer<Screen> popup = nav.performSegue(QStringLiteral("to_popup"), first);
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("P.viewDidAppear")), 10000);
        QCOMPARE(log, (QStringList{"A.prepareForSegue:to_popup", "P.viewDidLoad", "P.viewWillAppear",
                                   "P.viewDidAppear"}));
        QVERIFY(harness.findAccessible(QStringLiteral("닫기")));
        QVERIFY(harness.findAccessible(QStringLiteral("다음 First")));

        // The popup's own dialogs show over it.
        bool pressed = false;
        popup->presentAlert(QStringLiteral("전화를 걸 수 없습니다."), QString(), [&pressed] { pressed = true; });
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("확인")), 10000);
        QVERIFY(harness.click(QStringLiteral("확인")));
        QTRY_VERIFY_WITH_TIMEOUT(pressed, 10000);

        log.clear();
        QVERIFY(harness.click(QStringLiteral("닫기")));
        QTRY_VERIFY_WITH_TIMEOUT(popup.isNull(), 10000);
        QCOMPARE(log, (QStringList{"P.viewWillDisappear", "P.viewDidDisappear", "P.destroyed"}));
        QTRY_VERIFY_WITH_TIMEOUT(!harness.findAccessible(QStringLiteral("닫기")), 10000);
        QVERIFY(harness.findAccessible(QStringLiteral("다음 First")));
        QCOMPARE(nav.top(), first.data());
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
    }

    void windowFollowsNavigator()
    {
        TestContext t;
        Navigator &nav = *t.navigator;
        addScreen(nav, QStringLiteral("First"), QStringLiteral("TestPage.qml"), QStringLiteral("A"));
        addScreen(nav, QStringLiteral("Second"), QStringLiteral("TestPage.qml"), QStringLiteral("B"));
        nav.registerTransition(QStringLiteral("to_second"), QStringLiteral("Second"), Navigator::Kind::Push);
        nav.registerTransition(QStringLiteral("to_modal"), QStringLiteral("Second"), Navigator::Kind::Modal);
        QmlPageHarness harness;
        QVERIFY2(openWindow(harness, nav), qPrintable(harness.report()));
        QPointer<Screen> first = showFirst(harness, nav);
        QVERIFY2(first, qPrintable(log.join(u' ') + harness.report()));

        // The page's button starts the transition; the new page reports the end of
        // its slide and only then does B appear.
        log.clear();
        QVERIFY(harness.click(QStringLiteral("다음 First")));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("B.viewDidAppear")), 10000);
        QCOMPARE(log, (QStringList{"A.prepareForSegue:to_second", "B.viewDidLoad", "A.viewWillDisappear",
                                   "B.viewWillAppear", "A.viewDidDisappear", "B.viewDidAppear"}));
        QPointer<Screen> second = nav.top();
        QCOMPARE(nav.depth(), 2);

        // A dialog of the top screen shows over the stack and answers through the page.
        bool pressed = false;
        second->presentAlert(QStringLiteral("아이디를 확인해주세요."), QString(),
                             [&pressed] { pressed = true; });
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("확인")), 10000);
        QVERIFY(harness.accessibleNames().contains(QStringLiteral("아이디를 확인해주세요.")));
        QVERIFY(harness.click(QStringLiteral("확인")));
        QTRY_VERIFY_WITH_TIMEOUT(pressed, 10000);
        QVERIFY(second->pendingDialogs().isEmpty());

        // A choice list: entries, then the destructive cancel.
        int chosen = -2;
        second->presentChoice(QStringLiteral("연료"), {QStringLiteral("가솔린"), QStringLiteral("디젤")},
                              true, [&chosen](int index) { chosen = index; });
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("선택 취소")), 10000);
        QVERIFY(harness.click(QStringLiteral("디젤")));
        QTRY_COMPARE_WITH_TIMEOUT(chosen, 1, 10000);

        // The loading overlay covers the screen while the count is above zero.
        second->setLoading(true);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("데이터 처리중..")), 10000);
        second->setLoading(false);
        QTRY_VERIFY_WITH_TIMEOUT(!harness.findAccessible(QStringLiteral("데이터 처리중..")), 10000);

        // Popping reveals A after the slide ends; B and its page are destroyed.
        log.clear();
        second->dismiss();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("A.viewDidAppear")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(second.isNull(), 10000);
        QCOMPARE(log.mid(0, 4), (QStringList{"B.viewWillDisappear", "A.viewWillAppear", "B.viewDidDisappear",
                                             "A.viewDidAppear"}));

        // A modal screen rises and is dismissed the same way.
        log.clear();
        QPointer<Screen> modal = nav.performSegue(QStringLiteral("to_modal"), first);
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("B.viewDidAppear")), 10000);
        modal->dismiss();
        QTRY_VERIFY_WITH_TIMEOUT(modal.isNull(), 10000);
        QCOMPARE(nav.top(), first.data());

        // Dismissing a covered screen takes what is above it along.
        QPointer<Screen> b2 = nav.performSegue(QStringLiteral("to_second"), first);
        QPointer<Screen> c2 = nav.performSegue(QStringLiteral("to_modal"), b2);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("다음 Second")), 10000);
        log.clear();
        nav.pop(b2);
        QTRY_VERIFY_WITH_TIMEOUT(b2.isNull() && c2.isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("A.viewDidAppear")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("다음 First")), 10000);
        QVERIFY(!harness.findAccessible(QStringLiteral("다음 Second")));

        // Replacing the stack shows the new screen and destroys the old ones.
        log.clear();
        nav.resetTo(QStringLiteral("Second"));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("B.viewDidAppear")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(harness.findAccessible(QStringLiteral("다음 Second")), 10000);

        harness.settle(300);
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
    }

    void missingPageLeavesABlankScreen()
    {
        TestContext t;
        Navigator &nav = *t.navigator;
        addScreen(nav, QStringLiteral("Lost"), QStringLiteral("NoSuchPage.qml"), QStringLiteral("L"));
        QmlPageHarness harness;
        QVERIFY2(openWindow(harness, nav), qPrintable(harness.report()));
        nav.resetTo(QStringLiteral("Lost"));
        // The screen still goes through its steps; the window says why it is blank.
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("L.viewDidAppear")), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(harness.report().contains(QStringLiteral("cannot load the page of Lost")),
                                 10000);
    }

    void overlayLayersFollowTheCount()
    {
        QmlPageHarness harness;
        QQuickItem *root = harness.load(QUrl(QStringLiteral("qrc:/test/Overlay.qml")), nullptr);
        QVERIFY2(root, qPrintable(harness.report()));
        auto *overlay = root->findChild<QQuickItem *>(QStringLiteral("overlay"));
        QVERIFY(overlay);
        auto layers = [root] { return itemsNamed(root, QStringLiteral("loadingLayer")).size(); };
        QVERIFY(!overlay->isVisible());
        QCOMPARE(layers(), 0);
        root->setProperty("count", 2);
        QTRY_COMPARE(layers(), 2);
        QVERIFY(overlay->isVisible());
        root->setProperty("count", 1);
        QTRY_COMPARE(layers(), 1);

        harness.waitForPolish();
        QQuickItem *layer = itemsNamed(root, QStringLiteral("loadingLayer")).value(0);
        QQuickItem *image = itemsNamed(root, QStringLiteral("loadingImage")).value(0);
        QQuickItem *text = itemsNamed(root, QStringLiteral("loadingText")).value(0);
        QVERIFY(layer && image && text);
        QCOMPARE(layer->size(), QSizeF(390, 844));
        QCOMPARE(layer->property("color").value<QColor>(), QColor::fromRgbF(0.1435f, 0.1780f, 0.2859f, 0.5f));
        QCOMPARE(image->size(), QSizeF(100, 100));
        QCOMPARE(image->mapToScene(QPointF(50, 50)), QPointF(195, 422));
        QCOMPARE(text->size(), QSizeF(200, 100));
        QCOMPARE(text->mapToScene(QPointF(100, 50)), QPointF(195, 522));
        QCOMPARE(text->property("text").toString(), QStringLiteral("데이터 처리중.."));
        QCOMPARE(text->property("color").value<QColor>(), QColor(Qt::white));
        QCOMPARE(text->property("font").value<QFont>().pixelSize(), 20);

        root->setProperty("count", 0);
        QTRY_VERIFY(!overlay->isVisible());
        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
    }

    void harnessCollectsAndIgnoresWarnings()
    {
        for (const bool ignoring : {false, true}) {
            QmlPageHarness harness;
            if (ignoring)
                harness.ignoreWarnings(QRegularExpression(QStringLiteral("Connection refused")));
            QQuickItem *page = harness.load(QUrl(QStringLiteral("qrc:/test/FailingPicture.qml")), nullptr);
            QVERIFY(page);
            QTRY_COMPARE_WITH_TIMEOUT(page->property("status").toInt(), 3 /* Image.Error */, 20000);
            harness.settle(50);
            QCOMPARE(harness.report().contains(QStringLiteral("FailingPicture.qml")), !ignoring);
            QCOMPARE(harness.warnings().isEmpty(), ignoring);
        }
    }

    void styledViewsDefaultsAndLook()
    {
        QmlPageHarness harness;
        QQuickItem *root = harness.load(QUrl(QStringLiteral("qrc:/test/StyledViews.qml")), nullptr);
        QVERIFY2(root, qPrintable(harness.report()));
        QVERIFY(QTest::qWaitForWindowExposed(harness.window()));
        harness.settle(300);

        const auto item = [root](const char *name) { return root->findChild<QQuickItem *>(QLatin1String(name)); };
        QQuickItem *plainGradient = item("plainGradient"), *gradient = item("gradient"),
                   *plainLabel = item("plainLabel"), *roundLabel = item("roundLabel"),
                   *colorOnly = item("colorOnlyLabel"), *plainButton = item("plainButton"),
                   *pictureButton = item("pictureButton");
        QVERIFY(plainGradient && gradient && plainLabel && roundLabel && colorOnly && plainButton &&
                pictureButton);

        QCOMPARE(plainGradient->property("startColor").value<QColor>().alpha(), 0);
        QCOMPARE(plainGradient->property("endColor").value<QColor>().alpha(), 0);
        for (QQuickItem *view : {plainLabel, plainButton}) {
            QCOMPARE(view->property("cornerRadius").toReal(), 0.0);
            QCOMPARE(view->property("borderWidth").toReal(), 0.0);
            QCOMPARE(view->property("borderColor").value<QColor>().alpha(), 0);
        }
        QCOMPARE(plainButton->property("text").toString(), QStringLiteral("확인"));
        QVERIFY(harness.accessibleNames().contains(QStringLiteral("확인")));
        QVERIFY(harness.accessibleNames().contains(QStringLiteral("확인 그림")));

        const QImage image = harness.window()->grabWindow();
        QVERIFY(!image.isNull());
        // An unset gradient draws nothing: the white page shows through.
        QVERIFY(near(pixel(image, plainGradient, 50, 50), Qt::white, 8));
        // Top edge start colour, bottom edge end colour.
        QVERIFY(near(pixel(image, gradient, 50, 2), QColor(255, 0, 0)));
        QVERIFY(near(pixel(image, gradient, 50, 97), QColor(0, 0, 255)));
        // The rounded label's background is cut at its corners, not at its middle.
        QVERIFY(near(pixel(image, roundLabel, 50, 30), QColor(0, 255, 0)));
        QVERIFY(near(pixel(image, roundLabel, 1, 1), Qt::white, 8));
        // The border shows as grey along the straight edge.
        QVERIFY(!near(pixel(image, roundLabel, 50, 0), QColor(0, 255, 0), 60));
        // A border colour without a width shows no border.
        QVERIFY(near(pixel(image, colorOnly, 0, 20), Qt::white, 8));
        // The button's picture is clipped to the rounded shape: the corner stays
        // white while the picture's orange middle shows.
        QVERIFY(near(pixel(image, pictureButton, 1, 1), Qt::white, 8));
        QVERIFY(!near(pixel(image, pictureButton, 50, 50), Qt::white, 10));

        QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
