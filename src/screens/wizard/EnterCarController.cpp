#include "EnterCarController.h"

#include "AppData.h"
#include "CarFields.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "WizardCodes.h"
#include "WizardLogging.h"
#include "WizardState.h"
#include "WizardTransitions.h"

#include <QDate>

namespace tvs {

const QString EnterCarController::kEmptySlot = QStringLiteral("no");

namespace {

constexpr int kFirstYear = 1980;
constexpr int kTagCount = 12;

// The slot each choice button writes.
constexpr int kSlotOfTag[kTagCount + 1] = {
    -1,
    EnterCarController::MakerSlot,
    EnterCarController::ModelSlot,
    EnterCarController::Detail1Slot,
    EnterCarController::Detail2Slot,
    EnterCarController::Detail3Slot,
    EnterCarController::YearSlot,
    EnterCarController::FuelSlot,
    EnterCarController::FirstDaySlot,
    EnterCarController::GearSlot,
    EnterCarController::Detail2Slot,
    EnterCarController::Detail3Slot,
    EnterCarController::Form3Slot,
};

const char *const kPlaceholders[kTagCount] = {
    "제조사 선택",     "모델 선택",       "세부 모델 선택1",
    "세부 모델 선택2", "세부 모델 선택3", "연식 선택",
    "연료 선택",       "최초등록일",      "",
    "형식 선택1",      "형식 선택2",      "형식 선택3",
};

// Choices that depend on the one before them: a car's maker, model and three
// detail models; a truck's maker, model and detail model, and its three forms
// (a truck's second and third detail slots hold its forms).
const QList<QList<int>> &dependencyChains(bool truck)
{
    using C = EnterCarController;
    static const QList<QList<int>> cars = {
        {C::Company, C::Model, C::DetailModel1, C::DetailModel2, C::DetailModel3}};
    static const QList<QList<int>> trucks = {{C::Company, C::Model, C::DetailModel1},
                                             {C::FormModel1, C::FormModel2, C::FormModel3}};
    return truck ? trucks : cars;
}

// A server list: the slot that must be chosen first (or -1) and its alert, the
// dialog's title, and the row fields that label an entry and give its code.
struct ServerList
{
    int needs;
    const char *missing;
    const char *title;
    const char *codeField;
};

ServerList serverList(int tag)
{
    using C = EnterCarController;
    switch (tag) {
    case C::Company:
        return {-1, "", "차량 선택", "sCarCode"};
    case C::Model:
        return {C::MakerSlot, "제조사를 선택해주세요.", "차량 모델 선택", "sCarCode"};
    case C::DetailModel1:
        return {C::ModelSlot, "차량의 모델을 선택해주세요.", "차량 세부 모델 선택1", "sCarCode"};
    case C::DetailModel2:
        return {C::Detail1Slot, "첫번째 세부 모델을 선택해주세요.", "차량 세부 모델 선택2", "sCarCode"};
    case C::DetailModel3:
        return {C::Detail2Slot, "두번째 세부 모델을 선택해주세요.", "차량 세부 모델 선택3", "sCarCode5"};
    case C::FormModel1:
        return {C::Detail1Slot, "세부 모델을 선택해주세요.", "형식 선택1", "sCarFormCode"};
    case C::FormModel2:
        return {C::Detail2Slot, "첫번째 형식을 선택해주세요.", "형식 선택2", "sCarFormCode"};
    default:
        return {C::Detail3Slot, "두번째 형식을 선택해주세요.", "형식 선택3", "sCarFormCode"};
    }
}

// What an entry of a server list reads as.
QString entryLabel(int tag, const Record &row)
{
    const QString name = row.value(CarField::sCarName);
    switch (tag) {
    case EnterCarController::Company:
        return name + QStringLiteral(" (") + row.value(CarField::sCarGroup) + u')';
    case EnterCarController::DetailModel3:
        return row.value(CarField::sCarNameSub).isEmpty() ? name
                                                          : name + u' ' + row.value(CarField::sCarNameSub);
    case EnterCarController::FormModel1:
    case EnterCarController::FormModel2:
    case EnterCarController::FormModel3:
        return row.value(CarField::sCarFormName);
    default:
        return name;
    }
}

// The car group of a domestic ("1") or imported ("2") maker; empty for any other.
QString carGroupCode(const QString &group)
{
    if (group == u"국산차" || group == u"1")
        return QStringLiteral("1");
    if (group == u"수입차" || group == u"2")
        return QStringLiteral("2");
    return {};
}

bool isDigits(const QString &text)
{
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The lookup answers the price in units of ten thousand won (the price field's
// unit); the wizard keeps won. A stored price in that same ten thousand stays as
// it is, so that a lookup never rounds the car's price.
QString priceFromLookup(const QString &lookedUp, const QString &stored)
{
    if (!isDigits(lookedUp)) {
        qCWarning(lcWizard) << "lookup: the price" << lookedUp << "is not a number; the stored price stays";
        return stored;
    }
    bool ok = false;
    const qlonglong won = stored.toLongLong(&ok);
    if (isDigits(stored) && ok && QString::number(won / 10000) == QString::number(lookedUp.toLongLong()))
        return stored;
    return lookedUp + QStringLiteral("0000");
}

// A model year is four digits: never a display form such as "2019년식".
bool isYear(const QString &text)
{
    return text.size() == 4 && isDigits(text);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

EnterCarController::EnterCarController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), inputPick(10, kEmptySlot),
      m_queries(context ? context->procedures : nullptr, context ? context->jsonServices : nullptr, this),
      m_titles(kTagCount), m_chosen(kTagCount, false)
{
    for (int tag = 1; tag <= kTagCount; ++tag)
        m_titles[tag - 1] = QString::fromUtf8(kPlaceholders[tag - 1]);
}

QStringList EnterCarController::titles() const
{
    return m_titles;
}

QVariantList EnterCarController::chosen() const
{
    QVariantList flags;
    for (bool c : m_chosen)
        flags.append(c);
    return flags;
}

QString EnterCarController::importType() const
{
    return isCarType ? QStringLiteral("3") : QStringLiteral("12");
}

void EnterCarController::setChoice(int tag, const QString &title)
{
    m_titles[tag - 1] = title;
    m_chosen[tag - 1] = true;
    emit choicesChanged();
}

void EnterCarController::clearChoice(int tag)
{
    inputPick[kSlotOfTag[tag]] = kEmptySlot;
    m_titles[tag - 1] = QString::fromUtf8(kPlaceholders[tag - 1]);
    m_chosen[tag - 1] = false;
    emit choicesChanged();
}

void EnterCarController::clearAfter(int tag)
{
    for (const QList<int> &chain : dependencyChains(isCarType)) {
        const qsizetype at = chain.indexOf(tag);
        for (qsizetype i = at + 1; at >= 0 && i < chain.size(); ++i)
            clearChoice(chain.at(i));
    }
}

void EnterCarController::choose(int tag, const QString &code, const QString &title)
{
    if (inputPick.at(kSlotOfTag[tag]) != code)
        clearAfter(tag);
    inputPick[kSlotOfTag[tag]] = code;
    setChoice(tag, title);
}

void EnterCarController::seed(int tag, int slot, const QString &code, const QString &name)
{
    if (code.isEmpty())
        return;
    inputPick[slot] = code;
    setChoice(tag, name.isEmpty() ? code : name);
}

void EnterCarController::viewDidLoad()
{
    inputPick[GearSlot] = WizardCodes::kAutomatic;
    setChoice(Transmission, WizardCodes::transmissionName(WizardCodes::kAutomatic));
    m_editing = WizardState::editing();
    if (m_editing)
        fetchStoredCar();
}

// The record the detail handed over is the list's display form (a model year
// "2019년식", a shortened name) and lacks fields the registration sends (the
// dealer price, the inspection period). The edit starts from the car as stored.
void EnterCarController::fetchStoredCar()
{
    setLoading(true);
    const QString code = WizardState::value(WizardKey::ProductCode);
    m_queries.storedCar(AppData::shared()->userCode(), code, [this, code](const QueryResult<Record> &result) {
        setLoading(false);
        if (result.ok() && !result.value.isEmpty()) {
            WizardState::startEdit(result.value);
            m_storedArrived = true;
            startEditing();
        } else if (result.ok() && result.complete) {
            qCWarning(lcWizard) << "edit mode: the shop holds no car" << code;
            presentAlert(QStringLiteral("차량 정보를 찾을 수 없습니다."),
                         QStringLiteral("매장에서 보유 중인 차량만 수정할 수 있습니다."),
                         [this] { dismiss(); });
        } else {
            showLoadFailure(result.ok() ? failureText(QueryStatus::BadReply) : failureText(result.status));
        }
    });
}

void EnterCarController::showLoadFailure(const QString &what)
{
    presentActions(QStringLiteral("차량 정보를 불러오지 못했습니다."), what,
                   {{QStringLiteral("다시 시도"), DialogAction::Default},
                    {QStringLiteral("확인"), DialogAction::Cancel}},
                   [this](int action) {
                       if (action == 0)
                           fetchStoredCar();
                       else
                           dismiss();
                   });
}

// Every choice starts from the stored car, so that a car passed through
// untouched is sent as it is stored; the lookup then refreshes what it knows.
void EnterCarController::startEditing()
{
    using namespace WizardKey;
    const auto v = [](const QString &key) { return WizardState::value(key); };
    if (v(Group).contains(QStringLiteral("화물"))) {
        isCarType = true;
        emit carTypeChanged();
    }
    editCarNum = v(ProductNum);
    emit carNumberChanged();
    m_makerGroup = v(Group);
    seed(Company, MakerSlot, v(Code1), v(Name1));
    seed(Model, ModelSlot, v(Code2), v(Name2));
    seed(DetailModel1, Detail1Slot, v(Code3), v(Name3));
    if (isCarType) {
        seed(FormModel1, Detail2Slot, v(FormCode1), v(FormName1));
        seed(FormModel2, Detail3Slot, v(FormCode2), v(FormName2));
        seed(FormModel3, Form3Slot, v(FormCode3), v(FormName3));
    } else {
        seed(DetailModel2, Detail2Slot, v(Code4), v(Name4));
        seed(DetailModel3, Detail3Slot, v(Code5), v(Name5));
    }
    if (isYear(v(YearMonth)))
        seed(Year, YearSlot, v(YearMonth), v(YearMonth) + QStringLiteral("년식"));
    else
        qCWarning(lcWizard) << "edit mode: the stored model year" << v(YearMonth)
                            << "is no year; it is to be chosen";
    seed(Fuel, FuelSlot, v(FuelCode), v(FuelName));
    seed(FirstDay, FirstDaySlot, v(FirstRegDate), v(FirstRegDate));
    const QString gear = v(TransmissionCode);
    const QString gearName = WizardCodes::transmissionName(gear);
    seed(Transmission, GearSlot, gear, gearName.isEmpty() ? v(TransmissionName) : gearName);

    if (editCarNum.size() < 2) {
        qCWarning(lcWizard) << "edit mode: the car record has no plate to look up";
        return;
    }
    const QString type = v(ImportType).isEmpty() ? importType() : v(ImportType);
    sendLookup(type, editCarNum, true);
}

// The other kind clears every choice (the lists differ) and drops the answers
// still on their way, which belong to the kind left; the kind already chosen
// changes nothing.
void EnterCarController::chooseCarType(bool truck)
{
    if (truck == isCarType)
        return;
    isCarType = truck;
    m_latestList.invalidate();
    m_latestLookup.invalidate();
    reset();
    emit carTypeChanged();
}

void EnterCarController::reset()
{
    for (int tag = 1; tag <= kTagCount; ++tag) {
        if (tag != Transmission)
            clearChoice(tag);
    }
    m_makerGroup.clear();
}

void EnterCarController::actionCarSearch()
{
    if (editCarNum.size() < 2) {
        presentAlert(QStringLiteral("차량번호를 입력해주세요."), QString());
        return;
    }
    sendLookup(importType(), editCarNum, false);
}

void EnterCarController::sendLookup(const QString &type, const QString &plate, bool editFill)
{
    ++m_searches;
    emit searchLoadingChanged();
    setLoading(true);
    auto apply = m_latestLookup.track([this, type, plate, editFill](const LookupAnswer &answer) {
        if (answer.outcome == LookupAnswer::Refused) {
            presentAlert(answer.message, QString());
        } else if (!editFill && answer.failure) {
            // The dealer's own lookup never fails in silence: it says so, with "다시 시도".
            alertIfFailed(this, answer.failure, QStringLiteral("차량 정보를 조회하지 못했습니다."),
                          [this, type, plate] { sendLookup(type, plate, false); });
        } else if (answer.outcome == LookupAnswer::Found) {
            getSearchCarData = answer.car;
            fillFromLookup(editFill);
        }
    });
    m_queries.lookup(type, plate, AppData::shared()->userCode(), [this, apply](const LookupAnswer &answer) {
        // The indicator ends on every answer, whatever it says.
        --m_searches;
        emit searchLoadingChanged();
        setLoading(false);
        apply(answer);
    });
}

// Fills the choices the lookup knows. A field the answer lacks leaves its choice
// as it was; the detail models stay unless the maker or the model changed under
// them; truck forms and the gearbox are never touched.
void EnterCarController::fillFromLookup(bool editFill)
{
    using namespace WizardKey;
    const auto &car = getSearchCarData;
    const auto v = [&car](const QString &key) { return car.value(key); };
    if (!editFill || !v(Code1).isEmpty()) {
        if (!v(Code1).isEmpty())
            choose(Company, v(Code1), v(Name1).isEmpty() ? v(Code1) : v(Name1));
        if (!v(Code2).isEmpty())
            choose(Model, v(Code2), v(Name2).isEmpty() ? v(Code2) : v(Name2));
        if (isYear(v(YearMonth)))
            seed(Year, YearSlot, v(YearMonth), v(YearMonth) + QStringLiteral("년식"));
        else if (car.contains(YearMonth))
            qCWarning(lcWizard) << "lookup: the model year" << v(YearMonth) << "is no year; left as it was";
        seed(Fuel, FuelSlot, v(FuelCode), v(FuelName));
        seed(FirstDay, FirstDaySlot, v(FirstRegDate), v(FirstRegDate));
    }
    if (car.contains(CarField::sCarGroup1)) {
        m_makerGroup = v(CarField::sCarGroup1);
        const QString code = carGroupCode(m_makerGroup);
        WizardState::set(Group, code.isEmpty() ? QStringLiteral("3") : code);
    }
    QList<QString> copied = {CheckStart, CheckEnd, CC, IdNum};
    if (editFill)
        copied << Mileage << Status;
    // An edit keeps what is stored where the lookup knows nothing better.
    for (const QString &key : std::as_const(copied)) {
        if (car.contains(key) && !(editFill && v(key).isEmpty()))
            WizardState::set(key, v(key));
    }
    if (editFill && !v(Money).isEmpty())
        WizardState::set(Money, priceFromLookup(v(Money), WizardState::value(Money)));
}

void EnterCarController::import_p1_btns(int tag)
{
    theCarDataList.clear();
    switch (tag) {
    case Company:
    case Model:
    case DetailModel1:
    case DetailModel2:
    case DetailModel3:
    case FormModel1:
    case FormModel2:
    case FormModel3:
        showServerList(tag);
        break;
    case Year:
        showYears();
        break;
    case Fuel:
        showFuels();
        break;
    case FirstDay:
        showFirstDay();
        break;
    case Transmission:
        showTransmissions();
        break;
    case Next:
        next();
        break;
    default:
        break;
    }
}

void EnterCarController::showServerList(int tag)
{
    const ServerList list = serverList(tag);
    if (list.needs >= 0 && inputPick.at(list.needs) == kEmptySlot) {
        presentAlert(QString::fromUtf8(list.missing), QString());
        return;
    }
    auto show = m_latestList.track([this, tag, list](const QueryResult<Records> &result) {
        if (alertIfFailed(this, result,
                          QStringLiteral("%1 목록을 불러오지 못했습니다.").arg(QString::fromUtf8(list.title)),
                          [this, tag] { showServerList(tag); }))
            return;
        const QString codeField = QString::fromLatin1(list.codeField);
        QStringList labels;
        theCarDataList.clear();
        for (const Record &row : result.value) {
            // A row without the code it would store cannot be chosen.
            if (row.value(codeField).isEmpty()) {
                qCWarning(lcWizard) << list.title << "row without" << codeField << "left out";
                continue;
            }
            theCarDataList.append(row);
            const QString label = entryLabel(tag, row);
            labels.append(label.trimmed().isEmpty() ? row.value(codeField) : label);
        }
        const Records rows = theCarDataList;
        presentChoice(QString::fromUtf8(list.title), labels, true,
                      [this, tag, rows, labels, codeField](int i) {
                          if (i < 0)
                              return;
                          const Record &row = rows.at(i);
                          if (tag == Company)
                              m_makerGroup = row.value(CarField::sCarGroup);
                          QString shown = labels.at(i);
                          if (tag == Company && !row.value(CarField::sCarName).isEmpty())
                              shown = row.value(CarField::sCarName);
                          choose(tag, row.value(codeField), shown);
                      });
    });
    auto done = [this, show](const QueryResult<Records> &result) {
        setLoading(false);
        show(result);
    };
    setLoading(true);
    switch (tag) {
    case Company:
        m_queries.makers(importType(), done);
        break;
    case Model:
        m_queries.models(inputPick.at(MakerSlot), 2, done);
        break;
    case DetailModel1:
        m_queries.models(inputPick.at(ModelSlot), 3, done);
        break;
    case DetailModel2:
        m_queries.models(inputPick.at(Detail1Slot), 4, done);
        break;
    case DetailModel3:
        m_queries.trims(inputPick.at(Detail2Slot), done);
        break;
    case FormModel1:
        m_queries.truckForms(1, QString(), done);
        break;
    case FormModel2:
        m_queries.truckForms(2, inputPick.at(Detail2Slot), done);
        break;
    default:
        m_queries.truckForms(3, inputPick.at(Detail3Slot), done);
        break;
    }
}

QStringList EnterCarController::yearEntries() const
{
    bool ok = false;
    int start = yStart.toInt(&ok);
    if (!ok)
        start = kFirstYear;
    int end = yEnd.toInt(&ok);
    if (!ok)
        end = now().date().year();
    QStringList years;
    for (int year = start; year <= end; ++year)
        years.append(QString::number(year));
    return years;
}

void EnterCarController::showYears()
{
    if (inputPick.at(Detail1Slot) == kEmptySlot) {
        presentAlert(QStringLiteral("세부 모델을 선택해주세요."), QString());
        return;
    }
    const QStringList years = yearEntries();
    presentChoice(QStringLiteral("차량 연식 선택"), years, true, [this, years](int i) {
        if (i < 0)
            return;
        inputPick[YearSlot] = years.at(i);
        setChoice(Year, years.at(i) + QStringLiteral("년식"));
    });
}

void EnterCarController::showFuels()
{
    WizardCodes::choose(*this, QStringLiteral("연료 선택"), WizardCodes::fuels(),
                        [this](const NamedCode &fuel) {
                            inputPick[FuelSlot] = fuel.code;
                            setChoice(Fuel, fuel.name);
                        });
}

void EnterCarController::showTransmissions()
{
    WizardCodes::choose(*this, QStringLiteral("변속기 선택"), WizardCodes::transmissions(),
                        [this](const Transmisson &gear) {
                            inputPick[GearSlot] = gear.eng;
                            setChoice(Transmission, gear.name);
                        });
}

// Year, month and day in three lists. The date is taken (slot and title) only
// with the day, and the day list holds the days of the chosen month, so a
// cancelled or impossible date never reaches the slot.
void EnterCarController::showFirstDay()
{
    const QStringList years = yearEntries();
    presentChoice(QStringLiteral("최초등록일 (년)선택"), years, true, [this, years](int y) {
        if (y < 0)
            return;
        const int year = years.at(y).toInt();
        temp = years.at(y) + QStringLiteral("년 ");
        QStringList months;
        for (int m = 1; m <= 12; ++m)
            months.append(QString::number(m));
        presentChoice(QStringLiteral("최초등록일 (월)선택"), months, true, [this, year](int m) {
            if (m < 0)
                return;
            const int month = m + 1;
            temp += twoDigits(month) + QStringLiteral("월 ");
            QStringList days;
            for (int d = 1; d <= QDate(year, month, 1).daysInMonth(); ++d)
                days.append(QString::number(d));
            presentChoice(QStringLiteral("최초등록일 (일)선택"), days, true, [this, year, month](int d) {
                if (d < 0)
                    return;
                temp += twoDigits(d + 1) + QStringLiteral("일");
                inputPick[FirstDaySlot] = QString::number(year) + twoDigits(month) + twoDigits(d + 1);
                setChoice(FirstDay, temp);
            });
        });
    });
}

void EnterCarController::next()
{
    using namespace WizardKey;
    // Until the stored car is here (its cover shows, or its failure asks what to
    // do) the choices are not the car's.
    if (m_editing && !m_storedArrived)
        return;
    static const QStringList locked = {
        QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),
        QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
        QStringLiteral("14"), QStringLiteral("23"), QStringLiteral("24"), QStringLiteral("25"),
    };
    if (WizardState::has(Status) && locked.contains(WizardState::value(Status))) {
        presentAlert(QStringLiteral("현재 차량상태에서는 수정을 할 수 없습니다."), QString());
        return;
    }
    emit keyboardDismissed();
    constexpr double kNoScroll = -1;
    const struct
    {
        bool passed;
        const char *alert;
        double scroll;
    } checks[] = {
        {editCarNum.size() >= 2, "차량번호를 입력해주세요.", 0},
        {inputPick.at(MakerSlot) != kEmptySlot, "제조사를 선택해주세요.", 0},
        {inputPick.at(ModelSlot) != kEmptySlot, "차량 모델을 선택해주세요.", 0},
        {inputPick.at(Detail1Slot) != kEmptySlot, "세부 모델을 선택해주세요.", 0.5},
        {inputPick.at(YearSlot) != kEmptySlot, "연식을 선택해주세요.", kNoScroll},
        {inputPick.at(FuelSlot) != kEmptySlot, "연료를 선택해주세요.", kNoScroll},
        {inputPick.at(FirstDaySlot) != kEmptySlot, "최초등록일을 선택해주세요.", kNoScroll},
    };
    for (const auto &check : checks) {
        if (check.passed)
            continue;
        presentAlert(QString::fromUtf8(check.alert), QString());
        if (check.scroll != kNoScroll)
            emit scrollRequested(check.scroll);
        return;
    }

    WizardState::set(Code3, inputPick.at(Detail1Slot));
    WizardState::set(Code4, inputPick.at(Detail2Slot));
    WizardState::set(Code5, inputPick.at(Detail3Slot));
    WizardState::set(ProductNum, editCarNum);
    WizardState::set(Code1, inputPick.at(MakerSlot));
    WizardState::set(Code2, inputPick.at(ModelSlot));
    WizardState::set(YearMonth, inputPick.at(YearSlot));
    WizardState::set(FuelCode, inputPick.at(FuelSlot));
    WizardState::set(FirstRegDate, inputPick.at(FirstDaySlot));
    WizardState::set(TransmissionCode, inputPick.at(GearSlot));
    if (isCarType) {
        WizardState::set(Code4, inputPick.at(Detail1Slot));
        WizardState::set(FormCode1, inputPick.at(Detail2Slot));
        WizardState::set(FormCode2, inputPick.at(Detail3Slot));
        WizardState::set(FormCode3, inputPick.at(Form3Slot));
    }
    // Car or truck is decided here, once, for the options and the registration.
    // The group is sent as "1" domestic, "2" imported and "3" for anything else,
    // a truck included: the maker's group as its list or the lookup named it
    // last, else the stored group.
    WizardState::setTruck(isCarType);
    QString group = isCarType ? QStringLiteral("3") : carGroupCode(m_makerGroup);
    if (group.isEmpty())
        group = carGroupCode(WizardState::value(Group));
    WizardState::set(Group, group.isEmpty() ? QStringLiteral("3") : group);
    performSegue(WizardTransition::enter_to_enter2);
}

} // namespace tvs
