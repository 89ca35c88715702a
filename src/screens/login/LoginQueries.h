#pragma once

#include "Query.h"

#include <QStringList>

namespace tvs {

// The two sign-ins. Both answer with the dealer's record: the fields of
// userInfoKeys() that the reply carried, or "nothing found" when the service
// refused. Neither the call texts nor the replies are logged (they carry the
// password digest, the token and the stored password).
class LoginQueries : public AreaQueries
{
public:
    using Done = AreaQueries::Done<Record>;

    using AreaQueries::AreaQueries;

    // The dealer's fields a sign-in reply may carry, in the session store's order.
    static const QStringList &userInfoKeys();

    void signIn(const QString &userId, const QString &passwordDigest, Done done);
    void signInWithQr(const QString &token, Done done);

private:
    void send(const QString &callText, Done done);
};

} // namespace tvs
