#pragma once

#include <QString>

namespace tvs::AuctionField {

// The fields of an auction row and its bids as the service names them.
inline const QString iAuctionMaxPrice = QStringLiteral("iAuctionMaxPrice");
inline const QString sAuctionCode = QStringLiteral("sAuctionCode");
inline const QString sAuctionEndDate = QStringLiteral("sAuctionEndDate");
inline const QString sAuctionStartDate = QStringLiteral("sAuctionStartDate");
inline const QString sAuctionStatus = QStringLiteral("sAuctionStatus");
inline const QString sAuctionType = QStringLiteral("sAuctionType");
inline const QString sAuctionUserCode = QStringLiteral("sAuctionUserCode");
inline const QString sAuctionUserName = QStringLiteral("sAuctionUserName");
inline const QString sAuctionUserTelnum = QStringLiteral("sAuctionUserTelnum");
inline const QString sMapCode = QStringLiteral("sMapCode");
inline const QString sMapName = QStringLiteral("sMapName");
inline const QString sMapPointCode = QStringLiteral("sMapPointCode");
inline const QString sMapPointName = QStringLiteral("sMapPointName");
inline const QString sMaxUserCode = QStringLiteral("sMaxUserCode");

} // namespace tvs::AuctionField
