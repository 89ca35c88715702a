#pragma once

#include "JsonServiceClient.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QQueue>

namespace tvs::test {

// Stands in for the JSON side services (car-number lookup, registration
// hand-off). Records every call; answers by operation with a canned JSON object
// or a failure. A call without an answer fails as a transport error with a
// warning. Delivery as FakeProcedureCaller: queued on the receiver's thread, or
// held until releaseNext()/releaseAll(); never after the receiver died.
class FakeJsonServiceCaller : public JsonServiceCaller
{
public:
    struct Call
    {
        QString path;
        QString operation;
        QList<std::pair<QString, QString>> params;
        QString param(const QString &name) const;
    };

    void call(const QString &path, const QString &operation, const QList<std::pair<QString, QString>> &params,
              QObject *receiver, Callback done) override;

    void answer(const QString &operation, const QJsonObject &object);
    void answerOnce(const QString &operation, const QJsonObject &object);
    void fail(const QString &operation, JsonServiceReply::Status status = JsonServiceReply::TransportError,
              const QString &error = QStringLiteral("Connection refused"));

    const QList<Call> &calls() const { return m_calls; }
    void setHolding(bool holding) { m_holding = holding; }
    int heldCount() const { return int(m_held.size()); }
    bool releaseNext();
    void releaseAll();

private:
    struct Held
    {
        QPointer<QObject> receiver;
        Callback done;
        JsonServiceReply reply;
    };
    JsonServiceReply replyFor(const QString &operation);
    void deliver(Held held, bool queued);

    QList<Call> m_calls;
    QHash<QString, JsonServiceReply> m_lasting;
    QHash<QString, QQueue<JsonServiceReply>> m_once;
    QQueue<Held> m_held;
    bool m_holding = false;
};

} // namespace tvs::test
