#pragma once

#include "RowListModel.h"

#include <QStringList>

namespace tvs::test {

// What a list model announced, one entry a signal: "-1..2" rows removed, "+0"
// a row inserted, "~1..2 cell_state,cell_index" rows changed in those roles,
// "reset", and "count" when its count changed.
class ModelLog : public QObject
{
public:
    explicit ModelLog(RowListModelBase *model)
    {
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex &, int first, int last) { add(u'-', first, last); });
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex &, int first, int last) { add(u'+', first, last); });
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this, model](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                    QStringList names;
                    for (int role : roles)
                        names.append(QString::fromLatin1(model->roleNames().value(role)));
                    add(u'~', from.row(), to.row(), u' ' + names.join(u','));
                });
        connect(model, &QAbstractItemModel::modelReset, this,
                [this] { entries.append(QStringLiteral("reset")); });
        connect(model, &RowListModelBase::countChanged, this,
                [this] { entries.append(QStringLiteral("count")); });
    }

    QStringList entries;

private:
    void add(QChar kind, int first, int last, const QString &more = {})
    {
        entries.append(kind + QString::number(first) +
                       (last != first ? QStringLiteral("..") + QString::number(last) : QString()) + more);
    }
};

} // namespace tvs::test
