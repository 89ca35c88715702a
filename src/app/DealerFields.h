#pragma once

#include <QString>

namespace tvs::DealerField {

// The fields of the signed-in dealer's record (AppData's userInfo) as the
// service names them: the dealer and the dealer's store.
inline const QString iUserLevel = QStringLiteral("iUserLevel");
inline const QString sStoreAddress = QStringLiteral("sStoreAddress");
inline const QString sStoreBusinessNum = QStringLiteral("sStoreBusinessNum");
inline const QString sStoreCode = QStringLiteral("sStoreCode");
inline const QString sStoreName = QStringLiteral("sStoreName");
inline const QString sStoreUseName = QStringLiteral("sStoreUseName");
inline const QString sUserCode = QStringLiteral("sUserCode");
inline const QString sUserEmail = QStringLiteral("sUserEmail");
inline const QString sUserId = QStringLiteral("sUserId");
inline const QString sUserLastDate = QStringLiteral("sUserLastDate");
inline const QString sUserLastDate1 = QStringLiteral("sUserLastDate1");
inline const QString sUserMemo = QStringLiteral("sUserMemo");
inline const QString sUserName = QStringLiteral("sUserName");
inline const QString sUserPicturePath = QStringLiteral("sUserPicturePath");
inline const QString sUserPw = QStringLiteral("sUserPw");
inline const QString sUserRegDate = QStringLiteral("sUserRegDate");
inline const QString sUserStatus = QStringLiteral("sUserStatus");
inline const QString sUserTelnum = QStringLiteral("sUserTelnum");
inline const QString sUserUpDate = QStringLiteral("sUserUpDate");

} // namespace tvs::DealerField
