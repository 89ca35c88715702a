#include "EnterCar3Controller.h"

#include "CarFields.h"
#include "ScreenContext.h"
#include "WizardLogging.h"
#include "WizardState.h"
#include "WizardTransitions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tvs {

namespace {

const QString kGroup = CarField::sCarOptionCode;
const QString kGroupName = CarField::sCarOptionName;
const QString kDetail = CarField::sCarOptionDetailCode;
const QString kDetailName = CarField::sCarOptionDetailName;

// The groups each grid shows. A truck's two add-on groups follow their main
// group, as on the car detail: hidden, a stored add-on could not be seen or
// kept and would be deleted by the next registration.
const QStringList kCarGrids[4] = {{QStringLiteral("A000001")},
                                  {QStringLiteral("A000002")},
                                  {QStringLiteral("A000003")},
                                  {QStringLiteral("A000004")}};
const QStringList kTruckGrids[4] = {
    {QStringLiteral("A000005"), QStringLiteral("A000006")},
    {QStringLiteral("A000007")},
    {QStringLiteral("A000008"), QStringLiteral("A000009")},
    {QStringLiteral("A000010")},
};

bool sameOption(const Record &a, const Record &b)
{
    return a.value(kGroup) == b.value(kGroup) && a.value(kDetail) == b.value(kDetail);
}

} // namespace

EnterCar3Controller::EnterCar3Controller(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_cars(context ? context->procedures : nullptr, this)
{
    for (OptionGridModel &grid : m_grids)
        grid.setCodeForUntitled(true);
}

void EnterCar3Controller::viewDidLoad()
{
    picOption.clear();
    picComplete.clear();
    WizardState::setOptionsJson(QString());
    m_storedArrived = !WizardState::editing();
    if (m_storedArrived)
        fetchCatalogue();
    else
        fetchStored();
}

void EnterCar3Controller::reload()
{
    setNotice(QString());
    if (!m_storedArrived)
        fetchStored();
    else if (!m_catalogueArrived)
        fetchCatalogue();
}

void EnterCar3Controller::setNotice(const QString &notice)
{
    m_notice = notice;
    emit stateChanged();
}

// The options a car has must have arrived before next can send a list: an
// empty list would delete them.
void EnterCar3Controller::fetchStored()
{
    setLoading(true);
    m_cars.carOptions(WizardState::value(WizardKey::ProductCode), [this](const QueryResult<Records> &result) {
        setLoading(false);
        if (!result.ok() || !result.complete) {
            setNotice(QStringLiteral("차량의 옵션을 불러오지 못했습니다."));
            return;
        }
        catchOpListAll = result.value;
        m_storedArrived = true;
        fetchCatalogue();
    });
}

void EnterCar3Controller::fetchCatalogue()
{
    setLoading(true);
    m_cars.optionCatalogue([this](const QueryResult<Records> &result) {
        setLoading(false);
        if (!result.ok() || !result.complete) {
            setNotice(QStringLiteral("옵션 목록을 불러오지 못했습니다."));
            return;
        }
        getOpListAll = result.value;
        distribute();
        m_catalogueArrived = true;
        emit stateChanged();
    });
}

// Fills the grids and marks the stored options from the data, whichever cells
// happen to be drawn; they start the marked list in their stored order.
void EnterCar3Controller::distribute()
{
    const QStringList *groups = WizardState::isTruck() ? kTruckGrids : kCarGrids;
    Records shownRows;
    for (int n = 0; n < 4; ++n) {
        Records rows;
        QList<bool> marked;
        for (const QString &group : groups[n]) {
            for (const Record &row : std::as_const(getOpListAll)) {
                if (row.value(kGroup) != group)
                    continue;
                // Without its code an option cannot be marked or sent.
                if (row.value(kDetail).isEmpty()) {
                    qCWarning(lcWizard) << "option row without a code left out:" << row.value(kDetailName);
                    continue;
                }
                const bool stored = std::any_of(catchOpListAll.cbegin(), catchOpListAll.cend(),
                                                [&row](const Record &s) { return sameOption(s, row); });
                rows.append(row);
                shownRows.append(row);
                marked.append(stored);
            }
        }
        m_grids[n].setRows(rows, marked);
    }
    picComplete.clear();
    for (const Record &stored : std::as_const(catchOpListAll)) {
        const auto shown = std::find_if(shownRows.cbegin(), shownRows.cend(),
                                        [&stored](const Record &row) { return sameOption(row, stored); });
        if (shown == shownRows.cend()) {
            qCWarning(lcWizard) << "stored option" << stored.value(kDetail)
                                << "is not among the options shown";
            continue;
        }
        if (std::none_of(picComplete.cbegin(), picComplete.cend(),
                         [&stored](const Record &p) { return sameOption(p, stored); }))
            picComplete.append(*shown);
    }
}

void EnterCar3Controller::toggle(int grid, int row)
{
    OptionGridModel &model = m_grids[grid];
    if (row < 0 || row >= model.count())
        return;
    const Record option = model.record(row);
    if (!model.isSelected(row)) {
        model.setSelected(row, true);
        picOption.clear();
        for (const QString &field : {kGroupName, kDetailName, kGroup, kDetail}) {
            if (option.contains(field))
                picOption.insert(field, option.value(field));
        }
        picComplete.append(picOption);
    } else {
        model.setSelected(row, false);
        picComplete.removeIf([&option](const Record &p) { return sameOption(p, option); });
    }
}

void EnterCar3Controller::nextButtonEvent()
{
    if (!nextEnabled())
        return;
    QJsonArray options;
    for (const Record &option : std::as_const(picComplete)) {
        QJsonObject entry;
        for (const auto &[field, value] : option.fields())
            entry.insert(field, value);
        options.append(entry);
    }
    const QByteArray json =
        QJsonDocument(QJsonObject{{QStringLiteral("Option"), options}}).toJson(QJsonDocument::Compact);
    WizardState::setOptionsJson(QString::fromUtf8(json));
    performSegue(WizardTransition::enter3_to_enter4);
}

} // namespace tvs
