#pragma once

#include <QString>

namespace tvs::JobField {

// The fields of a work order and its job lines as the service names them,
// with the shop (store) a job line goes to.
inline const QString iJobPrice = QStringLiteral("iJobPrice");
inline const QString sJobContent = QStringLiteral("sJobContent");
inline const QString sJobListCode = QStringLiteral("sJobListCode");
inline const QString sJobListRegdate = QStringLiteral("sJobListRegdate");
inline const QString sJobOrderListStatus = QStringLiteral("sJobOrderListStatus");
inline const QString sStoreCode = QStringLiteral("sStoreCode");
inline const QString sStoreName = QStringLiteral("sStoreName");

} // namespace tvs::JobField
