#pragma once

#include "Record.h"

#include <QAbstractListModel>
#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

namespace tvs {

class Config;

// A closed auction whose highest bid is `dealerCode`'s (never for an empty code).
bool auctionWonBy(const Record &row, const QString &dealerCode);

// The board's four lists: every row once, and each row once more on the page of
// its state (in progress, won by this dealer, any other).
struct AuctionLists
{
    Records all;
    Records inProgress;
    Records won;
    Records others;

    static AuctionLists split(const Records &rows, const QString &dealerCode);
};

// "2시간 15분 남음" until `endDate` ("yyyyMMddHHmmss" or "yyyy-MM-dd HH:mm[:ss]",
// Korea time), "마감" once it has passed, empty when the date cannot be read.
QString timeLeftText(const QString &endDate, const QDateTime &now);

// What one cell of board page `page` (1 to 4) shows, from its row alone.
struct AuctionCellView
{
    QString name;
    QString info;
    QString price;
    QString state;
    QColor stateColor;
    QString button; // empty: no button
    QUrl picture;   // empty: the app's "empty_car" picture
    QString timeLeft;

    static AuctionCellView from(const Record &row, int page, const QString &dealerCode, const Config *config,
                                const QDateTime &now);
};

// The rows of one board page (auctionPage1Cell .. auctionPage4Cell): roles are the
// cell's outlets, computed when the rows are set; the time left follows setNow().
class AuctionRowModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        CellBtn = Qt::UserRole + 1,
        CellPrice,
        CellInfo,
        CellName,
        CellState,
        CellStateColor,
        CellImg,
        CellLeft,
        CellTag,
    };

    AuctionRowModel(int page, const Config *config, QObject *parent = nullptr);

    void setRows(const Records &rows, const QString &dealerCode, const QDateTime &now);
    void setNow(const QDateTime &now);

    Record record(int row) const { return m_rows.value(row); }
    AuctionCellView view(int row) const { return m_views.value(row); }
    int count() const { return int(m_rows.size()); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    const int m_page;
    const Config *m_config;
    Records m_rows;
    QList<AuctionCellView> m_views;
};

} // namespace tvs
