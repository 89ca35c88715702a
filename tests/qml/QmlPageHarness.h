#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <memory>

class QQuickItem;

namespace tvs::test {

// Loads one QML page the way the app does (Basic style, the page's controller as
// its `controller` property, inside a phone-sized window) and collects every QML
// warning: binding errors, type errors, console.warn/error, failed imports.
//
// Use from a QtTest (link tvs_qml_harness; the page's resources come with its
// screens library):
//
//   tvs::test::QmlPageHarness harness;
//   tvs::test::TestContext t;
//   auto *screen = new MainController(t.ctx());
//   QQuickItem *page = harness.load(QUrl("qrc:/tvs/dashboard/MainPage.qml"), screen);
//   QVERIFY2(page, qPrintable(harness.report()));
//   harness.settle();                      // let bindings, loaders and timers run
//   QVERIFY2(harness.warnings().isEmpty(), qPrintable(harness.report()));
//   QQuickItem *button = harness.findAccessible(QStringLiteral("로그인"));
class QmlPageHarness : public QObject
{
    Q_OBJECT
public:
    QmlPageHarness();
    ~QmlPageHarness() override;

    QQmlEngine *engine() const { return m_engine.get(); }
    // Root item of the loaded page (null when it failed: see report()).
    // `controller` (unless null) is set as the initial property `controller`;
    // extra initial properties may be given. The page takes the window's size, and
    // keeps following it when the window is resized.
    QQuickItem *load(const QUrl &page, QObject *controller, const QVariantMap &properties = {});
    // A window-rooted file (Main.qml): the window itself.
    QQuickWindow *loadWindow(const QUrl &url, const QVariantMap &properties = {});
    QQuickWindow *window() const { return m_window; }

    // Runs the event loop for `ms` milliseconds.
    void settle(int ms = 200);
    QStringList warnings() const { return m_warnings; }
    // Warnings matching `pattern` are expected and not collected, e.g. a picture
    // that cannot be fetched in a test (QRegularExpression("Connection refused")).
    void ignoreWarnings(const QRegularExpression &pattern) { m_ignored.append(pattern); }
    // The warnings as one text for failure messages.
    QString report() const;

    // The first visible item under the page whose Accessible.name is `name`.
    QQuickItem *findAccessible(const QString &name) const;
    // Clicks the centre of `item` with the mouse, after pending layouts have run.
    // False when the item is missing or has no size.
    bool click(QQuickItem *item);
    // Clicks the visible item named `name` (see findAccessible).
    bool click(const QString &accessibleName) { return click(findAccessible(accessibleName)); }

    // Every visible Accessible.name under the page (what a screen reader finds).
    QStringList accessibleNames() const;

    // Used by the message handler.
    void addWarning(const QString &warning);

private:
    template <typename T> T *create(const QUrl &url, const QVariantMap &properties);
    QList<std::pair<QString, QQuickItem *>> namedItems() const;
    std::unique_ptr<QQmlEngine> m_engine;
    QPointer<QQuickWindow> m_window;
    bool m_ownsWindow = false;
    QList<QPointer<QObject>> m_created; // a test may delete a page itself (a page that goes)
    QStringList m_warnings;
    QList<QRegularExpression> m_ignored;
};

} // namespace tvs::test
