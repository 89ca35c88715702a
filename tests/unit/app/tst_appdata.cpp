// The session store's shared operations: status labels, number format, alerts
// from any thread, the loading overlay, and the one shared instance.
#include "AppData.h"
#include "AppDelegate.h"
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
        QTest::newRow("1") << "1"
                           << "  판매중  " << kOrange;
        QTest::newRow("2") << "2"
                           << "  검사중  " << kBlue;
        QTest::newRow("3") << "3"
                           << "  입고중  " << kViolet;
        QTest::newRow("4") << "4"
                           << "  출고중  " << kGreen;
        QTest::newRow("5 same as 4") << "5"
                                     << "  출고중  " << kGreen;
        QTest::newRow("6 differs only in text") << "6"
                                                << "  경매차량  " << kGreen;
        QTest::newRow("7") << "7"
                           << "  구입취소  " << kGrey153;
        QTest::newRow("8") << "8"
                           << "  임시저장  " << kGrey153;
        QTest::newRow("9") << "9"
                           << "  판매완료  " << kGrey205;
        QTest::newRow("10") << "10"
                            << "  계약취소  " << kGrey153;
        QTest::newRow("11") << "11"
                            << "  계약완료  " << kGrey205;
        QTest::newRow("12") << "12"
                            << "  출고대기  " << kGrey153;
        QTest::newRow("13") << "13"
                            << "  수리중  " << kBlue;
        QTest::newRow("14") << "14"
                            << "  판매요청  " << kCyan;
        QTest::newRow("15") << "15"
                            << "  정비중  " << kBlue;
        QTest::newRow("16") << "16"
                            << "  검사완료  " << kGrey205;
        QTest::newRow("17") << "17"
                            << "  수리완료  " << kCoral;
        QTest::newRow("18") << "18"
                            << "  입고 후 정비  " << kCoral;
        QTest::newRow("19") << "19"
                            << "  입고 후 수리완료  " << kCoral;
        QTest::newRow("20") << "20"
                            << "  Error  " << kNavy;
        QTest::newRow("0") << "0"
                           << "  Error  " << kNavy;
        QTest::newRow("empty") << ""
                               << "  Error  " << kNavy;
        QTest::newRow("trailing blank") << "1 "
                                        << "  Error  " << kNavy;
        QTest::newRow("leading blank") << " 1"
                                       << "  Error  " << kNavy;
        QTest::newRow("leading zero") << "01"
                                      << "  Error  " << kNavy;
        QTest::newRow("word") << "판매중"
                              << "  Error  " << kNavy;
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

    void statusColoursAreTheTableValues()
    {
        // 205/255 grey and the fractional colours come out as the table gives them.
        QCOMPARE(AppData::carStatusLabel(QStringLiteral("9")).background.redF(), 205.0f / 255.0f);
        QVERIFY(qAbs(AppData::carStatusLabel(QStringLiteral("1")).background.greenF() - 0.4906f) < 0.002f);
        QVERIFY(qAbs(AppData::carStatusLabel(QStringLiteral("x")).background.blueF() - 0.2859f) < 0.002f);
    }

    void formatThousands_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("three digits") << "999"
                                      << "999";
        QTest::newRow("four digits") << "1234"
                                     << "1,234";
        QTest::newRow("seven digits") << "1234567"
                                      << "1,234,567";
        QTest::newRow("negative") << "-1234567"
                                  << "-1,234,567";
        QTest::newRow("plus sign") << "+12"
                                   << "12";
        QTest::newRow("plus sign grouped") << "+12345"
                                           << "12,345";
        QTest::newRow("leading zeros") << "007000"
                                       << "7,000";
        QTest::newRow("max qint64") << "9223372036854775807"
                                    << "9,223,372,036,854,775,807";
        QTest::newRow("min qint64") << "-9223372036854775808"
                                    << "-9,223,372,036,854,775,808";
        QTest::newRow("beyond qint64") << "9223372036854775808"
                                       << "9223372036854775808";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("sign only") << "-"
                                   << "-";
        QTest::newRow("blanks around") << " 1234 "
                                       << " 1234 ";
        QTest::newRow("decimal") << "12.5"
                                 << "12.5";
        QTest::newRow("grouped already") << "1,234"
                                         << "1,234";
        QTest::newRow("letters") << "12만"
                                 << "12만";
        QTest::newRow("two signs") << "--5"
                                   << "--5";
        QTest::newRow("fullwidth digits") << "１２３４"
                                          << "１２３４";
    }

    void formatThousands()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
        const QString result = AppData::formatThousands(input);
        QLocale::setDefault(before);
        QCOMPARE(result, output);
    }

    void formatFollowsTheCurrentLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString result = AppData::formatThousands(QStringLiteral("1234567"));
        QLocale::setDefault(before);
        QCOMPARE(result, QStringLiteral("1.234.567"));
    }

    void oneSharedInstance()
    {
        TestContext t;
        TestContext::resetAppData();
        Screen first(t.ctx());
        Screen second(t.ctx());
        AppData *a = AppData::shared();
        a->enterCarInfo.insert(QStringLiteral("sCarProductNum"), QStringLiteral("12가3456"));
        QCOMPARE(AppData::shared(), a);
        QCOMPARE(AppData::shared()->enterCarInfo.value(QStringLiteral("sCarProductNum")),
                 QStringLiteral("12가3456"));
        QCOMPARE(a->AESIV.size(), 16);
        QCOMPARE(a->AESKEY.size(), 32);
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
        QCOMPARE(screen.pendingDialogs().size(), 1);
        QCOMPARE(screen.pendingDialogs().first().title, QStringLiteral("아이디를 확인해주세요."));
        QCOMPARE(screen.pendingDialogs().first().actions.first().title, QStringLiteral("확인"));
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

    void alertForAScreenThatIsGone()
    {
        TestContext t;
        auto *screen = new Screen(t.ctx());
        AppData::showAlertOnMain(screen, QStringLiteral("늦은 알림"), QString());
        delete screen;
        QTest::qWait(20); // the queued alert finds no screen and does nothing
    }

    void loadingThroughTheStore()
    {
        TestContext t;
        Screen screen(t.ctx());
        AppData::setLoading(&screen, false);
        QCOMPARE(screen.loadingCount(), 0);
        AppData::setLoading(&screen, true);
        AppData::setLoading(&screen, true);
        AppData::setLoading(&screen, false);
        QCOMPARE(screen.loadingCount(), 1);
        AppData::setLoading(nullptr, true); // no screen: nothing to cover
    }

    void unescapeForwards()
    {
        QCOMPARE(AppData::unescapeXmlEntities(QStringLiteral("&lt;a&gt; &amp;lt;")),
                 QStringLiteral("<a> &lt;"));
        QVERIFY(!AppData::unescapeXmlEntities(std::nullopt).has_value());
    }

    void delegateAllowsAllOrientations()
    {
        AppDelegate delegate;
        QVERIFY(delegate.shouldSupportAllOrientation);
        const Qt::ScreenOrientations all = delegate.supportedOrientations();
        for (Qt::ScreenOrientation o : {Qt::PortraitOrientation, Qt::InvertedPortraitOrientation,
                                        Qt::LandscapeOrientation, Qt::InvertedLandscapeOrientation})
            QVERIFY(all.testFlag(o));
        delegate.shouldSupportAllOrientation = false;
        QCOMPARE(delegate.supportedOrientations(), Qt::ScreenOrientations(Qt::PortraitOrientation));
    }
};

QTEST_MAIN(AppDataTest)
#include "tst_appdata.moc"
