// The session store's shared operations: status labels, number format, the
// entity unescaping, and alerts queued from any thread.
#include "AppData.h"
#include "Screen.h"
#include "TestContext.h"

#include <QThread>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

class AppDataTest : public QObject
{
    Q_OBJECT

private slots:
    void carStatusLabels()
    {
        QStringList shown;
        for (const char *code : {"1", "3", "5", "6", "11", "12", "14", "15", "19", "20", "", " 1", "01"}) {
            const StatusLabel label = AppData::carStatusLabel(QString::fromLatin1(code));
            shown << QLatin1String(code) + u'|' + label.text + u'|' + label.background.name(QColor::HexArgb);
        }
        // Each colour once, 5 as 4, 6 in 4's colour; anything but the whole code is an error label.
        QCOMPARE(
            shown,
            (QStringList{"1|  판매중  |#ffff7d02", "3|  입고중  |#ff8e5af7", "5|  출고중  |#ff00b577",
                         "6|  경매차량  |#ff00b577", "11|  계약완료  |#ffcdcdcd", "12|  출고대기  |#ff999999",
                         "14|  판매요청  |#ff29f7f3", "15|  정비중  |#ff3dacf7",
                         "19|  입고 후 수리완료  |#ffff643e", "20|  Error  |#ff252d49",
                         "|  Error  |#ff252d49", " 1|  Error  |#ff252d49", "01|  Error  |#ff252d49"}));
    }

    void formatThousands()
    {
        // Signed decimal integers within qint64 are grouped; any other text stays as it is.
        const QStringList grouped{"999", "-1234567", "+007000", "-9223372036854775808"};
        const QStringList kept{
            "9223372036854775808", "", "-", " 1234 ", "12.5", "1,234", "12만", "--5", "１２３４"};
        const QLocale before;
        QStringList korean, german;
        for (const QString &input : grouped + kept) {
            QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
            korean << AppData::formatThousands(input);
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            german << AppData::formatThousands(input); // the current locale's separator
        }
        QLocale::setDefault(before);
        const QStringList expected{"999", "-1,234,567", "7,000", "-9,223,372,036,854,775,808"};
        QCOMPARE(korean, expected + kept);
        QCOMPARE(german,
                 QStringList(expected).replaceInStrings(QStringLiteral(","), QStringLiteral(".")) + kept);
    }

    void unescape()
    {
        QVERIFY(!AppData::unescapeXmlEntities(std::nullopt).has_value());
        QCOMPARE(AppData::unescapeXmlEntities(QString()), std::optional<QString>(QString()));
        // Five steps in order, each over the whole text and never over what it inserted.
        QCOMPARE(AppData::unescapeXmlEntities(
                     QStringLiteral("&amp;lt; &quot;&apos;&lt;&gt;&amp; &&quot; &nbsp;&#39;&lt "
                                    "&lt;이름&gt;")),
                 QStringLiteral("&lt; \"'<>& &\" &nbsp;&#39;&lt <이름>"));
    }

    void alertFromAWorkerArrivesOnMain()
    {
        TestContext t;
        Screen screen(t.ctx());
        auto *gone = new Screen(t.ctx());
        QScopedPointer<QThread> worker(QThread::create([&screen, gone] {
            AppData::showAlertOnMain(gone, QStringLiteral("늦은 알림"), QString());
            AppData::showAlertOnMain(&screen, QStringLiteral("서버 오류"),
                                     QStringLiteral("다시 시도해주세요."));
        }));
        worker->start();
        QVERIFY(worker->wait(30000));
        delete gone;                                // gone by the time its alert arrives: nothing happens
        QVERIFY(screen.pendingDialogs().isEmpty()); // queued: nothing until the event loop runs
        QTRY_COMPARE(screen.pendingDialogs().size(), 1);
        const DialogRequest &alert = screen.pendingDialogs().first();
        QCOMPARE(alert.title + u'/' + alert.message + u'/' + alert.actions.value(0).title,
                 QStringLiteral("서버 오류/다시 시도해주세요./확인"));
    }
};

QTEST_MAIN(AppDataTest)
#include "tst_appdata.moc"
