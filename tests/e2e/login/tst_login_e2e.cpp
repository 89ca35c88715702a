// The login against the stand-in service over HTTPS: password and QR sign-in of the
// demo dealer, failures, the saved ID, and no secret in any log line.
#include "AppData.h"
#include "LogCapture.h"
#include "LoginController.h"
#include "LoginCrypto.h"
#include "Navigator.h"
#include "ProcedureClient.h"
#include "QrDecoder.h"
#include "ScreenContext.h"
#include "ScriptedQrSource.h"
#include "Services.h"
#include "StandInFixture.h"
#include "StandInService.h"

#include <QLoggingCategory>
#include <QtTest>

namespace tvs {
void registerLoginScreens(Navigator &navigator);
}

using namespace tvs;
using tvs::test::LogCapture;
using tvs::test::ScriptedQrSource;
using tvs::test::StandInFixture;

namespace {
constexpr int kWait = 30000;
}

class TestLoginE2e : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    std::unique_ptr<LogCapture> m_log;
    std::unique_ptr<Settings> m_settings;
    ScriptedQrSource m_qr;
    ScreenContext m_context;
    std::unique_ptr<Navigator> m_navigator;

    LoginController *openLogin()
    {
        return qobject_cast<LoginController *>(m_navigator->resetTo(QStringLiteral("LoginController")));
    }
    bool dashboardShown() const
    {
        return m_navigator->top() && m_navigator->top()->identifier() == QLatin1String("MainView");
    }
    QString sealed(const QString &plain) const
    {
        return sealQrPayload(plain, AppData::shared()->AESKEY, AppData::shared()->AESIV);
    }
    void expectFailureAlert(LoginController *login, int count)
    {
        QTRY_COMPARE_WITH_TIMEOUT(login->pendingDialogs().size(), count, kWait);
        QCOMPARE(login->pendingDialogs().last().title, QStringLiteral("로그인 실패"));
        QCOMPARE(login->pendingDialogs().last().message, QStringLiteral("입력정보를 다시 확인해주세요."));
        QCOMPARE(m_navigator->top(), login);
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
        m_log = std::make_unique<LogCapture>();
        QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));
        m_settings = std::make_unique<Settings>(m_stand.filePath(QStringLiteral("settings.ini")));
        m_context.procedures = m_stand.procedures();
        m_context.settings = m_settings.get();
        m_context.qr = &m_qr;
        m_navigator = std::make_unique<Navigator>(&m_context);
        m_context.navigator = m_navigator.get();
        registerLoginScreens(*m_navigator);
        m_navigator->registerScreen(QStringLiteral("MainView"), QUrl(),
                                    [](ScreenContext *c) { return new Screen(c); });
    }

    void cleanupTestCase()
    {
        m_navigator.reset();
        m_stand.stop();
        QLoggingCategory::setFilterRules(QString());

        // Neither the app nor the service wrote a password, a digest or a token.
        QVERIFY(!m_log->lines().isEmpty());
        QFile serviceLog(m_stand.logFile());
        QStringList lines = m_log->lines();
        if (serviceLog.open(QIODevice::ReadOnly))
            lines += QString::fromUtf8(serviceLog.readAll()).split(u'\n');
        const QString all = lines.join(u'\n');
        for (const QString &secret : {demo::kPassword, passwordDigest(demo::kPassword), QStringLiteral("wrong-pass"),
                                      passwordDigest(QStringLiteral("wrong-pass")), demo::kQrToken})
            QVERIFY2(!all.contains(secret), qPrintable(secret));
        m_log.reset();
    }

    void init() { AppData::shared()->userInfo.clear(); }

    void passwordSignIn()
    {
        LoginController *login = openLogin();
        QCOMPARE(login->login_ID(), QString());
        login->setLogin_ID(demo::kUserId);
        login->setLogin_PW(QStringLiteral("wrong-pass"));
        login->loginBtnAction();
        expectFailureAlert(login, 1);
        QVERIFY(!m_settings->contains(QStringLiteral("sUserId")));

        // The next try with the right password signs in.
        login->setLogin_PW(demo::kPassword);
        login->loginBtnAction();
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        const QMap<QString, QString> &info = AppData::shared()->userInfo;
        QCOMPARE(info.value(QStringLiteral("sUserCode")), demo::kUserCode);
        QCOMPARE(info.value(QStringLiteral("sUserId")), demo::kUserId);
        QCOMPARE(info.value(QStringLiteral("sUserPw")), passwordDigest(demo::kPassword));
        QVERIFY(!info.value(QStringLiteral("sUserName")).isEmpty());
        QVERIFY(!info.value(QStringLiteral("sStoreName")).isEmpty());
        QCOMPARE(m_settings->value(QStringLiteral("sUserId")), demo::kUserId);
    }

    void savedIdOnNextStart()
    {
        LoginController *login = openLogin();
        QCOMPARE(login->login_ID(), demo::kUserId);
        QVERIFY(login->passwordFocusFirst());
        // A failure after the sign-in above leaves no dealer record behind.
        AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), demo::kUserCode);
        login->setLogin_PW(QStringLiteral("wrong-pass"));
        login->loginBtnAction();
        expectFailureAlert(login, 1);
        QVERIFY(!AppData::shared()->userInfo.contains(QStringLiteral("sUserCode")));
    }

    void unsafeIdIsRefusedNotRun()
    {
        LoginController *login = openLogin();
        login->setLogin_ID(QStringLiteral("demo01' OR '1'='1"));
        login->setLogin_PW(demo::kPassword);
        login->loginBtnAction();
        expectFailureAlert(login, 1);
    }

    void qrSignInFromImageFile()
    {
        LoginController *login = openLogin();
        const QString file = m_stand.filePath(QStringLiteral("demo-qr.png"));
        QVERIFY(encodeQrImage(sealed(QStringLiteral("U") + demo::kQrToken)).save(file));
        login->openQrImage(QUrl::fromLocalFile(file));
        QTRY_COMPARE_WITH_TIMEOUT(login->qr_msg(), QStringLiteral("처리중.."), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserCode")), demo::kUserCode);
        QCOMPARE(m_settings->value(QStringLiteral("sUserId")), demo::kUserId);
    }

    void qrSignInFromCamera()
    {
        LoginController *login = openLogin();
        login->setContentWidth(780);
        login->scrollViewDidScroll(390);
        QVERIFY(m_qr.isRunning());
        // The token with a "U" inside it too: every "U" goes.
        const QString token = demo::kQrToken;
        m_qr.feed(encodeQrImage(sealed(QStringLiteral("U") + token.left(4) + QStringLiteral("U") + token.mid(4))));
        QTRY_VERIFY_WITH_TIMEOUT(dashboardShown(), kWait);
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserCode")), demo::kUserCode);
    }

    void qrUnknownToken()
    {
        LoginController *login = openLogin();
        login->qrLogin(sealed(QStringLiteral("U1111111111")));
        expectFailureAlert(login, 1);
    }
};

QTEST_MAIN(TestLoginE2e)
#include "tst_login_e2e.moc"
