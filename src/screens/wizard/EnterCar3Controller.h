#pragma once

#include "CarQueries.h"
#include "OptionGridModel.h"
#include "Screen.h"

namespace tvs {

// Step 3 of the registration wizard: every option the service knows, in four
// two-column grids of toggle buttons (the car groups, or the truck groups for a
// truck). In edit mode the car's stored options start marked. Next writes the
// marked options, in marking order, as {"Option":[...]} into the wizard's state.
class EnterCar3Controller : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QObject *collection1 READ collection1 CONSTANT)
    Q_PROPERTY(QObject *collection2 READ collection2 CONSTANT)
    Q_PROPERTY(QObject *collection3 READ collection3 CONSTANT)
    Q_PROPERTY(QObject *collection4 READ collection4 CONSTANT)
    Q_PROPERTY(bool nextEnabled READ nextEnabled NOTIFY stateChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY stateChanged)

public:
    explicit EnterCar3Controller(ScreenContext *context, QObject *parent = nullptr);

    // Fields the system's documents name for this screen.
    Records catchOpListAll; // the options stored for the car being edited
    Records getOpListAll;   // every option of the service
    Record picOption;       // the option being marked
    Records picComplete;    // the marked options, in marking order

    void viewDidLoad() override;

    // An option button of grid 1 .. 4 was pressed; `tag` is its row.
    Q_INVOKABLE void btnCellEvent1(int tag) { toggle(0, tag); }
    Q_INVOKABLE void btnCellEvent2(int tag) { toggle(1, tag); }
    Q_INVOKABLE void btnCellEvent3(int tag) { toggle(2, tag); }
    Q_INVOKABLE void btnCellEvent4(int tag) { toggle(3, tag); }
    Q_INVOKABLE void nextButtonEvent();
    // Asks again for what could not be fetched.
    Q_INVOKABLE void reload();

    OptionGridModel &grid(int n) { return m_grids[n - 1]; }
    QObject *collection1() { return &m_grids[0]; }
    QObject *collection2() { return &m_grids[1]; }
    QObject *collection3() { return &m_grids[2]; }
    QObject *collection4() { return &m_grids[3]; }
    bool nextEnabled() const { return m_storedArrived && m_catalogueArrived; }
    QString notice() const { return m_notice; }

signals:
    void stateChanged();

private:
    void fetchStored();
    void fetchCatalogue();
    void distribute();
    void toggle(int grid, int row);
    void setNotice(const QString &notice);

    CarQueries m_cars;
    OptionGridModel m_grids[4];
    bool m_storedArrived = false;
    bool m_catalogueArrived = false;
    QString m_notice;
};

} // namespace tvs
