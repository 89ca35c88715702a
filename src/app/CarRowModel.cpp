#include "CarRowModel.h"

#include "CarFilterModel.h"
#include "ThemeColors.h"

namespace tvs {

QVariantList CarRow::cells() const
{
    return {view.picture.toString(QUrl::FullyEncoded),
            view.name,
            view.info,
            view.info2,
            view.stateText,
            view.stateColor.isValid() ? view.stateColor : theme::clear(),
            view.background};
}

CarRowModel::CarRowModel(QObject *parent)
    : RowListModel({"cell_img", "cell_name", "cell_info", "cell_info2", "cell_state", "cell_stateColor",
                    "cell_background"},
                   "cell_index", parent)
{
}

void CarRowModel::setDates(const CarRowDates &dates)
{
    m_dates = dates;
    setRows(records());
}

void CarRowModel::setConfig(const Config *config)
{
    m_config = config;
    setRows(records());
}

QList<CarRow> CarRowModel::rowsOf(const Records &records) const
{
    QList<CarRow> rows;
    rows.reserve(records.size());
    for (const Record &record : records)
        rows.append(CarRow{record, CarRowView::from(record, m_dates, m_config),
                           CarFilterModel::searchTextOf(record)});
    return rows;
}

void CarRowModel::setRows(const Records &records)
{
    RowListModel::setRows(rowsOf(records));
}

void CarRowModel::appendRecords(const Records &records)
{
    appendRows(rowsOf(records));
}

Records CarRowModel::records() const
{
    Records out;
    out.reserve(rows().size());
    for (const CarRow &row : rows())
        out.append(row.record);
    return out;
}

} // namespace tvs
