#include "AuctionRows.h"

#include "AppData.h"
#include "AuctionFields.h"
#include "Config.h"
#include "Services.h"
#include "ThemeColors.h"

namespace tvs {

namespace {

const QString kInProgress = QStringLiteral("1");
const QString kClosed = QStringLiteral("2");

// A field as the cell shows it: an empty element says no more than a missing one.
QString shown(const Record &row, const char *field)
{
    return row.value(QLatin1String(field));
}

QDateTime readEndDate(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits.append(c);
        else if (c == u'.')
            break; // fractions of a second
    }
    if (digits.size() == 12)
        digits.append(QStringLiteral("00"));
    if (digits.size() != 14)
        return {};
    const QDate day = QDate::fromString(digits.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(digits.mid(8), QStringLiteral("HHmmss"));
    if (!day.isValid() || !time.isValid())
        return {};
    return QDateTime(day, time, Clock::timeZone());
}

} // namespace

bool auctionWonBy(const Record &row, const QString &dealerCode)
{
    // Without a signed-in dealer nothing is "won": an empty code matches nobody.
    return row.value(AuctionField::sAuctionStatus) == kClosed && !dealerCode.isEmpty() &&
           row.value(AuctionField::sMaxUserCode) == dealerCode;
}

AuctionLists AuctionLists::split(const Records &rows, const QString &dealerCode)
{
    AuctionLists lists;
    lists.all = rows;
    for (const Record &row : rows) {
        if (row.value(AuctionField::sAuctionStatus) == kInProgress)
            lists.inProgress.append(row);
        else if (auctionWonBy(row, dealerCode))
            lists.won.append(row);
        else
            lists.others.append(row);
    }
    return lists;
}

QString timeLeftText(const QString &endDate, const QDateTime &now)
{
    const QDateTime end = readEndDate(endDate);
    if (!end.isValid())
        return {};
    const qint64 seconds = now.secsTo(end);
    if (seconds <= 0)
        return QStringLiteral("마감");
    // A part of a minute counts as a minute: "1분 남음" until the very end.
    const qint64 minutes = (seconds + 59) / 60;
    const qint64 days = minutes / (24 * 60);
    const qint64 hours = minutes / 60 % 24;
    QString text;
    if (days > 0)
        text =
            QStringLiteral("%1일").arg(days) + (hours > 0 ? QStringLiteral(" %1시간").arg(hours) : QString());
    else if (hours > 0)
        text = QStringLiteral("%1시간").arg(hours) +
               (minutes % 60 > 0 ? QStringLiteral(" %1분").arg(minutes % 60) : QString());
    else
        text = QStringLiteral("%1분").arg(minutes);
    return text + QStringLiteral(" 남음");
}

bool auctionPastEnd(const Record &row, const QDateTime &now)
{
    const QDateTime end = readEndDate(row.value(QStringLiteral("sAuctionEndDate")));
    return row.value(QStringLiteral("sAuctionStatus")) == kInProgress && end.isValid() && end <= now;
}

QString wonText(const QString &amount)
{
    return (decimalInteger(amount) ? AppData::formatThousands(amount) : QStringLiteral("--")) +
           QStringLiteral(" 원");
}

AuctionCellView AuctionCellView::from(const Record &row, int page, const QString &dealerCode,
                                      const Config *config, const QDateTime &now)
{
    AuctionCellView v;
    if (!shown(row, "sCarName2").isEmpty())
        v.name = shown(row, "sCarName1") + u' ' + shown(row, "sCarName2");
    v.info = shown(row, "sCarProductNum");
    if (const QString year = shown(row, "sCarProductYearMonth"); !year.isEmpty())
        v.info =
            (v.info.isEmpty() ? QString() : v.info + QStringLiteral(" / ")) + year + QStringLiteral("년식");

    const QString maxPrice = shown(row, "iAuctionMaxPrice");
    v.price = maxPrice.isEmpty() ? QStringLiteral("0 원") : wonText(maxPrice);

    const QString code = shown(row, "sCarProductCode");
    const QString photo = shown(row, "sCarPhotoPath");
    if (config && !code.isEmpty() && !photo.isEmpty())
        v.picture = config->carPictureUrl(code, photo);

    const QString status = shown(row, "sAuctionStatus");
    if (auctionPastEnd(row, now)) {
        // Until the service closes it, an auction past its end is offered to nobody.
        v.state = QStringLiteral("  마감  ");
        v.stateColor = theme::disabledFill();
        return v;
    }
    if (status == kInProgress) {
        v.state = QStringLiteral("  경매중  ");
        v.stateColor = theme::auctionInProgress();
        v.button = QStringLiteral("  경매참여  ");
        v.timeLeft = timeLeftText(shown(row, "sAuctionEndDate"), now);
    } else if (auctionWonBy(row, dealerCode)) {
        v.state = QStringLiteral("  낙찰  ");
        v.stateColor = theme::auctionWon();
        v.button = QStringLiteral("  낙찰하기  ");
    } else {
        v.state = QStringLiteral("  경매종료  ");
        v.stateColor = theme::disabledFill();
    }
    // Page 2's label has a colour of its own, whatever the row's state.
    if (page == 2)
        v.stateColor = theme::auctionInProgressPage();
    return v;
}

QVariantList AuctionRow::cells() const
{
    return {view.button,
            view.price,
            view.info,
            view.name,
            view.state,
            view.stateColor,
            view.picture.toString(QUrl::FullyEncoded),
            view.timeLeft};
}

AuctionRowModel::AuctionRowModel(int page, const Config *config, QObject *parent)
    : RowListModel({"aucCell_btn", "aucCell_price", "aucCell_info", "aucCell_name", "aucCell_state",
                    "aucCell_stateColor", "aucCell_img", "aucCell_left"},
                   "aucCell_tag", parent),
      m_page(page), m_config(config)
{
}

void AuctionRowModel::setRows(const Records &records, const QString &dealerCode, const QDateTime &now)
{
    m_dealerCode = dealerCode;
    QList<AuctionRow> next;
    next.reserve(records.size());
    for (const Record &record : records)
        next.append(AuctionRow{record, AuctionCellView::from(record, m_page, dealerCode, m_config, now)});
    RowListModel::setRows(std::move(next));
}

void AuctionRowModel::setNow(const QDateTime &now)
{
    Records records;
    for (const AuctionRow &row : rows())
        records.append(row.record);
    setRows(records, m_dealerCode, now);
}

} // namespace tvs
