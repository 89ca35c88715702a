// The session store's shared operations: status labels, number format, alerts
// from any thread, the loading overlay, and the one shared instance.
#include "AppData.h"
#include "AppDelegate.h"
#include "DialogHelpers.h"
#include "Screen.h"
#include "TestContext.h"

#include <QPointer>
#include <QThread>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

namespace {
const QColor kOrange = QColor::fromRgbF(1.0f, 0.4906f, 0.0098f);
const QColor kBlue(61, 172, 247);
const QColor kViolet(142, 90, 247);
const QColor kGreen = QColor::fromRgbF(0.0f, 0.7106f, 0.4678f);
const QColor kGrey153(153, 153, 153);
const QColor kGrey205(205, 205, 205);
const QColor kCyan = QColor::fromRgbF(0.1590f, 0.9693f, 0.9523f);
const QColor kCoral = QColor::fromRgbF(1.0f, 0.3924f, 0.2415f);
const QColor kNavy = QColor::fromRgbF(0.1435f, 0.1780f, 0.2859f);
} // namespace

class AppDataTest : public QObject
{
    Q_OBJECT

private slots:
    void carStatus_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("color");
        const auto row = [](const char *tag, const QString &code, const QString &text, const QColor &color) {
            QTest::newRow(tag) << code << text << color;
        };
        row("1", "1", "  판매중  ", kOrange);
        row("2", "2", "  검사중  ", kBlue);
        row("3", "3", "  입고중  ", kViolet);
        row("4", "4", "  출고중  ", kGreen);
        row("5 same as 4", "5", "  출고중  ", kGreen);
        row("6 differs only in text", "6", "  경매차량  ", kGreen);
        row("7", "7", "  구입취소  ", kGrey153);
        row("8", "8", "  임시저장  ", kGrey153);
        row("9", "9", "  판매완료  ", kGrey205);
        row("10", "10", "  계약취소  ", kGrey153);
        row("11", "11", "  계약완료  ", kGrey205);
        row("12", "12", "  출고대기  ", kGrey153);
        row("13", "13", "  수리중  ", kBlue);
        row("14", "14", "  판매요청  ", kCyan);
        row("15", "15", "  정비중  ", kBlue);
        row("16", "16", "  검사완료  ", kGrey205);
        row("17", "17", "  수리완료  ", kCoral);
        row("18", "18", "  입고 후 정비  ", kCoral);
        row("19", "19", "  입고 후 수리완료  ", kCoral);
        // Whole-text comparison: anything else is an error label.
        for (const char *other : {"20", "0", "", "1 ", " 1", "01", "판매중"})
            row(qPrintable(QStringLiteral("other '%1'").arg(QString::fromUtf8(other))), QString::fromUtf8(other),
                QStringLiteral("  Error  "), kNavy);
    }

    void carStatus()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        QFETCH(QColor, color);
        StatusLabel label{QStringLiteral("old"), Qt::red};
        AppData::applyCarStatus(code, label);
        QCOMPARE(label.text, text);
        QCOMPARE(label.background.rgba(), color.rgba());
        QCOMPARE(label.background.alpha(), 255);
        QCOMPARE(AppData::carStatusLabel(code).text, text);
    }

    void formatThousands_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        const auto row = [](const char *tag, const QString &input, const QString &output,
                            const QString &locale = QStringLiteral("ko_KR")) {
            QTest::newRow(tag) << locale << input << output;
        };
        row("zero", "0", "0");
        row("three digits", "999", "999");
        row("four digits", "1234", "1,234");
        row("seven digits", "1234567", "1,234,567");
        row("negative", "-1234567", "-1,234,567");
        row("plus sign", "+12", "12");
        row("plus sign grouped", "+12345", "12,345");
        row("leading zeros", "007000", "7,000");
        row("max qint64", "9223372036854775807", "9,223,372,036,854,775,807");
        row("min qint64", "-9223372036854775808", "-9,223,372,036,854,775,808");
        row("beyond qint64", "9223372036854775808", "9223372036854775808");
        row("empty", "", "");
        row("sign only", "-", "-");
        row("blanks around", " 1234 ", " 1234 ");
        row("decimal", "12.5", "12.5");
        row("grouped already", "1,234", "1,234");
        row("letters", "12만", "12만");
        row("two signs", "--5", "--5");
        row("fullwidth digits", "１２３４", "１２３４");
        row("current locale's separator", "1234567", "1.234.567", QStringLiteral("de_DE"));
    }

    void formatThousands()
    {
        QFETCH(QString, locale);
        QFETCH(QString, input);
        QFETCH(QString, output);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const QString result = AppData::formatThousands(input);
        QLocale::setDefault(before);
        QCOMPARE(result, output);
    }

    void oneSharedInstance()
    {
        TestContext t;
        TestContext::resetAppData();
        AppData *a = AppData::shared();
        a->enterCarInfo.insert(QStringLiteral("sCarProductNum"), QStringLiteral("12가3456"));
        QCOMPARE(AppData::shared(), a);
        QCOMPARE(AppData::shared()->enterCarInfo.value(QStringLiteral("sCarProductNum")),
                 QStringLiteral("12가3456"));
        TestContext::resetAppData();
        QVERIFY(AppData::shared()->enterCarInfo.isEmpty());
    }

    void sharedFromManyThreads()
    {
        QList<AppData *> seen(8, nullptr);
        QList<QThread *> threads;
        for (int i = 0; i < 8; ++i)
            threads << QThread::create([&seen, i] { seen[i] = AppData::shared(); });
        for (QThread *th : threads)
            th->start();
        for (QThread *th : threads) {
            QVERIFY(th->wait(30000));
            delete th;
        }
        for (AppData *p : seen)
            QCOMPARE(p, AppData::shared());
    }

    void alertGoesToTheScreen()
    {
        TestContext t;
        Screen screen(t.ctx());
        AppData::showAlert(QStringLiteral("아이디를 확인해주세요."), QString(), &screen);
        QCOMPARE(dialogTitles(screen), QStringList{"아이디를 확인해주세요."});
        QCOMPARE(shownDialogActions(screen), QStringList{"확인"});
        // Queued for a screen that is gone by then: nothing happens.
        auto *gone = new Screen(t.ctx());
        AppData::showAlertOnMain(gone, QStringLiteral("늦은 알림"), QString());
        delete gone;
        QTest::qWait(20);
    }

    void alertFromAWorkerArrivesOnMain()
    {
        TestContext t;
        Screen screen(t.ctx());
        QThread *mainThread = QThread::currentThread();
        QThread *dialogThread = nullptr;
        connect(&screen, &Screen::dialogsChanged, this, [&] { dialogThread = QThread::currentThread(); });
        QScopedPointer<QThread> worker(QThread::create([&screen] {
            AppData::showAlertOnMain(&screen, QStringLiteral("서버 오류"),
                                     QStringLiteral("다시 시도해주세요."));
        }));
        worker->start();
        QVERIFY(worker->wait(30000));
        // Queued: nothing until the main thread's event loop runs.
        QVERIFY(screen.pendingDialogs().isEmpty());
        QTRY_COMPARE(screen.pendingDialogs().size(), 1);
        QCOMPARE(dialogThread, mainThread);
        QCOMPARE(screen.pendingDialogs().first().title, QStringLiteral("서버 오류"));
        QCOMPARE(screen.pendingDialogs().first().message, QStringLiteral("다시 시도해주세요."));
    }

    void loadingThroughTheStore()
    {
        TestContext t;
        Screen screen(t.ctx());
        AppData::setLoading(&screen, true);
        AppData::setLoading(&screen, true);
        AppData::setLoading(&screen, false);
        QCOMPARE(screen.loadingCount(), 1);
        AppData::setLoading(nullptr, true); // no screen: nothing to cover
    }

    void delegateAllowsAllOrientations()
    {
        AppDelegate delegate;
        QCOMPARE(delegate.supportedOrientations(),
                 Qt::PortraitOrientation | Qt::InvertedPortraitOrientation | Qt::LandscapeOrientation |
                     Qt::InvertedLandscapeOrientation);
        delegate.shouldSupportAllOrientation = false;
        QCOMPARE(delegate.supportedOrientations(), Qt::ScreenOrientations(Qt::PortraitOrientation));
    }
};

QTEST_MAIN(AppDataTest)
#include "tst_appdata.moc"
