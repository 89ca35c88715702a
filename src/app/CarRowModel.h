#pragma once

#include "CarRowView.h"
#include "Record.h"

#include <QAbstractListModel>
#include <QList>

namespace tvs {

class Config;

// The rows of a car table (the dashboard's MainTableCell, the car list's
// CarListTableCell): one record per row and what its cell shows. Roles are the
// cell's outlets; every role is computed when the rows are set, so the page only
// binds and a test reads exactly what the dealer sees.
class CarRowModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        CellImg = Qt::UserRole + 1, // picture URL as text; empty: the "empty_car" picture
        CellName,
        CellInfo,
        CellInfo2,
        CellState,
        CellStateColor, // background of cell_state; transparent without a status
        CellBackground, // the row's tint
        CellIndex,      // the row index (a row button's tag)
    };
    Q_ENUM(Role)

    explicit CarRowModel(QObject *parent = nullptr);

    // The reference dates and the image host; set before the rows.
    void setDates(const CarRowDates &dates);
    const CarRowDates &dates() const { return m_dates; }
    void setConfig(const Config *config);

    void setRows(const Records &rows);
    void clear();
    void removeAt(int row);

    const Records &rows() const { return m_rows; }
    Record record(int row) const;
    CarRowView view(int row) const;
    int count() const { return int(m_rows.size()); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    void recompute();

    CarRowDates m_dates;
    const Config *m_config = nullptr;
    Records m_rows;
    QList<CarRowView> m_views;
};

} // namespace tvs
