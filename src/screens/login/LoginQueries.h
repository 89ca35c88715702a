#pragma once

#include "Query.h"

#include <QStringList>

namespace tvs {

// The two sign-ins. Both answer with the dealer's record: the fields of
// userInfoKeys() that the reply carried, or "nothing found" when the service
// refused. Neither the call texts nor the replies are logged (they carry the
// password digest, the token and the stored password).
class LoginQueries
{
public:
    using Done = std::function<void(const QueryResult<Record> &)>;

    LoginQueries(ProcedureCaller *caller, QObject *receiver) : m_caller(caller), m_receiver(receiver) {}

    // The dealer's fields a sign-in reply may carry, in the session store's order.
    static const QStringList &userInfoKeys();

    void signIn(const QString &userId, const QString &passwordDigest, Done done);
    void signInWithQr(const QString &token, Done done);

private:
    void send(const QString &callText, Done done);

    ProcedureCaller *m_caller;
    QObject *m_receiver;
};

} // namespace tvs
