#pragma once

#include "Query.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

namespace tvs {

class Screen;

// Why a request that the dealer's own action started did not do what was asked.
struct RequestFailure
{
    enum Kind {
        NoConnection, // the service was not reached, or did not answer in time
        Unreadable,   // it answered with something that cannot be read, or its answer broke off
        Refused,      // it received the request and said no (a SOAP fault, or its own "NO" with a reason)
        NotSent,      // the app could not send it (the log says why)
    };
    Kind kind = NoConnection;
    QString reason; // the service's words for a refusal; may be empty

    static RequestFailure refused(const QString &reason) { return {Refused, reason}; }
    // The failure a query's answer reports; nothing for a whole answer.
    static std::optional<RequestFailure> of(QueryStatus::Status status, bool complete, const QString &error);
    template <typename T> static std::optional<RequestFailure> of(const QueryResult<T> &result)
    {
        return of(result.status, result.complete, result.error);
    }
    // Repeating can help when nothing (or nothing readable) came back.
    bool worthRepeating() const { return kind == NoConnection || kind == Unreadable; }
};

// The one alert that tells the dealer that requests of theirs failed, whatever
// screen asked. It shows over the top screen, through that screen's dialogs (so
// tests see it as a recorded dialog): a first line saying what went wrong
// ("서버에 연결할 수 없습니다.") and a line per failed action naming it ("차량 목록을
// 불러오지 못했습니다."), with "다시 시도" when a failed request can be repeated, and
// "확인". While it shows, further failures join it instead of raising another, so
// requests that fail together (a screen's two lists, two screens at once) make one
// alert. Quiet background requests (refreshes, pictures) never report here.
//
// The Navigator's screens reach it through their ScreenContext (alertIfFailed).
class RequestAlerts
{
public:
    RequestAlerts() = default;
    ~RequestAlerts();
    RequestAlerts(const RequestAlerts &) = delete;
    RequestAlerts &operator=(const RequestAlerts &) = delete;

    // `action` names what was not done. `retry` repeats the request; it is offered only
    // when repeating can help, and runs once when "다시 시도" is pressed. `gaveUp` runs
    // when the dealer closes the alert without repeating this request. Neither runs
    // once `asker` is gone. A second report of the same screen and action replaces the
    // first, so a request is never repeated twice by one press.
    void report(Screen *asker, const RequestFailure &failure, const QString &action,
                std::function<void()> retry = {}, std::function<void()> gaveUp = {});

    // The first line for failures of `kinds` (for a screen that has no RequestAlerts).
    static QString headline(const QList<RequestFailure::Kind> &kinds);
    // The line of one failure: the action, and the service's reason under a refusal.
    static QString line(const RequestFailure &failure, const QString &action);

private:
    struct Entry
    {
        QPointer<Screen> asker;
        QString action;
        RequestFailure failure;
        std::function<void()> retry;
        std::function<void()> gaveUp;
    };

    bool showing() const;
    void present(Screen *host);
    void answered(bool retry);

    QList<Entry> m_entries;
    QPointer<Screen> m_host;
    int m_dialogId = 0;
};

// Tells the dealer (through the context's RequestAlerts) when `result` is no whole
// answer, and says so: a controller's reply handler starts with
//   if (alertIfFailed(this, result, QStringLiteral("차량 목록을 불러오지 못했습니다."), [this] { fetchList();
//   }))
//       return;
bool alertIfFailed(Screen *asker, const std::optional<RequestFailure> &failure, const QString &action,
                   std::function<void()> retry = {}, std::function<void()> gaveUp = {});
template <typename T>
bool alertIfFailed(Screen *asker, const QueryResult<T> &result, const QString &action,
                   std::function<void()> retry = {}, std::function<void()> gaveUp = {})
{
    return alertIfFailed(asker, RequestFailure::of(result), action, std::move(retry), std::move(gaveUp));
}

} // namespace tvs
