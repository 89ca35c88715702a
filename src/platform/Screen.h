#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <chrono>
#include <functional>

namespace tvs {

struct ScreenContext;
class Navigator;
class Ticker;

// One action of an alert or choice list.
struct DialogAction
{
    enum Style { Default, Cancel, Destructive };
    QString title;
    Style style = Default;
};

// A dialog the controller asked for. The page shows the first pending one; a
// test reads them and presses an action with answerDialog().
struct DialogRequest
{
    enum Kind { Alert, Choice };
    int id = 0;
    Kind kind = Alert;
    QString title;
    QString message;
    QList<DialogAction> actions;
    bool leftAligned = false; // choice lists show their entries left-aligned
    std::function<void(int actionIndex)> handler;
};

// A label of a screen's page: the controller's QString member `name`, read and
// written under the same name and announced by the controller's labelsChanged().
#define TVS_LABEL(name) Q_PROPERTY(QString name MEMBER name NOTIFY labelsChanged)

// Base of every screen controller: the lifecycle steps (driven by the Navigator,
// in the order it documents), the preparation step of a transition, and presentation requests
// (alerts, choice lists, the loading overlay) that the page shows and tests record.
class Screen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString identifier READ identifier CONSTANT)
    Q_PROPERTY(int loadingCount READ loadingCount NOTIFY loadingCountChanged)
    Q_PROPERTY(QVariantList dialogs READ dialogsForPage NOTIFY dialogsChanged)

public:
    explicit Screen(ScreenContext *context, QObject *parent = nullptr);
    ~Screen() override;

    ScreenContext *context() const { return m_context; }
    // Now in the Korea time zone, from the context's clock (tests pin it).
    QDateTime now() const;
    // A stopped repeating timer, owned by this screen, that runs by the context's
    // clock (tests move that clock by hand).
    Ticker *makeTicker(std::chrono::milliseconds interval);
    Navigator *navigator() const;
    QString identifier() const { return m_identifier; }
    void setIdentifier(const QString &identifier) { m_identifier = identifier; }

    // Lifecycle; called by the Navigator only.
    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewWillDisappear() {}
    virtual void viewDidDisappear() {}
    // Called on the source before a transition shows `destination`.
    virtual void prepareForSegue(const QString &identifier, Screen *destination);

    // One-button alert "확인"; `onOk` runs when it is pressed.
    int presentAlert(const QString &title, const QString &message, std::function<void()> onOk = {});
    // Alert with several actions; `handler` gets the index of the pressed action.
    int presentActions(const QString &title, const QString &message, const QList<DialogAction> &actions,
                       std::function<void(int)> handler);
    // Choice list: left-aligned entries, then (when `withCancel`) a destructive
    // "선택 취소". `handler` gets the entry index, or -1 for "선택 취소".
    int presentChoice(const QString &title, const QStringList &entries, bool withCancel,
                      std::function<void(int)> handler);

    const QList<DialogRequest> &pendingDialogs() const { return m_dialogs; }
    // Presses action `actionIndex` of dialog `id` and closes it.
    Q_INVOKABLE void answerDialog(int id, int actionIndex);
    // Takes dialog `id` back unanswered (its handler never runs); false when it is not pending.
    bool withdrawDialog(int id);

    // Loading overlay: each show stacks one overlay, each hide removes one.
    void setLoading(bool show);
    int loadingCount() const { return m_loadingCount; }

    // Convenience for controllers.
    Q_INVOKABLE void performSegue(const QString &transitionIdentifier);
    Q_INVOKABLE void dismiss();

signals:
    void loadingCountChanged();
    void dialogsChanged();

private:
    QVariantList dialogsForPage() const;
    int addDialog(DialogRequest request);

    ScreenContext *m_context = nullptr;
    QString m_identifier;
    QList<DialogRequest> m_dialogs;
    int m_nextDialogId = 1;
    int m_loadingCount = 0;
};

} // namespace tvs
