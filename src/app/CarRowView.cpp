#include "CarRowView.h"

#include "Formatting.h"
#include "Config.h"
#include "Services.h"

namespace tvs {

namespace {

const QString kDateFormat = QStringLiteral("yyyyMMdd");

QString field(const Record &row, const QString &name)
{
    return row.value(name);
}

} // namespace

CarRowDates CarRowDates::fromNow(const QDateTime &now)
{
    // The dates are the Korean calendar day, whatever zone `now` was given in.
    const QDate today = now.toTimeZone(Clock::timeZone()).date();
    return CarRowDates{today.addMonths(-4).toString(kDateFormat), today.addDays(-7).toString(kDateFormat)};
}

CarRowTint CarRowView::tintOf(const Record &row, const CarRowDates &dates)
{
    bool oldCheck = false;
    if (row.contains(QStringLiteral("sCarProductCheckDate"))) {
        const auto check = decimalInteger(field(row, QStringLiteral("sCarProductCheckDate")));
        const auto limit = decimalInteger(dates.now4Month);
        oldCheck = check && limit && *check < *limit;
    }
    bool expiredEnd = false;
    if (row.contains(QStringLiteral("sCheckEndDate"))) {
        // An empty end date stands for "no end": it counts as 0 and so as long past.
        const QString text = field(row, QStringLiteral("sCheckEndDate"));
        const auto end = text.isEmpty() ? std::optional<qint64>(0) : decimalInteger(text);
        const auto limit = decimalInteger(dates.now7Day);
        expiredEnd = end && limit && *end < *limit;
    }
    if (oldCheck && expiredEnd)
        return CarRowTint::Both;
    if (expiredEnd)
        return CarRowTint::ExpiredEnd;
    if (oldCheck)
        return CarRowTint::OldCheck;
    return CarRowTint::None;
}

QColor CarRowView::tintColor(CarRowTint tint)
{
    switch (tint) {
    case CarRowTint::Both:
        return theme::rowTintBoth();
    case CarRowTint::ExpiredEnd:
        return theme::rowTintExpiredEnd();
    case CarRowTint::OldCheck:
        return theme::rowTintOldCheck();
    case CarRowTint::None:
        break;
    }
    return theme::surface();
}

CarRowView CarRowView::from(const Record &row, const CarRowDates &dates, const Config *config)
{
    CarRowView view;
    view.tint = tintOf(row, dates);
    view.background = tintColor(view.tint);

    if (config && row.contains(QStringLiteral("sCarPhotoPath"))) {
        view.picture = config->carPictureUrl(field(row, QStringLiteral("sCarProductCode")),
                                             field(row, QStringLiteral("sCarPhotoPath")));
    }

    if (row.contains(QStringLiteral("sCarGroup"))) {
        const bool lorry = field(row, QStringLiteral("sCarGroup")).contains(QStringLiteral("화물"));
        view.name = field(row, QStringLiteral("sCarName1")) + u' ' +
                    field(row, lorry ? QStringLiteral("sCarFormName2") : QStringLiteral("sCarName3"));
    }

    if (row.contains(QStringLiteral("sCarProductYearMonth"))) {
        view.info = field(row, QStringLiteral("sCarProductNum")) + QStringLiteral("  ") +
                    field(row, QStringLiteral("sCarProductYearMonth"));
    }

    if (row.contains(QStringLiteral("sCarFuelName"))) {
        if (const auto mileage = decimalInteger(field(row, QStringLiteral("sCarProductMileage")))) {
            view.info2 = formatThousands(QString::number(*mileage)) + QStringLiteral("km  ") +
                         field(row, QStringLiteral("sCarFuelName"));
        }
    }

    if (row.contains(QStringLiteral("sCarStatus"))) {
        const StatusLabel label = carStatusLabel(field(row, QStringLiteral("sCarStatus")));
        view.stateText = label.text;
        view.stateColor = label.background;
    }
    return view;
}

} // namespace tvs
