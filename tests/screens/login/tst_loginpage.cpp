#include "LoginSupport.h"
#include "QmlPageHarness.h"
#include "TestContext.h"

#include <QQuickItem>
#include <QVideoSink>
#include <QtTest>

using namespace tvs;
using namespace tvs::test;

namespace {
constexpr int kWait = 20000;
}

// The login page with its controller: it loads without QML warnings, its controls are
// pressed by their accessible names, and it shows what the controller holds.
class TestLoginPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;
    std::unique_ptr<ScriptedQrSource> qr;
    std::unique_ptr<QmlPageHarness> harness;
    LoginController *login = nullptr;
    QQuickItem *page = nullptr;

    bool open()
    {
        login = qobject_cast<LoginController *>(t->navigator->resetTo(QStringLiteral("LoginController")));
        page = harness->load(QUrl(QStringLiteral("qrc:/tvs/login/LoginPage.qml")), login);
        harness->window()->requestActivate();
        harness->settle();
        return page && harness->warnings().isEmpty();
    }
    bool focused(const QString &field) const { return harness->findAccessible(field)->hasActiveFocus(); }
    void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(harness->window(), c.toLatin1());
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        qr = std::make_unique<ScriptedQrSource>();
        t->context.qr = qr.get();
        registerLoginForTest(*t->navigator);
        harness = std::make_unique<QmlPageHarness>();
    }
    void cleanup()
    {
        harness.reset();
        t.reset();
        qr.reset();
    }

    void signInForm()
    {
        QVERIFY2(open(), qPrintable(harness->report()));
        const QStringList names = harness->accessibleNames();
        for (const char *name : {"아이디", "비밀번호", "로그인", "아이디 로그인", "QR 로그인", "이미지 열기"})
            QVERIFY2(names.contains(QString::fromUtf8(name)), qPrintable(names.join(u", ")));
        // The camera's view (and the media stack) waits for the QR page.
        QVERIFY(!qr->previewSink);
        QCOMPARE(qr->prepareCount, 0);
        QTRY_VERIFY_WITH_TIMEOUT(focused(QStringLiteral("아이디")), kWait);
        QVERIFY(harness->click(QStringLiteral("로그인")));
        QTRY_COMPARE_WITH_TIMEOUT(login->pendingDialogs().size(), 1, kWait);
        QCOMPARE(login->pendingDialogs().first().title, QStringLiteral("아이디를 확인해주세요."));

        t->procedures.answer(QStringLiteral("ps_Login1"), QByteArray());
        QVERIFY(harness->click(QStringLiteral("아이디")));
        type(QStringLiteral("demo01\t"));
        QVERIFY(focused(QStringLiteral("비밀번호")));
        type(QStringLiteral("demo1234\r"));
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_Login1")), 1);
        QVERIFY(t->procedures.callTexts().first().startsWith(QStringLiteral("ps_Login1 'demo01', '")));
        // A touch outside the fields closes the keyboard.
        QTest::mouseClick(harness->window(), Qt::LeftButton, {}, QPoint(195, 700));
        QVERIFY(!focused(QStringLiteral("비밀번호")));
    }

    void savedIdFocusesPassword()
    {
        t->settings->setValue(QStringLiteral("sUserId"), QStringLiteral("demo01"));
        QVERIFY2(open(), qPrintable(harness->report()));
        QCOMPARE(harness->findAccessible(u"아이디"_qs)->property("text"), QVariant(u"demo01"_qs));
        QTRY_VERIFY_WITH_TIMEOUT(focused(u"비밀번호"_qs), kWait);
    }

    // The segments move the pages and the camera runs on the QR page only. A new window
    // width keeps the page shown.
    void pages()
    {
        QVERIFY2(open(), qPrintable(harness->report()));
        auto *pages = page->findChild<QQuickItem *>(QStringLiteral("login_ScrollView"));
        QVERIFY(pages && harness->click(QStringLiteral("QR 로그인")));
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("contentX").toReal(), pages->width(), kWait);
        page->setWidth(500);
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("contentX").toReal(), 500.0, kWait);
        QVERIFY(qr->isRunning());
        QCOMPARE(qr->prepareCount, 1);
        QVERIFY(qobject_cast<QVideoSink *>(qr->previewSink));
        login->captureOutputWithoutCode();
        QVERIFY(harness->findAccessible(QStringLiteral("스캔중..")));
        // The picker's QML loads when it first opens; a missing module there took the app down.
        QVERIFY(harness->click(QStringLiteral("이미지 열기")));
        QObject *dialog = page->findChild<QObject *>(QStringLiteral("imageDialog"));
        QVERIFY(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->property("visible").toBool(), kWait);
        // A picture chosen there reaches the decoder: one without a code fails.
        QTemporaryDir folder;
        QImage blank(64, 64, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QVERIFY(blank.save(folder.filePath(QStringLiteral("codeless.png"))));
        dialog->setProperty("folder", QUrl::fromLocalFile(folder.path()));
        QTRY_VERIFY_WITH_TIMEOUT(harness->findAccessible(QStringLiteral("codeless.png")), kWait);
        QVERIFY(harness->click(QStringLiteral("codeless.png")));
        QTRY_COMPARE_WITH_TIMEOUT(login->pendingDialogs().size(), 1, kWait);
        QCOMPARE(login->pendingDialogs().first().title, u"이미지에서 QR 코드를 찾을 수 없습니다."_qs);
        QVERIFY(!dialog->property("visible").toBool());
        QCOMPARE(login->qrImageFolder(), QUrl::fromLocalFile(folder.path())); // where it opens next
        QVERIFY(harness->click(QStringLiteral("아이디 로그인")));
        QTRY_VERIFY_WITH_TIMEOUT(!qr->isRunning(), kWait);
        QVERIFY2(harness->warnings().isEmpty(), qPrintable(harness->report()));
    }
};

QTEST_MAIN(TestLoginPage)
#include "tst_loginpage.moc"
