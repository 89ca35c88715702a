#pragma once

#include "JobLineModel.h"
#include "JobLineStore.h"
#include "Screen.h"

namespace tvs {

// The second step of writing a job order: a list of repair job lines, each
// with the work to be done and the repair shop chosen for it. The service has
// no procedure that saves a job order, so nothing is sent: the lines are the
// dealer's notes of the order, kept in the session's JobLineStore under the
// dealer, car and order until sign-out, so that leaving and coming back to the
// same order finds them as they were typed.
class WorkWrite_p2 : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QObject *theTable READ theTable CONSTANT)

public:
    explicit WorkWrite_p2(ScreenContext *context, QObject *parent = nullptr);

    Records takeRepairList; // the shops a line may be given
    JobOrderKey orderKey;   // whose lines these are
    // From the opener, before the screen is shown. `firstLine` is where an order the
    // dealer has written no lines for starts (the order's own work, or an empty line).
    void setOrder(const Records &shops, const JobOrderKey &key, const JobLine &firstLine = {});

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;

    // The buttons of the line `lineId` (the add button also stands under the
    // list, so that a line can be added when there is none).
    Q_INVOKABLE void cell_JobButtonAction(int lineId);
    Q_INVOKABLE void cell_AddButtonAction();
    Q_INVOKABLE void cell_DelButtonAction(int lineId);
    // The line's text as the dealer types it.
    Q_INVOKABLE void setJobContent(int lineId, const QString &text);

    JobLineModel &lines() { return m_lines; }
    QObject *theTable() { return &m_lines; }

signals:
    // The keyboard closes.
    void editingEnded();

private:
    void keep();

    JobLineModel m_lines;
    JobLine m_firstLine;
};

} // namespace tvs
