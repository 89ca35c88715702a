#pragma once

#include "Record.h"
#include "RowListModel.h"

#include <functional>

namespace tvs {

// One reply record of a work-order table and what its cell shows, outlet by outlet.
struct RecordRow
{
    QString id; // the record's key field
    Record record;
    QVariantList shown; // outlet by outlet

    QString key() const { return id; }
    QVariantList cells() const { return shown; }
    friend bool operator==(const RecordRow &, const RecordRow &) = default;
};

// The rows of a work-order table: one reply record per row, and the cell's
// outlets as roles. What a row shows is computed from its record by the
// screen's cell function when the rows are set, so the page only binds and a
// test reads exactly what the dealer sees.
class RecordListModel : public RowListModel<RecordRow>
{
    Q_OBJECT

public:
    // The outlets' values of one row, in the order of the outlet names.
    using Cell = std::function<QVariantList(const Record &record)>;

    // `keyField` names the field that identifies a record from one reply to the next.
    RecordListModel(const QByteArrayList &outlets, QString keyField, Cell cell, QObject *parent = nullptr);

    // Updates the table in place to show `records`.
    void setRows(const Records &records);
    Record record(int row) const { return at(row).record; }
    // The row shows `value` in `outlet` (the screen's own state of that row)
    // until its record is set again.
    void setCell(int row, const QByteArray &outlet, const QVariant &value);

private:
    QByteArrayList m_outlets;
    QString m_keyField;
    Cell m_cell;
};

} // namespace tvs
