#pragma once

#include "Record.h"

#include <QAbstractListModel>
#include <QByteArrayList>

#include <functional>

namespace tvs {

// The rows of a work-order table: one reply record per row, and the cell's
// outlets as roles. What a row shows is computed from its record (and its row
// index) by the screen's cell function, so the page only binds and a test reads
// exactly what the dealer sees.
class RecordListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    // The outlets' values of one row, in the order of the outlet names.
    using Cell = std::function<QVariantList(int row, const Record &record)>;

    RecordListModel(QByteArrayList outlets, Cell cell, QObject *parent = nullptr);

    void setRows(const Records &rows);
    Record record(int row) const { return m_rows.value(row); }
    int count() const { return int(m_rows.size()); }
    bool hasRow(int row) const { return row >= 0 && row < count(); }
    // What row `row` shows in `outlet`.
    QVariant cell(int row, const QByteArray &outlet) const;
    // The row's cell is computed again (its own state changed).
    void refresh(int row);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    QByteArrayList m_outlets;
    Cell m_cell;
    Records m_rows;
};

} // namespace tvs
