#pragma once

#include "Record.h"
#include "ThemeColors.h"

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tvs {

class Config;

// The two reference dates of a car row's tint: today minus four months and
// today minus seven days in the Korea time zone, as "yyyyMMdd".
struct CarRowDates
{
    QString now4Month;
    QString now7Day;

    static CarRowDates fromNow(const QDateTime &now);
};

// Which of the two date tests a car row fails.
enum class CarRowTint {
    None,       // white
    OldCheck,   // the check date is older than four months: blue
    ExpiredEnd, // the check's end date is more than seven days past (or empty): green
    Both,       // red
};

// What one car row of the dashboard and the car list shows, computed from its
// record. An empty text (or an invalid colour) is the look of a fresh cell: a
// row that lacks a field shows nothing for it, never another row's text.
struct CarRowView
{
    CarRowTint tint = CarRowTint::None;
    QColor background = theme::surface();
    QUrl picture;      // empty: the app's "empty_car" picture
    QString name;      // cell_name
    QString info;      // cell_info
    QString info2;     // cell_info2
    QString stateText; // cell_state
    QColor stateColor; // background of cell_state; invalid without a status

    static CarRowView from(const Record &row, const CarRowDates &dates, const Config *config);

    static CarRowTint tintOf(const Record &row, const CarRowDates &dates);
    static QColor tintColor(CarRowTint tint);

    friend bool operator==(const CarRowView &, const CarRowView &) = default;
};

} // namespace tvs
