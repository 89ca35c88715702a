#include "WizardState.h"

#include "AppData.h"

namespace tvs {

namespace {
const QString kTruckGroup = QStringLiteral("3");
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

void WizardState::remove(const QString &key)
{
    AppData::shared()->enterCarInfo.remove(key);
}

QMap<QString, QString> WizardState::values()
{
    return AppData::shared()->enterCarInfo;
}

bool WizardState::isTruck()
{
    return value(WizardKey::Group) == kTruckGroup;
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
