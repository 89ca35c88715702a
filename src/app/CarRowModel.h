#pragma once

#include "CarFields.h"
#include "CarRowView.h"
#include "Record.h"
#include "RowListModel.h"

namespace tvs {

class Config;

// One car of a car table: its record, what its cell shows, and the text the
// dealer's search looks in (CarFilterModel).
struct CarRow
{
    Record record;
    CarRowView view;
    QString search;

    QString key() const { return record.value(CarField::sCarProductCode); }
    QVariantList cells() const;
    friend bool operator==(const CarRow &, const CarRow &) = default;
};

// The rows of a car table (the dashboard's MainTableCell, the car list's
// CarListTableCell): one record per row and what its cell shows. Roles are the
// cell's outlets: cell_img (the picture's address as text; empty: "empty_car"),
// cell_name, cell_info, cell_info2, cell_state, cell_stateColor (transparent
// without a status), cell_background (the row's tint) and cell_index (the row
// index, a row button's tag). They are computed when the rows are set, so the
// page only binds and a test reads exactly what the dealer sees.
class CarRowModel : public RowListModel<CarRow>
{
    Q_OBJECT

public:
    explicit CarRowModel(QObject *parent = nullptr);

    // The reference dates and the image host; set before the rows.
    void setDates(const CarRowDates &dates);
    const CarRowDates &dates() const { return m_dates; }
    void setConfig(const Config *config);

    // Updates the table in place to show `records`.
    void setRows(const Records &records);
    // Adds `records` after the last row (a list read so far).
    void appendRecords(const Records &records);

    Records records() const;
    Record record(int row) const { return at(row).record; }
    CarRowView view(int row) const { return at(row).view; }

private:
    QList<CarRow> rowsOf(const Records &records) const;

    CarRowDates m_dates;
    const Config *m_config = nullptr;
};

} // namespace tvs
