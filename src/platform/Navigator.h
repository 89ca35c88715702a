#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace tvs {

class Screen;
struct ScreenContext;

// Keeps the screen stack and the registry of screen identifiers ("MainView",
// "EnterCar2", ...) and transition identifiers ("list_to_detail", ...).
// Calls the lifecycle steps in this order, so headless tests see what the app sees:
//   show B over A: B.viewDidLoad (once), A.viewWillDisappear, B.viewWillAppear,
//                  A.viewDidDisappear, B.viewDidAppear
//   pop B to A:    B.viewWillDisappear, A.viewWillAppear, B.viewDidDisappear, A.viewDidAppear
//   popup C over B: C.viewDidLoad (once), C.viewWillAppear, C.viewDidAppear; B stays
//                  visible behind C and gets no steps, neither now nor when C goes
// viewDidAppear comes when the page reports that its transition ended
// (transitionFinished), or on the next turn of the event loop when no page is attached.
class Navigator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int depth READ depth NOTIFY stackChanged)

public:
    // Modal covers the screen below; OverContext shows a popup over it, which
    // stays visible and keeps its state (no disappearance or appearance steps).
    enum class Kind { Push, Modal, OverContext };
    using Factory = std::function<Screen *(ScreenContext *)>;

    explicit Navigator(ScreenContext *context, QObject *parent = nullptr);
    ~Navigator() override;

    void registerScreen(const QString &identifier, const QUrl &page, Factory factory);
    void registerTransition(const QString &transition, const QString &destination, Kind kind);
    QUrl pageOf(const QString &identifier) const;

    // Creates the controller of `identifier` (not shown). Null and a warning when unknown.
    Screen *instantiate(const QString &identifier);
    // Transition: creates the destination, calls source->prepareForSegue, then pushes or
    // presents it. Unknown transition: a warning, nothing else; returns null.
    Screen *performSegue(const QString &transition, Screen *source);

    void push(Screen *screen);
    void presentModal(Screen *screen);
    void presentOverContext(Screen *screen);
    // Pops (or dismisses) the top screen; `screen`, when given, must be the top.
    void pop(Screen *screen = nullptr);
    // Replaces the whole stack with `screen`; every earlier screen is destroyed.
    void replaceStack(Screen *screen);
    // Replaces the whole stack with a fresh instance of `identifier`.
    Screen *resetTo(const QString &identifier);
    // Goes back to the nearest screen `identifier` on the stack, popping everything
    // above it; pushes a fresh one when none is there. Returns that screen.
    Screen *returnTo(const QString &identifier);

    Screen *top() const;
    QList<Screen *> stack() const;
    int depth() const;

    // From the shell: the page of `screen` finished its appearance transition.
    Q_INVOKABLE void transitionFinished(QObject *screen);
    // The shell shows pages; without it (tests) viewDidAppear is queued.
    void setPageAttached(bool attached);

signals:
    void stackChanged();
    // For the shell: show `page` with `screen` as its controller.
    void screenShown(QObject *screen, const QUrl &page, bool modal);
    // For the shell: show `page` with `screen` as a popup over the current screen.
    void popupShown(QObject *screen, const QUrl &page);
    void screenRemoved(QObject *screen);
    void stackReplaced(QObject *screen, const QUrl &page);

private:
    struct Entry
    {
        QUrl page;
        Factory factory;
    };
    struct Transition
    {
        QString destination;
        Kind kind;
    };
    ScreenContext *m_context;
    QHash<QString, Entry> m_screens;
    QHash<QString, Transition> m_transitions;
    QList<QPointer<Screen>> m_stack;
    QList<Kind> m_kinds;
    bool m_pageAttached = false;

    // The transition in progress: `appearing` gets viewDidAppear and `disappearing`
    // viewDidDisappear when it ends; `discarded` screens are destroyed then.
    struct Pending
    {
        QPointer<Screen> appearing;
        QPointer<Screen> disappearing;
        QList<QPointer<Screen>> discarded;
    };
    std::optional<Pending> m_pending;

    void show(Screen *screen, Kind kind);
    void adopt(Screen *screen);
    void loadIfNeeded(Screen *screen);
    QUrl pageFor(const Screen *screen) const;
    void begin(Pending pending);
    void completePending();
};

} // namespace tvs
