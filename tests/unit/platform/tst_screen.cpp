// Screen: dialog requests as tests and pages see them, answering them, and the
// loading overlay count.
#include "DialogHelpers.h"
#include "Screen.h"
#include "TestContext.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class ScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void alertHasOneDefaultOk()
    {
        TestContext t;
        Screen screen(t.ctx());
        int pressed = 0;
        const int id =
            screen.presentAlert(QStringLiteral("제목"), QStringLiteral("내용"), [&] { ++pressed; });
        QCOMPARE(screen.pendingDialogs().size(), 1);
        const DialogRequest &d = screen.pendingDialogs().first();
        QCOMPARE(d.id, id);
        QCOMPARE(d.kind, DialogRequest::Alert);
        QCOMPARE(d.title, QStringLiteral("제목"));
        QCOMPARE(d.message, QStringLiteral("내용"));
        QCOMPARE(d.actions.size(), 1);
        QCOMPARE(d.actions.first().title, QStringLiteral("확인"));
        QCOMPARE(d.actions.first().style, DialogAction::Default);
        QVERIFY(!d.leftAligned);
        screen.answerDialog(id, 0);
        QCOMPARE(pressed, 1);
        QVERIFY(screen.pendingDialogs().isEmpty());
    }

    void choiceIndices_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("expected");
        QTest::newRow("first entry") << true << 0 << 0;
        QTest::newRow("last entry") << true << 2 << 2;
        QTest::newRow("cancel") << true << 3 << -1;
        QTest::newRow("no cancel, last entry") << false << 2 << 2;
    }

    void choiceIndices()
    {
        QFETCH(bool, withCancel);
        QFETCH(int, press);
        QFETCH(int, expected);
        TestContext t;
        Screen screen(t.ctx());
        int got = -99;
        const QStringList entries{QStringLiteral("가솔린"), QStringLiteral("디젤"), QStringLiteral("LPG")};
        const int id =
            screen.presentChoice(QStringLiteral("연료"), entries, withCancel, [&](int i) { got = i; });
        const DialogRequest &d = screen.pendingDialogs().first();
        QCOMPARE(d.kind, DialogRequest::Choice);
        QVERIFY(d.leftAligned);
        QCOMPARE(d.actions.size(), entries.size() + (withCancel ? 1 : 0));
        if (withCancel) {
            QCOMPARE(d.actions.last().title, QStringLiteral("선택 취소"));
            QCOMPARE(d.actions.last().style, DialogAction::Destructive);
        }
        screen.answerDialog(id, press);
        QCOMPARE(got, expected);
    }

    void dialogsQueueAndShowInOrder()
    {
        TestContext t;
        Screen screen(t.ctx());
        QSignalSpy changed(&screen, &Screen::dialogsChanged);
        QStringList order;
        screen.presentAlert(QStringLiteral("하나"), {}, [&] {
            order << QStringLiteral("first");
            // A handler may ask for the next dialog; it waits behind this one's removal.
            screen.presentAlert(QStringLiteral("셋"), {});
        });
        screen.presentActions(QStringLiteral("둘"), QStringLiteral("삭제할까요?"),
                              {{QStringLiteral("취소"), DialogAction::Cancel},
                               {QStringLiteral("삭제"), DialogAction::Destructive}},
                              [&](int i) { order << QStringLiteral("second:%1").arg(i); });

        const QVariantList forPage = screen.property("dialogs").toList();
        QCOMPARE(forPage.size(), 2);
        const QVariantMap second = forPage.at(1).toMap();
        QCOMPARE(second.value("title").toString(), QStringLiteral("둘"));
        QCOMPARE(second.value("message").toString(), QStringLiteral("삭제할까요?"));
        QCOMPARE(second.value("kind").toString(), QStringLiteral("alert"));
        const QVariantList actions = second.value("actions").toList();
        QCOMPARE(actions.at(0).toMap().value("style").toString(), QStringLiteral("cancel"));
        QCOMPARE(actions.at(1).toMap().value("style").toString(), QStringLiteral("destructive"));

        QCOMPARE(shownDialogActions(screen), QStringList{"확인"});
        QVERIFY(!pressDialogAction(screen, QStringLiteral("삭제"))); // not on the shown dialog
        QVERIFY(pressDialogAction(screen, QStringLiteral("확인")));
        QCOMPARE(order, QStringList{"first"});
        QCOMPARE(dialogTitles(screen), (QStringList{"둘", "셋"}));
        screen.answerDialog(screen.pendingDialogs().at(0).id, 1);
        QCOMPARE(order, (QStringList{"first", "second:1"}));
        QVERIFY(changed.count() >= 4);
    }

    void badAnswersChangeNothing()
    {
        TestContext t;
        Screen screen(t.ctx());
        int pressed = 0;
        const int id = screen.presentAlert(QStringLiteral("제목"), {}, [&] { ++pressed; });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no pending dialog"));
        screen.answerDialog(id + 100, 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has no action"));
        screen.answerDialog(id, 1);
        QCOMPARE(pressed, 0);
        QCOMPARE(screen.pendingDialogs().size(), 1);
        screen.answerDialog(id, 0);
        // The same dialog cannot be answered twice.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no pending dialog"));
        screen.answerDialog(id, 0);
        QCOMPARE(pressed, 1);
    }

    void loadingStacks()
    {
        TestContext t;
        Screen screen(t.ctx());
        QSignalSpy changed(&screen, &Screen::loadingCountChanged);
        screen.setLoading(false); // nothing to hide
        QCOMPARE(screen.loadingCount(), 0);
        QCOMPARE(changed.count(), 0);
        screen.setLoading(true);
        screen.setLoading(true);
        screen.setLoading(false);
        QCOMPARE(screen.loadingCount(), 1);
        screen.setLoading(false);
        screen.setLoading(false);
        QCOMPARE(screen.loadingCount(), 0);
        QCOMPARE(changed.count(), 4);
    }
};

QTEST_MAIN(ScreenTest)
#include "tst_screen.moc"
