#include "AppData.h"
#include "DialogHelpers.h"
#include "LoginCrypto.h"
#include "LoginSupport.h"
#include "QrDecoder.h"
#include "ReplyBuilder.h"
#include "TestContext.h"

#include <QDeadlineTimer>
#include <QPainter>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

namespace {

constexpr int kWait = 20000;
const QString kRefused = QStringLiteral("로그인 실패|입력정보를 다시 확인해주세요.");
const QString kRejected = QStringLiteral("잘못된 접근입니다.");
const QString kNoServer = QStringLiteral("서버에 연결할 수 없습니다.|로그인하지 못했습니다.");

// Every field of the dealer's record, and one the login does not keep.
Record dealerRecord()
{
    Record r;
    for (const QString &f :
         QStringLiteral(
             "sUserCode=D0001;sUserId=demo01;sStoreCode=S001;sStoreName=한빛모터스;sUserName=김딜러;"
             "sUserTelnum=010-1234-5678;sUserEmail=demo@example.com;iUserLevel=1;"
             "sUserRegDate=2024-01-02;sUserUpDate=2025-01-02;sUserLastDate=2026-03-14 09:00;"
             "sUserStatus=1;sUserMemo=메모  두 칸;sUserPw=6e9bece1914809fb8493146417e722f6;"
             "sUserLastDate1=2026-03-13;sStoreAddress=서울시;sStoreBusinessNum=123-45-67890;"
             "sStoreUseName=한빛;sUnknownField=x")
             .split(u';'))
        r.insert(f.section(u'=', 0, 0), f.section(u'=', 1));
    return r;
}

// A QR code's text as the session store's key and IV seal it.
QString seal(const QByteArray &plain)
{
    const AppData *data = AppData::shared();
    return QString::fromLatin1(
        aes256CbcEncrypt(plain, data->AESKEY.toUtf8(), data->AESIV.toUtf8())->toBase64());
}

} // namespace

Q_DECLARE_METATYPE(tvs::test::CannedAnswer)

class TestLoginController : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;
    std::unique_ptr<ScriptedQrSource> qr;
    NotingLogin *login = nullptr;

    NotingLogin *open() { return static_cast<NotingLogin *>(t->navigator->resetTo(u"NotingLogin"_qs)); }
    bool onDashboard() const
    {
        return t->navigator->top()->identifier() == QLatin1String("MainView") &&
               login->segues == QStringList{QStringLiteral("login_to_main")};
    }
    // The QR page's status line: its text and colour (#00ff00 green, #ff0000 red, #ffff00 yellow).
    QString qrStatus() const { return login->qr_msg() + u'|' + login->qr_msgColor().name(); }
    QStringList alerts() const
    {
        QStringList texts;
        for (const DialogRequest &d : login->pendingDialogs())
            texts << d.title + u'|' + d.message;
        return texts;
    }

private slots:
    void init()
    {
        TestContext::resetAppData();
        t = std::make_unique<TestContext>();
        qr = std::make_unique<ScriptedQrSource>();
        t->context.qr = qr.get();
        registerLoginForTest(*t->navigator);
        for (const QString &dashboards : {u"ps_UserCarCount"_qs, u"ps_GetUserProductCar_Info2"_qs})
            t->procedures.answer(dashboards, noRowsBody()); // what the dashboard asks after a sign-in
        login = open();
    }
    void cleanup()
    {
        t.reset();
        qr.reset();
    }

    // Either the alert and nothing sent, or the one call text with the password's digest.
    void loginButton_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("outcome"); // the alert, or the digest sent
        const QString badId = u"아이디를 확인해주세요.|"_qs, badPw = u"비밀번호를 확인해주세요.|"_qs;
        QTest::newRow("one hangul id") << u"김"_qs << u"secret"_qs << badId;
        QTest::newRow("both short") << u"a"_qs << u"b"_qs << badId;
        QTest::newRow("one-letter password") << u"ab"_qs << u"x"_qs << badPw;
        // Characters as the dealer sees them: two UTF-16 units, or a syllable as three jamo, count once.
        QTest::newRow("emoji password") << u"ab"_qs << u"😀"_qs << badPw;
        QTest::newRow("decomposed syllable id") << u"\u1112\u1161\u11AB"_qs << u"secret"_qs << badId;
        // Reference digests of the UTF-8 bytes from an independent MD5 implementation.
        QTest::newRow("two decomposed syllables") << u"\u1112\u1161\u11AB\u1100\u1173\u11AF"_qs << u"xy"_qs
                                                  << u"3e44107170a520582ade522fa73c1d15"_qs;
        QTest::newRow("demo") << u"demo01"_qs << u"demo1234"_qs << u"6e9bece1914809fb8493146417e722f6"_qs;
        QTest::newRow("hangul password")
            << u"demo01"_qs << u"비밀번호"_qs << u"cd504c7c56a3821206c416fb5460f384"_qs;
        QTest::newRow("trailing blank kept")
            << u"demo01 "_qs << u"password"_qs << u"5f4dcc3b5aa765d61d8327deb882cf99"_qs;
        QTest::newRow("case matters")
            << u"demo01"_qs << u"Password"_qs << u"dc647eb65e6711e155375218212b3964"_qs;
        // A quote cannot end the ID's literal.
        QTest::newRow("quote in id") << u"o'neil"_qs << u"abc"_qs << u"900150983cd24fb0d6963f7d28e17f72"_qs;
    }
    void loginButton()
    {
        QFETCH(QString, id);
        QFETCH(QString, password);
        QFETCH(QString, outcome);
        t->procedures.answer(QStringLiteral("ps_Login1"), noRowsBody());
        login->signIn(id, password);
        if (outcome.endsWith(u'|')) {
            QTRY_COMPARE_WITH_TIMEOUT(alerts(), QStringList{outcome}, kWait);
            QCOMPARE(t->procedures.calls().size(), 0);
            return;
        }
        QCOMPARE(t->procedures.callTexts(),
                 QStringList{QStringLiteral("ps_Login1 '%1', '%2', 'MOBILE_DEALER', '1, 2, 3, 4, 12'")
                                 .arg(QString(id).replace(u'\'', QStringLiteral("''")), outcome)});
        QCOMPARE(t->procedures.calls().first().operation, kProcedureList);
    }

    void replies_data()
    {
        QTest::addColumn<CannedAnswer>("answer");
        QTest::addColumn<QStringList>("alerts");
        QTest::addColumn<bool>("signedIn");
        const auto reply = [](const Record &r) { return CannedAnswer::reply(singleElementsBody(r)); };
        QTest::newRow("rtn NO") << CannedAnswer::reply(noRowsBody()) << QStringList{kRefused} << false;
        QTest::newRow("dealer record") << reply(dealerRecord()) << QStringList() << true;
        QTest::newRow("neither user fields nor NO") << reply({{"rtn", "YES"}}) << QStringList() << false;
        Record noPw = dealerRecord();
        noPw.remove(QStringLiteral("sUserPw"));
        QTest::newRow("id without password") << reply(noPw) << QStringList() << false;
        // The service writes an empty value as an empty element: no dealer signs in with it.
        noPw.insert(QStringLiteral("sUserPw"), QString());
        QTest::newRow("empty password") << reply(noPw) << QStringList() << false;
        QTest::newRow("transport error") << CannedAnswer::transportError() << QStringList{kNoServer} << false;
        // The record is all there but the reply breaks off after it.
        QByteArray broken = singleElementsBody(dealerRecord());
        broken.chop(60);
        QTest::newRow("broken reply")
            << CannedAnswer::reply(broken)
            << QStringList{"서버의 응답을 읽을 수 없습니다.|로그인하지 못했습니다."} << false;
        // "NO" is the whole answer, even when the reply breaks off after it.
        const QByteArray no = noRowsBody();
        QTest::newRow("NO, then broken off") << CannedAnswer::reply(no.first(no.indexOf("&lt;/rtn&gt;") + 12))
                                             << QStringList{kRefused} << false;
    }
    void replies()
    {
        QFETCH(CannedAnswer, answer);
        QFETCH(QStringList, alerts);
        QFETCH(bool, signedIn);
        t->procedures.answer(QStringLiteral("ps_Login1"), answer);
        login->signIn(QStringLiteral("DEMO01"), QStringLiteral("demo1234"));
        QTRY_VERIFY_WITH_TIMEOUT(t->procedures.deliveredCount() > 0, kWait);
        QCoreApplication::processEvents(); // the alerts are queued
        QCOMPARE(this->alerts(), alerts);
        QCOMPARE(onDashboard(), signedIn);
        // The ID the reply returned is saved, not the typed one.
        QCOMPARE(t->settings->value(u"sUserId"_qs), signedIn ? u"demo01"_qs : QString());
        if (signedIn) {
            QMap<QString, QString> expected;
            for (const auto &[key, value] : dealerRecord().fields())
                expected.insert(key, value);
            expected.remove(QStringLiteral("sUnknownField"));
            expected.insert(QStringLiteral("sUserMemo"), QStringLiteral("메모두 칸")); // pairs of blanks go
            QCOMPARE(AppData::shared()->userInfo, expected);
        }
    }

    // Each tap sends, and the second reply finds the dashboard on top and opens no other.
    // Back on the login, a refusal leaves no dealer record behind; keys the login does not
    // own stay.
    void tapsAndRefusalAfterSignIn()
    {
        t->procedures.setHolding(true);
        t->procedures.answer(QStringLiteral("ps_Login1"), singleElementsBody(dealerRecord()));
        login->signIn(QStringLiteral("demo01"), QStringLiteral("demo1234"));
        login->loginBtnAction();
        t->procedures.releaseAll();
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_Login1")), 2);
        QVERIFY(onDashboard());

        t->navigator->pop();
        AppData::shared()->userInfo.insert(QStringLiteral("sUserPicturePath"), QStringLiteral("p.jpg"));
        t->procedures.answer(QStringLiteral("ps_Login1"), noRowsBody());
        login->signIn(QStringLiteral("demo01"), QStringLiteral("wrong-pass"));
        t->procedures.releaseAll();
        QTRY_COMPARE_WITH_TIMEOUT(alerts(), QStringList{kRefused}, kWait);
        QCOMPARE(t->navigator->top(), login);
        QCOMPARE(AppData::shared()->userInfo.keys(), QStringList{QStringLiteral("sUserPicturePath")});
    }

    void networkPath()
    {
        QCOMPARE(t->network.startCount, 1);
        for (const bool satisfied : {true, false, true, false})
            t->network.report(satisfied);
        QTRY_COMPARE_WITH_TIMEOUT(alerts(), QStringList(2, u"네트워크 오류|네트워크를 연결해주세요."_qs),
                                  kWait);
    }

    // The QR page is shown once the pages moved past 180 points, and the camera runs there
    // only. After a sign-in the login stays under the dashboard with its QR page selected:
    // neither a scroll report (a window resize re-sets the offset) nor a rejected code may
    // start the camera there, where a read code would replace the dealer's session.
    void captureOnlyWhereShown_data()
    {
        QTest::addColumn<bool>("rejectedCode");
        QTest::newRow("scroll report") << false;
        QTest::newRow("rejected code") << true;
    }
    void captureOnlyWhereShown()
    {
        QFETCH(bool, rejectedCode);
        const auto report = [&] {
            rejectedCode ? login->qrLogin(QStringLiteral("!")) : login->scrollViewDidScroll(180.5);
        };
        t->procedures.answer(QStringLiteral("ps_LoginQR1"), singleElementsBody(dealerRecord()));
        login->scrollViewDidScroll(390);
        login->qrLogin(seal("U7301928465"));
        QTRY_VERIFY_WITH_TIMEOUT(onDashboard(), kWait);
        QVERIFY(!qr->isRunning());
        const int starts = qr->startCount;
        report();
        QCOMPARE(qr->startCount, starts);
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserId")), QStringLiteral("demo01"));

        // Signed out: the login shows again, its capture prepared anew and stopped.
        t->navigator->pop();
        QCOMPARE(qr->prepareCount, 2);
        QVERIFY(!qr->isRunning());
        report();
        QVERIFY(qr->isRunning());
        QCOMPARE(login->login_Seg(), 1);
        // Away from the QR page a rejected code resumes nothing.
        login->scrollViewDidScroll(180);
        QCOMPARE(login->login_Seg(), 0);
        login->qrLogin(QStringLiteral("!"));
        QVERIFY(!qr->isRunning());
    }

    void qrCodes_data()
    {
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<QString>("outcome"); // the token sent, or the status shown
        QTest::addColumn<QString>("alert");   // after the token was sent, the service's refusal or no answer
        const QString sealedElsewhere = u"ASabkqrcAR6h8JotoEMYvw=="_qs;
        QTest::newRow("U and digits") << seal("U7301928465") << u"7301928465"_qs << kRefused;
        // Made with the openssl command line (enc -aes-256-cbc -K .. -iv .. -base64).
        QTest::newRow("sealed elsewhere") << sealedElsewhere << u"7301928465"_qs << kRefused;
        // Once the dealer closes the alert, the camera looks for a code again instead of
        // leaving "처리중.." on screen.
        QTest::newRow("no answer") << seal("U7301928465") << u"7301928465"_qs << kNoServer;
        // Codes that decrypt but are no sign-in codes are refused like the others.
        QTest::newRow("no leading U") << seal("7301U") << kRejected << QString();
        QTest::newRow("lower-case u") << seal("u7301") << kRejected << QString();
        QTest::newRow("not utf-8") << seal("U73\xff") << kRejected << QString();
        QTest::newRow("not base64") << u"https://example.com/x"_qs << kRejected << QString();
        QTest::newRow("padding missing") << sealedElsewhere.chopped(2) << kRejected << QString();
        QTest::newRow("line feed after") << sealedElsewhere + u'\n' << kRejected << QString();
        QTest::newRow("blank inside") << u"ASabkqrcAR6h 8JotoEMYvw=="_qs << kRejected << QString();
        QTest::newRow("not a cipher block") << u"QUJD"_qs << kRejected << QString();
        QTest::newRow("other key") << sealQrPayload("U7301928465", QString(32, u'0'),
                                                    AppData::shared()->AESIV)
                                   << kRejected << QString();
        QTest::newRow("empty plaintext") << seal("") << kRejected << QString();
    }
    // A code in a camera frame: framed where it lies, "처리중.." with the camera stopped,
    // then a second later a sign-in with its token, or "잘못된 접근입니다." and scanning
    // again.
    void qrCodes()
    {
        QFETCH(QString, scanned);
        QFETCH(QString, outcome);
        QFETCH(QString, alert);
        t->procedures.answer(u"ps_LoginQR1"_qs, alert == kNoServer ? CannedAnswer::transportError()
                                                                   : CannedAnswer::reply(noRowsBody()));
        login->scrollViewDidScroll(390);
        const QImage code = encodeQrImage(scanned, 6);
        QImage photo(code.width() + 200, code.height() + 120, QImage::Format_RGB32);
        photo.fill(Qt::gray);
        QPainter(&photo).drawImage(120, 40, code);
        // A square preview half the photo's height shows it cropped at the sides by 20.
        login->viewDidLayoutSubviews(photo.height() / 2.0, photo.height() / 2.0);

        qr->feed(photo);
        QTRY_COMPARE_WITH_TIMEOUT(qrStatus(), u"처리중..|#00ff00"_qs, kWait);
        const QDeadlineTimer second(900);
        QVERIFY(!qr->isRunning());
        const QRectF frame = login->qrCodeFrameView();
        QVERIFY(QRectF(35, 15, code.width() / 2.0 + 10, code.height() / 2.0 + 10).contains(frame));
        QVERIFY(frame.width() > code.width() / 4.0);
        login->viewDidLayoutSubviews(photo.height(), photo.height());
        QCOMPARE(login->qrCodeFrameView(), QRectF(frame.topLeft() * 2, frame.size() * 2));
        if (outcome == kRejected) {
            QTRY_COMPARE_WITH_TIMEOUT(qrStatus(), outcome + "|#ff0000", kWait);
            QVERIFY(qr->isRunning());
            QCOMPARE(t->procedures.calls().size(), 0);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(t->procedures.callTextsOf(u"ps_LoginQR1"_qs),
                                  QStringList{"ps_LoginQR1 '" + outcome + "', 'MOBILE_DEALER', '1,2,3,4,12'"},
                                  kWait);
        QCOMPARE(t->procedures.calls().first().operation, kProcedureList);
        // Polling may see "처리중.." a little after it was set.
        QVERIFY2(second.hasExpired(), qPrintable(QString::number(second.remainingTime())));
        QTRY_COMPARE_WITH_TIMEOUT(alerts(), QStringList{alert}, kWait);
        // Once the dealer has read it, the camera looks for a code again.
        QVERIFY(!qr->isRunning());
        QVERIFY(pressDialogAction(*login, QStringLiteral("확인")));
        QVERIFY(qr->isRunning());
        QCOMPARE(login->qr_msg(), QString());
    }

    // A frame still decoded when the dealer leaves the QR page (and comes back) belongs to
    // a capture already left. A code without text is framed and scanning goes on; a frame
    // without a code shows "스캔중.." and hides the frame.
    void staleFrame()
    {
        login->scrollViewDidScroll(390);
        login->viewDidLayoutSubviews(100, 100);
        login->captureOutput({QString(), {QPointF(10, 10), QPointF(30, 30)}, QSizeF(100, 100)});
        QCOMPARE(login->qrCodeFrameView(), QRectF(10, 10, 20, 20));
        QVERIFY(qr->isRunning());
        QSemaphore gate;
        const QImage code = encodeQrImage(seal("U7301928465"), 6);
        qr->feedWith([&gate, code] {
            gate.acquire();
            return code;
        });
        login->scrollViewDidScroll(0);
        login->scrollViewDidScroll(390);
        QImage blank(100, 100, QImage::Format_RGB32);
        blank.fill(Qt::white);
        gate.release();
        QTRY_VERIFY_WITH_TIMEOUT((qr->feed(blank), qrStatus() == u"스캔중..|#ffff00"_qs), kWait);
        QVERIFY(login->qrCodeFrameView().isEmpty());
        QCOMPARE(t->procedures.calls().size(), 0);
    }

    // Once a dealer is signed in, nothing from the QR page touches that dealer's record:
    // not a QR sign-in answering late, not a code read from a picture, not the delayed step.
    void theQrPageNeverReplacesTheSignedInDealer()
    {
        t->procedures.setHolding(true);
        t->procedures.answer(
            u"ps_LoginQR1"_qs,
            singleElementsBody({{"sUserCode", "D0009"}, {"sUserId", "other"}, {"sUserPw", "x"}}));
        t->procedures.answer(QStringLiteral("ps_Login1"), singleElementsBody(dealerRecord()));
        login->scrollViewDidScroll(390);
        login->qrLogin(seal("U1111"));
        login->scrollViewDidScroll(0);
        login->signIn(QStringLiteral("demo01"), QStringLiteral("demo1234"));
        QVERIFY(t->procedures.releaseNext(QStringLiteral("ps_Login1")));
        QVERIFY(onDashboard());
        const auto signedIn = AppData::shared()->userInfo;
        t->procedures.releaseAll();

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("code.png"));
        QVERIFY(encodeQrImage(seal("U2222"), 6).save(file));
        QSignalSpy detected(qr.get(), &QrSource::detected);
        login->openQrImage(QUrl::fromLocalFile(file));
        QTRY_COMPARE_WITH_TIMEOUT(detected.size(), 1, kWait);
        QCOMPARE(login->qr_msg(), QString()); // no "처리중..", no sign-in to follow
        login->qrLogin(seal("U2222"));
        QCOMPARE(AppData::shared()->userInfo, signedIn);
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_LoginQR1")), 1);
        QCOMPARE(t->navigator->top()->identifier(), QStringLiteral("MainView"));
    }

    // A picture of a code is read like a camera frame (see the end-to-end test; one without
    // a code, the page's test); a file that cannot be opened is told.
    void missingImageFile()
    {
        QTemporaryDir dir;
        const QUrl file = QUrl::fromLocalFile(dir.filePath(QStringLiteral("picture.png")));
        login->openQrImage(file);
        QCOMPARE(login->qrImage(), file);
        QTRY_COMPARE_WITH_TIMEOUT(alerts(), QStringList{u"이미지를 열 수 없습니다.|"_qs}, kWait);
        QCOMPARE(login->qr_msg(), QString());
    }
};

QTEST_MAIN(TestLoginController)
#include "tst_logincontroller.moc"
