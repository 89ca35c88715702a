#include "CarTable.h"

#include <algorithm>

namespace tvs {

CarTable::CarTable(QObject *parent)
    : QObject(parent), m_rows(new CarRowModel(this)), m_view(new CarFilterModel(m_rows, this))
{
}

void CarTable::load(CarQueries &cars, const QString &userCode, int filter, int expected, const Keep &keep,
                    const Failed &failed, std::function<void()> done)
{
    const bool showAsRead = m_rows->count() == 0;
    auto answered = [this, keep, failed, done = std::move(done)](const QueryResult<Records> &result) {
        m_rowsRead = std::max(m_rowsRead, int(result.value.size()));
        m_loading = false;
        emit loadingChanged();
        if (failed(result))
            return; // rows shown stay: the old list, or what a first load read before it failed
        m_rows->setRows(keep(result.value));
        if (done)
            done();
    };
    auto read = [this, keep](const Records &batch) {
        m_rowsRead += int(batch.size());
        m_rows->appendRecords(keep(batch));
        emit loadingChanged();
    };
    auto [whenAnswered, whenRead] = m_latest.track(std::move(answered), std::move(read));
    m_rowsRead = 0;
    m_expected = showAsRead ? expected : 0;
    m_loading = showAsRead;
    emit loadingChanged();
    cars.ownedCars(userCode, filter, std::move(whenAnswered),
                   showAsRead ? ProcedureCaller::Progress(std::move(whenRead)) : ProcedureCaller::Progress());
}

void CarTable::cancelLoad()
{
    m_latest.invalidate();
    m_loading = false;
    emit loadingChanged();
}

void CarTable::clear()
{
    cancelLoad();
    m_rows->clear();
}

} // namespace tvs
