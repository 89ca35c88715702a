#include "QmlPageHarness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTest>
#include <QtQuickTest/quicktest.h>

namespace tvs::test {

namespace {

QmlPageHarness *g_active = nullptr;
QtMessageHandler g_previous = nullptr;

bool isQmlCategory(const char *category)
{
    const QByteArray c(category ? category : "");
    return c == "qml" || c == "js" || c.startsWith("qt.qml") || c.startsWith("qt.quick");
}

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // Engine errors arrive through QQmlEngine::warnings; this catches console.warn,
    // console.error and the QML/Quick modules' own warnings.
    // A component that cannot be created is told without a category ("QQmlComponent:
    // Component is not ready": a list footer that never shows).
    if (g_active && type != QtDebugMsg && type != QtInfoMsg &&
        (isQmlCategory(context.category) || message.startsWith(QLatin1String("QQmlComponent:"))))
        g_active->addWarning(message);
    if (g_previous)
        g_previous(type, context, message);
}

QString accessibleName(QQuickItem *item)
{
    // The Accessible attached object is a child of its item; it is read through
    // its properties so that no private Qt header is needed.
    for (QObject *child : item->children()) {
        if (qstrcmp(child->metaObject()->className(), "QQuickAccessibleAttached") == 0)
            return child->property("name").toString();
    }
    return {};
}

// The visible items under `item` that have an accessible name, in tree order.
void collectNamed(QQuickItem *item, QList<std::pair<QString, QQuickItem *>> &out)
{
    if (!item || !item->isVisible())
        return;
    if (const QString name = accessibleName(item); !name.isEmpty())
        out.append({name, item});
    for (QQuickItem *child : item->childItems())
        collectNamed(child, out);
}

} // namespace

QmlPageHarness::QmlPageHarness()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    m_engine = std::make_unique<QQmlEngine>();
    // The app's own modules, where the build puts them (the app looks beside its executable).
    m_engine->addImportPath(QStringLiteral(TVS_BUILD_QML_MODULES_DIR));
    m_engine->setOutputWarningsToStandardError(true);
    connect(m_engine.get(), &QQmlEngine::warnings, this, [this](const QList<QQmlError> &errors) {
        for (const QQmlError &e : errors)
            addWarning(e.toString());
    });
    g_active = this;
    g_previous = qInstallMessageHandler(handler);
}

QmlPageHarness::~QmlPageHarness()
{
    qInstallMessageHandler(g_previous);
    g_active = nullptr;
    for (const QPointer<QObject> &o : std::as_const(m_created))
        delete o.data();
    if (m_ownsWindow)
        delete m_window;
}

void QmlPageHarness::addWarning(const QString &warning)
{
    for (const QRegularExpression &pattern : std::as_const(m_ignored)) {
        if (pattern.match(warning).hasMatch())
            return;
    }
    m_warnings.append(warning);
}

// Null, with a warning that says why, when `url` does not load or is no T.
template <typename T> T *QmlPageHarness::create(const QUrl &url, const QVariantMap &properties)
{
    QQmlComponent component(m_engine.get(), url, QQmlComponent::PreferSynchronous);
    QObject *object = component.isReady() ? component.createWithInitialProperties(properties) : nullptr;
    auto *created = qobject_cast<T *>(object);
    if (!created) {
        m_warnings.append(QStringLiteral("cannot load %1 as a %2: %3")
                              .arg(url.toString(), QLatin1String(T::staticMetaObject.className()),
                                   component.errorString()));
        delete object;
        return nullptr;
    }
    m_created.prepend(created);
    return created;
}

QQuickItem *QmlPageHarness::load(const QUrl &page, QObject *controller, const QVariantMap &properties)
{
    QVariantMap initial = properties;
    if (controller)
        initial.insert(QStringLiteral("controller"), QVariant::fromValue(controller));
    auto *item = create<QQuickItem>(page, initial);
    if (!item)
        return nullptr;
    if (!m_window) {
        m_window = new QQuickWindow;
        m_ownsWindow = true;
        m_window->resize(390, 844);
    }
    item->setParentItem(m_window->contentItem());
    item->setSize(m_window->size());
    // The page follows the window as the app's pages do (resize the window to test that).
    connect(m_window, &QWindow::widthChanged, item, [item](int width) { item->setWidth(width); });
    connect(m_window, &QWindow::heightChanged, item, [item](int height) { item->setHeight(height); });
    m_window->show();
    return item;
}

QQuickWindow *QmlPageHarness::loadWindow(const QUrl &url, const QVariantMap &properties)
{
    auto *window = create<QQuickWindow>(url, properties);
    if (!window)
        return nullptr;
    if (m_ownsWindow)
        delete m_window;
    m_ownsWindow = false;
    m_window = window;
    return window;
}

void QmlPageHarness::settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

QString QmlPageHarness::report() const
{
    return m_warnings.isEmpty()
               ? QStringLiteral("no QML warnings")
               : QStringLiteral("QML warnings:\n  ") + m_warnings.join(QStringLiteral("\n  "));
}

QList<std::pair<QString, QQuickItem *>> QmlPageHarness::namedItems() const
{
    QList<std::pair<QString, QQuickItem *>> items;
    if (m_window)
        collectNamed(m_window->contentItem(), items);
    return items;
}

QQuickItem *QmlPageHarness::findAccessible(const QString &name) const
{
    for (const auto &[itemName, item] : namedItems()) {
        if (itemName == name)
            return item;
    }
    return nullptr;
}

bool QmlPageHarness::click(QQuickItem *item)
{
    if (!item || !m_window)
        return false;
    QQuickTest::qWaitForPolish(m_window.data(), 10000);
    if (item->width() <= 0 || item->height() <= 0)
        return false;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(m_window.data(), Qt::LeftButton, {}, centre.toPoint());
    return true;
}

QStringList QmlPageHarness::accessibleNames() const
{
    QStringList names;
    for (const auto &named : namedItems())
        names.append(named.first);
    return names;
}

} // namespace tvs::test
