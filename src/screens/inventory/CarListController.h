#pragma once

#include "CarRowModel.h"
#include "Record.h"
#include "Screen.h"

#include <QString>

namespace tvs {

struct ProcedureReply;

// The dealer's cars; in cancel mode (`isCarCheck1`) and release mode
// (`isCarCheck2`) each row carries a button that changes the car's state.
class CarListController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString subTitle READ subTitleText WRITE setSubTitle NOTIFY subTitleChanged)
    Q_PROPERTY(int searchNum MEMBER searchNum)
    Q_PROPERTY(bool isCarCheck1 MEMBER isCarCheck1)
    Q_PROPERTY(bool isCarCheck2 MEMBER isCarCheck2)
    Q_PROPERTY(QString getCarListCount READ carListCountText NOTIFY rowsChanged)
    Q_PROPERTY(QString getCarListSubTitle READ subTitleText NOTIFY subTitleChanged)
    Q_PROPERTY(QObject *carListTable READ carListTable CONSTANT)
    Q_PROPERTY(QString footerTitle READ footerTitle CONSTANT)
    // The row button: shown with this title in the two state-change modes only.
    Q_PROPERTY(QString rowButtonTitle READ rowButtonTitle NOTIFY subTitleChanged)

public:
    static const QStringList kCancelStatuses;  // rows kept in cancel mode
    static const QStringList kReleaseStatuses; // rows kept in release mode

    explicit CarListController(ScreenContext *context, QObject *parent = nullptr);

    QString subTitle;
    QString now4Month;
    QString now7Day;
    int searchNum = 0;
    bool isCarCheck1 = false;
    bool isCarCheck2 = false;
    Records getMyCarList;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    Q_INVOKABLE void Action_isCarCheck1(int tag);
    Q_INVOKABLE void Action_isCarCheck2(int tag);
    // A row was chosen: opens its detail through "list_to_detail".
    Q_INVOKABLE void selectRow(int row);

    void setSubTitle(const QString &text);
    QString subTitleText() const { return subTitle; }
    QString carListCountText() const { return QString::number(getMyCarList.size()); }
    CarRowModel *carListTable() { return &m_model; }
    QString rowButtonTitle() const;
    QString footerTitle() const { return QStringLiteral("Tar Vesta"); }

    // A reply record as this list stores it: "년식" after the model year, the
    // third name part cut before its first "(".
    static Record storedRecord(const Record &reply);

signals:
    void subTitleChanged();
    void rowsChanged();

private:
    void fetchList();
    void listArrived(const ProcedureReply &reply);
    void requestStatusChange(int tag, const QString &message, const QList<DialogAction> &actions,
                             const QStringList &statuses);
    void sendStatusChange(const Record &car, const QString &newStatus);
    void reloadTable();
    QString userCode() const;

    CarRowModel m_model;
    int m_selectedRow = -1;
};

} // namespace tvs
