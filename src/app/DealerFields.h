#pragma once

#include "FieldName.h"

namespace tvs::DealerField {

// The fields of the signed-in dealer's record (AppData's userInfo) as the
// service names them: the dealer and the dealer's store.
TVS_FIELD(iUserLevel);
TVS_FIELD(sStoreAddress);
TVS_FIELD(sStoreBusinessNum);
TVS_FIELD(sStoreCode);
TVS_FIELD(sStoreName);
TVS_FIELD(sStoreUseName);
TVS_FIELD(sUserCode);
TVS_FIELD(sUserEmail);
TVS_FIELD(sUserId);
TVS_FIELD(sUserLastDate);
TVS_FIELD(sUserLastDate1);
TVS_FIELD(sUserMemo);
TVS_FIELD(sUserName);
TVS_FIELD(sUserPicturePath);
TVS_FIELD(sUserPw);
TVS_FIELD(sUserRegDate);
TVS_FIELD(sUserStatus);
TVS_FIELD(sUserTelnum);
TVS_FIELD(sUserUpDate);

} // namespace tvs::DealerField
