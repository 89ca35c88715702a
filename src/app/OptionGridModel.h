#pragma once

#include "Record.h"

#include <QAbstractListModel>

namespace tvs {

// One grid of options (`collection1` .. `collection4` of the car detail's option
// boxes and of the wizard's option step): the catalogue rows of its groups, two to
// a line, each a button titled with the option's name and shown selected when
// marked.
class OptionGridModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QString heading READ heading NOTIFY countChanged)

public:
    enum Role {
        TitleRole = Qt::UserRole + 1, // btn_Option's title
        SelectedRole,
    };

    static constexpr double kItemHeight = 60;
    static constexpr double kSpacing = 2;
    static constexpr double kBoxMargin = 40;

    explicit OptionGridModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    // An option without a name: titled with its code (the wizard, where the dealer
    // must be able to tell the buttons apart) or left without a title (the detail).
    void setCodeForUntitled(bool code) { m_codeForUntitled = code; }

    void setRows(const Records &rows, const QList<bool> &selected);
    void setSelected(int row, bool selected);
    const Records &rows() const { return m_rows; }
    bool isSelected(int row) const { return m_selected.value(row); }
    int count() const { return int(m_rows.size()); }
    // The group names of the grid's rows, in catalogue order (the heading).
    QString heading() const;

    // Height of the grid's content: lines of two 60-point items, 2 points apart.
    double contentHeight() const;
    // The grid as the detail lays it out: its content plus 40 points.
    double boxHeight() const { return contentHeight() + kBoxMargin; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    Records m_rows;
    QList<bool> m_selected;
    bool m_codeForUntitled = false;
};

} // namespace tvs
