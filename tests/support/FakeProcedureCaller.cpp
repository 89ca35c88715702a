#include "FakeProcedureCaller.h"

namespace tvs::test {

QString FakeProcedureCaller::Call::procedure() const
{
    // The name ends at the first blank or quote: some texts have no blank after it.
    return callText.section(u' ', 0, 0).section(u'\'', 0, 0);
}

void FakeProcedureCaller::call(const QString &operation, const QString &callText, const ReplyShape &shape,
                               QObject *receiver, Callback done, Progress progress)
{
    Call c{operation, callText, shape};
    m_calls.append(c);
    const CannedAnswer canned =
        m_answers.next(c.procedure())
            .value_or(CannedAnswer::transportError(QStringLiteral("no canned answer")));
    ProcedureReply reply{canned.status, canned.error, canned.body, {}};
    if (canned.status == ProcedureReply::Ok) {
        ReplyWalker walker(shape);
        const qsizetype piece = canned.body.size() / std::max(canned.pieces, 1) + 1;
        for (qsizetype at = 0; at < canned.body.size(); at += piece) {
            const qsizetype before = walker.rows().size();
            walker.feed(QByteArrayView(canned.body).sliced(at, std::min(piece, canned.body.size() - at)));
            // Rows of the last piece come with the answer, as they do from the client.
            if (progress && walker.rows().size() > before && at + piece < canned.body.size())
                deliver(
                    c.procedure(), receiver,
                    [progress, rows = walker.rows().mid(before)](const ProcedureReply &) { progress(rows); },
                    {});
        }
        reply.walk = walker.finish();
        if (!reply.walk.complete)
            reply.error = reply.walk.error;
    } else {
        reply.walk.complete = false;
        reply.walk.error = canned.error;
    }
    deliver(c.procedure(), receiver, std::move(done), std::move(reply));
}

QStringList FakeProcedureCaller::callTextsOf(const QString &procedure) const
{
    QStringList texts;
    for (const Call &c : m_calls) {
        if (procedure.isNull() || c.procedure() == procedure)
            texts.append(c.callText);
    }
    return texts;
}

} // namespace tvs::test
