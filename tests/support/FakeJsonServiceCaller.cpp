#include "FakeJsonServiceCaller.h"

#include <QJsonDocument>
#include <QThread>
#include <QtDebug>

namespace tvs::test {

namespace {

JsonServiceReply okReply(const QJsonObject &object)
{
    JsonServiceReply reply;
    reply.object = object;
    reply.resultText = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return reply;
}

} // namespace

QString FakeJsonServiceCaller::Call::param(const QString &name) const
{
    for (const auto &[key, value] : params) {
        if (key == name)
            return value;
    }
    return {};
}

void FakeJsonServiceCaller::answer(const QString &operation, const QJsonObject &object)
{
    m_lasting.insert(operation, okReply(object));
}

void FakeJsonServiceCaller::answerOnce(const QString &operation, const QJsonObject &object)
{
    m_once[operation].enqueue(okReply(object));
}

void FakeJsonServiceCaller::fail(const QString &operation, JsonServiceReply::Status status,
                                 const QString &error)
{
    JsonServiceReply reply;
    reply.status = status;
    reply.error = error;
    m_lasting.insert(operation, reply);
}

JsonServiceReply FakeJsonServiceCaller::replyFor(const QString &operation)
{
    auto once = m_once.find(operation);
    if (once != m_once.end() && !once->isEmpty())
        return once->dequeue();
    const auto lasting = m_lasting.constFind(operation);
    if (lasting != m_lasting.constEnd())
        return *lasting;
    qWarning("FakeJsonServiceCaller: no canned answer for %s; answering with a transport error",
             qPrintable(operation));
    JsonServiceReply reply;
    reply.status = JsonServiceReply::TransportError;
    reply.error = QStringLiteral("no canned answer for ") + operation;
    return reply;
}

void FakeJsonServiceCaller::call(const QString &path, const QString &operation,
                                 const QList<std::pair<QString, QString>> &params, QObject *receiver,
                                 Callback done)
{
    m_calls.append(Call{path, operation, params});
    Held held{receiver, std::move(done), replyFor(operation)};
    if (m_holding)
        m_held.enqueue(std::move(held));
    else
        deliver(std::move(held), true);
}

bool FakeJsonServiceCaller::releaseNext()
{
    if (m_held.isEmpty())
        return false;
    deliver(m_held.dequeue(), false);
    return true;
}

void FakeJsonServiceCaller::releaseAll()
{
    while (releaseNext()) {
    }
}

void FakeJsonServiceCaller::deliver(Held held, bool queued)
{
    if (!held.receiver || !held.done)
        return;
    QObject *receiver = held.receiver.data();
    auto run = [done = std::move(held.done), reply = std::move(held.reply)] { done(reply); };
    if (!queued && receiver->thread() == QThread::currentThread())
        run();
    else
        QMetaObject::invokeMethod(receiver, std::move(run), Qt::QueuedConnection);
}

} // namespace tvs::test
