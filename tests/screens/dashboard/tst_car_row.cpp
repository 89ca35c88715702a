// The shared car-row pieces: the number reading behind the tints and the
// mileage, and the row model's bookkeeping.
#include "CarRowModel.h"
#include "CarRowView.h"

#include <QSignalSpy>
#include <QTest>

using namespace tvs;

class TestCarRow : public QObject
{
    Q_OBJECT

private slots:
    void decimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("value");
        QTest::newRow("date") << "20260308" << true << qint64(20260308);
        QTest::newRow("zero") << "0" << true << qint64(0);
        QTest::newRow("leading zeros") << "007" << true << qint64(7);
        QTest::newRow("plus") << "+5" << true << qint64(5);
        QTest::newRow("minus") << "-120" << true << qint64(-120);
        QTest::newRow("largest") << "9223372036854775807" << true << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest") << "-9223372036854775808" << true << std::numeric_limits<qint64>::min();
        QTest::newRow("too large") << "9223372036854775808" << false << qint64(0);
        QTest::newRow("too small") << "-9223372036854775809" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("sign only") << "-" << false << qint64(0);
        QTest::newRow("blank around") << " 12" << false << qint64(0);
        QTest::newRow("dashed date") << "2026-03-08" << false << qint64(0);
        QTest::newRow("grouped") << "1,000" << false << qint64(0);
        QTest::newRow("fullwidth digits") << "１２" << false << qint64(0);
        QTest::newRow("decimal point") << "12.5" << false << qint64(0);
    }
    void decimal()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, value);
        const auto parsed = decimalInteger(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void removalShiftsIndices()
    {
        CarRowModel model;
        model.setRows({Record{{"sCarProductCode", "A"}}, Record{{"sCarProductCode", "B"}},
                       Record{{"sCarProductCode", "C"}, {"sCarStatus", "1"}}});
        QSignalSpy count(&model, &CarRowModel::countChanged);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.removeAt(1);
        QCOMPARE(model.count(), 2);
        QCOMPARE(count.count(), 1);
        QCOMPARE(model.record(1).value(QStringLiteral("sCarProductCode")), QStringLiteral("C"));
        QCOMPARE(model.index(1).data(CarRowModel::CellIndex).toInt(), 1);
        QCOMPARE(model.index(1).data(CarRowModel::CellState).toString(), QStringLiteral("  판매중  "));
        QCOMPARE(changed.count(), 1);
        model.removeAt(5); // out of range: nothing
        QCOMPARE(model.count(), 2);
        QVERIFY(model.record(7).isEmpty());
    }

    void datesChangeTheTintOfShownRows()
    {
        CarRowModel model;
        model.setRows({Record{{"sCarProductCheckDate", "20250101"}}});
        QCOMPARE(model.view(0).tint, CarRowTint::None); // no reference dates yet
        model.setDates(CarRowDates{QStringLiteral("20251115"), QStringLiteral("20260308")});
        QCOMPARE(model.view(0).tint, CarRowTint::OldCheck);
    }
};

QTEST_MAIN(TestCarRow)
#include "tst_car_row.moc"
