// Screen: dialog requests as the page and the tests see them, and answering them.
#include "Screen.h"
#include "TestContext.h"

#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class ScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void dialogs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("press");
        QTest::addColumn<QString>("shown"); // as the page gets it
        QTest::addColumn<int>("answered");
        const auto row = [](const char *tag, const char *kind, int press, const char *shown, int answered) {
            QTest::newRow(tag) << QString(kind) << press << QString::fromUtf8(shown) << answered;
        };
        row("alert", "alert", 0, "alert 제목 내용 확인/default", 0);
        row("actions", "actions", 1, "alert 제목 내용 취소/cancel 삭제/destructive", 1);
        row("choice entry", "choice", 1,
            "choice left 제목  가솔린/default 디젤/default 선택 취소/destructive", 1);
        row("choice cancel", "choice", 2,
            "choice left 제목  가솔린/default 디젤/default 선택 취소/destructive", -1);
        row("choice without cancel", "bare choice", 1, "choice left 제목  가솔린/default 디젤/default", 1);
    }

    void dialogs()
    {
        QFETCH(QString, kind);
        QFETCH(int, press);
        QFETCH(QString, shown);
        QFETCH(int, answered);
        TestContext t;
        Screen screen(t.ctx());
        int got = -99;
        const QString title = QStringLiteral("제목"), message = QStringLiteral("내용");
        if (kind == QLatin1String("alert"))
            screen.presentAlert(title, message, [&] { got = 0; });
        else if (kind == QLatin1String("actions"))
            screen.presentActions(title, message,
                                  {{QStringLiteral("취소"), DialogAction::Cancel},
                                   {QStringLiteral("삭제"), DialogAction::Destructive}},
                                  [&](int i) { got = i; });
        else
            screen.presentChoice(title, {QStringLiteral("가솔린"), QStringLiteral("디젤")},
                                 kind == QLatin1String("choice"), [&](int i) { got = i; });

        const QVariantMap dialog = screen.property("dialogs").toList().value(0).toMap();
        QStringList page{dialog.value("kind").toString()};
        if (dialog.value("leftAligned").toBool())
            page << QStringLiteral("left");
        page << dialog.value("title").toString() << dialog.value("message").toString();
        for (const QVariant &action : dialog.value("actions").toList())
            page << action.toMap().value("title").toString() + u'/' +
                        action.toMap().value("style").toString();
        QCOMPARE(page.join(u' '), shown);
        screen.answerDialog(dialog.value("id").toInt(), press);
        QCOMPARE(got, answered);
        QVERIFY(screen.pendingDialogs().isEmpty());
    }

    void dialogsQueueAndAnswerOnce()
    {
        TestContext t;
        Screen screen(t.ctx());
        QStringList order;
        const int first = screen.presentAlert(QStringLiteral("하나"), {}, [&] {
            order << QStringLiteral("first");
            screen.presentAlert(QStringLiteral("셋"), {}); // waits behind the ones before it
        });
        screen.presentAlert(QStringLiteral("둘"), {}, [&] { order << QStringLiteral("second"); });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has no action"));
        screen.answerDialog(first, 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no pending dialog"));
        screen.answerDialog(first + 100, 0);
        screen.answerDialog(first, 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no pending dialog"));
        screen.answerDialog(first, 0);
        QCOMPARE(order, QStringList{"first"});
        QCOMPARE(screen.pendingDialogs().value(0).title + screen.pendingDialogs().value(1).title,
                 QStringLiteral("둘셋"));
    }
};

QTEST_MAIN(ScreenTest)
#include "tst_screen.moc"
