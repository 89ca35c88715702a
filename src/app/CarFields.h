#pragma once

#include <QString>

namespace tvs::CarField {

// The fields of a car record as the service names them: the car itself, its
// photos, options and inspection items. Controllers, queries and rows read and
// write a car's fields through these names only.
inline const QString iCarProductMoney = QStringLiteral("iCarProductMoney");
inline const QString iFavoirteCount = QStringLiteral("iFavoirteCount");
inline const QString sCarCC = QStringLiteral("sCarCC");
inline const QString sCarCode = QStringLiteral("sCarCode");
inline const QString sCarCode1 = QStringLiteral("sCarCode1");
inline const QString sCarCode2 = QStringLiteral("sCarCode2");
inline const QString sCarCode3 = QStringLiteral("sCarCode3");
inline const QString sCarCode4 = QStringLiteral("sCarCode4");
inline const QString sCarCode5 = QStringLiteral("sCarCode5");
inline const QString sCarCode6 = QStringLiteral("sCarCode6");
inline const QString sCarColorCode = QStringLiteral("sCarColorCode");
inline const QString sCarColorName = QStringLiteral("sCarColorName");
inline const QString sCarContent = QStringLiteral("sCarContent");
inline const QString sCarDealerPrice = QStringLiteral("sCarDealerPrice");
inline const QString sCarEndYear = QStringLiteral("sCarEndYear");
inline const QString sCarFormCode = QStringLiteral("sCarFormCode");
inline const QString sCarFormCode1 = QStringLiteral("sCarFormCode1");
inline const QString sCarFormCode2 = QStringLiteral("sCarFormCode2");
inline const QString sCarFormCode3 = QStringLiteral("sCarFormCode3");
inline const QString sCarFormName = QStringLiteral("sCarFormName");
inline const QString sCarFormName1 = QStringLiteral("sCarFormName1");
inline const QString sCarFormName2 = QStringLiteral("sCarFormName2");
inline const QString sCarFormName3 = QStringLiteral("sCarFormName3");
inline const QString sCarFuelCode = QStringLiteral("sCarFuelCode");
inline const QString sCarFuelName = QStringLiteral("sCarFuelName");
inline const QString sCarGroup = QStringLiteral("sCarGroup");
inline const QString sCarGroup1 = QStringLiteral("sCarGroup1");
inline const QString sCarIdNum = QStringLiteral("sCarIdNum");
inline const QString sCarImportType = QStringLiteral("sCarImportType");
inline const QString sCarName = QStringLiteral("sCarName");
inline const QString sCarName1 = QStringLiteral("sCarName1");
inline const QString sCarName2 = QStringLiteral("sCarName2");
inline const QString sCarName3 = QStringLiteral("sCarName3");
inline const QString sCarName4 = QStringLiteral("sCarName4");
inline const QString sCarName5 = QStringLiteral("sCarName5");
inline const QString sCarName6 = QStringLiteral("sCarName6");
inline const QString sCarNameSub = QStringLiteral("sCarNameSub");
inline const QString sCarOptionCode = QStringLiteral("sCarOptionCode");
inline const QString sCarOptionDetailCode = QStringLiteral("sCarOptionDetailCode");
inline const QString sCarOptionDetailName = QStringLiteral("sCarOptionDetailName");
inline const QString sCarOptionName = QStringLiteral("sCarOptionName");
inline const QString sCarParkingImageFile = QStringLiteral("sCarParkingImageFile");
inline const QString sCarPhotoID = QStringLiteral("sCarPhotoID");
inline const QString sCarPhotoPath = QStringLiteral("sCarPhotoPath");
inline const QString sCarProductCheckDate = QStringLiteral("sCarProductCheckDate");
inline const QString sCarProductCheckEndDate = QStringLiteral("sCarProductCheckEndDate");
inline const QString sCarProductCheckItemCode = QStringLiteral("sCarProductCheckItemCode");
inline const QString sCarProductCheckItemContent = QStringLiteral("sCarProductCheckItemContent");
inline const QString sCarProductCheckItemName = QStringLiteral("sCarProductCheckItemName");
inline const QString sCarProductCheckItemSubCode = QStringLiteral("sCarProductCheckItemSubCode");
inline const QString sCarProductCheckItemUpCode = QStringLiteral("sCarProductCheckItemUpCode");
inline const QString sCarProductCheckStartDate = QStringLiteral("sCarProductCheckStartDate");
inline const QString sCarProductCheckStatus = QStringLiteral("sCarProductCheckStatus");
inline const QString iCarProductReadCount = QStringLiteral("iCarProductReadCount");
inline const QString sCarProductCode = QStringLiteral("sCarProductCode");
inline const QString sCarProductContent = QStringLiteral("sCarProductContent");
inline const QString sCarProductFirstRegDate = QStringLiteral("sCarProductFirstRegDate");
inline const QString sCarProductMileage = QStringLiteral("sCarProductMileage");
inline const QString sCarProductNum = QStringLiteral("sCarProductNum");
inline const QString sCarProductRegDate = QStringLiteral("sCarProductRegDate");
inline const QString sCarProductSaleType = QStringLiteral("sCarProductSaleType");
inline const QString sCarProductStatus = QStringLiteral("sCarProductStatus");
inline const QString sCarProductUpDate = QStringLiteral("sCarProductUpDate");
inline const QString sCarProductYearMonth = QStringLiteral("sCarProductYearMonth");
inline const QString sCarSaleType = QStringLiteral("sCarSaleType");
inline const QString sCarStartYear = QStringLiteral("sCarStartYear");
inline const QString sCarStatus = QStringLiteral("sCarStatus");
inline const QString sCarTransmissionCode = QStringLiteral("sCarTransmissionCode");
inline const QString sCarTransmissionName = QStringLiteral("sCarTransmissionName");
inline const QString sCarUpCode = QStringLiteral("sCarUpCode");
inline const QString sCheckEndDate = QStringLiteral("sCheckEndDate");

} // namespace tvs::CarField
