#pragma once

#include "Record.h"
#include "RowListModel.h"

namespace tvs {

// One option button of a grid: its catalogue row, its title and whether it is marked.
struct OptionRow
{
    Record record;
    QString title;
    bool selected = false;

    // The option's group and code: a code means something only within its group.
    QString key() const;
    QVariantList cells() const { return {title, selected}; }
    friend bool operator==(const OptionRow &, const OptionRow &) = default;
};

// One grid of options (`collection1` .. `collection4` of the car detail's option
// boxes and of the wizard's option step): the catalogue rows of its groups, two to
// a line, each a button titled with the option's name (btn_Option) and shown
// selected when marked (selected).
class OptionGridModel : public RowListModel<OptionRow>
{
    Q_OBJECT
    Q_PROPERTY(QString heading READ heading NOTIFY headingChanged)

public:
    static constexpr double kItemHeight = 60;
    static constexpr double kSpacing = 2;
    static constexpr double kBoxMargin = 40;

    explicit OptionGridModel(QObject *parent = nullptr);

    // An option without a name: titled with its code (the wizard, where the dealer
    // must be able to tell the buttons apart) or left without a title (the detail).
    void setCodeForUntitled(bool code) { m_codeForUntitled = code; }

    // Updates the grid in place; `selected` marks rows by position.
    void setRows(const Records &records, const QList<bool> &selected);
    void setSelected(int row, bool selected);
    Record record(int row) const { return at(row).record; }
    bool isSelected(int row) const { return at(row).selected; }
    // The group names of the grid's rows, in catalogue order (the heading).
    QString heading() const { return m_heading; }

    // Height of the grid's content: lines of two 60-point items, 2 points apart.
    double contentHeight() const;
    // The grid as the detail lays it out: its content plus 40 points.
    double boxHeight() const { return contentHeight() + kBoxMargin; }

signals:
    void headingChanged();

private:
    QString m_heading;
    bool m_codeForUntitled = false;
};

} // namespace tvs
