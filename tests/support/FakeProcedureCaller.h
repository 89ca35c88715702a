#pragma once

#include "CannedDelivery.h"
#include "ProcedureCaller.h"

namespace tvs::test {

// A canned answer: a reply body (walked by the real reply walk with the call's
// ReplyShape), a transport failure, a body the client could not use, or a refusal.
struct CannedAnswer
{
    ProcedureReply::Status status = ProcedureReply::Ok;
    QByteArray body;
    QString error;
    int pieces = 1; // the body arrives in this many pieces of about the same size

    static CannedAnswer reply(const QByteArray &body) { return {ProcedureReply::Ok, body, {}}; }
    // A caller that asks for rows as they are read gets the rows finished in each
    // piece but the last before the answer, one delivery a piece.
    static CannedAnswer arriving(const QByteArray &body, int n) { return {ProcedureReply::Ok, body, {}, n}; }
    static CannedAnswer transportError(const QString &error = QStringLiteral("Connection refused"))
    {
        return {ProcedureReply::TransportError, {}, error};
    }
    static CannedAnswer badReply(const QByteArray &body = {},
                                 const QString &error = QStringLiteral("not UTF-8"))
    {
        return {ProcedureReply::BadReply, body, error};
    }
    // The service's SOAP fault, with its faultstring.
    static CannedAnswer refused(const QString &fault) { return {ProcedureReply::Refused, {}, fault}; }
};

// Stands in for the ProcedureClient in screen tests. Records every call and
// answers it with the canned answer set for its procedure (the first word of
// the call text). A call without an answer fails as a transport error and a
// warning names the procedure, so a forgotten answer shows in the test log.
//
// Answers are delivered on the receiver's thread and never after the receiver
// died. By default they come queued (let the event loop run: QTRY_* or
// QCoreApplication::processEvents()); with setHolding(true) they wait until the
// test calls releaseNext() / releaseAll(), which deliver at once.
class FakeProcedureCaller : public ProcedureCaller, public HeldDelivery<ProcedureReply>
{
public:
    struct Call
    {
        QString operation;
        QString callText;
        ReplyShape shape;
        QString procedure() const; // the procedure's name, where the call text begins
    };

    void call(const QString &operation, const QString &callText, const ReplyShape &shape, QObject *receiver,
              Callback done, Progress progress = {}) override;

    // Every call of `procedure` gets this answer (until changed).
    void answer(const QString &procedure, const CannedAnswer &a) { m_answers.lasting(procedure, a); }
    // The next call of `procedure` gets this answer (queued before the lasting one).
    void answerOnce(const QString &procedure, const CannedAnswer &a) { m_answers.once(procedure, a); }
    // Shorthands: a reply body for every call of `procedure`.
    void answer(const QString &procedure, const QByteArray &b) { answer(procedure, CannedAnswer::reply(b)); }

    const QList<Call> &calls() const { return m_calls; }
    QStringList callTexts() const { return callTextsOf({}); }
    // The call texts of `procedure` (of every procedure when it is null), in order.
    QStringList callTextsOf(const QString &procedure) const;
    int callCount(const QString &procedure) const { return int(callTextsOf(procedure).size()); }
    void clearCalls() { m_calls.clear(); }

private:
    QList<Call> m_calls;
    AnswerBook<CannedAnswer> m_answers;
};

} // namespace tvs::test
