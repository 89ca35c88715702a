#include "AppData.h"
#include "LogCapture.h"
#include "LoginController.h"
#include "LoginCrypto.h"
#include "QrDecoder.h"
#include "ReplyBuilder.h"
#include "ScriptedQrSource.h"
#include "TestContext.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace tvs {
void registerLoginScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

namespace {

const QString kKey = QStringLiteral("N3vB8cQ1xR6tY0uI5oP2aS7dF4gH9jKm");
const QString kIv = QStringLiteral("q7Lm2Xv9Rt4Wz8Kp");
constexpr int kWait = 20000;

// Every field of the dealer's record, and one the login does not keep.
Record dealerRecord(const QString &id = QStringLiteral("demo01"))
{
    return Record{{"sUserCode", "D0001"}, {"sUserId", id}, {"sStoreCode", "S001"}, {"sStoreName", "한빛모터스"},
                  {"sUserName", "김딜러"}, {"sUserTelnum", "010-1234-5678"}, {"sUserEmail", "demo@example.com"},
                  {"iUserLevel", "1"}, {"sUserRegDate", "2024-01-02"}, {"sUserUpDate", "2025-01-02"},
                  {"sUserLastDate", "2026-03-14 09:00"}, {"sUserStatus", "1"}, {"sUserMemo", "메모  두 칸"},
                  {"sUserPw", "6e9bece1914809fb8493146417e722f6"}, {"sUserLastDate1", "2026-03-13"},
                  {"sStoreAddress", "서울시"}, {"sStoreBusinessNum", "123-45-67890"}, {"sStoreUseName", "한빛"},
                  {"sUnknownField", "x"}};
}
const QString kUnknown = QStringLiteral("sUnknownField");

// A screen that stands for the dashboard.
class StubScreen : public Screen
{
public:
    using Screen::Screen;
};

} // namespace

Q_DECLARE_METATYPE(tvs::test::CannedAnswer)

class TestLoginController : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;
    std::unique_ptr<ScriptedQrSource> qr;

    LoginController *open()
    {
        auto *screen = qobject_cast<LoginController *>(t->navigator->resetTo(QStringLiteral("LoginController")));
        return screen;
    }
    QList<DialogRequest> alerts(Screen *screen) { return screen->pendingDialogs(); }
    bool dashboardShown() const
    {
        return t->navigator->top() && t->navigator->top()->identifier() == QLatin1String("MainView");
    }
    // Shows the QR page as a drag past the threshold does.
    void showQrPage(LoginController *login)
    {
        login->setContentWidth(780);
        login->scrollViewDidScroll(390);
        QVERIFY(qr->isRunning());
    }
    QImage codeFor(const QString &text) { return encodeQrImage(text, 6); }

private slots:
    void init()
    {
        TestContext::resetAppData();
        t = std::make_unique<TestContext>();
        qr = std::make_unique<ScriptedQrSource>();
        t->context.qr = qr.get();
        registerLoginScreens(*t->navigator);
        t->navigator->registerScreen(QStringLiteral("MainView"), QUrl(),
                                     [](ScreenContext *c) { return new StubScreen(c); });
    }
    void cleanup()
    {
        t.reset();
        qr.reset();
    }

    // Either an alert and nothing sent, or the one call text.
    void loginButton_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("alert");
        QTest::addColumn<QString>("digest");
        const QString badId = QStringLiteral("아이디를 확인해주세요.");
        const QString badPw = QStringLiteral("비밀번호를 확인해주세요.");
        QTest::newRow("empty id") << QString() << "secret" << badId << QString();
        QTest::newRow("one-letter id") << "a" << "secret" << badId << QString();
        QTest::newRow("one hangul id") << "김" << "secret" << badId << QString();
        QTest::newRow("both short") << "a" << "b" << badId << QString();
        QTest::newRow("one-letter password") << "ab" << "x" << badPw << QString();
        // One character although two UTF-16 units.
        QTest::newRow("emoji password") << "ab" << "😀" << badPw << QString();
        // One syllable written as its three jamo, as decomposed Korean text arrives.
        QTest::newRow("one decomposed syllable id") << "\u1112\u1161\u11AB" << "secret" << badId << QString();
        QTest::newRow("accent as a second code point") << "ab" << "e\u0301" << badPw << QString();
        QTest::newRow("two decomposed syllables")
            << "\u1112\u1161\u11AB\u1100\u1173\u11AF" << "xy" << QString() << "3e44107170a520582ade522fa73c1d15";
        QTest::newRow("demo") << "demo01" << "demo1234" << QString() << "6e9bece1914809fb8493146417e722f6";
        QTest::newRow("trailing blank kept") << "demo01 " << "password" << QString()
                                             << "5f4dcc3b5aa765d61d8327deb882cf99";
        QTest::newRow("case matters") << "demo01" << "Password" << QString() << "dc647eb65e6711e155375218212b3964";
        // A quote cannot end the ID's literal.
        QTest::newRow("quote in id") << "o'neil" << "password" << QString() << "5f4dcc3b5aa765d61d8327deb882cf99";
    }
    void loginButton()
    {
        QFETCH(QString, id);
        QFETCH(QString, password);
        QFETCH(QString, alert);
        QFETCH(QString, digest);
        LoginController *login = open();
        t->procedures.answer(QStringLiteral("ps_Login1"), noRowsBody());
        login->setLogin_ID(id);
        login->setLogin_PW(password);
        login->loginBtnAction();
        if (!alert.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 1, kWait);
            QCOMPARE(alerts(login).first().title, alert);
            QCOMPARE(alerts(login).first().message, QString());
            QCOMPARE(alerts(login).first().actions.first().title, QStringLiteral("확인"));
            QCOMPARE(t->procedures.calls().size(), 0);
            return;
        }
        QCOMPARE(t->procedures.calls().size(), 1);
        const FakeProcedureCaller::Call call = t->procedures.calls().first();
        QCOMPARE(call.operation, QStringLiteral("Procedure_List01"));
        QCOMPARE(call.callText, QStringLiteral("ps_Login1 '%1', '%2', 'MOBILE_DEALER', '1, 2, 3, 4, 12'")
                                    .arg(QString(id).replace(u'\'', QStringLiteral("''")), digest));
        QCOMPARE(call.shape.cleaning, Cleaning::Stripping);
        QCOMPARE(call.shape.namedElements.size(), 19);
        QVERIFY(call.shape.namedElements.contains(QStringLiteral("rtn")));
        const Record dealer = dealerRecord();
        for (const auto &[key, value] : dealer.fields())
            QVERIFY(key == kUnknown || call.shape.namedElements.contains(key));
    }

    void replies_data()
    {
        QTest::addColumn<CannedAnswer>("answer");
        QTest::addColumn<QString>("alertTitle");
        QTest::addColumn<bool>("signedIn");
        QTest::newRow("rtn NO") << CannedAnswer::reply(noRowsBody()) << QStringLiteral("로그인 실패") << false;
        QTest::newRow("dealer record") << CannedAnswer::reply(singleElementsBody(dealerRecord()))
                                       << QString() << true;
        QTest::newRow("neither user fields nor NO")
            << CannedAnswer::reply(singleElementsBody({{QStringLiteral("rtn"), QStringLiteral("YES")}})) << QString()
            << false;
        QTest::newRow("no rows at all") << CannedAnswer::reply(replyBody({})) << QString() << false;
        Record noPw = dealerRecord();
        noPw.remove(QStringLiteral("sUserPw"));
        QTest::newRow("id without password") << CannedAnswer::reply(singleElementsBody(noPw)) << QString() << false;
        QTest::newRow("transport error") << CannedAnswer::transportError() << QString() << false;
        QTest::newRow("unusable body") << CannedAnswer::badReply() << QString() << false;
        // The record is all there but the reply breaks off after it.
        QByteArray broken = singleElementsBody(dealerRecord());
        broken.chop(60);
        QTest::newRow("broken reply") << CannedAnswer::reply(broken) << QString() << false;
    }
    void replies()
    {
        QFETCH(CannedAnswer, answer);
        QFETCH(QString, alertTitle);
        QFETCH(bool, signedIn);
        LoginController *login = open();
        t->procedures.answer(QStringLiteral("ps_Login1"), answer);
        login->setLogin_ID(QStringLiteral("DEMO01"));
        login->setLogin_PW(QStringLiteral("demo1234"));
        login->loginBtnAction();
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.deliveredCount(), 1, kWait);
        if (!alertTitle.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 1, kWait);
            QCOMPARE(alerts(login).first().title, alertTitle);
            QCOMPARE(alerts(login).first().message, QStringLiteral("입력정보를 다시 확인해주세요."));
        }
        if (signedIn) {
            QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
            // The ID the reply returned is saved, not the typed one.
            QCOMPARE(t->settings->value(QStringLiteral("sUserId")), QStringLiteral("demo01"));
            const QMap<QString, QString> &info = AppData::shared()->userInfo;
            const Record dealer = dealerRecord();
            for (const auto &[key, value] : dealer.fields()) {
                if (key != QLatin1String("sUserMemo") && key != kUnknown)
                    QCOMPARE(info.value(key), value);
            }
            QVERIFY(!info.contains(kUnknown));
            // Stripping form: pairs of blanks go.
            QCOMPARE(info.value(QStringLiteral("sUserMemo")), QStringLiteral("메모두 칸"));
        } else {
            QTest::qWait(100);
            QCOMPARE(t->navigator->top(), login);
            QVERIFY(!t->settings->contains(QStringLiteral("sUserId")));
            if (alertTitle.isEmpty())
                QCOMPARE(alerts(login).size(), 0);
        }
    }

    void failureAfterEarlierSignIn()
    {
        LoginController *login = open();
        t->procedures.answerOnce(QStringLiteral("ps_Login1"), CannedAnswer::reply(singleElementsBody(dealerRecord())));
        t->procedures.answer(QStringLiteral("ps_Login1"), noRowsBody());
        login->setLogin_ID(QStringLiteral("demo01"));
        login->setLogin_PW(QStringLiteral("demo1234"));
        login->loginBtnAction();
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        // Signing out returns to the login; the record stays in the store until the next try.
        t->navigator->pop();
        QTRY_COMPARE_WITH_TIMEOUT(t->navigator->top(), login, kWait);
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserId")), QStringLiteral("demo01"));
        AppData::shared()->userInfo.insert(QStringLiteral("sUserPicturePath"), QStringLiteral("p.jpg"));

        login->setLogin_PW(QStringLiteral("wrong-pass"));
        login->loginBtnAction();
        QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 1, kWait);
        QCOMPARE(alerts(login).first().title, QStringLiteral("로그인 실패"));
        QTest::qWait(100);
        QCOMPARE(t->navigator->top(), login);
        for (const QString &key : LoginController::userInfoKeys())
            QVERIFY2(!AppData::shared()->userInfo.contains(key), qPrintable(key));
        // Keys the login does not own stay.
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserPicturePath")), QStringLiteral("p.jpg"));
    }

    void secondTapSendsAgain()
    {
        LoginController *login = open();
        t->procedures.setHolding(true);
        t->procedures.answer(QStringLiteral("ps_Login1"), singleElementsBody(dealerRecord()));
        login->setLogin_ID(QStringLiteral("demo01"));
        login->setLogin_PW(QStringLiteral("demo1234"));
        login->loginBtnAction();
        login->loginBtnAction();
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_Login1")), 2);
        QCOMPARE(login->loadingCount(), 0);
        t->procedures.releaseAll();
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        QTest::qWait(100);
        // Both replies signed in; the dashboard is opened once.
        QCOMPARE(t->navigator->depth(), 2);
    }

    void savedIdOnNextStart()
    {
        LoginController *first = open();
        QCOMPARE(first->login_ID(), QString());
        QVERIFY(!first->passwordFocusFirst());
        t->settings->setValue(QStringLiteral("sUserId"), QStringLiteral("demo01"));
        LoginController *second = open();
        QCOMPARE(second->login_ID(), QStringLiteral("demo01"));
        QVERIFY(second->passwordFocusFirst());
        QCOMPARE(second->login_PW(), QString());
    }

    void networkPath()
    {
        LoginController *login = open();
        QCOMPARE(t->network.startCount, 1);
        t->network.report(true);
        t->network.report(false);
        QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 1, kWait);
        QCOMPARE(alerts(login).first().title, QStringLiteral("네트워크 오류"));
        QCOMPARE(alerts(login).first().message, QStringLiteral("네트워크를 연결해주세요."));
        t->network.report(false);
        QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 2, kWait);
        t->network.report(true);
        QTest::qWait(50);
        QCOMPARE(alerts(login).size(), 2);
    }

    void networkWithoutBackend()
    {
        t->network.startResult = false;
        LoginController *login = open();
        QCOMPARE(t->network.startCount, 1);
        QTest::qWait(50);
        QCOMPARE(alerts(login).size(), 0);
    }

    void scrolling_data()
    {
        QTest::addColumn<qreal>("offset");
        QTest::addColumn<int>("segment");
        QTest::newRow("start") << 0.0 << 0;
        QTest::newRow("at the threshold") << 180.0 << 0;
        QTest::newRow("past the threshold") << 180.5 << 1;
        QTest::newRow("qr page") << 390.0 << 1;
        QTest::newRow("bounce left") << -20.0 << 0;
    }
    void scrolling()
    {
        QFETCH(qreal, offset);
        QFETCH(int, segment);
        LoginController *login = open();
        login->scrollViewDidScroll(300);
        login->scrollViewDidScroll(offset);
        QCOMPARE(login->login_Seg(), segment);
        QCOMPARE(qr->isRunning(), segment == 1);
        QCOMPARE(login->capturing(), segment == 1);
    }

    void segments_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("segment");
        QTest::addColumn<qreal>("target");
        QTest::newRow("qr") << 1 << 1 << 390.0;
        QTest::newRow("id") << 0 << 0 << 0.0;
        QTest::newRow("unknown") << 2 << -1 << -1.0;
        QTest::newRow("none") << -1 << -1 << -1.0;
    }
    void segments()
    {
        QFETCH(int, index);
        QFETCH(int, segment);
        QFETCH(qreal, target);
        LoginController *login = open();
        login->setContentWidth(780);
        QSignalSpy scroll(login, &LoginController::scrollRequested);
        login->action_Segmented(index);
        if (segment < 0) {
            QCOMPARE(scroll.size(), 0);
            QCOMPARE(login->login_Seg(), 0);
            return;
        }
        QCOMPARE(scroll.size(), 1);
        QCOMPARE(scroll.first().at(0).toReal(), target);
        QCOMPARE(scroll.first().at(1).toInt(), 200);
        QCOMPARE(login->login_Seg(), segment);
    }

    void capturePreparedOnEveryAppearance()
    {
        LoginController *login = open();
        QCOMPARE(qr->prepareCount, 1);
        showQrPage(login);
        t->navigator->showScreen(QStringLiteral("MainView"));
        // Not left running under the next screen.
        QVERIFY(!qr->isRunning());
        t->navigator->pop();
        QTRY_COMPARE_WITH_TIMEOUT(qr->prepareCount, 2, kWait);
        QVERIFY(!qr->isRunning());
    }

    void noCamera()
    {
        qr->cameraPresent = false;
        LoginController *login = open();
        QVERIFY(!login->hasCamera());
        QVERIFY(login->canOpenImage());
        QCOMPARE(login->qr_msg(), QString());
    }

    void detectionFrame()
    {
        LoginController *login = open();
        showQrPage(login);
        login->viewDidLayoutSubviews(100, 100);
        // A code without text still shows where it is, and scanning goes on.
        login->captureOutput({QString(), {QPointF(0, 0), QPointF(50, 50)}, QSizeF(100, 100)});
        QCOMPARE(login->qrCodeFrameView(), QRectF(0, 0, 50, 50));
        QVERIFY(qr->isRunning());
        QCOMPARE(login->qr_msg(), QString());
        login->captureOutputWithoutCode();
        QCOMPARE(login->qr_msg(), QStringLiteral("스캔중.."));
        QCOMPARE(login->qr_msgColor(), QColor(Qt::yellow));
        QVERIFY(login->qrCodeFrameView().isEmpty());
    }

    void qrCodes_data()
    {
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<QString>("token"); // empty: nothing is sent
        QTest::addColumn<bool>("rejected"); // "잘못된 접근입니다." and scanning again, else "처리중.." stays
        const auto seal = [](const QString &plain) { return sealQrPayload(plain, kKey, kIv); };
        const QString otherKey = QStringLiteral("00000000000000000000000000000000");
        QTest::newRow("U and digits") << seal("U7301928465") << "7301928465" << false;
        QTest::newRow("U in the middle") << seal("U73U01") << "7301" << false;
        QTest::newRow("not base64") << "https://example.com/x" << QString() << true;
        QTest::newRow("wrong key") << sealQrPayload("U7301928465", otherKey, kIv) << QString() << true;
        QTest::newRow("empty plaintext") << seal(QString()) << QString() << true;
        QTest::newRow("no leading U") << seal("7301928465") << QString() << false;
        QTest::newRow("not utf-8")
            << QString::fromLatin1(aes256CbcEncrypt(QByteArray("U73\xff"), kKey.toUtf8(), kIv.toUtf8())->toBase64())
            << QString() << false;
    }
    void qrCodes()
    {
        QFETCH(QString, scanned);
        QFETCH(QString, token);
        QFETCH(bool, rejected);
        LogCapture log;
        LoginController *login = open();
        t->procedures.answer(QStringLiteral("ps_LoginQR1"), noRowsBody());
        showQrPage(login);
        const int startsBefore = qr->startCount;

        // The code goes through the real decoder as a camera frame.
        qr->feed(codeFor(scanned));
        QTRY_COMPARE_WITH_TIMEOUT(login->qr_msg(), QStringLiteral("처리중.."), kWait);
        QCOMPARE(login->qr_msgColor(), QColor(Qt::green));
        QVERIFY(!qr->isRunning());

        if (!token.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(t->procedures.calls().size(), 1, kWait);
            QCOMPARE(t->procedures.calls().first().callText,
                     QStringLiteral("ps_LoginQR1 '%1', 'MOBILE_DEALER', '1,2,3,4,12'").arg(token));
            QCOMPARE(t->procedures.calls().first().operation, QStringLiteral("Procedure_List01"));
            QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 1, kWait);
            QCOMPARE(alerts(login).first().title, QStringLiteral("로그인 실패"));
        } else if (rejected) {
            QTRY_COMPARE_WITH_TIMEOUT(login->qr_msg(), QStringLiteral("잘못된 접근입니다."), kWait);
            QCOMPARE(login->qr_msgColor(), QColor(Qt::red));
            QVERIFY(qr->isRunning());
            QCOMPARE(qr->startCount, startsBefore + 1);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("does not begin with U"))
                                         || log.contains(QStringLiteral("not UTF-8")),
                                     kWait);
            QCOMPARE(login->qr_msg(), QStringLiteral("처리중.."));
            QVERIFY(!qr->isRunning());
        }
        if (token.isEmpty())
            QCOMPARE(t->procedures.calls().size(), 0);
    }

    void oneSecondPause()
    {
        LoginController *login = open();
        t->procedures.setHolding(true);
        showQrPage(login);
        QElapsedTimer clock;
        clock.start();
        login->captureOutput({sealQrPayload(QStringLiteral("U7301928465"), kKey, kIv), {}, {}});
        QCOMPARE(login->qr_msg(), QStringLiteral("처리중.."));
        QCOMPARE(t->procedures.calls().size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.calls().size(), 1, kWait);
        QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(login->qr_msg(), QStringLiteral("처리중.."));
    }

    void rejectedCodeAwayFromQrPage()
    {
        LoginController *login = open();
        showQrPage(login);
        login->captureOutput({QStringLiteral("not base64!"), {}, {}});
        // The dealer went back to the ID page during the pause.
        login->scrollViewDidScroll(0);
        QTRY_COMPARE_WITH_TIMEOUT(login->qr_msg(), QStringLiteral("잘못된 접근입니다."), kWait);
        QVERIFY(!qr->isRunning());
    }

    void imageFile()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("code.png"));
        QVERIFY(codeFor(sealQrPayload(QStringLiteral("U7301928465"), kKey, kIv)).save(file));
        LoginController *login = open();
        t->procedures.answer(QStringLiteral("ps_LoginQR1"), singleElementsBody(dealerRecord()));
        login->openQrImage(QUrl::fromLocalFile(file));
        QCOMPARE(login->qrImage(), QUrl::fromLocalFile(file));
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.callTextsOf(QStringLiteral("ps_LoginQR1")),
                                  QStringList{QStringLiteral("ps_LoginQR1 '7301928465', 'MOBILE_DEALER', '1,2,3,4,12'")},
                                  kWait);
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        QCOMPARE(t->settings->value(QStringLiteral("sUserId")), QStringLiteral("demo01"));
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserCode")), QStringLiteral("D0001"));

        t->navigator->pop();
        QTRY_COMPARE_WITH_TIMEOUT(t->navigator->top(), login, kWait);
        login->openQrImage(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.png"))));
        QTRY_COMPARE_WITH_TIMEOUT(alerts(login).size(), 1, kWait);
        QCOMPARE(alerts(login).first().title, QStringLiteral("이미지를 열 수 없습니다."));
    }

    void secretsNeverLogged()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
        LogCapture log;
        LoginController *login = open();
        const QString password = QStringLiteral("Sup3rSecret!");
        t->procedures.answerOnce(QStringLiteral("ps_Login1"), CannedAnswer::reply(noRowsBody()));
        t->procedures.answerOnce(QStringLiteral("ps_Login1"), CannedAnswer::transportError());
        t->procedures.answer(QStringLiteral("ps_Login1"), singleElementsBody(dealerRecord()));
        t->procedures.answer(QStringLiteral("ps_LoginQR1"), singleElementsBody(dealerRecord()));
        login->setLogin_ID(QStringLiteral("demo01"));
        login->setLogin_PW(password);
        for (int i = 0; i < 3; ++i)
            login->loginBtnAction();
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        t->navigator->pop();
        QTRY_COMPARE_WITH_TIMEOUT(t->navigator->top(), login, kWait);
        login->qrLogin(sealQrPayload(QStringLiteral("U7301928465"), kKey, kIv));
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        QLoggingCategory::setFilterRules(QString());

        QVERIFY(!log.lines().isEmpty());
        const QStringList secrets{password, passwordDigest(password), dealerRecord().value(QStringLiteral("sUserPw")),
                                  QStringLiteral("7301928465")};
        for (const QString &secret : secrets)
            QVERIFY2(!log.contains(secret), qPrintable(log.lines().join(u'\n')));
    }
};

QTEST_MAIN(TestLoginController)
#include "tst_logincontroller.moc"
