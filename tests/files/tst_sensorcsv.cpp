// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement rows as CSV, and the file they are appended to.
#include "files/SensorCsv.h"

#include <QTemporaryDir>
#include <QtTest>

class SensorCsvTest : public QObject {
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void headerOnlyWhenNew_data();
    void headerOnlyWhenNew();
};

void SensorCsvTest::rows_data()
{
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<QList<int>>("values"); // light, temperature, humidity, pressure; -999 not read
    QTest::addColumn<QByteArray>("row");
    const QDateTime berlin(QDate(2026, 12, 9), QTime(14, 3, 7, 456), QTimeZone("Europe/Berlin"));
    const QDateTime utc(QDate(2026, 7, 1), QTime(0, 0, 0), QTimeZone::utc());
    QTest::newRow("every value") << utc << QList<int>{140, 21, 45, 1013} << QByteArray("2026-07-01T00:00:00Z,21,45,1013,140\r\n");
    QTest::newRow("a local time in UTC, to the second")
        << berlin << QList<int>{0, 0, 0, 0} << QByteArray("2026-12-09T13:03:07Z,0,0,0,0\r\n");
    QTest::newRow("below zero") << utc << QList<int>{3, -12, 99, 980} << QByteArray("2026-07-01T00:00:00Z,-12,99,980,3\r\n");
    QTest::newRow("the values after a failed one are empty")
        << utc << QList<int>{140, 21, -999, -999} << QByteArray("2026-07-01T00:00:00Z,21,,,140\r\n");
    QTest::newRow("nothing read") << utc << QList<int>{-999, -999, -999, -999} << QByteArray("2026-07-01T00:00:00Z,,,,\r\n");
}

void SensorCsvTest::rows()
{
    QFETCH(QDateTime, at);
    QFETCH(QList<int>, values);
    QFETCH(QByteArray, row);
    const auto value = [&](int i) { return values[i] == -999 ? std::nullopt : std::optional<int>(values[i]); };
    QCOMPARE(CsvRow(at, {value(0), value(1), value(2), value(3)}), row);
}

void SensorCsvTest::headerOnlyWhenNew_data()
{
    QTest::addColumn<QByteArray>("before"); // "-": no file
    QTest::addColumn<QByteArray>("after");
    const QByteArray header = "time,temperature_c,humidity_pct,pressure_hpa,light\r\n";
    const QByteArray row = "2026-07-01T00:00:00Z,21,45,1013,140\r\n";
    QTest::newRow("a new file") << QByteArray("-") << header + row;
    QTest::newRow("an empty file") << QByteArray() << header + row;
    QTest::newRow("a file with rows") << header + row << header + row + row;
    QTest::newRow("a file without a header stays so") << row << row + row;
}

void SensorCsvTest::headerOnlyWhenNew()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sensors.csv"));
    if (before != "-") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    }
    {
        SensorCsvFile csv;
        QString error;
        QVERIFY2(csv.Open(path, &error), qPrintable(error));
        QVERIFY(csv.Append(QDateTime(QDate(2026, 7, 1), QTime(0, 0), QTimeZone::utc()), {140, 21, 45, 1013}, &error));
        // Each row is in the file at once, before the file is closed.
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), after);
    }
    SensorCsvFile unwritable;
    QString error;
    QVERIFY(!unwritable.Open(dir.filePath(QStringLiteral("no/such/folder.csv")), &error));
    QVERIFY2(error.contains(QLatin1String("folder.csv")), qPrintable(error));
}

QTEST_MAIN(SensorCsvTest)
#include "tst_sensorcsv.moc"
