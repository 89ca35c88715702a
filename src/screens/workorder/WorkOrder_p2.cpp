#include "WorkOrder_p2.h"

#include "AppData.h"
#include "CarFields.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "ThemeColors.h"
#include "WorkOrderLogging.h"
#include "WorkOrderTransitions.h"
#include "WorkOrder_p3.h"

#include <QColor>

namespace tvs {

const QString WorkOrder_p2::kCompleteReady = QStringLiteral("ready");
const QString WorkOrder_p2::kCompleteFresh = QStringLiteral("fresh");
const QString WorkOrder_p2::kCompleteDisabled = QStringLiteral("disabled");

namespace {

// Cell_WorkOrder_p2 of one found car.
QVariantList carCell(const Record &car)
{
    const QString yearMonth = car.value(CarField::sCarProductYearMonth);
    QStringList kind;
    for (const QString &part : {CarField::sCarName1, CarField::sCarName2}) {
        if (!car.value(part).isEmpty())
            kind.append(car.value(part));
    }
    StatusLabel state{QString(), theme::clear()};
    if (car.contains(CarField::sCarStatus))
        state = AppData::carStatusLabel(car.value(CarField::sCarStatus));
    // Only a car under maintenance ("61") can be completed, and only in the
    // check states "1" and "3"; under maintenance in another check state the
    // button keeps the look a fresh cell gives it.
    QString complete = WorkOrder_p2::kCompleteDisabled;
    if (car.value(CarField::sCarStatus) == QLatin1String("61")) {
        const QString check = car.value(CarField::sCarProductCheckStatus);
        const bool ready = check == QLatin1String("1") || check == QLatin1String("3");
        complete = ready ? WorkOrder_p2::kCompleteReady : WorkOrder_p2::kCompleteFresh;
    }
    return {
        yearMonth.size() >= 4 ? yearMonth.left(4) + QStringLiteral("년식") : QString(),
        kind.join(QStringLiteral(" / ")),
        car.value(CarField::sCarIdNum),
        car.value(CarField::sCarProductNum),
        state.text,
        state.background,
        complete,
    };
}

} // namespace

WorkOrder_p2::WorkOrder_p2(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_jobs(context ? context->procedures : nullptr, this),
      m_table({"cell_CarDate", "cell_CarKind", "cell_CarNum2", "cell_CarNum", "cell_CarState",
               "cell_CarStateColor", "cell_btnCompleteLook"},
              CarField::sCarProductCode, carCell, this)
{
}

void WorkOrder_p2::viewDidLoad()
{
    search();
}

void WorkOrder_p2::search()
{
    m_jobs.jobCars(AppData::shared()->userCode(), searchCarnum, [this](const QueryResult<Records> &result) {
        if (alertIfFailed(this, result, QStringLiteral("차량을 검색하지 못했습니다."), [this] { search(); }))
            return; // the table stays empty and the notice hidden
        if (result.nothingFound && !m_noSearchData) {
            m_noSearchData = true;
            emit noSearchDataChanged();
        }
        m_table.setRows(result.value);
        emit rowsChanged();
    });
}

void WorkOrder_p2::viewWillAppear()
{
    setLoading(true);
}

void WorkOrder_p2::viewDidAppear()
{
    setLoading(false);
}

void WorkOrder_p2::cell_btnCheck_Action(int tag)
{
    if (!m_table.hasRow(tag)) {
        qCWarning(lcWorkOrder) << "work-order cars: no row" << tag;
        return;
    }
    // Without its code the car's job orders cannot be asked for.
    if (m_table.record(tag).value(CarField::sCarProductCode).isEmpty()) {
        qCWarning(lcWorkOrder) << "work-order cars: row" << tag << "has no car code";
        return;
    }
    m_selectedRow = tag;
    performSegue(WorkOrderTransition::WorkOrder2_to_WorkOrder3);
}

void WorkOrder_p2::prepareForSegue(const QString &identifier, Screen *destination)
{
    auto *orders = qobject_cast<WorkOrder_p3 *>(destination);
    if (identifier != WorkOrderTransition::WorkOrder2_to_WorkOrder3 || !orders)
        return;
    const Record car = m_table.record(m_selectedRow);
    orders->setCar(car.value(CarField::sCarProductCode), car.value(CarField::sCarProductNum));
}

} // namespace tvs
