#pragma once

#include "FieldName.h"

namespace tvs::CarField {

// The fields of a car record as the service names them: the car itself, its
// photos, options and inspection items. Controllers, queries and rows read and
// write a car's fields through these names only.
TVS_FIELD(iCarProductMoney);
TVS_FIELD(iFavoirteCount);
TVS_FIELD(sCarCC);
TVS_FIELD(sCarCode);
TVS_FIELD(sCarCode1);
TVS_FIELD(sCarCode2);
TVS_FIELD(sCarCode3);
TVS_FIELD(sCarCode4);
TVS_FIELD(sCarCode5);
TVS_FIELD(sCarCode6);
TVS_FIELD(sCarColorCode);
TVS_FIELD(sCarColorName);
TVS_FIELD(sCarContent);
TVS_FIELD(sCarDealerPrice);
TVS_FIELD(sCarEndYear);
TVS_FIELD(sCarFormCode);
TVS_FIELD(sCarFormCode1);
TVS_FIELD(sCarFormCode2);
TVS_FIELD(sCarFormCode3);
TVS_FIELD(sCarFormName);
TVS_FIELD(sCarFormName1);
TVS_FIELD(sCarFormName2);
TVS_FIELD(sCarFormName3);
TVS_FIELD(sCarFuelCode);
TVS_FIELD(sCarFuelName);
TVS_FIELD(sCarGroup);
TVS_FIELD(sCarGroup1);
TVS_FIELD(sCarIdNum);
TVS_FIELD(sCarImportType);
TVS_FIELD(sCarName);
TVS_FIELD(sCarName1);
TVS_FIELD(sCarName2);
TVS_FIELD(sCarName3);
TVS_FIELD(sCarName4);
TVS_FIELD(sCarName5);
TVS_FIELD(sCarName6);
TVS_FIELD(sCarNameSub);
TVS_FIELD(sCarOptionCode);
TVS_FIELD(sCarOptionDetailCode);
TVS_FIELD(sCarOptionDetailName);
TVS_FIELD(sCarOptionName);
TVS_FIELD(sCarParkingImageFile);
TVS_FIELD(sCarPhotoID);
TVS_FIELD(sCarPhotoPath);
TVS_FIELD(sCarProductCheckDate);
TVS_FIELD(sCarProductCheckEndDate);
TVS_FIELD(sCarProductCheckItemCode);
TVS_FIELD(sCarProductCheckItemContent);
TVS_FIELD(sCarProductCheckItemName);
TVS_FIELD(sCarProductCheckItemSubCode);
TVS_FIELD(sCarProductCheckItemUpCode);
TVS_FIELD(sCarProductCheckStartDate);
TVS_FIELD(sCarProductCheckStatus);
TVS_FIELD(iCarProductReadCount);
TVS_FIELD(sCarProductCode);
TVS_FIELD(sCarProductContent);
TVS_FIELD(sCarProductFirstRegDate);
TVS_FIELD(sCarProductMileage);
TVS_FIELD(sCarProductNum);
TVS_FIELD(sCarProductRegDate);
TVS_FIELD(sCarProductSaleType);
TVS_FIELD(sCarProductStatus);
TVS_FIELD(sCarProductUpDate);
TVS_FIELD(sCarProductYearMonth);
TVS_FIELD(sCarSaleType);
TVS_FIELD(sCarStartYear);
TVS_FIELD(sCarStatus);
TVS_FIELD(sCarTransmissionCode);
TVS_FIELD(sCarTransmissionName);
TVS_FIELD(sCarUpCode);
TVS_FIELD(sCheckEndDate);

} // namespace tvs::CarField
