#include "Query.h"

#include <QPointer>

namespace tvs {

namespace {

const QString kNothingFound = QStringLiteral("rtn");

// "Nothing found" comes as a row holding only "rtn" (or nothing the query keeps).
bool isRow(const Record &row)
{
    return !row.isEmpty() && !(row.size() == 1 && row.contains(kNothingFound));
}

Records onlyRows(const Records &walked)
{
    Records rows;
    rows.reserve(walked.size());
    for (const Record &row : walked) {
        if (isRow(row))
            rows.append(row);
    }
    return rows;
}

QueryStatus::Status statusOf(ProcedureReply::Status status)
{
    switch (status) {
    case ProcedureReply::Ok:
        break;
    case ProcedureReply::TransportError:
        return QueryStatus::TransportError;
    case ProcedureReply::BadReply:
        return QueryStatus::BadReply;
    case ProcedureReply::Refused:
        return QueryStatus::Refused;
    }
    return QueryStatus::Answered;
}

} // namespace

void sendQuery(ProcedureCaller *caller, const QLoggingCategory &category, ProcedureQuery query,
               QObject *receiver, std::function<void(const QueryAnswer &)> done)
{
    using Status = QueryStatus;
    if (!caller || !query.refusal.isEmpty()) {
        const QString why = caller ? query.refusal : QStringLiteral("no procedure client");
        qCWarning(category).noquote() << query.name << "not sent:" << why;
        QueryAnswer answer;
        answer.status = Status::NotSent;
        answer.error = why;
        deliverLater(receiver, std::move(done), std::move(answer));
        return;
    }
    query.shape.namedElements.insert(kNothingFound);
    const QString name = query.name;
    const QString prefix = query.dumpPrefix;
    const bool keepText = query.keepText;
    ProcedureCaller::Progress progress;
    if (query.progress) {
        progress = [rowsRead = std::move(query.progress)](const Records &batch) {
            if (const Records rows = onlyRows(batch); !rows.isEmpty())
                rowsRead(rows);
        };
    }
    caller->call(
        query.operation, query.callText, query.shape, receiver,
        [&category, name, prefix, keepText, done = std::move(done)](const ProcedureReply &reply) {
            QueryAnswer answer;
            answer.error = reply.error;
            if (!reply.ok()) {
                answer.status = statusOf(reply.status);
                qCWarning(category).noquote()
                    << name << (answer.status == Status::Refused ? "refused:" : "failed:") << reply.error;
                if (done)
                    done(answer);
                return;
            }
            if (prefix.isEmpty())
                qCDebug(category).noquote() << name << "reply of" << reply.body.size() << "bytes";
            else
                qCDebug(category).noquote() << prefix << QString::fromUtf8(reply.body);
            answer.status = Status::Answered;
            answer.complete = reply.walk.complete;
            if (!answer.complete)
                qCWarning(category).noquote() << name << "reply broke off after" << reply.walk.rows.size()
                                              << "rows:" << reply.walk.error;
            answer.named = reply.walk.named;
            answer.nothingFound = answer.named.value(kNothingFound) == QLatin1String("NO");
            answer.rows = onlyRows(reply.walk.rows);
            if (keepText)
                answer.text = QString::fromUtf8(reply.body);
            if (done)
                done(answer);
        },
        std::move(progress));
}

} // namespace tvs
