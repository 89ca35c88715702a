// The car table (CarRowModel) with a shop of 5,000 cars: resident memory per car,
// and the time of each kind of update in place against filling it from empty.
// Not a test: run it by hand.
//
//   tvs-bench-rows [--cars N]
#include "CarRowModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <tuple>

using namespace tvs;

namespace {

// 48 fields a car, as the service's car list sends them; the values differ from car to car.
Records shop(int cars, int serial)
{
    static const QStringList names = [] {
        QStringList out{"sCarProductCode", "sCarName1",     "sCarName2",          "sCarName3",
                        "sCarGroup",       "sCarStatus",    "sCarProductNum",     "sCarProductYearMonth",
                        "sCarFuelName",    "sCarPhotoPath", "sCarProductMileage", "sCarProductCheckDate"};
        while (out.size() < 48)
            out.append(QStringLiteral("sField%1").arg(out.size()));
        return out;
    }();
    Records rows;
    for (int car = 0; car < cars; ++car) {
        Record row;
        for (int field = 0; field < names.size(); ++field) {
            const QString value = field == 0
                                      ? QStringLiteral("P%1").arg(serial + car, 9, 10, QLatin1Char('0'))
                                  : field == 5 ? QString::number(1 + car % 9)
                                               : QStringLiteral("쏘나타 %1 값 %2").arg(car).arg(field);
            row.insert(names.at(field), value);
        }
        rows.append(row);
    }
    return rows;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The quickest of five updates from `from` to `to`.
double milliseconds(CarRowModel &model, const Records &from, const Records &to)
{
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        model.setRows(from);
        QElapsedTimer timer;
        timer.start();
        model.setRows(to);
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype carsAt = args.indexOf(QStringLiteral("--cars"));
    const int cars = carsAt > 0 ? args.value(carsAt + 1).toInt() : 5000;

    malloc_trim(0);
    const long empty = residentKb();
    Records rows = shop(cars, 0);
    malloc_trim(0);
    const long withRecords = residentKb();
    CarRowModel model;
    model.setDates(CarRowDates{QStringLiteral("20251115"), QStringLiteral("20260308")});
    model.setRows(rows);
    rows.clear(); // the table holds the only copy, as after a reply
    malloc_trim(0);
    const long withTable = residentKb();
    std::printf("%d cars: records %.2f KB a car, the table with them %.2f KB a car\n", cars,
                double(withRecords - empty) / cars, double(withTable - empty) / cars);

    const Records shown = model.records();
    Records changed = shown;
    for (int car = 0; car < cars; car += 100)
        changed[car].insert(QStringLiteral("sCarStatus"), QStringLiteral("9"));
    const Records turnedOver = shown.mid(cars / 10) + shop(cars / 10, cars); // a tenth sold, a tenth new
    Records reversed = shown;
    std::reverse(reversed.begin(), reversed.end());

    for (const auto &[what, from, to] : {std::tuple{"fill from empty", Records(), shown},
                                         {"identical", shown, shown},
                                         {"one car in a hundred changed", shown, changed},
                                         {"a tenth removed, a tenth added", shown, turnedOver},
                                         {"every car moved (order reversed)", shown, reversed}})
        std::printf("%-40s %10.1f ms\n", what, milliseconds(model, from, to));
    return 0;
}
