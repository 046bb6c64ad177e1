// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PanelFixture.h"

#include "widgets/MavoTrend.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void Reply(Panel& p, const QByteArray& line) { p.form.ReceiveMemo.Append(line); }

const char* const kEdits[] = {"DCFSuccessEdit", "DCFYearEdit", "DCFMonthEdit", "DCFDayEdit", "DCFWDayEdit",
    "DCFHourEdit", "DCFMinuteEdit", "DCFPSuccessEdit"};
const char* const kLeds[] = {"DCFWaitSyncLEDlabel", "DCFReadyLEDLabel", "DCFParityErrorLEDLabel",
    "DCFErrorLEDLabel", "DCFSummerTimeLEDLabel"};

// Total 1, year "99", month byte 08, day byte 00, hour and minute bytes FF
// (both error lamps and summer time lit), last hour 1.
const QByteArray kEarlierState = "[019908"
                                 "00FFFF01";
const QStringList kEarlierTexts = {"  1", "99", "01", "00", " 0", "45", "85", "  1"};

QList<int> ChartValues(TMavoTrend* chart)
{
    QList<int> values;
    for (int i = 0; i < 24; ++i)
        values << chart->Value(i);
    return values;
}

} // namespace

class Dcf77Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ScreenCursor::SetArrow(); }

    void stateReply_data();
    void stateReply();
    void memoryReadReply_data();
    void memoryReadReply();
    void getStatisticsQueuesTheHours();
    void statisticsExport_data();
    void statisticsExport();
    void failedExportReports();
};

void Dcf77Test::stateReply_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("lamps"); // wait, ready, parity error, error, summer time

    QTest::newRow("month 0x8A: 11, weekday 2")
        << QByteArray("[05268A000000"
                      "03")
        << QStringList{"  5", "26", "11", "00", " 2", "00", "00", "  3"} << "00000";
    QTest::newRow("minute 0xB3: 59, summer time")
        << QByteArray("[00260800"
                      "00B3"
                      "00")
        << QStringList{"  0", "26", "01", "00", " 0", "00", "59", "  0"} << "00001";
    QTest::newRow("day 0xC7: 31, both state lamps")
        << QByteArray("[FF2608C7"
                      "0000"
                      "3C")
        << QStringList{"255", "26", "01", "31", " 0", "00", "00", " 60"} << "11000";
    QTest::newRow("hour 0x5F: 17, both error lamps, lower-case hex")
        << QByteArray("[0a2608005f00ff") << QStringList{" 10", "26", "01", "00", " 0", "17", "00", "255"}
        << "00110";
    QTest::newRow("ends after the day")
        << QByteArray("[0A2681C5") << QStringList{" 10", "26", "10", "31", " 1", "45", "85", "  1"}
        << "01111";
    QTest::newRow("minute not a number")
        << QByteArray("[0A2681C5"
                      "04"
                      "x1"
                      "02")
        << QStringList{" 10", "26", "10", "31", " 1", "01", "85", "  1"} << "01001";
    QTest::newRow("month not a number")
        << QByteArray("[0A26"
                      "G1C5040202")
        << QStringList{" 10", "26", "01", "00", " 0", "45", "85", "  1"} << "00111";
    QTest::newRow("total not a number") << QByteArray("[ 126810000000000") << kEarlierTexts << "00111";
}

void Dcf77Test::stateReply()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, texts);
    QFETCH(QString, lamps);
    Panel p;
    Reply(p, kEarlierState);
    Reply(p, line);
    QStringList shown;
    for (const char* edit : kEdits)
        shown << p.Get<QLineEdit>(edit)->text();
    QCOMPARE(shown, texts);
    QString lit;
    for (const char* led : kLeds)
        lit += p.Get<TLED>(led)->Lit() ? '1' : '0';
    QCOMPARE(lit, lamps);
}

void Dcf77Test::memoryReadReply_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("hour"); // -1: nothing stored
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("chartFilled");
    QTest::newRow("A0F7 3C: hour 23, chart filled") << QByteArray("FA0F73C") << 23 << 60 << true;
    QTest::newRow("A0E5 0C: hour 5 only") << QByteArray("EA0E50C") << 5 << 12 << false;
    QTest::newRow("lower case, above the chart's range") << QByteArray("Ea0f7ff") << 23 << 255 << true;
    QTest::newRow("A1E0") << QByteArray("FA1E011") << -1 << 0 << false;
    QTest::newRow("A0DF") << QByteArray("FA0DF11") << -1 << 0 << false;
    QTest::newRow("A0F8") << QByteArray("FA0F811") << -1 << 0 << false;
    QTest::newRow("other address, data no number") << QByteArray("FA1E0zz") << -1 << 0 << false;
    QTest::newRow("A0F7, data no number") << QByteArray("FA0F7zz") << -1 << 0 << false;
    QTest::newRow("address no number") << QByteArray("FA0x711") << -1 << 0 << false;
}

void Dcf77Test::memoryReadReply()
{
    QFETCH(QByteArray, line);
    QFETCH(int, hour);
    QFETCH(int, stored);
    QFETCH(bool, chartFilled);
    Panel p;
    auto* chart = p.Get<TMavoTrend>("MavoTrend1");
    p.form.DcfHourStats.fill(7);
    std::array<int, 24> expected;
    expected.fill(7);
    if (hour >= 0)
        expected[size_t(hour)] = stored;
    Reply(p, line);
    QCOMPARE(p.form.DcfHourStats, expected);
    QList<int> shown(24, chartFilled ? 7 : 0);
    if (chartFilled)
        shown[23] = qMin(stored, 60);
    QCOMPARE(ChartValues(chart), shown);
    QVERIFY(p.Queue().isEmpty());
}

void Dcf77Test::getStatisticsQueuesTheHours()
{
    Panel p;
    p.Open();
    ScreenCursor::SetArrow();
    p.Get<QPushButton>("getStatisticsButton")->click();
    const Lines queued = p.Queue();
    QCOMPARE(queued.size(), 24);
    QCOMPARE(queued.first(), QByteArray("fA0E0"));
    QCOMPARE(queued.at(10), QByteArray("fA0EA"));
    QCOMPARE(queued.at(15), QByteArray("fA0EF"));
    QCOMPARE(queued.at(16), QByteArray("fA0F0"));
    QCOMPARE(queued.last(), QByteArray("fA0F7"));
    QVERIFY(!ScreenCursor::IsHourglass());
}

void Dcf77Test::statisticsExport_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("read");
    QTest::newRow("menu, before any statistics") << "SaveDCF77statistics1" << false;
    QTest::newRow("button, before any statistics") << "Button5" << false;
    QTest::newRow("menu, statistics read") << "SaveDCF77statistics1" << true;
}

void Dcf77Test::statisticsExport()
{
    QFETCH(QString, trigger);
    QFETCH(bool, read);
    QTemporaryDir dir;
    Panel p;
    QByteArray expected;
    for (int hour = 0; hour < 24; ++hour)
        expected += QByteArray::number(hour).rightJustified(2, '0') + " 00\r\n";
    if (read) {
        Reply(p, "FA0E307");
        Reply(p, "FA0F7C8");
        expected.replace("03 00\r\n", "03 07\r\n");
        expected.replace("23 00\r\n", "23 200\r\n");
    }
    p.dialogs->saveFile = dir.filePath(QStringLiteral("stats.txt"));
    p.Open();
    if (trigger == QLatin1String("Button5"))
        p.Get<QPushButton>("Button5")->click();
    else
        p.Action("SaveDCF77statistics1")->trigger();
    QCOMPARE(p.dialogs->specs, QStringList{"Save DCF77 history"});
    QFile file(p.dialogs->saveFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
    QVERIFY(p.dialogs->messages.isEmpty());
    QVERIFY(p.Queue().isEmpty());
}

void Dcf77Test::failedExportReports()
{
    QTemporaryDir dir;
    Panel p;
    p.Action("SaveDCF77statistics1")->trigger(); // cancelled
    QVERIFY(p.dialogs->messages.isEmpty());
    p.dialogs->saveFile = dir.filePath(QStringLiteral("gone/stats.txt"));
    p.Open();
    p.Get<QPushButton>("Button5")->click();
    QCOMPARE(p.dialogs->messages, QStringList{"File save error " + p.dialogs->saveFile + "\nNo such folder"});
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_MAIN(Dcf77Test)
#include "tst_dcf77.moc"
