// The login against the stand-in service over HTTPS: each way of signing in is refused
// first, then reaches the dashboard as the demo dealer; no log line of the app
// holds a password, its digest or a sign-in token.
#include "AppData.h"
#include "DialogHelpers.h"
#include "LoginCrypto.h"
#include "LoginSupport.h"
#include "QrDecoder.h"
#include "StandInFixture.h"
#include "TestContext.h"

#include <QLoggingCategory>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

namespace {
constexpr int kWait = 30000;

QImage codeFor(const QString &plain)
{
    return encodeQrImage(sealQrPayload(plain, AppData::shared()->AESKEY, AppData::shared()->AESIV));
}
} // namespace

class TestLoginE2e : public QObject
{
    Q_OBJECT

    StandInFixture m_stand;
    ScriptedQrSource m_qr;
    std::unique_ptr<TestContext> t;
    std::unique_ptr<LogCapture> m_log;
    NotingLogin *m_login = nullptr;

    void expectRefused(int count)
    {
        QTRY_COMPARE_WITH_TIMEOUT(m_login->pendingDialogs().size(), count, kWait);
        QCOMPARE(m_login->pendingDialogs().last().title, QStringLiteral("로그인 실패"));
    }
    void expectDashboard()
    {
        QTRY_COMPARE_WITH_TIMEOUT(t->navigator->depth(), 2, kWait);
        QCOMPARE(t->navigator->top()->identifier(), QStringLiteral("MainView"));
        QCOMPARE(AppData::shared()->userInfo.value(QStringLiteral("sUserCode")), demo::kUserCode);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_stand.start(), qPrintable(m_stand.errorString()));
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
    }
    void init()
    {
        TestContext::resetAppData();
        t = std::make_unique<TestContext>();
        t->context.procedures = m_stand.procedures();
        t->context.qr = &m_qr;
        registerLoginForTest(*t->navigator);
        m_login = static_cast<NotingLogin *>(t->navigator->resetTo(QStringLiteral("NotingLogin")));
        m_log = std::make_unique<LogCapture>();
    }
    void cleanup()
    {
        t.reset();
        const QString log = m_log->text();
        m_log.reset();
        for (const QString &secret : {demo::kPassword, passwordDigest(demo::kPassword), QStringLiteral("wrong-pass"),
                                      passwordDigest(QStringLiteral("wrong-pass")), demo::kQrToken})
            QVERIFY2(!log.contains(secret), qPrintable(secret));
    }

    void password()
    {
        m_login->signIn(demo::kUserId, QStringLiteral("wrong-pass"));
        expectRefused(1);
        m_login->signIn(demo::kUserId, demo::kPassword);
        expectDashboard();
    }

    // An unknown token from a picture file, then the dealer's own from the camera.
    void qrCode()
    {
        const QString file = m_stand.filePath(QStringLiteral("unknown-token.png"));
        QVERIFY(codeFor(QStringLiteral("U1111111111")).save(file));
        m_login->scrollViewDidScroll(390); // codes sign in from the QR page only
        m_login->openQrImage(QUrl::fromLocalFile(file));
        expectRefused(1);
        QVERIFY(pressDialogAction(*m_login, QStringLiteral("확인"))); // the camera reads again
        // The token with a "U" inside it too: every "U" goes.
        m_qr.feed(codeFor(u'U' + demo::kQrToken.left(4) + u'U' + demo::kQrToken.mid(4)));
        expectDashboard();
    }
};

QTEST_MAIN(TestLoginE2e)
#include "tst_login_e2e.moc"
