#pragma once

#include "CarQueries.h"
#include "CarTable.h"
#include "DashboardTransitions.h"
#include "Screen.h"

#include <QStringList>
#include <QUrl>

namespace tvs {

class MainDrawerController;

// The dashboard ("MainView"): the dealer's name and picture, four counts, the
// dealer's cars filtered by state, and the side drawer with the way out.
class MainController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString sUserName READ userName NOTIFY userChanged)
    Q_PROPERTY(QUrl sUserImage READ userImage NOTIFY userChanged)
    Q_PROPERTY(QString lb_Count0 READ count0 NOTIFY countsChanged)
    Q_PROPERTY(QString lb_Count1 READ count1 NOTIFY countsChanged)
    Q_PROPERTY(QString lb_Count2 READ count2 NOTIFY countsChanged)
    Q_PROPERTY(QString lb_Count3 READ count3 NOTIFY countsChanged)
    // The cars as the dealer narrows them by typing; carTable has their search and load.
    Q_PROPERTY(QObject *mainTable READ mainTable CONSTANT)
    Q_PROPERTY(QObject *carTable READ carTable CONSTANT)
    Q_PROPERTY(QObject *drawer READ drawer CONSTANT)
    Q_PROPERTY(int searchNum READ filterValue NOTIFY filterChanged)
    Q_PROPERTY(QString filterTitle READ filterTitle NOTIFY filterChanged)
    Q_PROPERTY(bool isOpenDrawer READ drawerOpen NOTIFY drawerChanged)
    Q_PROPERTY(QString icoSet_Out READ drawerButtonImage NOTIFY drawerChanged)
    Q_PROPERTY(bool isOpenTable READ tableOpen NOTIFY tableChanged)
    Q_PROPERTY(qreal mainTableConst READ tableConstant NOTIFY tableChanged)

public:
    // One entry of the car-state filter dialog.
    struct Filter
    {
        QString entry; // the dialog's button
        int searchNum; // sent with the list request
        QString title; // the filter button's title afterwards
    };
    static const QList<Filter> &filters();

    explicit MainController(ScreenContext *context, QObject *parent = nullptr);
    ~MainController() override;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // The filter button: the car-state dialog.
    Q_INVOKABLE void tablefilterAction();
    // The refresh button: two turns of the button, then the list again.
    Q_INVOKABLE void tableRefreshAction();
    Q_INVOKABLE void drawerAction();
    Q_INVOKABLE void logoutAction();
    // The bar button icoSet_Out: with the drawer open it shows "ico_logout" and
    // signs out (while the drawer slides away); closed, it opens the drawer.
    Q_INVOKABLE void icoSet_OutAction();
    // The table was dragged. `contentOffsetY` is negative when pulled down past the top.
    Q_INVOKABLE void scrollViewDidEndDragging(qreal contentOffsetY, qreal safeAreaHeight, qreal tableHeight);
    // A row was chosen: its record goes to the car detail.
    Q_INVOKABLE void openCar(int row);
    // The four count tiles and the business request button.
    Q_INVOKABLE void openOwnedCars() { open(DashboardTransition::main_to_carList0); }
    Q_INVOKABLE void openSoldCars() { open(DashboardTransition::main_to_carList9); }
    Q_INVOKABLE void openAuctionsInProgress() { open(DashboardTransition::main_to_auction1); }
    Q_INVOKABLE void openAuctionsClosed() { open(DashboardTransition::main_to_auction2); }
    Q_INVOKABLE void openBusinessRequest() { open(DashboardTransition::main_to_web2); }

    // Fields the system's documents name for this screen.
    bool isOpenDrawer = false;
    bool isOpenTable = false;
    int searchNum = 0;
    QString now4Month;
    QString now7Day;
    QStringList getCarCountList = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                   QStringLiteral("0")};
    QString filterButtonTitle = QStringLiteral("전체 ▾");
    qreal mainTableConstant = 0;

    CarRowModel *getMyCarList() const { return m_table->rows(); }
    CarTable *carTable() const { return m_table; }
    // The count the list of `filter` has by the counts shown; 0 when none of them is its count.
    int expectedCount(int filter) const;
    MainDrawerController *drawerController() const { return m_drawer; }
    bool signOutPending() const { return m_signOutPending; }

    QString userName() const { return m_userName; }
    QUrl userImage() const { return m_userImage; }
    QString count0() const { return getCarCountList.value(0); }
    QString count1() const { return getCarCountList.value(1); }
    QString count2() const { return getCarCountList.value(2); }
    QString count3() const { return getCarCountList.value(3); }
    QObject *mainTable() const;
    QObject *drawer() const;
    int filterValue() const { return searchNum; }
    QString filterTitle() const { return filterButtonTitle; }
    bool drawerOpen() const { return isOpenDrawer; }
    QString drawerButtonImage() const;
    bool tableOpen() const { return isOpenTable; }
    qreal tableConstant() const { return mainTableConstant; }

signals:
    void userChanged();
    void countsChanged();
    void filterChanged();
    void drawerChanged();
    void tableChanged();
    // The page turns the refresh button twice in one second.
    void refreshSpinRequested();

private:
    void sendCountRequest();
    // The list of the filter shown, or of `filter`, which is shown with its answer.
    void sendListRequest();
    void sendListRequest(const Filter &filter);
    void chooseFilter(int index);
    void toggleDrawer();
    void open(const QString &transition);

    CarQueries m_cars;
    CarTable *m_table;
    MainDrawerController *m_drawer;
    QString m_userName;
    QUrl m_userImage;
    int m_selectedRow = -1;
    bool m_signOutPending = false;
    // Only the newest request of each kind is applied: an older reply that
    // arrives late never overwrites what a newer one showed.
    LatestOnly m_latestCounts;
};

} // namespace tvs
