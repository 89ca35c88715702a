#include "EnterCar2Controller.h"

#include "WizardCodes.h"
#include "WizardState.h"
#include "WizardTransitions.h"

#include <algorithm>

namespace tvs {

namespace {

// The names the four fields' typed texts are kept under, in the order of texts().
const char *const kFieldNames[] = {"editCC", "sCarMileage", "editCarId", "editPrice"};

bool isDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A price as the field shows it: a whole number of ten thousands in that unit,
// anything else as it stands.
QString priceInTenThousands(const QString &won)
{
    const QString unit = QStringLiteral("0000");
    return isDigits(won) && won.endsWith(unit) ? won.chopped(unit.size()) : won;
}

} // namespace

EnterCar2Controller::EnterCar2Controller(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_saleTypeTitle(WizardCodes::saleTypes().first().name)
{
}

void EnterCar2Controller::viewDidLoad()
{
    using namespace WizardKey;
    // The first visit starts from "1" or the car's own sale type; a type chosen
    // on an earlier visit of this wizard stays.
    if (!WizardState::has(SaleType)) {
        WizardState::set(SaleType, WizardCodes::kDefaultSaleType);
        if (WizardState::has(ProductSaleType))
            WizardState::set(SaleType, WizardState::value(ProductSaleType));
    }
    const QString name = WizardCodes::nameOf(WizardCodes::saleTypes(), WizardState::value(SaleType));
    if (!name.isEmpty()) {
        m_saleTypeTitle = name;
        emit saleTypeChanged();
    }
    if (WizardState::has(CC))
        editCC = WizardState::value(CC);
    if (WizardState::has(IdNum))
        editCarId = WizardState::value(IdNum);
    if (WizardState::has(Mileage))
        sCarMileage = WizardState::value(Mileage);
    m_hadPrice = WizardState::has(Money);
    if (m_hadPrice) {
        m_storedPrice = WizardState::value(Money);
        m_shownPrice = priceInTenThousands(m_storedPrice);
        editPrice = m_shownPrice;
    }
    const QList<QString *> fields = texts();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (const auto typed = WizardState::typed(QLatin1String(kFieldNames[i])))
            *fields[i] = *typed;
        m_shownAtLoad.append(*fields[i]);
    }
    emit fieldsChanged();
}

// Going back a step (or on to the next) keeps what the dealer typed here.
void EnterCar2Controller::viewWillDisappear()
{
    const QList<QString *> fields = texts();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString name = QLatin1String(kFieldNames[i]);
        if (*fields[i] != m_shownAtLoad.at(i) || WizardState::typed(name))
            WizardState::keepTyped(name, *fields[i]);
    }
}

void EnterCar2Controller::actionCarSelect()
{
    WizardCodes::choose(*this, QStringLiteral("차량구분선택"), WizardCodes::saleTypes(),
                        [this](const NamedCode &type) {
                            WizardState::set(WizardKey::SaleType, type.code);
                            m_saleTypeTitle = type.name;
                            emit saleTypeChanged();
                        });
}

void EnterCar2Controller::actionNext()
{
    // Displacement, mileage and price are numbers: "1,500" would be stored as
    // "1,5000000", so only digits pass, and a field that holds anything else is
    // told so rather than asked to be filled.
    const struct
    {
        const QString &text;
        qsizetype minimum;
        bool digitsOnly;
        const char *field;
        const char *alert;
    } checks[] = {
        {editCC, 2, true, "editCC", "배기량을 입력해주세요."},
        {sCarMileage, 2, true, "sCarMileage", "주행거리를 입력해주세요."},
        {editCarId, 16, false, "editCarId", "차대번호를 입력해주세요."},
        {editPrice, 2, true, "editPrice", "차량가격을 입력해주세요."},
    };
    for (const auto &check : checks) {
        QString alert;
        if (check.digitsOnly && !isDigits(check.text))
            alert = QStringLiteral("숫자만 입력해주세요.");
        else if (check.text.size() < check.minimum)
            alert = QString::fromUtf8(check.alert);
        else
            continue;
        emit focusRequested(QString::fromLatin1(check.field));
        presentAlert(alert, QString());
        return;
    }
    using namespace WizardKey;
    WizardState::set(CC, editCC);
    WizardState::set(Mileage, sCarMileage);
    WizardState::set(IdNum, editCarId);
    const bool untouched = m_hadPrice && editPrice == m_shownPrice;
    WizardState::set(Money, untouched ? m_storedPrice : editPrice + QStringLiteral("0000"));
    performSegue(WizardTransition::enter2_to_enter3);
}

} // namespace tvs
