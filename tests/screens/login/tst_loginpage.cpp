#include "LoginController.h"
#include "QmlPageHarness.h"
#include "ScriptedQrSource.h"
#include "TestContext.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QVideoSink>
#include <QtTest>

namespace tvs {
void registerLoginScreens(Navigator &navigator);
}

using namespace tvs;
using namespace tvs::test;

namespace {
const QUrl kPage(QStringLiteral("qrc:/tvs/login/LoginPage.qml"));
constexpr int kWait = 20000;
} // namespace

// The login page with its controller: loads cleanly, every control is named, the
// keyboard works as on any sign-in form, and the page follows the controller.
class TestLoginPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;
    std::unique_ptr<ScriptedQrSource> qr;
    std::unique_ptr<QmlPageHarness> harness;
    QPointer<QQuickItem> page;

    LoginController *openPage()
    {
        auto *login = qobject_cast<LoginController *>(t->navigator->resetTo(QStringLiteral("LoginController")));
        page = harness->load(kPage, login);
        if (!page)
            return nullptr;
        harness->window()->requestActivate();
        harness->settle();
        return login;
    }
    void typeText(const char *text)
    {
        for (const char *c = text; *c; ++c)
            QTest::keyClick(harness->window(), *c);
    }
    // Searches the visual tree (the pages' items belong to their model, not to the page).
    static QQuickItem *find(QQuickItem *item, const QString &objectName)
    {
        if (item->objectName() == objectName)
            return item;
        for (QQuickItem *child : item->childItems()) {
            if (QQuickItem *found = find(child, objectName))
                return found;
        }
        return nullptr;
    }
    QQuickItem *named(const char *objectName) const
    {
        QQuickItem *found = find(harness->window()->contentItem(), QString::fromLatin1(objectName));
        if (!found)
            qWarning() << "no item" << objectName;
        return found;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        qr = std::make_unique<ScriptedQrSource>();
        t->context.qr = qr.get();
        registerLoginScreens(*t->navigator);
        harness = std::make_unique<QmlPageHarness>();
    }
    void cleanup()
    {
        harness.reset();
        t.reset();
        qr.reset();
    }

    void loadsWithNamedControls()
    {
        LoginController *login = openPage();
        QVERIFY2(login, qPrintable(harness->report()));
        QVERIFY2(harness->warnings().isEmpty(), qPrintable(harness->report()));
        const QStringList names = harness->accessibleNames();
        for (const QString &name : {QStringLiteral("아이디"), QStringLiteral("비밀번호"), QStringLiteral("로그인"),
                                    QStringLiteral("아이디 로그인"), QStringLiteral("QR 로그인"),
                                    QStringLiteral("이미지 열기")})
            QVERIFY2(names.contains(name), qPrintable(names.join(u", ")));
        QQuickItem *id = named("login_ID");
        QVERIFY(id);
        QCOMPARE(id->property("placeholderText").toString(), QStringLiteral("아이디를 입력해주세요."));
        QCOMPARE(id->property("leftPadding").toReal(), 15.0);
        QCOMPARE(named("login_PW")->property("placeholderText").toString(), QStringLiteral("비밀번호를 입력해주세요."));
        // The camera preview is handed to the QR source.
        QVERIFY(qobject_cast<QVideoSink *>(qr->previewSink));
        // The button runs the same checks as the return key.
        QVERIFY(harness->click(QStringLiteral("로그인")));
        QTRY_COMPARE_WITH_TIMEOUT(login->pendingDialogs().size(), 1, kWait);
        QCOMPARE(login->pendingDialogs().first().title, QStringLiteral("아이디를 확인해주세요."));
        QCOMPARE(t->procedures.calls().size(), 0);
    }

    void keyboardSignIn()
    {
        t->procedures.answer(QStringLiteral("ps_Login1"), QByteArray());
        LoginController *login = openPage();
        QVERIFY2(login, qPrintable(harness->report()));
        QQuickItem *id = named("login_ID");
        QVERIFY(id);
        QTRY_VERIFY_WITH_TIMEOUT(id->hasActiveFocus(), kWait);
        typeText("demo01");
        QCOMPARE(login->login_ID(), QStringLiteral("demo01"));
        QTest::keyClick(harness->window(), Qt::Key_Tab);
        QVERIFY(named("login_PW")->hasActiveFocus());
        typeText("demo1234");
        QCOMPARE(login->login_PW(), QStringLiteral("demo1234"));
        QTest::keyClick(harness->window(), Qt::Key_Return);
        QCOMPARE(t->procedures.callCount(QStringLiteral("ps_Login1")), 1);
        QVERIFY(t->procedures.calls().first().callText.startsWith(QStringLiteral("ps_Login1 'demo01', '")));
        // A touch outside the fields closes the keyboard.
        QSignalSpy ended(login, &LoginController::editingEnded);
        QTest::mouseClick(harness->window(), Qt::LeftButton, {}, QPoint(195, 700));
        QCOMPARE(ended.size(), 1);
        QVERIFY(!named("login_PW")->hasActiveFocus());
        QVERIFY(!id->hasActiveFocus());
        QVERIFY2(harness->warnings().isEmpty(), qPrintable(harness->report()));
    }

    void savedIdFocusesPassword()
    {
        t->settings->setValue(QStringLiteral("sUserId"), QStringLiteral("demo01"));
        LoginController *login = openPage();
        QVERIFY2(login, qPrintable(harness->report()));
        QCOMPARE(named("login_ID")->property("text").toString(), QStringLiteral("demo01"));
        QTRY_VERIFY_WITH_TIMEOUT(named("login_PW")->hasActiveFocus(), kWait);
    }

    void segmentScrollsToQrPage()
    {
        LoginController *login = openPage();
        QVERIFY2(login, qPrintable(harness->report()));
        QQuickItem *pages = named("login_ScrollView");
        QVERIFY(pages);
        QCOMPARE(login->contentWidth(), pages->property("contentWidth").toReal());
        QCOMPARE(login->contentWidth(), 2 * pages->width());
        QQuickItem *qrTab = named("login_Seg1");
        QVERIFY(qrTab);
        QMetaObject::invokeMethod(qrTab, "clicked");
        QCOMPARE(login->login_Seg(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("contentX").toReal(), pages->width(), kWait);
        QVERIFY(qr->isRunning());
        // The picker's own QML is loaded only when it first opens; a missing module
        // there used to take the whole app down.
        QVERIFY(harness->click(QStringLiteral("이미지 열기")));
        QObject *dialog = page->findChild<QObject *>(QStringLiteral("imageDialog"));
        QVERIFY(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->property("visible").toBool(), kWait);
        QMetaObject::invokeMethod(dialog, "reject");
        QMetaObject::invokeMethod(named("login_Seg0"), "clicked");
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("contentX").toReal(), 0.0, kWait);
        QCOMPARE(login->login_Seg(), 0);
        QVERIFY(!qr->isRunning());
        QVERIFY2(harness->warnings().isEmpty(), qPrintable(harness->report()));
    }

    void dragBetweenPages()
    {
        LoginController *login = openPage();
        QVERIFY2(login, qPrintable(harness->report()));
        QQuickItem *pages = named("login_ScrollView");
        QQuickWindow *window = harness->window();
        const auto drag = [window](int fromX, int toX) {
            const int y = 600;
            QTest::mousePress(window, Qt::LeftButton, {}, QPoint(fromX, y));
            for (int step = 1; step <= 10; ++step)
                QTest::mouseMove(window, QPoint(fromX + (toX - fromX) * step / 10, y), 10);
            QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(toX, y), 10);
        };
        drag(360, 40);
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("moving").toBool(), false, kWait);
        QCOMPARE(login->login_Seg(), 1);
        QCOMPARE(pages->property("contentX").toReal(), pages->width());
        QVERIFY(qr->isRunning());
        drag(40, 360);
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("moving").toBool(), false, kWait);
        QCOMPARE(login->login_Seg(), 0);
        QCOMPARE(pages->property("contentX").toReal(), 0.0);
        QVERIFY(!qr->isRunning());
        // The window grows: the shown page stays in place.
        drag(360, 40);
        QTRY_COMPARE_WITH_TIMEOUT(login->login_Seg(), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("moving").toBool(), false, kWait);
        window->contentItem()->childItems().first()->setWidth(500);
        QTRY_COMPARE_WITH_TIMEOUT(pages->property("contentX").toReal(), 500.0, kWait);
        QCOMPARE(login->login_Seg(), 1);
    }

    void qrStatusAndFrame()
    {
        LoginController *login = openPage();
        QVERIFY2(login, qPrintable(harness->report()));
        QQuickItem *preview = named("qr_Preview");
        QQuickItem *frame = named("qrCodeFrameView");
        QQuickItem *message = named("qr_msg");
        QVERIFY(preview && frame && message);
        QVERIFY(!frame->isVisible());
        login->scrollViewDidScroll(300);
        // A code in the middle quarter of a square frame.
        const qreal side = preview->width();
        login->captureOutput({QStringLiteral("not base64!"),
                              {QPointF(25, 25), QPointF(75, 25), QPointF(75, 75), QPointF(25, 75)},
                              QSizeF(100, 100)});
        QCOMPARE(preview->height(), side);
        QTRY_VERIFY_WITH_TIMEOUT(frame->isVisible(), kWait);
        QCOMPARE(frame->x(), side / 4);
        QCOMPARE(frame->width(), side / 2);
        QCOMPARE(message->property("text").toString(), QStringLiteral("처리중.."));
        QCOMPARE(message->property("color").value<QColor>(), QColor(Qt::green));
        QTRY_COMPARE_WITH_TIMEOUT(message->property("text").toString(), QStringLiteral("잘못된 접근입니다."), kWait);
        QCOMPARE(message->property("color").value<QColor>(), QColor(Qt::red));
        login->captureOutputWithoutCode();
        QCOMPARE(message->property("text").toString(), QStringLiteral("스캔중.."));
        QVERIFY(!frame->isVisible());
        QVERIFY2(harness->warnings().isEmpty(), qPrintable(harness->report()));
    }
};

QTEST_MAIN(TestLoginPage)
#include "tst_loginpage.moc"
