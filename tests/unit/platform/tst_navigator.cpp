// The Navigator: lifecycle order for push, modal, pop and replacement, the
// prepare step, the registry's unknown identifiers, and who destroys what.
#include "Navigator.h"
#include "RecordingScreen.h"
#include "TestContext.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

namespace {

struct LoggedMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<LoggedMessage> g_messages;
QtMessageHandler g_previous = nullptr;

void capture(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_messages.append({type, QByteArray(context.category ? context.category : ""), text});
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

class NavigatorTest : public QObject
{
    Q_OBJECT

    // Declared before the context: screens log into it while they are destroyed.
    QStringList log;
    std::unique_ptr<TestContext> t;

    Navigator &nav() { return *t->navigator; }

    void registerScreens()
    {
        for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
            nav().registerScreen(
                name, QUrl(QStringLiteral("qrc:/pages/%1.qml").arg(name)),
                [this, name](ScreenContext *c) { return new RecordingScreen(c, name, &log); });
        }
        nav().registerTransition(QStringLiteral("a_to_b"), QStringLiteral("B"), Navigator::Kind::Push);
        nav().registerTransition(QStringLiteral("a_to_c"), QStringLiteral("C"), Navigator::Kind::Modal);
        nav().registerTransition(QStringLiteral("b_to_c"), QStringLiteral("C"), Navigator::Kind::Push);
        nav().registerTransition(QStringLiteral("to_popup"), QStringLiteral("C"), Navigator::Kind::OverContext);
        nav().registerTransition(QStringLiteral("to_nowhere"), QStringLiteral("Missing"),
                                 Navigator::Kind::Push);
    }

    // Shows A as the only screen and lets its appearance end.
    Screen *startOnA()
    {
        Screen *a = nav().resetTo(QStringLiteral("A"));
        [&] { QTRY_VERIFY(log.contains(QStringLiteral("A.viewDidAppear"))); }();
        log.clear();
        return a;
    }

private slots:
    void init()
    {
        log.clear();
        t = std::make_unique<TestContext>();
        registerScreens();
    }
    void cleanup() { t.reset(); }

    void firstScreen()
    {
        QSignalSpy replaced(&nav(), &Navigator::stackReplaced);
        Screen *a = nav().resetTo(QStringLiteral("A"));
        QVERIFY(a);
        QCOMPARE(a->identifier(), QStringLiteral("A"));
        QCOMPARE(a->parent(), &nav());
        QCOMPARE(a->context(), t->ctx());
        QCOMPARE(a->navigator(), &nav());
        // Did-appear waits for the end of the (here instant) transition.
        QCOMPARE(log, (QStringList{"A.viewDidLoad", "A.viewWillAppear"}));
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(replaced.at(0).at(1).toUrl(), QUrl(QStringLiteral("qrc:/pages/A.qml")));
        QTRY_COMPARE(log, (QStringList{"A.viewDidLoad", "A.viewWillAppear", "A.viewDidAppear"}));
    }

    void pushAndModal_data()
    {
        QTest::addColumn<QString>("transition");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<bool>("modal");
        QTest::newRow("push") << "a_to_b"
                              << "B" << false;
        QTest::newRow("modal") << "a_to_c"
                               << "C" << true;
    }

    void pushAndModal()
    {
        QFETCH(QString, transition);
        QFETCH(QString, destination);
        QFETCH(bool, modal);
        auto *a = static_cast<RecordingScreen *>(startOnA());
        QSignalSpy shown(&nav(), &Navigator::screenShown);

        Screen *dest = nav().performSegue(transition, a);
        QVERIFY(dest);
        QCOMPARE(a->lastDestination, dest);
        QCOMPARE(static_cast<RecordingScreen *>(dest)->handedValue, QStringLiteral("A"));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(2).toBool(), modal);
        QTRY_VERIFY(log.contains(destination + QStringLiteral(".viewDidAppear")));
        // The prepare step runs before the destination loads or appears.
        QCOMPARE(log, (QStringList{"A.prepareForSegue:" + transition, destination + ".viewDidLoad",
                                   "A.viewWillDisappear", destination + ".viewWillAppear",
                                   "A.viewDidDisappear", destination + ".viewDidAppear"}));
        QCOMPARE(nav().depth(), 2);
        QCOMPARE(nav().top(), dest);
    }

    void popRevealsAndDestroys()
    {
        Screen *a = startOnA();
        QPointer<Screen> b = nav().performSegue(QStringLiteral("a_to_b"), a);
        QTRY_VERIFY(log.contains(QStringLiteral("B.viewDidAppear")));
        log.clear();
        QSignalSpy removed(&nav(), &Navigator::screenRemoved);

        b->dismiss();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(nav().top(), a);
        QTRY_VERIFY(b.isNull());
        // A loads once only; B is destroyed after its last step.
        QCOMPARE(log, (QStringList{"B.viewWillDisappear", "A.viewWillAppear", "B.viewDidDisappear",
                                   "A.viewDidAppear", "B.destroyed"}));
    }

    void dismissCoveredScreenRemovesWhatIsAboveIt()
    {
        Screen *a = startOnA();
        QPointer<Screen> b = nav().performSegue(QStringLiteral("a_to_b"), a);
        QPointer<Screen> c = nav().performSegue(QStringLiteral("b_to_c"), b);
        QTRY_VERIFY(log.contains(QStringLiteral("C.viewDidAppear")));
        log.clear();
        nav().pop(b);
        QTRY_VERIFY(b.isNull() && c.isNull());
        QCOMPARE(nav().stack(), (QList<Screen *>{a}));
        // Only the visible top goes through the disappearance steps.
        QVERIFY(!log.contains(QStringLiteral("B.viewWillDisappear")));
        QCOMPARE(log.mid(0, 4), (QStringList{"C.viewWillDisappear", "A.viewWillAppear", "C.viewDidDisappear",
                                             "A.viewDidAppear"}));
    }

    // A popup leaves the screen below visible and untouched: no steps for it when the
    // popup opens or closes; taking away the screen below the popup does reveal.
    void popupLeavesTheScreenBelowAlone()
    {
        Screen *a = startOnA();
        QSignalSpy shown(&nav(), &Navigator::screenShown);
        QSignalSpy popups(&nav(), &Navigator::popupShown);
        QPointer<Screen> c = nav().performSegue(QStringLiteral("to_popup"), a);
        QTRY_VERIFY(log.contains(QStringLiteral("C.viewDidAppear")));
        QCOMPARE(log, (QStringList{"A.prepareForSegue:to_popup", "C.viewDidLoad", "C.viewWillAppear",
                                   "C.viewDidAppear"}));
        QCOMPARE(shown.count(), 0);
        QCOMPARE(popups.count(), 1);
        QCOMPARE(nav().top(), c.data());

        log.clear();
        c->dismiss();
        QTRY_VERIFY(c.isNull());
        QCOMPARE(log, (QStringList{"C.viewWillDisappear", "C.viewDidDisappear", "C.destroyed"}));
        QCOMPARE(nav().top(), a);

        QPointer<Screen> b = nav().performSegue(QStringLiteral("a_to_b"), a);
        c = nav().performSegue(QStringLiteral("to_popup"), b);
        QTRY_VERIFY(log.contains(QStringLiteral("C.viewDidAppear")));
        log.clear();
        nav().pop(b);
        QTRY_VERIFY(b.isNull() && c.isNull());
        QCOMPARE(log.mid(0, 4), (QStringList{"C.viewWillDisappear", "A.viewWillAppear", "C.viewDidDisappear",
                                             "A.viewDidAppear"}));
    }

    void replaceStack()
    {
        Screen *a = startOnA();
        QPointer<Screen> oldA = a;
        QPointer<Screen> b = nav().performSegue(QStringLiteral("a_to_b"), a);
        QTRY_VERIFY(log.contains(QStringLiteral("B.viewDidAppear")));
        log.clear();

        QPointer<Screen> c = nav().resetTo(QStringLiteral("C"));
        QTRY_VERIFY(oldA.isNull() && b.isNull());
        QCOMPARE(nav().stack(), (QList<Screen *>{c.data()}));
        QCOMPARE(log.mid(0, 5), (QStringList{"C.viewDidLoad", "B.viewWillDisappear", "C.viewWillAppear",
                                             "B.viewDidDisappear", "C.viewDidAppear"}));
        QVERIFY(log.contains(QStringLiteral("A.destroyed")));
        QVERIFY(log.contains(QStringLiteral("B.destroyed")));
        QVERIFY(!log.contains(QStringLiteral("A.viewWillDisappear")));
    }

    void pageReportsTheEndOfTransitions()
    {
        nav().setPageAttached(true);
        Screen *a = nav().resetTo(QStringLiteral("A"));
        QTest::qWait(50);
        QCOMPARE(log, (QStringList{"A.viewDidLoad", "A.viewWillAppear"}));
        // Another screen's report does not end A's transition.
        Screen *stranger = new RecordingScreen(t->ctx(), QStringLiteral("X"), &log);
        nav().transitionFinished(stranger);
        delete stranger;
        QCOMPARE(log.size(), 3); // only X.destroyed
        nav().transitionFinished(a);
        QCOMPARE(log.at(3), QStringLiteral("A.viewDidAppear"));

        // A transition that starts before the page reported the last one ends that
        // one first, so the steps stay in order.
        log.clear();
        Screen *b = nav().performSegue(QStringLiteral("a_to_b"), a);
        nav().pop(b);
        QCOMPARE(log, (QStringList{"A.prepareForSegue:a_to_b", "B.viewDidLoad", "A.viewWillDisappear",
                                   "B.viewWillAppear", "A.viewDidDisappear", "B.viewDidAppear",
                                   "B.viewWillDisappear", "A.viewWillAppear"}));
        nav().transitionFinished(a);
        QCOMPARE(log.mid(8), (QStringList{"B.viewDidDisappear", "A.viewDidAppear"}));
    }

    void unknownIdentifiersWarnAndDoNothing_data()
    {
        QTest::addColumn<QString>("transition");
        QTest::newRow("unregistered transition") << "list_to_detail";
        QTest::newRow("transition to an unregistered screen") << "to_nowhere";
    }

    void unknownIdentifiersWarnAndDoNothing()
    {
        QFETCH(QString, transition);
        Screen *a = startOnA();
        QSignalSpy shown(&nav(), &Navigator::screenShown);
        g_messages.clear();
        g_previous = qInstallMessageHandler(capture);
        Screen *dest = nav().performSegue(transition, a);
        qInstallMessageHandler(g_previous);

        QVERIFY(!dest);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(nav().stack(), (QList<Screen *>{a}));
        QVERIFY(log.isEmpty()); // not even the prepare step
        QVERIFY(!g_messages.isEmpty());
        for (const LoggedMessage &m : std::as_const(g_messages)) {
            QCOMPARE(m.type, QtWarningMsg);
            QCOMPARE(m.category, QByteArray("tvs.ui"));
        }
        QVERIFY(!nav().instantiate(QStringLiteral("NoSuchScreen")));
        QVERIFY(!nav().showScreen(QStringLiteral("NoSuchScreen")));
        QCOMPARE(nav().depth(), 1);
    }

    void firstScreenStays()
    {
        Screen *a = startOnA();
        QTest::ignoreMessage(QtWarningMsg, "the first screen of the stack stays");
        nav().pop();
        QCOMPARE(nav().stack(), (QList<Screen *>{a}));
        QTest::qWait(20);
        QVERIFY(log.isEmpty());
    }

    void navigatorOwnsItsScreens()
    {
        QPointer<Screen> loose = new RecordingScreen(t->ctx(), QStringLiteral("L"), &log);
        nav().push(loose);
        QCOMPARE(loose->parent(), &nav());
        t.reset();
        QVERIFY(loose.isNull());
    }
};

QTEST_MAIN(NavigatorTest)
#include "tst_navigator.moc"
