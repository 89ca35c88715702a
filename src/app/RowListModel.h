#pragma once

#include <QAbstractListModel>
#include <QByteArrayList>
#include <QList>
#include <QString>

#include <utility>

namespace tvs {

// What every list of the app has in common, whatever its rows: the `count`, the
// roles (the cell's outlets, numbered from Qt::UserRole + 1 in the order given)
// and the plan of an update in place. The rows themselves live in RowListModel.
class RowListModelBase : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    struct Range
    {
        int first;
        int last;
    };
    // How the rows shown become the next rows, from the rows' keys. A row is the
    // n-th row with its key, so repeated keys pair up in their order and rows
    // without a key pair up with keyless rows in theirs. Pairs that keep their
    // order (the longest such run) stay where they are; every other row shown is
    // removed and every other next row inserted, so a row that moved is removed
    // and inserted again.
    struct Plan
    {
        QList<Range> removed;            // among the rows shown, ascending
        QList<Range> inserted;           // among the next rows, ascending
        QList<std::pair<int, int>> kept; // (next row, row shown) of the rows that stay
    };

    int count() const { return int(size()); }
    bool hasRow(int row) const { return row >= 0 && row < size(); }
    // What row `row` shows in `outlet`, as its cell reads it; invalid for an
    // unknown row or outlet.
    QVariant cell(int row, const QByteArray &outlet) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

protected:
    // `indexOutlet`, when given, is one more outlet after `outlets`: it shows the
    // row's own index (the tag of the cell's buttons) and is announced again
    // whenever rows before the row come or go, so a button always acts on the
    // row it is drawn on.
    RowListModelBase(const QByteArrayList &outlets, const QByteArray &indexOutlet, QObject *parent);

    virtual qsizetype size() const = 0;
    // What the row at `row` shows, in the order of the outlets.
    virtual QVariantList cells(qsizetype row) const = 0;

    // The roles whose cells differ.
    static QList<int> changedRoles(const QVariantList &shown, const QVariantList &next);

    static Plan plan(const QStringList &shown, const QStringList &next);

    // The rows changed since they were shown, each with the roles that changed;
    // ascending by row. Rows next to each other with the same roles are
    // announced as one range.
    void announce(const QList<std::pair<int, QList<int>>> &changes);
    // The index outlet of the rows from `first` on, after rows before them came or went.
    void announceIndexesFrom(int first);
    int indexRole() const { return m_indexRole; }

private:
    QHash<int, QByteArray> m_roleNames;
    int m_indexRole = -1;
};

// A list model over rows of type `Row`, which says what identifies it across
// replies and what its cell shows:
//
//     struct Row {
//         QString key() const;       // e.g. the car's product code; may repeat or be empty
//         QVariantList cells() const; // what the cell shows, in the order of the outlets
//         friend bool operator==(const Row &, const Row &) = default;
//     };
//
// setRows() updates in place: rows that are gone are removed, new ones
// inserted, rows whose cell changed announced for the roles that changed, and
// rows that are equal left alone, so an identical list emits nothing and a
// view keeps its scroll position and a press in progress.
template <typename Row> class RowListModel : public RowListModelBase
{
public:
    RowListModel(const QByteArrayList &outlets, const QByteArray &indexOutlet = {}, QObject *parent = nullptr)
        : RowListModelBase(outlets, indexOutlet, parent)
    {
    }

    const QList<Row> &rows() const { return m_rows; }
    // The row at `row`; a default row when there is none.
    Row at(int row) const { return m_rows.value(row); }

    void setRows(QList<Row> next)
    {
        const qsizetype before = m_rows.size();
        const Plan update = plan(keysOf(m_rows), keysOf(next));
        for (auto range = update.removed.crbegin(); range != update.removed.crend(); ++range) {
            beginRemoveRows(QModelIndex(), range->first, range->last);
            m_rows.remove(range->first, range->last - range->first + 1);
            endRemoveRows();
        }
        for (const Range &range : update.inserted) {
            beginInsertRows(QModelIndex(), range.first, range.last);
            m_rows.insert(range.first, range.last - range.first + 1, Row());
            for (int row = range.first; row <= range.last; ++row)
                m_rows[row] = std::move(next[row]);
            endInsertRows();
        }
        QList<std::pair<int, QList<int>>> changes;
        for (const auto &[row, shownAt] : update.kept) {
            QList<int> roles = replace(row, std::move(next[row]));
            if (row != shownAt && indexRole() >= 0)
                roles.append(indexRole());
            if (!roles.isEmpty())
                changes.append({row, roles});
        }
        announce(changes);
        if (m_rows.size() != before)
            emit countChanged();
    }

    // Adds `more` after the last row.
    void appendRows(QList<Row> more)
    {
        if (more.isEmpty())
            return;
        beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + more.size()) - 1);
        m_rows.append(std::move(more));
        endInsertRows();
        emit countChanged();
    }

    // Applies `edit` (a function taking `Row &`) to the row at `row`; false when
    // there is no such row or the edit left it as it was.
    template <typename Edit> bool changeRow(int row, Edit edit)
    {
        if (!hasRow(row))
            return false;
        Row changed = m_rows.at(row);
        edit(changed);
        if (changed == m_rows.at(row))
            return false;
        announce({{row, replace(row, std::move(changed))}});
        return true;
    }

    bool removeAt(int row)
    {
        if (!hasRow(row))
            return false;
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        announceIndexesFrom(row);
        emit countChanged();
        return true;
    }

    void clear() { setRows({}); }

protected:
    qsizetype size() const override { return m_rows.size(); }
    QVariantList cells(qsizetype row) const override { return m_rows.at(row).cells(); }

private:
    static QStringList keysOf(const QList<Row> &rows)
    {
        QStringList keys;
        keys.reserve(rows.size());
        for (const Row &row : rows)
            keys.append(row.key());
        return keys;
    }

    // Puts `changed` in place of the row at `row`; the roles whose value changed.
    QList<int> replace(int row, Row changed)
    {
        Row &shown = m_rows[row];
        if (shown == changed)
            return {};
        const QList<int> roles = changedRoles(shown.cells(), changed.cells());
        shown = std::move(changed);
        return roles;
    }

    QList<Row> m_rows;
};

} // namespace tvs
