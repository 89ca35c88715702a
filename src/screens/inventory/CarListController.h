#pragma once

#include "CarQueries.h"
#include "CarRowModel.h"
#include "Screen.h"

#include <QString>

namespace tvs {

// The dealer's cars; in cancel mode (`isCarCheck1`) and release mode
// (`isCarCheck2`) each row carries a button that changes the car's state.
class CarListController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString getCarListSubTitle READ subTitleText NOTIFY subTitleChanged)
    Q_PROPERTY(QString getCarListCount READ carListCountText NOTIFY rowsChanged)
    Q_PROPERTY(QObject *carListTable READ carListTable CONSTANT)
    // The row button: shown with this title in the two state-change modes only.
    Q_PROPERTY(QString rowButtonTitle READ rowButtonTitle NOTIFY subTitleChanged)

public:
    // The four ways in: the plain lists (held, sold) and the two state-change modes.
    enum class Mode { Plain, Cancel, Release };

    static const QStringList kCancelStatuses;  // rows kept in cancel mode
    static const QStringList kReleaseStatuses; // rows kept in release mode

    explicit CarListController(ScreenContext *context, QObject *parent = nullptr);

    // From the opener, before the screen is shown.
    void showCars(const QString &subTitle, int searchNum, Mode mode = Mode::Plain);

    QString subTitle;
    QString now4Month;
    QString now7Day;
    int searchNum = 0;
    bool isCarCheck1 = false;
    bool isCarCheck2 = false;
    Records getMyCarList() const { return m_model.records(); }

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    Q_INVOKABLE void Action_isCarCheck1(int tag);
    Q_INVOKABLE void Action_isCarCheck2(int tag);
    // The row button of row `tag`, in whichever mode the list is.
    Q_INVOKABLE void pressRowButton(int tag);
    // A row was chosen: its car's detail opens.
    Q_INVOKABLE void openCar(int row);

    QString subTitleText() const { return subTitle; }
    QString carListCountText() const { return QString::number(m_model.count()); }
    CarRowModel *carListTable() { return &m_model; }
    QString rowButtonTitle() const;

    // A reply record as this list stores it: "년식" after the model year, the
    // third name part cut before its first "(".
    static Record storedRecord(const Record &reply);

signals:
    void subTitleChanged();
    void rowsChanged();

private:
    void fetchList();
    void requestStatusChange(int tag, const QString &message, const QList<DialogAction> &actions,
                             const QStringList &statuses);
    // Takes the car's row off the list and sends the change; a change the service
    // did not make puts the row back.
    void changeStatus(const Record &car, const QString &newStatus);
    int rowOf(const Record &car) const;

    CarQueries m_cars;
    CarRowModel m_model;
    int m_selectedRow = -1;
    // Only the newest list is shown, and none asked for before a status change.
    LatestOnly m_latestList;
};

} // namespace tvs
