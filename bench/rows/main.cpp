// The car table (CarRowModel) with a shop of 5,000 cars: resident memory per car,
// the time of each kind of update in place against filling it from empty, and the
// dealer's search as he types (each keystroke: the filter alone, and until the
// list shows it in a window). Not a test: run it by hand.
//
//   tvs-bench-rows [--cars N | --reply FILE]   (FILE: a car list reply of the service)
#include "CarFilterModel.h"
#include "CarQueries.h"
#include "Config.h"
#include "CarRowModel.h"
#include "ReplyWalk.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

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

// Cars a dealer searches among: plates, makers, models, details and years as the
// service sends them.
Records searchableShop(int cars)
{
    static const QList<QStringList> models = {
        {"현대", "쏘나타", "쏘나타 (DN8)"},    {"현대", "그랜저", "그랜저 (GN7)"},
        {"기아", "쏘렌토", "쏘렌토 4세대"},    {"기아", "K5", "K5 3세대"},
        {"제네시스", "G80", "G80 (RG3)"},      {"쉐보레", "트랙스", "트랙스 크로스오버"},
        {"르노코리아", "QM6", "더 뉴 QM6"},    {"BMW", "5시리즈", "5시리즈 (G60)"},
        {"벤츠", "E-클래스", "E-클래스 W214"}, {"현대", "포터2", "포터2 초장축"},
    };
    static const QString syllables =
        QStringLiteral("가나다라마거너더러머버서어저고노도로모보소오조구누두루무부수우주하허호");
    Records rows;
    for (int car = 0; car < cars; ++car) {
        const QStringList &model = models.at(car % models.size());
        rows.append(Record{
            {QStringLiteral("sCarProductCode"), QStringLiteral("P%1").arg(car, 9, 10, QLatin1Char('0'))},
            {QStringLiteral("sCarName1"), model.at(0)},
            {QStringLiteral("sCarName2"), model.at(1)},
            {QStringLiteral("sCarName3"), model.at(2)},
            {QStringLiteral("sCarGroup"), QStringLiteral("승용")},
            {QStringLiteral("sCarStatus"), QString::number(1 + car % 9)},
            {QStringLiteral("sCarProductNum"), QStringLiteral("%1%2 %3")
                                                   .arg(10 + car * 7 % 90)
                                                   .arg(syllables.at(car * 13 % syllables.size()))
                                                   .arg(1000 + car * 7919 % 9000)},
            {QStringLiteral("sCarProductYearMonth"), QString::number(2012 + car % 13)},
            {QStringLiteral("sCarProductMileage"), QString::number(car * 37 % 200000)},
            {QStringLiteral("sCarFuelName"), QStringLiteral("가솔린")},
        });
    }
    return rows;
}

// The search field's text after each keystroke of a dealer typing a model and a
// year (Korean composed letter by letter, as the field shows it), then a plate,
// and clearing each letter by letter.
QStringList keystrokes()
{
    const QStringList model = {"ㅆ",      "쏘",       "쏜",        "쏘나",       "쏘낱",       "쏘나타",
                               "쏘나타 ", "쏘나타 2", "쏘나타 20", "쏘나타 201", "쏘나타 2019"};
    const QStringList plate = {"1", "12", "12ㄱ", "12가", "12가 ", "12가 3", "12가 34", "12가 345"};
    QStringList typed = model;
    for (qsizetype i = model.size() - 2; i >= 0; --i)
        typed.append(model.at(i));
    typed.append(QString());
    typed.append(plate);
    for (qsizetype i = plate.size() - 2; i >= 0; --i)
        typed.append(plate.at(i));
    typed.append(QString());
    return typed;
}

// Each keystroke's time with the filter alone, and until the list in a window has
// swapped the frame that shows it.
void searchAsTyped(int cars)
{
    CarRowModel table;
    table.setDates(CarRowDates{QStringLiteral("20251115"), QStringLiteral("20260308")});
    table.setRows(searchableShop(cars));
    CarFilterModel filter(&table);

    std::vector<double> alone;
    for (int round = 0; round < 5; ++round) {
        for (const QString &text : keystrokes()) {
            QElapsedTimer timer;
            timer.start();
            filter.setSearchText(text);
            alone.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }

    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("cars"), &filter);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport \"qrc:/tvs/ui\"\n"
                      "Window { width: 420; height: 900; visible: true\n"
                      "  ListView { anchors.fill: parent; model: cars; delegate: CarRowCell {} } }",
                      QUrl());
    std::unique_ptr<QObject> root(component.create());
    auto *window = qobject_cast<QQuickWindow *>(root.get());
    if (!window) {
        std::printf("no window: %s\n", qPrintable(component.errorString()));
        return;
    }
    bool swapped = false;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [&swapped] { swapped = true; });
    const auto nextFrame = [&] {
        swapped = false;
        window->requestUpdate();
        QElapsedTimer wait;
        wait.start();
        while (!swapped && wait.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    nextFrame();
    std::vector<double> shown;
    for (int round = 0; round < 5; ++round) {
        for (const QString &text : keystrokes()) {
            QElapsedTimer timer;
            timer.start();
            filter.setSearchText(text);
            nextFrame();
            shown.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    const auto report = [](const char *what, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        std::printf("%-40s median %6.2f ms, 90th %6.2f ms, max %6.2f ms\n", what, v[v.size() / 2],
                    v[v.size() * 9 / 10], v.back());
    };
    std::printf("search as typed, %d cars, %lld keystrokes:\n", cars,
                static_cast<long long>(keystrokes().size()));
    report("  the filter alone", alone);
    report("  until the list's frame is swapped", shown);
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
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype carsAt = args.indexOf(QStringLiteral("--cars"));
    const qsizetype replyAt = args.indexOf(QStringLiteral("--reply"));

    malloc_trim(0);
    const long empty = residentKb();
    Records rows;
    if (QFile reply(args.value(replyAt + 1)); replyAt > 0 && reply.open(QIODevice::ReadOnly)) {
        // The car list's reply as the service sent it, walked as the app walks it.
        const QStringList &fields = carRecordFields();
        rows = walkReply(reply.readAll(), {QStringLiteral("Table"), QSet<QString>(fields.cbegin(), fields.cend()),
                                           {}, Cleaning::Trimming})
                   .rows;
    } else {
        rows = shop(carsAt > 0 ? args.value(carsAt + 1).toInt() : 5000, 0);
    }
    const int cars = int(rows.size());
    malloc_trim(0);
    const long withRecords = residentKb();
    CarRowModel model;
    model.setDates(CarRowDates{QStringLiteral("20251115"), QStringLiteral("20260308")});
    // Pictures on an image host, as in the app: each row has the address of its picture.
    Config config;
    QString error;
    Config::load(config, {args.first(), QStringLiteral("--image-host"), QStringLiteral("127.0.0.1:8080")}, &error);
    model.setConfig(&config);
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
    searchAsTyped(cars);
    return 0;
}
