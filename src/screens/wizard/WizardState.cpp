#include "WizardState.h"

#include "AppData.h"

namespace tvs {

namespace {
const QString kTruckType = QStringLiteral("3");
const QString kCarTypes = QStringLiteral("12");
// Typed texts share the accumulator with the service's fields under names no
// field has; the registration sends only the fields it names.
const QString kTypedPrefix = QStringLiteral("typed/");
} // namespace

void WizardState::startNew()
{
    AppData *store = AppData::shared();
    store->editCarInfo = false;
    store->enterCarInfo.clear();
    store->jsonString.clear();
}

void WizardState::startEdit(const Record &car)
{
    AppData *store = AppData::shared();
    store->editCarInfo = true;
    store->enterCarInfo.clear();
    for (const auto &[field, value] : car.fields())
        store->enterCarInfo.insert(field, value);
    store->jsonString.clear();
}

void WizardState::finish()
{
    startNew();
}

bool WizardState::editing()
{
    return AppData::shared()->editCarInfo;
}

bool WizardState::has(const QString &key)
{
    return AppData::shared()->enterCarInfo.contains(key);
}

QString WizardState::value(const QString &key)
{
    return AppData::shared()->enterCarInfo.value(key);
}

void WizardState::set(const QString &key, const QString &value)
{
    AppData::shared()->enterCarInfo.insert(key, value);
}

QMap<QString, QString> WizardState::values()
{
    return AppData::shared()->enterCarInfo;
}

bool WizardState::isTruck()
{
    return value(WizardKey::ImportType) == kTruckType;
}

void WizardState::setTruck(bool truck)
{
    set(WizardKey::ImportType, truck ? kTruckType : kCarTypes);
}

void WizardState::keepTyped(const QString &field, const QString &text)
{
    set(kTypedPrefix + field, text);
}

std::optional<QString> WizardState::typed(const QString &field)
{
    if (!has(kTypedPrefix + field))
        return std::nullopt;
    return value(kTypedPrefix + field);
}

QString WizardState::optionsJson()
{
    return AppData::shared()->jsonString;
}

void WizardState::setOptionsJson(const QString &json)
{
    AppData::shared()->jsonString = json;
}

} // namespace tvs
