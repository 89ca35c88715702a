#include "FakeJsonServiceCaller.h"

#include <QJsonDocument>

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
    m_answers.lasting(operation, okReply(object));
}

void FakeJsonServiceCaller::answerOnce(const QString &operation, const QJsonObject &object)
{
    m_answers.once(operation, okReply(object));
}

void FakeJsonServiceCaller::fail(const QString &operation, JsonServiceReply::Status status,
                                 const QString &error)
{
    JsonServiceReply reply;
    reply.status = status;
    reply.error = error;
    m_answers.lasting(operation, reply);
}

void FakeJsonServiceCaller::call(const QString &path, const QString &operation,
                                 const QList<std::pair<QString, QString>> &params, QObject *receiver,
                                 Callback done)
{
    m_calls.append(Call{path, operation, params});
    JsonServiceReply missing;
    missing.status = JsonServiceReply::TransportError;
    missing.error = QStringLiteral("no canned answer");
    deliver(operation, receiver, std::move(done), m_answers.next(operation).value_or(missing));
}

} // namespace tvs::test
