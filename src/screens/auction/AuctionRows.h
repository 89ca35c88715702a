#pragma once

#include "AuctionFields.h"
#include "Record.h"
#include "RowListModel.h"

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

// An auction in progress ("1") whose end has passed: the service has not closed it
// yet, but takes no bid any more. An end that cannot be read is left to the service.
bool auctionPastEnd(const Record &row, const QDateTime &now);

// An amount of won as the auction screens show it ("16,000,000 원"); "-- 원" for a
// text that is no whole number.
QString wonText(const QString &amount);

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

    friend bool operator==(const AuctionCellView &, const AuctionCellView &) = default;
};

// One auction of a board page: its row, and what its cell shows.
struct AuctionRow
{
    Record record;
    AuctionCellView view;

    QString key() const { return record.value(AuctionField::sAuctionCode); }
    QVariantList cells() const;
    friend bool operator==(const AuctionRow &, const AuctionRow &) = default;
};

// The rows of one board page (auctionPage1Cell .. auctionPage4Cell): roles are the
// cell's outlets (aucCell_btn .. aucCell_left, and aucCell_tag, the row index),
// computed when the rows are set; the time left follows setNow().
class AuctionRowModel : public RowListModel<AuctionRow>
{
    Q_OBJECT

public:
    AuctionRowModel(int page, const Config *config, QObject *parent = nullptr);

    // Updates the page in place to show `records`.
    void setRows(const Records &records, const QString &dealerCode, const QDateTime &now);
    void setNow(const QDateTime &now);

    Record record(int row) const { return at(row).record; }
    AuctionCellView view(int row) const { return at(row).view; }

private:
    const int m_page;
    const Config *m_config;
    QString m_dealerCode;
};

} // namespace tvs
