#pragma once

#include "ProcedureCaller.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <functional>
#include <utility>

namespace tvs {

// One named request of an area's query object: what is sent, how the reply is
// read, and how the request is named in the log. Screens never build these; the
// query objects (CarQueries, LoginQueries, ...) do.
struct ProcedureQuery
{
    QString name; // in log lines, e.g. "car list"
    QString operation = kProcedureList;
    QString callText;
    ReplyShape shape;
    // A reason not to send at all (e.g. no user code in the session): logged, and
    // the screen gets a NotSent result.
    QString refusal;
    // The reply body is written to the debug log after this prefix ("getData: ");
    // empty: only its size (replies that carry secrets, such as the sign-in).
    QString dumpPrefix = QStringLiteral("getData: ");
    // The answer's text is handed on whole (answers that are read as text, not rows).
    bool keepText = false;
    // Rows handed on in batches as they are read, before the answer (which holds
    // them all); "rtn" NO is never one of them.
    ProcedureCaller::Progress progress;
};

struct QueryStatus
{
    enum Status {
        Answered,       // the service answered; the value holds what it said
        NotSent,        // no procedure client, or the query refused to send (logged)
        TransportError, // no answer: connection, TLS, HTTP status, time-out
        BadReply,       // an answer that cannot be read (empty, not UTF-8)
        Refused,        // the service said no with a SOAP fault; `error` holds its words
    };
};

// What a query hands back to the screen that asked, on the screen's thread.
template <typename T> struct QueryResult : QueryStatus
{
    Status status = NotSent;
    T value{};
    // The service answered "rtn" NO: it found nothing (the rows are then empty).
    bool nothingFound = false;
    // False when the reply broke off; `value` holds what was read before the break.
    bool complete = true;
    QString error;
    bool ok() const { return status == Answered; }
};

// The part of every answer that does not depend on what the query reads.
struct QueryAnswer : QueryStatus
{
    Status status = NotSent;
    Records rows; // in reply order; rows holding nothing but "rtn" are not rows
    Record named; // the query's named elements ("rtn" is always one)
    QString text; // the reply body as text, when the query keeps it
    bool nothingFound = false;
    bool complete = true;
    QString error;
};

// Hands `answer` to `done` on `receiver`'s thread (the application's without a receiver),
// never from inside the call: the screen's state is settled before its answer comes.
template <typename Answer>
void deliverLater(QObject *receiver, std::function<void(const Answer &)> done, Answer answer)
{
    QObject *target = receiver ? receiver : QCoreApplication::instance();
    if (!target || !done)
        return;
    QMetaObject::invokeMethod(
        target, [done = std::move(done), answer = std::move(answer)] { done(answer); }, Qt::QueuedConnection);
}

// Sends `query` through `caller` (null: nothing is sent) and hands `done` the answer
// on `receiver`'s thread, never after `receiver` is gone. Logs under `category`:
// refusals and failures as warnings, the reply body as a debug line.
void sendQuery(ProcedureCaller *caller, const QLoggingCategory &category, ProcedureQuery query,
               QObject *receiver, std::function<void(const QueryAnswer &)> done);

// The typed form: `read` turns an answered reply into the query's value.
template <typename T, typename Read>
void sendQuery(ProcedureCaller *caller, const QLoggingCategory &category, ProcedureQuery query,
               QObject *receiver, Read read, std::function<void(const QueryResult<T> &)> done)
{
    sendQuery(caller, category, std::move(query), receiver,
              [read = std::move(read), done = std::move(done)](const QueryAnswer &answer) {
                  QueryResult<T> result;
                  result.status = answer.status;
                  result.nothingFound = answer.nothingFound;
                  result.complete = answer.complete;
                  result.error = answer.error;
                  if (answer.status == QueryStatus::Answered)
                      result.value = read(answer);
                  if (done)
                      done(result);
              });
}

// Base of an area's query object (CarQueries, JobQueries, ...): the client its
// requests go through and the object on whose thread the answers arrive, which
// gets none once it is gone.
class AreaQueries
{
public:
    template <typename T> using Done = std::function<void(const QueryResult<T> &)>;

    AreaQueries(ProcedureCaller *caller, QObject *receiver) : m_caller(caller), m_receiver(receiver) {}

protected:
    ProcedureCaller *m_caller;
    QObject *m_receiver;
};

// Lets only the newest of a series of requests through: an answer to an older
// request that arrives after a newer one was sent is dropped, so it can never
// overwrite what the newer one shows.
class LatestOnly
{
public:
    template <typename Done> auto track(Done done) { return passIfCurrent(++m_ticket, std::move(done)); }
    // The answer and the rows read before it (ProcedureQuery::progress), dropped alike.
    template <typename Done, typename Progress> auto track(Done done, Progress progress)
    {
        const quint64 ticket = ++m_ticket;
        return std::pair(passIfCurrent(ticket, std::move(done)), passIfCurrent(ticket, std::move(progress)));
    }
    // Answers to every request sent so far are dropped.
    void invalidate() { ++m_ticket; }

private:
    template <typename Fn> auto passIfCurrent(quint64 ticket, Fn fn)
    {
        return [this, ticket, fn = std::move(fn)](const auto &value) {
            if (ticket == m_ticket)
                fn(value);
        };
    }

    quint64 m_ticket = 0;
};

} // namespace tvs
