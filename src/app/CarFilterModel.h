#pragma once

#include "Record.h"

#include <QSortFilterProxyModel>
#include <QStringList>

namespace tvs {

class CarRowModel;

// A car table as the dealer narrows it by typing, without asking the service: the
// rows whose plate, maker, model and detail names or year hold every word typed,
// in the table's order. Blanks never matter inside a field ("12가 3456" and
// "12가3456" find the same car), nor does case; Korean is matched letter by
// letter, so a syllable still being composed already finds the names it begins.
// The view follows the table as rows come, go and change. Its rows keep the
// table's outlets, cell_index included: a row button's tag is the car's row in
// the whole table, whichever rows are shown.
class CarFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool filtering READ filtering NOTIFY searchTextChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QString countText READ countText NOTIFY countChanged)

public:
    explicit CarFilterModel(CarRowModel *cars, QObject *parent = nullptr);

    // What the search looks in for one car, worked out once per row.
    static QString searchTextOf(const Record &car);

    QString searchText() const { return m_text; }
    // The text as typed, what is being composed included.
    void setSearchText(const QString &text);
    bool filtering() const { return !m_words.isEmpty(); }
    int count() const { return rowCount(); }
    // "12 / 4,585대" while filtering (the rows shown of the whole table); empty otherwise.
    QString countText() const;

signals:
    void searchTextChanged();
    void countChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    CarRowModel *m_cars;
    QString m_text;
    QStringList m_words;
    // The last word as the syllable being composed may yet turn out: its final
    // consonant moved on to begin the next syllable ("낱" on the way to "나타").
    QString m_lastWordAhead;
    bool m_refiltering = false;
};

} // namespace tvs
