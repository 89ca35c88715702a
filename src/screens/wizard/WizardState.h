#pragma once

#include "CarFields.h"
#include "Record.h"

#include <QMap>
#include <QString>

#include <optional>

namespace tvs {

// The keys of the wizard's accumulator (the session store's enterCarInfo). The
// service's own field names: the steps, the car record and the registration call
// share them.
namespace WizardKey {
inline const QString &ProductCode = CarField::sCarProductCode;
inline const QString &Code1 = CarField::sCarCode1;
inline const QString &Code2 = CarField::sCarCode2;
inline const QString &Code3 = CarField::sCarCode3;
inline const QString &Code4 = CarField::sCarCode4;
inline const QString &Code5 = CarField::sCarCode5;
inline const QString &Code6 = CarField::sCarCode6;
inline const QString &Name1 = CarField::sCarName1;
inline const QString &Name2 = CarField::sCarName2;
inline const QString &Name3 = CarField::sCarName3;
inline const QString &Name4 = CarField::sCarName4;
inline const QString &Name5 = CarField::sCarName5;
inline const QString &FormCode1 = CarField::sCarFormCode1;
inline const QString &FormCode2 = CarField::sCarFormCode2;
inline const QString &FormCode3 = CarField::sCarFormCode3;
inline const QString &FormName1 = CarField::sCarFormName1;
inline const QString &FormName2 = CarField::sCarFormName2;
inline const QString &FormName3 = CarField::sCarFormName3;
inline const QString &ColorCode = CarField::sCarColorCode;
inline const QString &FuelCode = CarField::sCarFuelCode;
inline const QString &FuelName = CarField::sCarFuelName;
inline const QString &TransmissionCode = CarField::sCarTransmissionCode;
inline const QString &TransmissionName = CarField::sCarTransmissionName;
inline const QString &ProductNum = CarField::sCarProductNum;
inline const QString &YearMonth = CarField::sCarProductYearMonth;
inline const QString &Money = CarField::iCarProductMoney;
inline const QString &Content = CarField::sCarContent;
inline const QString &ProductContent = CarField::sCarProductContent;
inline const QString &Mileage = CarField::sCarProductMileage;
inline const QString &Status = CarField::sCarStatus;
inline const QString &Group = CarField::sCarGroup;
inline const QString &ImportType = CarField::sCarImportType;
inline const QString &IdNum = CarField::sCarIdNum;
inline const QString &CC = CarField::sCarCC;
inline const QString &CheckStart = CarField::sCarProductCheckStartDate;
inline const QString &CheckEnd = CarField::sCarProductCheckEndDate;
inline const QString &SaleType = CarField::sCarSaleType;
inline const QString &ProductSaleType = CarField::sCarProductSaleType;
inline const QString &FirstRegDate = CarField::sCarProductFirstRegDate;
inline const QString &DealerPrice = CarField::sCarDealerPrice;
} // namespace WizardKey

// The registration wizard's share of the session store: the accumulator
// `enterCarInfo`, the options JSON `jsonString` and the edit flag `editCarInfo`.
// The five steps, the car detail's hand-off and the drawer's new registration
// read and write them only through here.
class WizardState
{
public:
    // A new registration: nothing of an earlier (perhaps abandoned) edit may
    // remain, or its car code would turn the new car into an update of the old one.
    static void startNew();
    // Editing an existing car: its whole record becomes the accumulator.
    static void startEdit(const Record &car);
    // The car was sent: the next visit to step 1 starts a new registration.
    static void finish();

    static bool editing();
    static bool has(const QString &key);
    // Empty when missing (has() tells the two apart).
    static QString value(const QString &key);
    static void set(const QString &key, const QString &value);
    static QMap<QString, QString> values();

    // Car or truck, as step 1 decided it: the import type it writes, "3" for
    // trucks. Not the group sent with the car: a car whose group is neither
    // domestic nor imported is sent as group "3" too, and stays a car here.
    static bool isTruck();
    static void setTruck(bool truck);

    // What the dealer typed into a field of a step, as typed, kept apart from the
    // values the step checked and stored: a step shown again after going back
    // shows it. It lasts until the wizard starts again.
    static void keepTyped(const QString &field, const QString &text);
    static std::optional<QString> typed(const QString &field);

    static QString optionsJson();
    static void setOptionsJson(const QString &json);
};

} // namespace tvs
