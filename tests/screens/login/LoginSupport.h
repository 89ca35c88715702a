#pragma once

#include "CarFixtures.h"
#include "LoginController.h"
#include "Navigator.h"
#include "QrSource.h"

#include <QImage>
#include <QMutex>
#include <QStringList>
#include <QUrl>

namespace tvs::test {

// A QR source whose camera is the test: the images it feeds go through the real
// decoder on the worker thread, as camera frames do.
class ScriptedQrSource : public QrSource
{
public:
    bool prepare() override
    {
        ++prepareCount;
        stop();
        return true;
    }
    bool hasCamera() const override { return true; }
    void setPreviewSink(QObject *sink) override { previewSink = sink; }
    void feed(const QImage &frame)
    {
        submitFrame([frame] { return frame; });
    }
    void feedWith(std::function<QImage()> makeFrame) { submitFrame(std::move(makeFrame)); }

    int prepareCount = 0;
    int startCount = 0;
    QObject *previewSink = nullptr;

protected:
    void startCapture() override { ++startCount; }
    void stopCapture() override {}
};

// The login, noting the transitions it takes, and a sign-in as the dealer types it.
struct NotingLogin : LoginController
{
    using LoginController::LoginController;
    void prepareForSegue(const QString &identifier, Screen *destination) override
    {
        segues << identifier;
        LoginController::prepareForSegue(identifier, destination);
    }
    void signIn(const QString &id, const QString &password)
    {
        setLogin_ID(id);
        setLogin_PW(password);
        loginBtnAction();
    }
    QStringList segues;
};

// The app's registrations, and the noting login as "NotingLogin".
inline void registerLoginForTest(Navigator &navigator)
{
    registerAllScreens(navigator);
    navigator.registerScreen(u"NotingLogin"_qs, QUrl(), [](ScreenContext *c) { return new NotingLogin(c); });
}

// Every log line of the process (any thread) while it lives; passed on as well.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    QString text() const
    {
        QMutexLocker lock(&s_mutex);
        return s_lines.join(u'\n');
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        s_mutex.lock();
        s_lines << message;
        s_mutex.unlock();
        if (s_previous)
            s_previous(type, context, message);
    }
    static inline QMutex s_mutex;
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

} // namespace tvs::test
