#pragma once

#include "JobLineStore.h"
#include "JobQueries.h"
#include "RecordListModel.h"
#include "Screen.h"

namespace tvs {

// The first step of writing a job order: the car's inspection items, each with
// a repair shop the dealer may pick for it, the way to the car's inspection
// record page and on to the job lines (WorkWrite_p2). Both lists are asked for
// at once when the screen loads. A car without inspection items goes on to the
// job lines by itself when there are shops to choose from.
class WorkWrite_p1 : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QObject *theTable READ theTable CONSTANT)

public:
    // The row button's title while no shop is chosen.
    static const QString kNoShopTitle;

    explicit WorkWrite_p1(ScreenContext *context, QObject *parent = nullptr);

    QString take_JobListCode; // empty for a new order
    QString take_ProductCode;
    Records repairResultList; // the repair shops, in reply order
    // From the opener, before the screen is shown; `firstLine` starts the job lines
    // of an order the dealer has written none for yet.
    void setOrder(const QString &productCode, const QString &jobListCode, const JobLine &firstLine = {});

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // The shop button of row `tag`.
    Q_INVOKABLE void cell_ButtonAction(int tag);
    // The car's inspection record page, and on to the job lines (once the shop list
    // is there: the job lines choose from it).
    Q_INVOKABLE void openInspectionRecord();
    Q_INVOKABLE void openJobLines();

    RecordListModel &table() { return m_table; }
    QObject *theTable() { return &m_table; }

private:
    void fetchItems();
    void fetchShops();
    // Once both replies are in: a car without inspection items goes on by itself.
    void decideSkip();
    // Shows the waiting cover while "다음" waits for the shop list.
    void setWaitingForShops(bool waiting);

    JobQueries m_jobs;
    RecordListModel m_table;
    bool m_itemsAnswered = false;
    bool m_shopsInFlight = false;
    bool m_shopsArrived = false;
    bool m_noItems = false; // the service said "NO": the car has no inspection items
    bool m_waitingForShops = false;
    JobLine m_firstLine;
};

} // namespace tvs
