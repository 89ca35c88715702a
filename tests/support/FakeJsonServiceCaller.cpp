#include "FakeJsonServiceCaller.h"

#include <QJsonDocument>

namespace tvs::test {

JsonServiceReply FakeJsonServiceCaller::ok(const QJsonObject &object)
{
    const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return {JsonServiceReply::Ok, {}, text, object, {}};
}

QString FakeJsonServiceCaller::Call::param(const QString &name) const
{
    for (const auto &[key, value] : params) {
        if (key == name)
            return value;
    }
    return {};
}

void FakeJsonServiceCaller::fail(const QString &operation, JsonServiceReply::Status status,
                                 const QString &error)
{
    m_answers.lasting(operation, {status, error, {}, {}, {}});
}

void FakeJsonServiceCaller::call(const QString &path, const QString &operation,
                                 const QList<std::pair<QString, QString>> &params, QObject *receiver,
                                 Callback done)
{
    m_calls.append(Call{path, operation, params});
    const JsonServiceReply missing{JsonServiceReply::TransportError, u"no canned answer"_qs, {}, {}, {}};
    deliver(operation, receiver, std::move(done), m_answers.next(operation).value_or(missing));
}

} // namespace tvs::test
