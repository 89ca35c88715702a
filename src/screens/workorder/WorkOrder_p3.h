#pragma once

#include "JobQueries.h"
#include "RecordListModel.h"
#include "Screen.h"

namespace tvs {

// The job orders the dealer wrote for one car, each with its edit and delete
// buttons (open only while the order's status is "1"), and the way to a new
// order (WorkWrite_p1). A car without job orders opens a new order at once.
// The list is fetched on load and again each time the screen comes back.
class WorkOrder_p3 : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QObject *theTable READ theTable CONSTANT)
    Q_PROPERTY(QString car_Number MEMBER car_Number CONSTANT)

public:
    explicit WorkOrder_p3(ScreenContext *context, QObject *parent = nullptr);

    QString productCode;
    QString car_Number;
    // From the opener, before the screen is shown.
    void setCar(const QString &code, const QString &carNumber);

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // The row buttons; `tag` is the row.
    Q_INVOKABLE void cell_EditButton_Action(int tag);
    Q_INVOKABLE void cell_DelButton_Action(int tag);
    // A new job order for the car.
    Q_INVOKABLE void openNewOrder();

    RecordListModel &table() { return m_table; }
    QObject *theTable() { return &m_table; }

private:
    void fetch(bool firstTime);
    // The order's status allows changes; otherwise the "오류" alert is shown.
    bool openToChanges(const Record &order);
    // Opens job writing for `order` (none: a new order).
    void openWriting(const Record &order);

    JobQueries m_jobs;
    RecordListModel m_table;
    LatestOnly m_latest;
    bool m_appeared = false;
    Record m_writeOrder; // the order WorkWrite_p1 opens for; empty: a new one
};

} // namespace tvs
