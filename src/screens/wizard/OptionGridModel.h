#pragma once

#include "Record.h"

#include <QAbstractListModel>

namespace tvs {

// One option grid of step 3 (`collection1` .. `collection4`): the catalogue rows
// of its groups, two to a line, each a toggle button titled with the option's name.
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

    explicit OptionGridModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    void setRows(const Records &rows, const QList<bool> &selected);
    void setSelected(int row, bool selected);
    const Records &rows() const { return m_rows; }
    bool isSelected(int row) const { return m_selected.value(row); }
    int count() const { return int(m_rows.size()); }
    // The group names of the grid's rows, in catalogue order.
    QString heading() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    Records m_rows;
    QList<bool> m_selected;
};

} // namespace tvs
