#include "LoginQueries.h"

#include "CallText.h"
#include "DealerFields.h"
#include "LoginLogging.h"

namespace tvs {

const QStringList &LoginQueries::userInfoKeys()
{
    static const QStringList keys{
        DealerField::sUserCode,     DealerField::sUserId,           DealerField::sStoreCode,
        DealerField::sStoreName,    DealerField::sUserName,         DealerField::sUserTelnum,
        DealerField::sUserEmail,    DealerField::iUserLevel,        DealerField::sUserRegDate,
        DealerField::sUserUpDate,   DealerField::sUserLastDate,     DealerField::sUserStatus,
        DealerField::sUserMemo,     DealerField::sUserPw,           DealerField::sUserLastDate1,
        DealerField::sStoreAddress, DealerField::sStoreBusinessNum, DealerField::sStoreUseName,
    };
    return keys;
}

void LoginQueries::signIn(const QString &userId, const QString &passwordDigest, Done done)
{
    send(callText(QStringLiteral("ps_Login1"), {userId, passwordDigest, QStringLiteral("MOBILE_DEALER"),
                                                QStringLiteral("1, 2, 3, 4, 12")}),
         std::move(done));
}

void LoginQueries::signInWithQr(const QString &token, Done done)
{
    send(callText(QStringLiteral("ps_LoginQR1"), {token, QStringLiteral("MOBILE_DEALER"), QStringLiteral("1,2,3,4,12")}),
         std::move(done));
}

void LoginQueries::send(const QString &text, Done done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("sign-in");
    query.callText = text;
    query.shape.cleaning = Cleaning::Stripping;
    for (const QString &key : userInfoKeys())
        query.shape.namedElements.insert(key);
    query.dumpPrefix.clear();
    sendQuery<Record>(
        m_caller, lcLogin(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) {
            Record user;
            for (const auto &[name, value] : answer.named.fields()) {
                if (userInfoKeys().contains(name))
                    user.insert(name, value);
            }
            return user;
        },
        std::move(done));
}

} // namespace tvs
