#include "CarRowView.h"

#include "CarFields.h"
#include "Config.h"
#include "Formatting.h"
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
    if (row.contains(CarField::sCarProductCheckDate)) {
        const auto check = decimalInteger(field(row, CarField::sCarProductCheckDate));
        const auto limit = decimalInteger(dates.now4Month);
        oldCheck = check && limit && *check < *limit;
    }
    bool expiredEnd = false;
    if (row.contains(CarField::sCheckEndDate)) {
        // An empty end date stands for "no end": it counts as 0 and so as long past.
        const QString text = field(row, CarField::sCheckEndDate);
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

    if (config && row.contains(CarField::sCarPhotoPath)) {
        view.picture =
            config->carPictureUrl(field(row, CarField::sCarProductCode), field(row, CarField::sCarPhotoPath));
    }

    if (row.contains(CarField::sCarGroup)) {
        const bool lorry = field(row, CarField::sCarGroup).contains(QStringLiteral("화물"));
        view.name = field(row, CarField::sCarName1) + u' ' +
                    field(row, lorry ? CarField::sCarFormName2 : CarField::sCarName3);
    }

    if (row.contains(CarField::sCarProductYearMonth)) {
        view.info = field(row, CarField::sCarProductNum) + QStringLiteral("  ") +
                    field(row, CarField::sCarProductYearMonth);
    }

    if (row.contains(CarField::sCarFuelName)) {
        if (const auto mileage = decimalInteger(field(row, CarField::sCarProductMileage))) {
            view.info2 = formatThousands(QString::number(*mileage)) + QStringLiteral("km  ") +
                         field(row, CarField::sCarFuelName);
        }
    }

    if (row.contains(CarField::sCarStatus)) {
        const StatusLabel label = carStatusLabel(field(row, CarField::sCarStatus));
        view.stateText = label.text;
        view.stateColor = label.background;
    }
    return view;
}

} // namespace tvs
