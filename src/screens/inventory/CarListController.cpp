#include "CarListController.h"

#include "AppData.h"
#include "CarFields.h"
#include "InventoryLogging.h"
#include "InventoryTransitions.h"
#include "MainDetailController.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"

namespace tvs {

namespace {

const QString kCancelButton = QStringLiteral("  취소요청  ");
const QString kReleaseButton = QStringLiteral("  출고요청  ");

} // namespace

const QStringList CarListController::kCancelStatuses = {
    QStringLiteral("2"),  QStringLiteral("3"),  QStringLiteral("16"), QStringLiteral("17"),
    QStringLiteral("18"), QStringLiteral("19"), QStringLiteral("20"), QStringLiteral("21"),
};

const QStringList CarListController::kReleaseStatuses = {
    QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("11"), QStringLiteral("12"),
};

CarListController::CarListController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_cars(context ? context->procedures : nullptr, this)
{
    // The count follows the rows as a first load reads them.
    connect(m_table.rows(), &RowListModelBase::countChanged, this, &CarListController::rowsChanged);
}

void CarListController::showCars(const QString &text, int filter, Mode mode, int expected)
{
    m_expected = expected;
    subTitle = text;
    searchNum = filter;
    isCarCheck1 = mode == Mode::Cancel;
    isCarCheck2 = mode == Mode::Release;
    emit subTitleChanged();
}

QString CarListController::rowButtonTitle() const
{
    return isCarCheck1 ? kCancelButton : isCarCheck2 ? kReleaseButton : QString();
}

void CarListController::viewDidLoad()
{
    const CarRowDates dates = CarRowDates::fromNow(now());
    now4Month = dates.now4Month;
    now7Day = dates.now7Day;
    m_table.rows()->setDates(dates);
    m_table.rows()->setConfig(context() ? context()->config : nullptr);
    fetchList();
}

void CarListController::viewWillAppear()
{
    setLoading(true);
}

void CarListController::viewDidAppear()
{
    setLoading(false);
}

void CarListController::fetchList()
{
    const QStringList *kept = isCarCheck1 ? &kCancelStatuses : isCarCheck2 ? &kReleaseStatuses : nullptr;
    m_table.load(
        m_cars, AppData::shared()->userCode(), searchNum, m_expected,
        [kept](const Records &reply) {
            Records rows;
            for (const Record &row : reply) {
                if (!kept ||
                    (row.contains(CarField::sCarStatus) && kept->contains(row.value(CarField::sCarStatus))))
                    rows.append(storedRecord(row));
            }
            return rows;
        },
        [this](const QueryResult<Records> &result) {
            // The table keeps what it showed.
            return alertIfFailed(this, result, QStringLiteral("차량 목록을 불러오지 못했습니다."),
                                 [this] { fetchList(); });
        },
        [this] { m_selectedRow = -1; });
}

Record CarListController::storedRecord(const Record &reply)
{
    // Changed in place: the stored row keeps sharing the reply's field names.
    Record stored = reply;
    if (stored.contains(CarField::sCarProductYearMonth))
        stored.insert(CarField::sCarProductYearMonth,
                      reply.value(CarField::sCarProductYearMonth) + QStringLiteral("년식"));
    if (stored.contains(CarField::sCarName3))
        stored.insert(CarField::sCarName3, reply.value(CarField::sCarName3).section(QLatin1Char('('), 0, 0));
    return stored;
}

void CarListController::Action_isCarCheck1(int tag)
{
    if (!isCarCheck1)
        return;
    requestStatusChange(tag, QStringLiteral("차량 입고를 취소하시겠습니까?"),
                        {{QStringLiteral("확인"), DialogAction::Default},
                         {QStringLiteral("취소"), DialogAction::Destructive}},
                        {QStringLiteral("7")});
}

void CarListController::Action_isCarCheck2(int tag)
{
    if (!isCarCheck2 || isCarCheck1)
        return;
    requestStatusChange(tag, QStringLiteral("출고 사유를 선택해주세요."),
                        {{QStringLiteral("차량 판매"), DialogAction::Default},
                         {QStringLiteral("위탁 차량 반환"), DialogAction::Default},
                         {QStringLiteral("구입 취소"), DialogAction::Default},
                         {QStringLiteral("선택 취소"), DialogAction::Destructive}},
                        {QStringLiteral("14"), QStringLiteral("5"), QStringLiteral("7")});
}

void CarListController::pressRowButton(int tag)
{
    if (isCarCheck1)
        Action_isCarCheck1(tag);
    else if (isCarCheck2)
        Action_isCarCheck2(tag);
}

void CarListController::requestStatusChange(int tag, const QString &message,
                                            const QList<DialogAction> &actions, const QStringList &statuses)
{
    if (tag < 0 || tag >= m_table.rows()->count()) {
        qCWarning(lcInventory) << "car list: row button with tag" << tag << "outside the list";
        return;
    }
    const Record car = m_table.rows()->record(tag);
    presentActions(car.value(CarField::sCarName3), message, actions, [this, car, statuses](int pressed) {
        if (pressed < 0 || pressed >= statuses.size())
            return; // the closing button: nothing is sent
        // The list may have been fetched again while the alert was
        // open, so the car is looked up rather than trusted by index.
        if (const int at = rowOf(car); at < 0 || m_table.rows()->record(at) != car) {
            qCWarning(lcInventory) << "car list: the chosen car is no longer listed";
            return;
        }
        changeStatus(car, statuses.at(pressed));
    });
}

int CarListController::rowOf(const Record &car) const
{
    // Looked up in the rows themselves: a copy of every record would cost a big shop
    // more than the search.
    const QString code = car.value(CarField::sCarProductCode);
    const QList<CarRow> &rows = m_table.rows()->rows();
    for (qsizetype at = 0; at < rows.size(); ++at) {
        if (rows.at(at).key() == code)
            return int(at);
    }
    return -1;
}

void CarListController::changeStatus(const Record &car, const QString &newStatus)
{
    // A list asked for before the change would show the car as it was.
    m_table.cancelLoad();
    // Only this row goes: the rest of the list stays where the dealer scrolled it.
    const int at = rowOf(car);
    if (at >= 0)
        m_table.rows()->removeAt(at);
    m_selectedRow = -1;
    emit rowsChanged();
    m_cars.changeStatus(
        car.value(CarField::sCarProductCode), newStatus, AppData::shared()->userCode(),
        [this, car, newStatus, at](const QueryResult<StatusChange> &result) {
            // "NO" is the service's whole answer, even when the reply breaks off after it.
            const std::optional<RequestFailure> failure = result.ok() && result.value.refused
                                                              ? RequestFailure::refused(result.value.reason)
                                                              : RequestFailure::of(result);
            if (!failure)
                return;
            // Not made, or not known to be: the car stands where it stood until the
            // dealer sends it again, or gives up and sees the cars as the service has them.
            if (at >= 0 && rowOf(car) < 0) {
                Records rows = m_table.rows()->records();
                rows.insert(qMin(qsizetype(at), rows.size()), car);
                m_table.rows()->setRows(rows);
                emit rowsChanged();
            }
            alertIfFailed(
                this, failure, QStringLiteral("차량 상태를 변경하지 못했습니다."),
                [this, car, newStatus] { changeStatus(car, newStatus); }, [this] { fetchList(); });
        });
}

void CarListController::openCar(int row)
{
    if (row < 0 || row >= m_table.rows()->count())
        return;
    m_selectedRow = row;
    performSegue(InventoryTransition::list_to_detail);
}

void CarListController::prepareForSegue(const QString &identifier, Screen *destination)
{
    auto *detail = qobject_cast<MainDetailController *>(destination);
    if (identifier == InventoryTransition::list_to_detail && detail)
        detail->setCar(m_table.rows()->record(m_selectedRow));
}

} // namespace tvs
