#include "Screen.h"

#include "Navigator.h"
#include "PlatformLogging.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QPointer>
#include <QVariantMap>

namespace tvs {

Q_LOGGING_CATEGORY(lcUi, "tvs.ui", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPlatform, "tvs.platform", QtInfoMsg)

namespace {

QString styleName(DialogAction::Style style)
{
    switch (style) {
    case DialogAction::Cancel:
        return QStringLiteral("cancel");
    case DialogAction::Destructive:
        return QStringLiteral("destructive");
    case DialogAction::Default:
        break;
    }
    return QStringLiteral("default");
}

} // namespace

Screen::Screen(ScreenContext *context, QObject *parent) : QObject(parent), m_context(context) {}

Screen::~Screen() = default;

Navigator *Screen::navigator() const
{
    return m_context ? m_context->navigator : nullptr;
}

QDateTime Screen::now() const
{
    if (m_context && m_context->clock)
        return m_context->clock->now();
    return Clock().now();
}

Ticker *Screen::makeTicker(std::chrono::milliseconds interval)
{
    if (m_context && m_context->clock)
        return m_context->clock->makeTicker(interval, this);
    return Clock().makeTicker(interval, this);
}

void Screen::prepareForSegue(const QString &, Screen *) {}

int Screen::presentAlert(const QString &title, const QString &message, std::function<void()> onOk)
{
    DialogRequest request;
    request.kind = DialogRequest::Alert;
    request.title = title;
    request.message = message;
    request.actions = {DialogAction{QStringLiteral("확인"), DialogAction::Default}};
    request.handler = [onOk = std::move(onOk)](int) {
        if (onOk)
            onOk();
    };
    return addDialog(std::move(request));
}

int Screen::presentActions(const QString &title, const QString &message, const QList<DialogAction> &actions,
                           std::function<void(int)> handler)
{
    DialogRequest request;
    request.kind = DialogRequest::Alert;
    request.title = title;
    request.message = message;
    request.actions = actions;
    request.handler = std::move(handler);
    return addDialog(std::move(request));
}

int Screen::presentChoice(const QString &title, const QStringList &entries, bool withCancel,
                          std::function<void(int)> handler)
{
    DialogRequest request;
    request.kind = DialogRequest::Choice;
    request.title = title;
    request.leftAligned = true;
    for (const QString &entry : entries)
        request.actions.append(DialogAction{entry, DialogAction::Default});
    if (withCancel)
        request.actions.append(DialogAction{QStringLiteral("선택 취소"), DialogAction::Destructive});
    const qsizetype entryCount = entries.size();
    request.handler = [entryCount, handler = std::move(handler)](int index) {
        if (handler)
            handler(index < entryCount ? index : -1);
    };
    return addDialog(std::move(request));
}

int Screen::addDialog(DialogRequest request)
{
    request.id = m_nextDialogId++;
    const int id = request.id;
    qCDebug(lcUi) << m_identifier << "dialog" << id << request.title;
    m_dialogs.append(std::move(request));
    emit dialogsChanged();
    return id;
}

void Screen::answerDialog(int id, int actionIndex)
{
    auto it =
        std::find_if(m_dialogs.begin(), m_dialogs.end(), [id](const DialogRequest &d) { return d.id == id; });
    if (it == m_dialogs.end()) {
        qCWarning(lcUi) << m_identifier << "no pending dialog" << id;
        return;
    }
    if (actionIndex < 0 || actionIndex >= it->actions.size()) {
        qCWarning(lcUi) << m_identifier << "dialog" << id << "has no action" << actionIndex;
        return;
    }
    // The handler may present further dialogs (which queue behind this one) or
    // leave the screen; the dialog goes away after it has run.
    const auto handler = it->handler;
    QPointer<Screen> self(this);
    if (handler)
        handler(actionIndex);
    if (!self)
        return;
    m_dialogs.removeIf([id](const DialogRequest &d) { return d.id == id; });
    emit dialogsChanged();
}

bool Screen::withdrawDialog(int id)
{
    if (m_dialogs.removeIf([id](const DialogRequest &d) { return d.id == id; }) == 0)
        return false;
    emit dialogsChanged();
    return true;
}

QVariantList Screen::dialogsForPage() const
{
    QVariantList list;
    list.reserve(m_dialogs.size());
    for (const DialogRequest &dialog : m_dialogs) {
        QVariantList actions;
        for (const DialogAction &action : dialog.actions) {
            actions.append(QVariantMap{
                {QStringLiteral("title"), action.title},
                {QStringLiteral("style"), styleName(action.style)},
            });
        }
        list.append(QVariantMap{
            {QStringLiteral("id"), dialog.id},
            {QStringLiteral("kind"),
             dialog.kind == DialogRequest::Choice ? QStringLiteral("choice") : QStringLiteral("alert")},
            {QStringLiteral("title"), dialog.title},
            {QStringLiteral("message"), dialog.message},
            {QStringLiteral("leftAligned"), dialog.leftAligned},
            {QStringLiteral("actions"), actions},
        });
    }
    return list;
}

void Screen::setLoading(bool show)
{
    if (show) {
        ++m_loadingCount;
    } else {
        if (m_loadingCount == 0)
            return;
        --m_loadingCount;
    }
    emit loadingCountChanged();
}

void Screen::performSegue(const QString &transitionIdentifier)
{
    if (Navigator *nav = navigator())
        nav->performSegue(transitionIdentifier, this);
    else
        qCWarning(lcUi) << m_identifier << "has no navigator for" << transitionIdentifier;
}

void Screen::dismiss()
{
    if (Navigator *nav = navigator())
        nav->pop(this);
    else
        qCWarning(lcUi) << m_identifier << "has no navigator to dismiss it";
}

} // namespace tvs
