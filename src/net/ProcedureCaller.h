#pragma once

#include "ReplyWalk.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tvs {

inline const QString kProcedureList = QStringLiteral("Procedure_List01");
inline const QString kProcedureExecute = QStringLiteral("Procedure_Execute01");

struct ProcedureReply
{
    enum Status {
        Ok,             // a reply was received and walked (it may still be incomplete: see walk.complete)
        TransportError, // no reply: connection, TLS, HTTP status without a SOAP fault, timeout
        BadReply,       // empty body, a body that is not UTF-8, or one past the reply size limit
        Refused,        // the service answered with a SOAP fault: it received the call and said no
    };
    Status status = Ok;
    QString error;   // human-readable cause when status != Ok or the walk broke off; for a
                     // refusal, the fault's own text (its faultstring, possibly empty)
    QByteArray body; // raw reply body (for "getData: " style logging); with an HTTP error
                     // status, the service's answer (an error page or the SOAP fault)
    WalkResult walk;
    bool ok() const { return status == Ok; }
};

// Sends one procedure call and hands back the walked reply.
// The callbacks run on the thread of `receiver`, and never run once `receiver`
// is destroyed. The walk runs off the UI thread. No retry.
class ProcedureCaller
{
public:
    using Callback = std::function<void(const ProcedureReply &)>;
    // Rows finished while the reply is still arriving, in batches (in reply order,
    // each row once, a batch at most every few tens of milliseconds); `done` follows
    // and holds every row. A reply that fails later has still shown these.
    using Progress = std::function<void(const Records &rows)>;
    virtual ~ProcedureCaller() = default;
    virtual void call(const QString &operation, const QString &callText, const ReplyShape &shape,
                      QObject *receiver, Callback done, Progress progress = {}) = 0;
};

} // namespace tvs
