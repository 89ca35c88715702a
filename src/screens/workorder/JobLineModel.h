#pragma once

#include "JobLineStore.h"

#include <QAbstractListModel>

namespace tvs {

// The job lines of WorkWrite_p2 (WorkWrite_p2_Cell): each line's text and shop
// live here, not in its cell, so they stay with the line when cells are reused
// or lines before it are removed. Each line has an id of its own that its
// buttons carry, so a line is found where it is now, not where it was drawn.
class JobLineModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        LineIdRole = Qt::UserRole + 1, // the tag of the line's buttons
        JobContentRole,                // cell_JobContent
        JobButtonRole,                 // cellJobButton's title
    };

    // The shop button's title while no shop is chosen.
    static const QString kNoShopTitle;

    explicit JobLineModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    void setLines(const QList<JobLine> &lines);
    QList<JobLine> lines() const;
    int count() const { return int(m_lines.size()); }
    // The line's current row; -1 when it is gone.
    int rowOf(int lineId) const;
    int idAt(int row) const { return m_lines.value(row).id; }

    // Adds a line at the end; its id.
    int append(const JobLine &line);
    // These return false when nothing changed (no such line, the same text).
    bool remove(int lineId);
    bool setContent(int lineId, const QString &content);
    bool setShop(int lineId, const Record &shop);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    struct Line
    {
        int id = 0;
        JobLine line;
    };
    QList<Line> m_lines;
    int m_nextId = 1;
};

} // namespace tvs
