#pragma once

#include "CannedDelivery.h"
#include "JsonServiceClient.h"

namespace tvs::test {

// Stands in for the JSON side services (car-number lookup, registration
// hand-off). Records every call; answers by operation with a canned JSON object
// or a failure. A call without an answer fails as a transport error with a
// warning. Delivery as FakeProcedureCaller: queued on the receiver's thread, or
// held until releaseNext()/releaseAll(); never after the receiver died.
class FakeJsonServiceCaller : public JsonServiceCaller, public HeldDelivery<JsonServiceReply>
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

    void answer(const QString &operation, const QJsonObject &o) { m_answers.lasting(operation, ok(o)); }
    void answerOnce(const QString &operation, const QJsonObject &o) { m_answers.once(operation, ok(o)); }
    void fail(const QString &operation, JsonServiceReply::Status status = JsonServiceReply::TransportError,
              const QString &error = QStringLiteral("Connection refused"));

    const QList<Call> &calls() const { return m_calls; }

private:
    static JsonServiceReply ok(const QJsonObject &object);

    QList<Call> m_calls;
    AnswerBook<JsonServiceReply> m_answers;
};

} // namespace tvs::test
