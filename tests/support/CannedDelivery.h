#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QThread>
#include <QtDebug>

#include <algorithm>
#include <functional>
#include <optional>

namespace tvs::test {

// Canned answers by key (procedure or operation): answers given with once() come
// first, in order, then the lasting one.
template <typename Answer>
class AnswerBook
{
public:
    void lasting(const QString &key, const Answer &answer) { m_lasting.insert(key, answer); }
    void once(const QString &key, const Answer &answer) { m_once[key].enqueue(answer); }
    std::optional<Answer> next(const QString &key)
    {
        auto once = m_once.find(key);
        if (once != m_once.end() && !once->isEmpty())
            return once->dequeue();
        const auto lasting = m_lasting.constFind(key);
        if (lasting != m_lasting.constEnd())
            return *lasting;
        qWarning("no canned answer for %s; answering with a transport error", qPrintable(key));
        return std::nullopt;
    }

private:
    QHash<QString, Answer> m_lasting;
    QHash<QString, QQueue<Answer>> m_once;
};

// How a fake hands its replies over: queued on the receiver's thread, or held
// until releaseNext()/releaseAll(), which deliver at once; never after the
// receiver died.
template <typename Reply>
class HeldDelivery
{
public:
    void setHolding(bool holding) { m_holding = holding; }
    int heldCount() const { return int(m_held.size()); }
    // Deliver the oldest held reply (of `key`, when given); false when none was held.
    bool releaseNext(const QString &key = {})
    {
        const auto it = std::find_if(m_held.begin(), m_held.end(),
                                     [&key](const Held &h) { return key.isEmpty() || h.key == key; });
        if (it == m_held.end())
            return false;
        Held held = std::move(*it);
        m_held.erase(it);
        deliverNow(std::move(held), false);
        return true;
    }
    // Replies held while earlier ones are delivered are released too.
    void releaseAll()
    {
        while (releaseNext()) {
        }
    }
    // How many replies reached a living receiver.
    int deliveredCount() const { return m_delivered; }

protected:
    void deliver(const QString &key, QObject *receiver, std::function<void(const Reply &)> done, Reply reply)
    {
        Held held{key, receiver, std::move(done), std::move(reply)};
        if (m_holding)
            m_held.enqueue(std::move(held));
        else
            deliverNow(std::move(held), true);
    }

private:
    struct Held
    {
        QString key;
        QPointer<QObject> receiver;
        std::function<void(const Reply &)> done;
        Reply reply;
    };
    void deliverNow(Held held, bool queued)
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

    QQueue<Held> m_held;
    bool m_holding = false;
    int m_delivered = 0;
};

} // namespace tvs::test
