#include "FakeProcedureCaller.h"

#include <QThread>
#include <QtDebug>

namespace tvs::test {

CannedAnswer CannedAnswer::reply(const QByteArray &body)
{
    return CannedAnswer{ProcedureReply::Ok, body, {}};
}

CannedAnswer CannedAnswer::transportError(const QString &error)
{
    return CannedAnswer{ProcedureReply::TransportError, {}, error};
}

CannedAnswer CannedAnswer::badReply(const QByteArray &body, const QString &error)
{
    return CannedAnswer{ProcedureReply::BadReply, body, error};
}

QString FakeProcedureCaller::Call::procedure() const
{
    return callText.section(u' ', 0, 0);
}

void FakeProcedureCaller::answer(const QString &procedure, const CannedAnswer &answer)
{
    m_lasting.insert(procedure, answer);
}

void FakeProcedureCaller::answerOnce(const QString &procedure, const CannedAnswer &answer)
{
    m_once[procedure].enqueue(answer);
}

CannedAnswer FakeProcedureCaller::answerFor(const QString &procedure)
{
    auto once = m_once.find(procedure);
    if (once != m_once.end() && !once->isEmpty())
        return once->dequeue();
    const auto lasting = m_lasting.constFind(procedure);
    if (lasting != m_lasting.constEnd())
        return *lasting;
    qWarning("FakeProcedureCaller: no canned answer for %s; answering with a transport error",
             qPrintable(procedure));
    return CannedAnswer::transportError(QStringLiteral("no canned answer for ") + procedure);
}

void FakeProcedureCaller::call(const QString &operation, const QString &callText, const ReplyShape &shape,
                               QObject *receiver, Callback done)
{
    Call c{operation, callText, shape};
    m_calls.append(c);
    const CannedAnswer canned = answerFor(c.procedure());

    ProcedureReply reply;
    reply.status = canned.status;
    reply.error = canned.error;
    reply.body = canned.body;
    if (canned.status == ProcedureReply::Ok) {
        reply.walk = walkReply(canned.body, shape);
        if (!reply.walk.complete)
            reply.error = reply.walk.error;
    } else {
        reply.walk.complete = false;
        reply.walk.error = canned.error;
    }

    Held held{c.procedure(), receiver, std::move(done), std::move(reply)};
    if (m_holding)
        m_held.enqueue(std::move(held));
    else
        deliver(std::move(held), true);
}

bool FakeProcedureCaller::releaseNext(const QString &procedure)
{
    const auto it = std::find_if(m_held.begin(), m_held.end(), [&procedure](const Held &h) {
        return procedure.isEmpty() || h.procedure == procedure;
    });
    if (it == m_held.end())
        return false;
    Held held = std::move(*it);
    m_held.erase(it);
    deliver(std::move(held), false);
    return true;
}

void FakeProcedureCaller::releaseAll()
{
    // Answers held while earlier ones are delivered are released too.
    while (releaseNext()) {
    }
}

void FakeProcedureCaller::deliver(Held held, bool queued)
{
    if (!held.receiver || !held.done)
        return;
    QObject *receiver = held.receiver.data();
    auto run = [this, done = std::move(held.done), reply = std::move(held.reply)] {
        ++m_delivered;
        done(reply);
    };
    if (!queued && receiver->thread() == QThread::currentThread())
        run();
    else
        QMetaObject::invokeMethod(receiver, std::move(run), Qt::QueuedConnection);
}

QStringList FakeProcedureCaller::callTexts() const
{
    QStringList texts;
    for (const Call &c : m_calls)
        texts.append(c.callText);
    return texts;
}

QStringList FakeProcedureCaller::callTextsOf(const QString &procedure) const
{
    QStringList texts;
    for (const Call &c : m_calls) {
        if (c.procedure() == procedure)
            texts.append(c.callText);
    }
    return texts;
}

int FakeProcedureCaller::callCount(const QString &procedure) const
{
    return int(callTextsOf(procedure).size());
}

} // namespace tvs::test
