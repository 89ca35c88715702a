#pragma once

#include "FieldName.h"

namespace tvs::AuctionField {

// The fields of an auction row and its bids as the service names them.
TVS_FIELD(iAuctionMaxPrice);
TVS_FIELD(sAuctionCode);
TVS_FIELD(sAuctionEndDate);
TVS_FIELD(sAuctionStartDate);
TVS_FIELD(sAuctionStatus);
TVS_FIELD(sAuctionType);
TVS_FIELD(sAuctionUserCode);
TVS_FIELD(sAuctionUserName);
TVS_FIELD(sAuctionUserTelnum);
TVS_FIELD(sMapCode);
TVS_FIELD(sMapName);
TVS_FIELD(sMapPointCode);
TVS_FIELD(sMapPointName);
TVS_FIELD(sMaxUserCode);

} // namespace tvs::AuctionField
