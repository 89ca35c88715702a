#pragma once

#include "JobLineStore.h"
#include "RowListModel.h"

namespace tvs {

// One job line and the id its buttons carry.
struct JobLineRow
{
    int id = 0;
    JobLine line;

    QString key() const { return QString::number(id); }
    QVariantList cells() const;
    friend bool operator==(const JobLineRow &, const JobLineRow &) = default;
};

// The job lines of WorkWrite_p2 (WorkWrite_p2_Cell): each line's text and shop
// live here, not in its cell, so they stay with the line when cells are reused
// or lines before it are removed. Each line has an id of its own that its
// buttons carry (lineId), so a line is found where it is now, not where it was
// drawn; cell_JobContent is its text, cellJobButton the shop button's title.
class JobLineModel : public RowListModel<JobLineRow>
{
    Q_OBJECT

public:
    // The shop button's title while no shop is chosen.
    static const QString kNoShopTitle;

    explicit JobLineModel(QObject *parent = nullptr);

    // The lines, each with an id of its own.
    void setLines(const QList<JobLine> &lines);
    QList<JobLine> lines() const;
    // The line's current row; -1 when it is gone.
    int rowOf(int lineId) const;
    int idAt(int row) const { return at(row).id; }

    // Adds a line at the end; its id.
    int append(const JobLine &line);
    // These return false when nothing changed (no such line, the same text or shop).
    bool remove(int lineId) { return removeAt(rowOf(lineId)); }
    bool setContent(int lineId, const QString &content);
    bool setShop(int lineId, const Record &shop);

private:
    int m_nextId = 1;
};

} // namespace tvs
