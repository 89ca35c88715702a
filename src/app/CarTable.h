#pragma once

#include "CarFilterModel.h"
#include "CarQueries.h"
#include "CarRowModel.h"

#include <QObject>

#include <functional>

namespace tvs {

// A screen's table of the dealer's cars: the rows (CarRowModel), the view the
// dealer narrows by typing (CarFilterModel), and their load. A first load, into
// an empty table, shows rows as they are read from the reply, with the progress
// against the count the screen expects; a load over rows already shown swaps
// them all at once when the whole reply is in, so a list the dealer is looking at
// never changes half-way, and one that breaks off keeps what was shown.
class CarTable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject *view READ view CONSTANT)
    Q_PROPERTY(bool loading READ loading NOTIFY loadingChanged)
    Q_PROPERTY(int rowsRead READ rowsRead NOTIFY loadingChanged)
    Q_PROPERTY(int expected READ expected NOTIFY loadingChanged)

public:
    // The rows a screen keeps of a reply's rows, as it stores them.
    using Keep = std::function<Records(const Records &)>;
    // Says whether a load failed (after telling the dealer): the table then keeps what it shows.
    using Failed = std::function<bool(const QueryResult<Records> &)>;

    explicit CarTable(QObject *parent = nullptr);

    CarRowModel *rows() const { return m_rows; }
    CarFilterModel *view() const { return m_view; }
    // A load is running that shows its rows as they are read.
    bool loading() const { return m_loading; }
    // Rows read so far by the running load, or by the last one.
    int rowsRead() const { return m_rowsRead; }
    // The count the screen expects; 0 when unknown.
    int expected() const { return m_expected; }

    // Loads the cars of `filter`; the answer to an earlier load is dropped from now on.
    // `done` runs after the table has been updated (not after a failure).
    void load(CarQueries &cars, const QString &userCode, int filter, int expected, const Keep &keep,
              const Failed &failed, std::function<void()> done = {});
    // Drops the answer to the running load; the rows shown stay.
    void cancelLoad();
    // Empties the table and drops the answer to the running load.
    void clear();

signals:
    void loadingChanged();

private:
    CarRowModel *m_rows;
    CarFilterModel *m_view;
    LatestOnly m_latest;
    bool m_loading = false;
    int m_rowsRead = 0;
    int m_expected = 0;
};

} // namespace tvs
