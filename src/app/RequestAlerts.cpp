#include "RequestAlerts.h"

#include "Navigator.h"
#include "PlatformLogging.h"
#include "Screen.h"
#include "ScreenContext.h"

#include <algorithm>

namespace tvs {

namespace {

const QString kRetry = QStringLiteral("다시 시도");
const QString kOk = QStringLiteral("확인");

QString headlineOf(RequestFailure::Kind kind)
{
    switch (kind) {
    case RequestFailure::NoConnection:
        return QStringLiteral("서버에 연결할 수 없습니다.");
    case RequestFailure::Unreadable:
        return QStringLiteral("서버의 응답을 읽을 수 없습니다.");
    case RequestFailure::Refused:
        return QStringLiteral("요청이 거절되었습니다.");
    case RequestFailure::NotSent:
        break;
    }
    return QStringLiteral("요청을 보낼 수 없습니다.");
}

} // namespace

std::optional<RequestFailure> RequestFailure::of(QueryStatus::Status status, bool complete,
                                                 const QString &error)
{
    switch (status) {
    case QueryStatus::Answered:
        if (complete)
            return std::nullopt;
        return RequestFailure{Unreadable, {}};
    case QueryStatus::TransportError:
        return RequestFailure{NoConnection, {}};
    case QueryStatus::BadReply:
        return RequestFailure{Unreadable, {}};
    case QueryStatus::Refused:
        return RequestFailure{Refused, error};
    case QueryStatus::NotSent:
        break;
    }
    return RequestFailure{NotSent, {}};
}

RequestAlerts::~RequestAlerts()
{
    // The alert's buttons call back into this object: it must not outlive it.
    if (showing())
        m_host->withdrawDialog(m_dialogId);
}

QString RequestAlerts::headline(const QList<RequestFailure::Kind> &kinds)
{
    if (kinds.isEmpty())
        return headlineOf(RequestFailure::NotSent);
    const bool alike = std::all_of(kinds.cbegin(), kinds.cend(),
                                   [&kinds](RequestFailure::Kind kind) { return kind == kinds.first(); });
    return alike ? headlineOf(kinds.first()) : QStringLiteral("요청을 처리하지 못했습니다.");
}

QString RequestAlerts::line(const RequestFailure &failure, const QString &action)
{
    if (failure.kind == RequestFailure::Refused && !failure.reason.isEmpty())
        return action + u'\n' + failure.reason;
    return action;
}

bool RequestAlerts::showing() const
{
    if (!m_host)
        return false;
    const QList<DialogRequest> &dialogs = m_host->pendingDialogs();
    return std::any_of(dialogs.cbegin(), dialogs.cend(),
                       [this](const DialogRequest &d) { return d.id == m_dialogId; });
}

void RequestAlerts::report(Screen *asker, const RequestFailure &failure, const QString &action,
                           std::function<void()> retry, std::function<void()> gaveUp)
{
    if (!asker)
        return;
    qCInfo(lcUi).noquote() << asker->identifier() << "tells the dealer:" << action;
    if (!showing())
        m_entries.clear(); // the last alert was answered, or went with its screen
    Entry entry{asker, action, failure, failure.worthRepeating() ? std::move(retry) : nullptr,
                std::move(gaveUp)};
    const auto same = std::find_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry &e) { return e.asker == asker && e.action == action; });
    if (same != m_entries.end())
        *same = std::move(entry);
    else
        m_entries.append(std::move(entry));
    // Over whatever the dealer looks at now: the screen that asked may be covered.
    Navigator *navigator = asker->navigator();
    present(navigator && navigator->top() ? navigator->top() : asker);
}

void RequestAlerts::present(Screen *host)
{
    QList<RequestFailure::Kind> kinds;
    QStringList lines;
    bool repeatable = false;
    for (const Entry &entry : std::as_const(m_entries)) {
        kinds.append(entry.failure.kind);
        const QString text = line(entry.failure, entry.action);
        if (!lines.contains(text))
            lines.append(text);
        repeatable = repeatable || entry.retry;
    }
    const QString title = headline(kinds);
    const QString message = lines.join(u'\n');
    QList<DialogAction> actions;
    if (repeatable)
        actions.append({kRetry, DialogAction::Default});
    actions.append({kOk, DialogAction::Cancel});

    if (showing()) {
        const auto shown = std::find_if(m_host->pendingDialogs().cbegin(), m_host->pendingDialogs().cend(),
                                        [this](const DialogRequest &d) { return d.id == m_dialogId; });
        const bool unchanged = m_host == host && shown->title == title && shown->message == message &&
                               shown->actions.size() == actions.size();
        if (unchanged)
            return;
        m_host->withdrawDialog(m_dialogId);
    }
    m_host = host;
    m_dialogId = host->presentActions(title, message, actions,
                                      [this, repeatable](int index) { answered(repeatable && index == 0); });
}

void RequestAlerts::answered(bool retry)
{
    // Taken first: a retry that fails at once reports into a fresh alert.
    const QList<Entry> entries = std::exchange(m_entries, {});
    m_host = nullptr;
    m_dialogId = 0;
    for (const Entry &entry : entries) {
        if (!entry.asker)
            continue;
        if (retry && entry.retry)
            entry.retry();
        else if (entry.gaveUp)
            entry.gaveUp();
    }
}

bool alertIfFailed(Screen *asker, const std::optional<RequestFailure> &failure, const QString &action,
                   std::function<void()> retry, std::function<void()> gaveUp)
{
    if (!failure)
        return false;
    if (!asker)
        return true;
    if (RequestAlerts *alerts = asker->context() ? asker->context()->alerts : nullptr) {
        alerts->report(asker, *failure, action, std::move(retry), std::move(gaveUp));
        return true;
    }
    // A screen made without the app's services still tells the dealer, in an alert of its own.
    qCWarning(lcUi).noquote() << asker->identifier()
                              << "has no RequestAlerts; alerting on its own:" << action;
    asker->presentAlert(RequestAlerts::headline({failure->kind}), RequestAlerts::line(*failure, action),
                        std::move(gaveUp));
    return true;
}

} // namespace tvs
