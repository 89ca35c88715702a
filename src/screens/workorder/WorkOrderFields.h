#pragma once

#include "FieldName.h"

namespace tvs::JobField {

// The fields of a work order and its job lines as the service names them,
// with the shop (store) a job line goes to.
TVS_FIELD(iJobPrice);
TVS_FIELD(sJobContent);
TVS_FIELD(sJobListCode);
TVS_FIELD(sJobListRegdate);
TVS_FIELD(sJobOrderListStatus);
TVS_FIELD(sStoreCode);
TVS_FIELD(sStoreName);

} // namespace tvs::JobField
