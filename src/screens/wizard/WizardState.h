#pragma once

#include "Record.h"

#include <QMap>
#include <QString>

#include <optional>

namespace tvs {

// The keys of the wizard's accumulator (the session store's enterCarInfo). The
// service's own field names: the steps, the car record and the registration call
// share them.
namespace WizardKey {
inline const QString ProductCode = QStringLiteral("sCarProductCode");
inline const QString Code1 = QStringLiteral("sCarCode1");
inline const QString Code2 = QStringLiteral("sCarCode2");
inline const QString Code3 = QStringLiteral("sCarCode3");
inline const QString Code4 = QStringLiteral("sCarCode4");
inline const QString Code5 = QStringLiteral("sCarCode5");
inline const QString Code6 = QStringLiteral("sCarCode6");
inline const QString Name1 = QStringLiteral("sCarName1");
inline const QString Name2 = QStringLiteral("sCarName2");
inline const QString Name3 = QStringLiteral("sCarName3");
inline const QString Name4 = QStringLiteral("sCarName4");
inline const QString Name5 = QStringLiteral("sCarName5");
inline const QString FormCode1 = QStringLiteral("sCarFormCode1");
inline const QString FormCode2 = QStringLiteral("sCarFormCode2");
inline const QString FormCode3 = QStringLiteral("sCarFormCode3");
inline const QString FormName1 = QStringLiteral("sCarFormName1");
inline const QString FormName2 = QStringLiteral("sCarFormName2");
inline const QString FormName3 = QStringLiteral("sCarFormName3");
inline const QString ColorCode = QStringLiteral("sCarColorCode");
inline const QString FuelCode = QStringLiteral("sCarFuelCode");
inline const QString FuelName = QStringLiteral("sCarFuelName");
inline const QString TransmissionCode = QStringLiteral("sCarTransmissionCode");
inline const QString TransmissionName = QStringLiteral("sCarTransmissionName");
inline const QString ProductNum = QStringLiteral("sCarProductNum");
inline const QString YearMonth = QStringLiteral("sCarProductYearMonth");
inline const QString Money = QStringLiteral("iCarProductMoney");
inline const QString Content = QStringLiteral("sCarContent");
inline const QString ProductContent = QStringLiteral("sCarProductContent");
inline const QString Mileage = QStringLiteral("sCarProductMileage");
inline const QString Status = QStringLiteral("sCarStatus");
inline const QString Group = QStringLiteral("sCarGroup");
inline const QString ImportType = QStringLiteral("sCarImportType");
inline const QString IdNum = QStringLiteral("sCarIdNum");
inline const QString CC = QStringLiteral("sCarCC");
inline const QString CheckStart = QStringLiteral("sCarProductCheckStartDate");
inline const QString CheckEnd = QStringLiteral("sCarProductCheckEndDate");
inline const QString SaleType = QStringLiteral("sCarSaleType");
inline const QString ProductSaleType = QStringLiteral("sCarProductSaleType");
inline const QString FirstRegDate = QStringLiteral("sCarProductFirstRegDate");
inline const QString DealerPrice = QStringLiteral("sCarDealerPrice");
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
