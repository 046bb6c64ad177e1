// SPDX-License-Identifier: GPL-3.0-or-later
// The session's sensor history: its bound, the chart's decimation and the
// CSV export's lines.

#include "clock/SensorHistory.h"
#include "files/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 kHour = 60 * 60 * 1000;
constexpr float kNone = SensorSample::kMissing;

SensorSample Sample(qint64 ms, float temperature = 20, float humidity = kNone, float pressure = kNone,
    float light = kNone)
{
    SensorSample sample;
    sample.msecsUtc = ms;
    sample.values[0] = temperature;
    sample.values[1] = humidity;
    sample.values[2] = pressure;
    sample.values[3] = light;
    return sample;
}

// "low..high" per column, "-" for an empty one.
QStringList Shown(const std::vector<ColumnRange>& columns)
{
    QStringList shown;
    for (const ColumnRange& column : columns)
        shown << (column.Empty() ? QStringLiteral("-") : QStringLiteral("%1..%2").arg(column.low).arg(column.high));
    return shown;
}

} // namespace

using Times = QList<qint64>;
using Samples = QList<SensorSample>;
Q_DECLARE_METATYPE(SensorSample)

class SensorHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void bound_data();
    void bound();
    void capKeepsTheNewest();
    void decimation_data();
    void decimation();
    void csv_data();
    void csv();
    void csvFileHasCrLf();
};

void SensorHistoryTest::bound_data()
{
    QTest::addColumn<Times>("added");
    QTest::addColumn<Times>("kept");

    QTest::newRow("within a day") << Times{0, kHour, 23 * kHour} << Times{0, kHour, 23 * kHour};
    QTest::newRow("exactly a day kept") << Times{0, 24 * kHour} << Times{0, 24 * kHour};
    QTest::newRow("a day and a millisecond dropped") << Times{0, 1, 24 * kHour + 1} << Times{1, 24 * kHour + 1};
    QTest::newRow("a jump drops all before") << Times{0, kHour, 48 * kHour} << Times{48 * kHour};
    QTest::newRow("clock set back drops the newer") << Times{0, 10, 20, 15} << Times{0, 10, 15};
    QTest::newRow("same time twice kept") << Times{5, 5} << Times{5, 5};
}

void SensorHistoryTest::bound()
{
    QFETCH(Times, added);
    QFETCH(Times, kept);
    SensorHistory history;
    for (const qint64 ms : added)
        history.Add(Sample(ms));
    Times times;
    for (const SensorSample& sample : history.Samples())
        times << sample.msecsUtc;
    QCOMPARE(times, kept);
}

void SensorHistoryTest::capKeepsTheNewest()
{
    SensorHistory history;
    const qint64 count = qint64(SensorHistory::kMaxSamples) + 10;
    for (qint64 i = 0; i < count; ++i)
        history.Add(Sample(i * 100)); // ten a second: the cap, not the day, bounds them
    history.Add(Sample(count * 100, kNone)); // nothing read: not a sample
    QCOMPARE(history.Size(), SensorHistory::kMaxSamples);
    QCOMPARE(history.Samples().front().msecsUtc, 10 * 100);
    QCOMPARE(history.Samples().back().msecsUtc, (count - 1) * 100);
}

void SensorHistoryTest::decimation_data()
{
    QTest::addColumn<Samples>("samples");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("shown");

    // The span is [0, 100): 25 ms per column with 4 columns.
    const Samples spike{Sample(0, 20), Sample(10, 21), Sample(20, 90), Sample(30, 22), Sample(60, 19)};
    QTest::newRow("min and max per column keep a spike")
        << spike << 4 << QStringList{"20..90", "22..22", "19..19", "-"};
    QTest::newRow("one column holds all") << spike << 1 << QStringList{"19..90"};
    QTest::newRow("no columns") << spike << 0 << QStringList{};
    QTest::newRow("missing readings left out")
        << Samples{Sample(0, kNone, 50), Sample(60, 18)} << 2 << QStringList{"-", "18..18"};
    QTest::newRow("outside the span left out")
        << Samples{Sample(-1, 5), Sample(0, 6), Sample(99, 7), Sample(100, 8)} << 2 << QStringList{"6..6", "7..7"};
    QTest::newRow("more columns than samples")
        << Samples{Sample(0, 1), Sample(50, 2)} << 10
        << QStringList{"1..1", "-", "-", "-", "-", "2..2", "-", "-", "-", "-"};
}

void SensorHistoryTest::decimation()
{
    QFETCH(Samples, samples);
    QFETCH(int, columns);
    QFETCH(QStringList, shown);
    const std::deque<SensorSample> history(samples.begin(), samples.end());
    const SensorColumns all = DecimateByColumn(history, 0, 100, columns);
    QCOMPARE(Shown(all[std::size_t(Sensor::Temperature)]), shown);
    // The other sensors bucket alike: humidity here is the temperature plus one.
    std::deque<SensorSample> shifted;
    for (SensorSample sample : history) {
        sample.values[int(Sensor::Humidity)] = sample.values[int(Sensor::Temperature)] + 1;
        shifted.push_back(sample);
    }
    const SensorColumns plusOne = DecimateByColumn(shifted, 0, 100, columns);
    for (std::size_t i = 0; i < plusOne[1].size(); ++i)
        QCOMPARE(plusOne[1][i].low, all[0][i].low + 1);
}

void SensorHistoryTest::csv_data()
{
    QTest::addColumn<Samples>("samples");
    QTest::addColumn<QList<QByteArray>>("lines");

    const QByteArray header = "time,temperature_c,humidity_pct,pressure_hpa,light";
    // 2026-12-09T12:00:00.250Z
    const qint64 noon = QDateTime(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch() + 250;
    QTest::newRow("empty: the header alone") << Samples{} << QList<QByteArray>{header};
    QTest::newRow("all four")
        << Samples{Sample(noon, -10, 50, 1013, 5)}
        << QList<QByteArray>{header, "2026-12-09T12:00:00.250Z,-10,50,1013,5"};
    QTest::newRow("missing fields empty")
        << Samples{Sample(noon, kNone, 43, kNone, kNone), Sample(noon + 1000, 21)}
        << QList<QByteArray>{header, "2026-12-09T12:00:00.250Z,,43,,", "2026-12-09T12:00:01.250Z,21,,,"};
    QTest::newRow("full pressure, no exponent")
        << Samples{Sample(noon, 127, 0, 65535, 255)}
        << QList<QByteArray>{header, "2026-12-09T12:00:00.250Z,127,0,65535,255"};
}

void SensorHistoryTest::csv()
{
    QFETCH(Samples, samples);
    QFETCH(QList<QByteArray>, lines);
    const std::deque<SensorSample> history(samples.begin(), samples.end());
    QCOMPARE(SensorCsvLines(history), lines);
}

void SensorHistoryTest::csvFileHasCrLf()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sensors.csv"));
    QVERIFY(SaveLines(file, SensorCsvLines({Sample(0, 1, 2, 3, 4)})));
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(),
        QByteArray("time,temperature_c,humidity_pct,pressure_hpa,light\r\n1970-01-01T00:00:00.000Z,1,2,3,4\r\n"));
}

QTEST_GUILESS_MAIN(SensorHistoryTest)
#include "tst_sensorhistory.moc"
