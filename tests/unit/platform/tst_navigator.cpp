// The Navigator: lifecycle order for push, modal, popup, pop and replacement, the
// prepare step, unknown identifiers, the page's end-of-transition reports, and
// who destroys what.
#include "Navigator.h"
#include "RecordingScreen.h"
#include "TestContext.h"

#include <QPointer>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class NavigatorTest : public QObject
{
    Q_OBJECT

    // Declared before the context: screens log into it while they are destroyed.
    QStringList log;
    std::unique_ptr<TestContext> t;

    Navigator &nav() { return *t->navigator; }

    static QString nameOf(QObject *screen) { return static_cast<RecordingScreen *>(screen)->name(); }

    // "segue T" from the top screen, "pop" the top, "pop N" the screen at place N below it,
    // "reset X": replace the stack.
    void perform(const QString &step)
    {
        const QString verb = step.section(u' ', 0, 0), arg = step.section(u' ', 1);
        if (verb == QLatin1String("segue")) {
            auto *source = static_cast<RecordingScreen *>(nav().top());
            if (auto *dest = static_cast<RecordingScreen *>(nav().performSegue(arg, source)))
                QCOMPARE(dest->handedValue, source->name()); // the prepare step reached it
        } else if (verb == QLatin1String("pop")) {
            nav().pop(arg.isEmpty() ? nullptr : nav().stack().value(arg.toInt()));
        } else {
            nav().resetTo(arg);
        }
    }

private slots:
    void init()
    {
        log.clear();
        t = std::make_unique<TestContext>();
        for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
            nav().registerScreen(
                name, QUrl(QStringLiteral("qrc:/pages/%1.qml").arg(name)),
                [this, name](ScreenContext *c) { return new RecordingScreen(c, name, &log); });
        }
        nav().registerTransition(QStringLiteral("a_to_b"), QStringLiteral("B"), Navigator::Kind::Push);
        nav().registerTransition(QStringLiteral("a_to_c"), QStringLiteral("C"), Navigator::Kind::Modal);
        nav().registerTransition(QStringLiteral("b_to_c"), QStringLiteral("C"), Navigator::Kind::Push);
        nav().registerTransition(QStringLiteral("to_popup"), QStringLiteral("C"),
                                 Navigator::Kind::OverContext);
        nav().registerTransition(QStringLiteral("to_nowhere"), QStringLiteral("Missing"),
                                 Navigator::Kind::Push);
        // What the shell is told, in the same log.
        connect(&nav(), &Navigator::screenShown, this, [this](QObject *, const QUrl &page, bool modal) {
            log << "shown:" + page.fileName() + (modal ? ":modal" : "");
        });
        connect(&nav(), &Navigator::popupShown, this,
                [this](QObject *, const QUrl &page) { log << "popup:" + page.fileName(); });
        connect(&nav(), &Navigator::stackReplaced, this,
                [this](QObject *, const QUrl &page) { log << "replaced:" + page.fileName(); });
        connect(&nav(), &Navigator::screenRemoved, this,
                [this](QObject *s) { log << "removed:" + nameOf(s); });
    }
    void cleanup() { t.reset(); }

    void steps_data()
    {
        QTest::addColumn<QString>("before"); // steps after "reset A", each settled
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("stack");
        QTest::addColumn<QString>("warning");
        const auto row = [](const char *tag, const char *before, const char *step, const char *logged,
                            const char *stack, const char *warning = "") {
            QTest::newRow(tag) << QString(before) << QString(step) << QString(logged) << QString(stack)
                               << QString(warning);
        };
        row("push", "", "segue a_to_b",
            "A.prepareForSegue:a_to_b B.viewDidLoad A.viewWillDisappear B.viewWillAppear shown:B.qml "
            "A.viewDidDisappear B.viewDidAppear",
            "A B");
        row("modal", "", "segue a_to_c",
            "A.prepareForSegue:a_to_c C.viewDidLoad A.viewWillDisappear C.viewWillAppear shown:C.qml:modal "
            "A.viewDidDisappear C.viewDidAppear",
            "A C");
        row("pop reveals; B loads no more and goes", "segue a_to_b", "pop",
            "B.viewWillDisappear A.viewWillAppear removed:B B.viewDidDisappear A.viewDidAppear B.destroyed",
            "A");
        row("popping a covered screen takes the top along; only the top disappears",
            "segue a_to_b, segue b_to_c", "pop 1",
            "C.viewWillDisappear A.viewWillAppear removed:C removed:B C.viewDidDisappear A.viewDidAppear "
            "B.destroyed C.destroyed",
            "A");
        row("popup leaves the screen below alone", "", "segue to_popup",
            "A.prepareForSegue:to_popup C.viewDidLoad C.viewWillAppear popup:C.qml C.viewDidAppear", "A C");
        row("closing a popup", "segue to_popup", "pop",
            "C.viewWillDisappear removed:C C.viewDidDisappear C.destroyed", "A");
        row("taking away the screen below a popup reveals", "segue a_to_b, segue to_popup", "pop 1",
            "C.viewWillDisappear A.viewWillAppear removed:C removed:B C.viewDidDisappear A.viewDidAppear "
            "B.destroyed C.destroyed",
            "A");
        row("replacing the stack", "segue a_to_b", "reset C",
            "C.viewDidLoad B.viewWillDisappear C.viewWillAppear replaced:C.qml B.viewDidDisappear "
            "C.viewDidAppear "
            "A.destroyed B.destroyed",
            "C");
        row("unknown transition", "", "segue list_to_detail", "", "A",
            "no transition registered as \"list_to_detail\"");
        row("transition to an unknown screen", "", "segue to_nowhere", "", "A",
            "leads to the unknown screen");
        row("the first screen stays", "", "pop", "", "A", "the first screen of the stack");
    }

    void steps()
    {
        QFETCH(QString, before);
        QFETCH(QString, step);
        QFETCH(QString, logged);
        QFETCH(QString, stack);
        QFETCH(QString, warning);
        for (const QString &s :
             (QStringLiteral("reset A, ") + before).split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            perform(s);
            QTRY_VERIFY(!log.isEmpty() && log.last().endsWith(QLatin1String(".viewDidAppear")));
        }
        log.clear();
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
        perform(step);
        // The appearance ends on a later turn of the event loop, never inside the call.
        QVERIFY(log.filter(QStringLiteral("viewDidAppear")).isEmpty());
        QTRY_COMPARE(log.join(u' '), logged);
        QStringList names;
        for (Screen *s : nav().stack())
            names << nameOf(s);
        QCOMPARE(names.join(u' '), stack);
    }

    void pageReportsTheEndOfTransitions()
    {
        nav().setPageAttached(true);
        Screen *a = nav().resetTo(QStringLiteral("A"));
        // Another screen's report does not end A's transition.
        RecordingScreen stranger(t->ctx(), QStringLiteral("X"), nullptr);
        nav().transitionFinished(&stranger);
        QTest::qWait(50);
        QVERIFY(!log.contains(QStringLiteral("A.viewDidAppear")));
        nav().transitionFinished(a);
        QCOMPARE(log.last(), QStringLiteral("A.viewDidAppear"));

        // A transition that starts before the page reported the last one ends that
        // one first, so the steps stay in order.
        log.clear();
        nav().pop(nav().performSegue(QStringLiteral("a_to_b"), a));
        nav().transitionFinished(a);
        QCOMPARE(log.join(u' '),
                 "A.prepareForSegue:a_to_b B.viewDidLoad A.viewWillDisappear B.viewWillAppear "
                 "shown:B.qml A.viewDidDisappear B.viewDidAppear B.viewWillDisappear "
                 "A.viewWillAppear removed:B B.viewDidDisappear A.viewDidAppear");
    }

    void navigatorOwnsItsScreens()
    {
        QPointer<Screen> pushed = nav().instantiate(QStringLiteral("B"));
        QCOMPARE(nav().depth(), 0);
        nav().push(pushed);
        t.reset();
        QVERIFY(pushed.isNull());
    }
};

QTEST_MAIN(NavigatorTest)
#include "tst_navigator.moc"
