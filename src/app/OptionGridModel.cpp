#include "OptionGridModel.h"
#include "CarFields.h"

#include <QStringList>

namespace tvs {

QString OptionRow::key() const
{
    return record.value(CarField::sCarOptionCode) + u'/' + record.value(CarField::sCarOptionDetailCode);
}

OptionGridModel::OptionGridModel(QObject *parent) : RowListModel({"btn_Option", "selected"}, {}, parent) {}

void OptionGridModel::setRows(const Records &records, const QList<bool> &selected)
{
    QList<OptionRow> next;
    QStringList names;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const Record &record = records.at(i);
        QString title = record.value(CarField::sCarOptionDetailName);
        if (title.isEmpty() && m_codeForUntitled)
            title = record.value(CarField::sCarOptionDetailCode);
        next.append(OptionRow{record, title, selected.value(i)});
        const QString name = record.value(CarField::sCarOptionName);
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    RowListModel::setRows(std::move(next));
    const QString heading = names.join(QStringLiteral(" · "));
    if (heading != m_heading) {
        m_heading = heading;
        emit headingChanged();
    }
}

void OptionGridModel::setSelected(int row, bool selected)
{
    changeRow(row, [selected](OptionRow &option) { option.selected = selected; });
}

double OptionGridModel::contentHeight() const
{
    const qsizetype lines = (count() + 1) / 2;
    if (lines == 0)
        return 0;
    return double(lines) * kItemHeight + double(lines - 1) * kSpacing;
}

} // namespace tvs
