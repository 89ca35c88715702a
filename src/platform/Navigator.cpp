#include "Navigator.h"

#include "PlatformLogging.h"
#include "Screen.h"
#include "ScreenContext.h"

#include <QTimer>

#include <algorithm>

namespace tvs {

namespace {
// Marks a screen whose viewDidLoad has run, so that it runs once per screen.
constexpr char kLoadedProperty[] = "_tvs_viewLoaded";
} // namespace

Navigator::Navigator(ScreenContext *context, QObject *parent) : QObject(parent), m_context(context)
{
    if (m_context && !m_context->navigator)
        m_context->navigator = this;
}

Navigator::~Navigator()
{
    m_pending.reset();
    if (m_context && m_context->navigator == this)
        m_context->navigator = nullptr;
}

void Navigator::registerScreen(const QString &identifier, const QUrl &page, Factory factory)
{
    if (m_screens.contains(identifier))
        qCWarning(lcUi) << "screen" << identifier << "registered twice; the later registration wins";
    m_screens.insert(identifier, Entry{page, std::move(factory)});
}

void Navigator::registerTransition(const QString &transition, const QString &destination, Kind kind)
{
    if (m_transitions.contains(transition))
        qCWarning(lcUi) << "transition" << transition << "registered twice; the later registration wins";
    m_transitions.insert(transition, Transition{destination, kind});
}

QUrl Navigator::pageOf(const QString &identifier) const
{
    return m_screens.value(identifier).page;
}

Screen *Navigator::instantiate(const QString &identifier)
{
    const auto it = m_screens.constFind(identifier);
    if (it == m_screens.constEnd() || !it->factory) {
        qCWarning(lcUi) << "no screen registered as" << identifier;
        return nullptr;
    }
    Screen *screen = it->factory(m_context);
    if (!screen) {
        qCWarning(lcUi) << "the factory of" << identifier << "made no screen";
        return nullptr;
    }
    screen->setIdentifier(identifier);
    adopt(screen);
    return screen;
}

Screen *Navigator::performSegue(const QString &transition, Screen *source)
{
    const auto it = m_transitions.constFind(transition);
    if (it == m_transitions.constEnd()) {
        qCWarning(lcUi) << "no transition registered as" << transition;
        return nullptr;
    }
    const Transition t = *it;
    Screen *destination = instantiate(t.destination);
    if (!destination) {
        qCWarning(lcUi) << "transition" << transition << "leads to the unknown screen" << t.destination;
        return nullptr;
    }
    if (source)
        source->prepareForSegue(transition, destination);
    show(destination, t.kind);
    return destination;
}

void Navigator::push(Screen *screen)
{
    show(screen, Kind::Push);
}

void Navigator::presentModal(Screen *screen)
{
    show(screen, Kind::Modal);
}

void Navigator::presentOverContext(Screen *screen)
{
    show(screen, Kind::OverContext);
}

void Navigator::adopt(Screen *screen)
{
    if (screen->parent() != this)
        screen->setParent(this);
}

void Navigator::loadIfNeeded(Screen *screen)
{
    if (screen->property(kLoadedProperty).toBool())
        return;
    screen->setProperty(kLoadedProperty, true);
    screen->viewDidLoad();
}

QUrl Navigator::pageFor(const Screen *screen) const
{
    return m_screens.value(screen->identifier()).page;
}

void Navigator::show(Screen *screen, Kind kind)
{
    if (!screen)
        return;
    completePending();
    if (m_stack.contains(screen)) {
        qCWarning(lcUi) << "screen" << screen->identifier() << "is already shown";
        return;
    }
    adopt(screen);
    // A popup leaves the screen below as it is: it neither disappears nor reappears.
    const bool popup = kind == Kind::OverContext;
    QPointer<Screen> covered = popup ? nullptr : top();
    loadIfNeeded(screen);
    if (covered)
        covered->viewWillDisappear();
    screen->viewWillAppear();
    m_stack.append(screen);
    m_kinds.append(kind);
    // The transition is pending before the shell hears of it: a page shown without
    // animation reports its end from inside the signal.
    begin(Pending{screen, covered, {}});
    emit stackChanged();
    if (popup)
        emit popupShown(screen, pageFor(screen));
    else
        emit screenShown(screen, pageFor(screen), kind == Kind::Modal);
}

void Navigator::pop(Screen *screen)
{
    completePending();
    if (m_stack.isEmpty()) {
        qCWarning(lcUi) << "nothing to pop";
        return;
    }
    const qsizetype index = screen ? m_stack.indexOf(screen) : m_stack.size() - 1;
    if (index < 0) {
        qCWarning(lcUi) << "screen" << screen->identifier() << "is not on the stack";
        return;
    }
    if (index == 0) {
        qCWarning(lcUi) << "the first screen of the stack stays";
        return;
    }
    // Dismissing a screen that is covered also removes what was shown over it;
    // only the visible top goes through the disappearance steps.
    // The screen below reappears only when something that covered it goes; closing
    // popups shown over it leaves it untouched.
    QPointer<Screen> leaving = m_stack.last();
    const bool onlyPopups = std::all_of(m_kinds.cbegin() + index, m_kinds.cend(),
                                        [](Kind k) { return k == Kind::OverContext; });
    QPointer<Screen> revealed = onlyPopups ? nullptr : m_stack.at(index - 1);
    if (leaving)
        leaving->viewWillDisappear();
    if (revealed)
        revealed->viewWillAppear();
    QList<QPointer<Screen>> removed = m_stack.mid(index);
    m_stack.resize(index);
    m_kinds.resize(index);
    begin(Pending{revealed, leaving, removed});
    emit stackChanged();
    for (auto it = removed.crbegin(); it != removed.crend(); ++it) {
        if (*it)
            emit screenRemoved(*it);
    }
}

void Navigator::replaceStack(Screen *screen)
{
    if (!screen)
        return;
    completePending();
    adopt(screen);
    QPointer<Screen> leaving = top();
    if (leaving == screen)
        leaving = nullptr;
    QList<QPointer<Screen>> discarded;
    for (const QPointer<Screen> &old : std::as_const(m_stack)) {
        if (old && old != screen)
            discarded.append(old);
    }
    loadIfNeeded(screen);
    if (leaving)
        leaving->viewWillDisappear();
    screen->viewWillAppear();
    m_stack = {screen};
    m_kinds = {Kind::Push};
    begin(Pending{screen, leaving, discarded});
    emit stackChanged();
    emit stackReplaced(screen, pageFor(screen));
}

Screen *Navigator::resetTo(const QString &identifier)
{
    Screen *screen = instantiate(identifier);
    if (screen)
        replaceStack(screen);
    return screen;
}

Screen *Navigator::returnTo(const QString &identifier)
{
    for (qsizetype i = m_stack.size() - 1; i >= 0; --i) {
        Screen *screen = m_stack.at(i);
        if (!screen || screen->identifier() != identifier)
            continue;
        if (i + 1 < m_stack.size())
            pop(m_stack.at(i + 1));
        return screen;
    }
    Screen *screen = instantiate(identifier);
    if (screen)
        push(screen);
    return screen;
}

Screen *Navigator::top() const
{
    for (auto it = m_stack.crbegin(); it != m_stack.crend(); ++it) {
        if (*it)
            return *it;
    }
    return nullptr;
}

QList<Screen *> Navigator::stack() const
{
    QList<Screen *> screens;
    for (const QPointer<Screen> &s : m_stack) {
        if (s)
            screens.append(s);
    }
    return screens;
}

int Navigator::depth() const
{
    return int(stack().size());
}

void Navigator::setPageAttached(bool attached)
{
    m_pageAttached = attached;
}

void Navigator::begin(Pending pending)
{
    m_pending = std::move(pending);
    if (!m_pending->appearing) {
        // Only a popup went: nothing appears whose transition the page would report.
        QTimer::singleShot(0, this, [this] {
            if (m_pending && !m_pending->appearing)
                completePending();
        });
        return;
    }
    if (m_pageAttached)
        return;
    // Without a page there is no animation to wait for: the appearance ends on
    // the next turn of the event loop, as it would after an instant transition.
    QTimer::singleShot(0, this, [this, screen = m_pending->appearing] {
        if (screen)
            transitionFinished(screen);
    });
}

void Navigator::transitionFinished(QObject *screen)
{
    if (!m_pending || !screen || m_pending->appearing.data() != screen)
        return;
    completePending();
}

// Ends the transition in progress (also when a new one starts before the page
// reported the end of the earlier one, so the steps always come in order).
void Navigator::completePending()
{
    if (!m_pending)
        return;
    Pending pending = std::move(*m_pending);
    m_pending.reset();
    if (pending.disappearing)
        pending.disappearing->viewDidDisappear();
    for (const QPointer<Screen> &gone : std::as_const(pending.discarded)) {
        if (gone)
            gone->deleteLater();
    }
    if (pending.appearing)
        pending.appearing->viewDidAppear();
}

} // namespace tvs
