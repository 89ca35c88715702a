#include "CarRowModel.h"

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

void CarRowModel::setRows(const Records &records)
{
    QList<CarRow> next;
    next.reserve(records.size());
    for (const Record &record : records)
        next.append(CarRow{record, CarRowView::from(record, m_dates, m_config)});
    RowListModel::setRows(std::move(next));
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
