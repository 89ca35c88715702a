#pragma once

#include <QAbstractListModel>

namespace tvs {

// The colour cells of step 4 (`ColorCell`): the fixed palette, one of them
// selected (its check mark shown) or none.
class ColorPaletteModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        NameRole = Qt::UserRole + 1, // colorName
        CodeRole,
        BorderRole, // colorBox, the rim
        UpperRole,  // colorpattern1
        LowerRole,  // colorpattern2
        SelectedRole,
    };

    explicit ColorPaletteModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    void select(int row);
    int selectedRow() const { return m_selected; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    int m_selected = -1;
};

} // namespace tvs
