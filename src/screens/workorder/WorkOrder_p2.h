#pragma once

#include "JobQueries.h"
#include "RecordListModel.h"
#include "Screen.h"

namespace tvs {

// The shop's cars whose plate holds the search text, with their status; each
// row's check button opens the car's job orders (WorkOrder_p3). The search runs
// once, when the screen loads.
class WorkOrder_p2 : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString searchListCount READ searchListCount NOTIFY rowsChanged)
    Q_PROPERTY(QObject *theTable READ theTable CONSTANT)
    Q_PROPERTY(bool lb_noSearchDataVisible READ noSearchDataVisible NOTIFY noSearchDataChanged)
    Q_PROPERTY(qreal lb_noSearchDataHeight READ noSearchDataHeight NOTIFY noSearchDataChanged)

public:
    // The notice that nothing was found is this high once shown.
    static constexpr qreal kNoSearchDataHeight = 100;
    // Looks of a row's complete button (cell_btnCompleteLook).
    static const QString kCompleteReady;    // enabled: white, orange title
    static const QString kCompleteFresh;    // the button as a fresh cell shows it
    static const QString kCompleteDisabled; // disabled: grey, grey title

    explicit WorkOrder_p2(ScreenContext *context, QObject *parent = nullptr);

    QString searchCarnum;
    // From the opener, before the screen is shown.
    void setSearchCarnum(const QString &text) { searchCarnum = text; }

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // The check button of row `tag`: the car's job orders.
    Q_INVOKABLE void cell_btnCheck_Action(int tag);

    RecordListModel &table() { return m_table; }
    QObject *theTable() { return &m_table; }
    QString searchListCount() const { return QString::number(m_table.count()); }
    bool noSearchDataVisible() const { return m_noSearchData; }
    qreal noSearchDataHeight() const { return m_noSearchData ? kNoSearchDataHeight : 0; }

signals:
    void rowsChanged();
    void noSearchDataChanged();

private:
    void search();

    JobQueries m_jobs;
    RecordListModel m_table;
    bool m_noSearchData = false;
    int m_selectedRow = -1;
};

} // namespace tvs
