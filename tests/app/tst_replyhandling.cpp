// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PanelFixture.h"

#include "protocol/replies/ReplyTable.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

// Reply lines reach the window as the receive path hands them over.
static void Reply(Panel& p, const QByteArray& line) { p.form.ReceiveMemo.Append(line); }

static Lines AlarmQueries(int count)
{
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines << QByteArray("l") + QByteArray::number(i).rightJustified(2, '0');
    return lines << "z0190";
}

class ReplyHandlingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ScreenCursor::SetArrow(); }

    void linesWithoutKindChangeNothing_data();
    void linesWithoutKindChangeNothing();
    void everyKindHasItsHandler();
    void identification_data();
    void identification();
    void version_data();
    void version();
    void config_data();
    void config();
    void configWithoutNumberChangesNothing();
    void secondConfigAppendsAgain();
    void endOfReadEndsTheFirstLoad();
    void statusFlags_data();
    void statusFlags();
    void statusWithoutRemainingSetsOnlyTheBoxes();
    void repeatedInvalidTimeKeepsTheBlinkGoing();
    void extraFlags_data();
    void extraFlags();
    void dateReply();
    void dateReplyLeavesUserPickersWithoutRefresh();
    void impossibleDatesChangeNothing_data();
    void impossibleDatesChangeNothing();
    void timeReply();
    void relay_data();
    void relay();
    void relayIrTime();
    void sendButtons();
};

void ReplyHandlingTest::linesWithoutKindChangeNothing_data()
{
    QTest::addColumn<QByteArray>("line");
    for (const char* line : {"U1234", "pelk", "0Pelk", "]x", "^80"})
        QTest::newRow(line) << QByteArray(line);
    QTest::newRow("empty") << QByteArray();
}

void ReplyHandlingTest::linesWithoutKindChangeNothing()
{
    QFETCH(QByteArray, line);
    Panel p;
    p.form.QueueCommand("c");
    Reply(p, line);
    QCOMPARE(p.Queue(), Lines{"c"});
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), QStringLiteral("Press open to connect to the clock"));
    QVERIFY(p.form.ReceiveMemo.IsEmpty());
}

// The frame and the pages register their kinds; none may be left out.
void ReplyHandlingTest::everyKindHasItsHandler()
{
    Panel p;
    for (const ReplyRow& row : ReplyTable())
        QVERIFY2(p.form.HandlesReply(row.kind), row.letters);
}

void ReplyHandlingTest::identification_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Lines>("queue");
    QTest::newRow("Pelk") << QByteArray("Pelk Whirlbeam V4") << "Pelk Whirlbeam V4" << Lines{"c", "d"};
    QTest::newRow("letter case") << QByteArray("PELK") << "Not a whirlbeam clock" << Lines{"p"};
    QTest::newRow("short") << QByteArray("Pel") << "Not a whirlbeam clock" << Lines{"p"};
}

void ReplyHandlingTest::identification()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    QFETCH(Lines, queue);
    Panel p;
    p.form.QueueCommand("c");
    p.form.QueueCommand("d");
    Reply(p, line);
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), shown);
    QCOMPARE(p.Queue(), queue);
}

void ReplyHandlingTest::version_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Lines>("queue");
    QTest::newRow("04") << QByteArray("V04.02") << "04.02" << Lines{"c"};
    QTest::newRow("02") << QByteArray("V02.10") << "Invalid" << Lines{"p", "v"};
    QTest::newRow("V alone") << QByteArray("V") << "Version not read" << Lines{"c"};
}

void ReplyHandlingTest::version()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    QFETCH(Lines, queue);
    Panel p;
    p.form.QueueCommand("c");
    Reply(p, line);
    QCOMPARE(p.Get<QLineEdit>("VersionEdit")->text(), shown);
    QCOMPARE(p.Queue(), queue);
}

void ReplyHandlingTest::config_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("chip");
    QTest::newRow("20 alarms") << QByteArray("O2005") << 20 << " 16F628 - 648";
    QTest::newRow("21 alarms") << QByteArray("O2105") << 21 << " 16F87 - 88";
    QTest::newRow("chip 50") << QByteArray("O200550") << 20 << " 18F2550";
    QTest::newRow("chip 99") << QByteArray("O400599") << 40 << "";
    QTest::newRow("none") << QByteArray("O0005") << 0 << " 16F628 - 648";
}

void ReplyHandlingTest::config()
{
    QFETCH(QByteArray, line);
    QFETCH(int, count);
    QFETCH(QString, chip);
    Panel p;
    p.form.QueueCommand("c");
    Reply(p, "Pelk clock");
    Reply(p, line);
    QCOMPARE(p.form.AlarmCount, count);
    QCOMPARE(p.Queue(), Lines{"c"} + AlarmQueries(count));
    QCOMPARE(p.Get<QLineEdit>("SelfAddressEdit")->text(), QStringLiteral("05"));
    QCOMPARE(p.form.StatusText(0), QStringLiteral("Connected"));
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), QStringLiteral("Pelk clock") + chip);
    QVERIFY(ScreenCursor::IsHourglass());
}

void ReplyHandlingTest::configWithoutNumberChangesNothing()
{
    Panel p;
    Reply(p, "Ox005");
    QCOMPARE(p.form.AlarmCount, 0);
    QVERIFY(p.Queue().isEmpty());
    QCOMPARE(p.form.StatusText(0), QStringLiteral("Not connected"));
    QVERIFY(!ScreenCursor::IsHourglass());
}

void ReplyHandlingTest::secondConfigAppendsAgain()
{
    Panel p;
    Reply(p, "Pelk");
    Reply(p, "O201F50");
    Reply(p, "O201F50");
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), QStringLiteral("Pelk 18F2550 18F2550"));
    Reply(p, "Pelk");
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), QStringLiteral("Pelk"));
}

void ReplyHandlingTest::endOfReadEndsTheFirstLoad()
{
    Panel p;
    QSignalSpy firstLoad(&p.form, &TForm1::FirstLoadDone);
    ScreenCursor::SetHourglass();
    Reply(p, "Z");
    Reply(p, "Z");
    QCOMPARE(firstLoad.count(), 1);
    QVERIFY(!p.form.InitialLoad);
    QVERIFY(!ScreenCursor::IsHourglass());
    for (const char* item : {"LoadAlarms", "SaveAlarms", "Loadparameters", "Saveparameters", "SaveIRcommandhistory"})
        QVERIFY2(p.Action(item)->isEnabled(), item);
}

void ReplyHandlingTest::statusFlags_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QList<bool>>("leds"); // HP, LP, No, Index, Run, Error
    QTest::newRow("82 sleep, invalid") << QByteArray("W8200000A") << "Whirlbeam in sleep mode"
                                       << "Time is invalid" << QList<bool>{false, true, false, false, true, true};
    QTest::newRow("42 deep sleep") << QByteArray("W42000000") << "Whirlbeam in deap sleep mode"
                                   << "Time is valid" << QList<bool>{false, false, true, false, true, false};
    QTest::newRow("40 deep without sleep") << QByteArray("W40000000") << "Whirlbeam in run mode"
                                           << "Time is valid" << QList<bool>{false, false, true, false, true, false};
    QTest::newRow("0D standby, coil, index") << QByteArray("W0D000000") << "Whirlbeam in run mode"
                                             << "Time is valid" << QList<bool>{true, false, false, true, false, false};
}

void ReplyHandlingTest::statusFlags()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, mode);
    QFETCH(QString, time);
    QFETCH(QList<bool>, leds);
    Panel p;
    Reply(p, line);
    QCOMPARE(p.form.StatusText(1), mode);
    QCOMPARE(p.form.StatusText(3), time);
    const char* names[] = {"CoilHpLED", "CoilLpLED", "CoilNoLED", "IndexLED", "RunLED", "ErrorLED"};
    for (int i = 0; i < leds.size(); ++i)
        QVERIFY2(p.Get<TLED>(names[i])->Lit() == leds[i], names[i]);
    QCOMPARE(p.Get<TLED>("TimeInvalidLED")->Lit(), leds[5]);
    QCOMPARE(p.form.Timer2()->isActive(), leds[5]);
}

void ReplyHandlingTest::statusWithoutRemainingSetsOnlyTheBoxes()
{
    Panel p;
    Reply(p, "W0A80");
    QVERIFY(p.Get<QCheckBox>("SleepCheckBox")->isChecked());
    QVERIFY(p.Get<QCheckBox>("IndexCheckBox")->isChecked());
    QVERIFY(!p.Get<QCheckBox>("InvalidTimeCheckBox")->isChecked());
    QVERIFY(!p.Get<TLED>("IndexLED")->Lit());
    QVERIFY(p.form.StatusText(1).isEmpty());
    QVERIFY(p.Get<QLineEdit>("RemainingTimeEdit")->text().isEmpty());
    QVERIFY(p.form.Timer2()->isActive());
}

// Status replies come every 140 ms on USB; restarting the 500 ms blink on
// each would keep it from ever firing.
void ReplyHandlingTest::repeatedInvalidTimeKeepsTheBlinkGoing()
{
    Panel p;
    Reply(p, "W00000000");
    Reply(p, "W8200000A");
    QTest::qWait(200);
    Reply(p, "W8200000A");
    QVERIFY(p.form.Timer2()->isActive());
    QVERIFY(p.form.Timer2()->remainingTime() <= 300);
}

void ReplyHandlingTest::extraFlags_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("i2c");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("7F") << QByteArray("W007FFFFF") << false << "   65535";
    QTest::newRow("80") << QByteArray("W00800000") << true << "       0";
}

void ReplyHandlingTest::extraFlags()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, i2c);
    QFETCH(QString, remaining);
    Panel p;
    Reply(p, line);
    QCOMPARE(p.Get<QCheckBox>("I2CBusCheckBox")->isChecked(), i2c);
    QCOMPARE(p.Get<QLineEdit>("RemainingTimeEdit")->text(), remaining);
}

void ReplyHandlingTest::dateReply()
{
    Panel p;
    Reply(p, "D2024022904");
    QCOMPARE(p.Get<QDateEdit>("PcDatePicker")->date(), QDate(2024, 2, 29));
    QCOMPARE(p.Get<QDateEdit>("DateTimePicker3")->date(), QDate(2024, 2, 29));
    QCOMPARE(p.Get<QLineEdit>("PcWdayEdit")->text(), QStringLiteral("4"));
    QCOMPARE(p.Get<QDateEdit>("DatePicker")->date(), QDate::currentDate());
    QCOMPARE(p.Get<QLineEdit>("WdayEdit")->text(), QString::number(QDate::currentDate().dayOfWeek()));
}

void ReplyHandlingTest::dateReplyLeavesUserPickersWithoutRefresh()
{
    Panel p;
    p.Get<QCheckBox>("RefreshTimeCheckBox")->setChecked(false);
    p.Get<QDateEdit>("DatePicker")->setDate(QDate(2024, 1, 7));
    p.Get<QTimeEdit>("TimePicker")->setTime(QTime(7, 5, 9));
    Reply(p, "D2024031505");
    Reply(p, "T120000");
    QCOMPARE(p.Get<QDateEdit>("DatePicker")->date(), QDate(2024, 1, 7));
    QCOMPARE(p.Get<QLineEdit>("WdayEdit")->text(), QStringLiteral("7"));
    QCOMPARE(p.Get<QTimeEdit>("TimePicker")->time(), QTime(7, 5, 9));
}

void ReplyHandlingTest::impossibleDatesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("month 13") << QByteArray("D2024131505");
    QTest::newRow("29 Feb 2023") << QByteArray("D2023022903");
    QTest::newRow("not a number") << QByteArray("D20x4031505");
}

void ReplyHandlingTest::impossibleDatesChangeNothing()
{
    QFETCH(QByteArray, line);
    Panel p;
    p.Get<QDateEdit>("PcDatePicker")->setDate(QDate(2020, 5, 5));
    Reply(p, line);
    QCOMPARE(p.Get<QDateEdit>("PcDatePicker")->date(), QDate(2020, 5, 5));
    QVERIFY(p.Get<QLineEdit>("PcWdayEdit")->text().isEmpty());
}

void ReplyHandlingTest::timeReply()
{
    Panel p;
    Reply(p, "S070509");
    QCOMPARE(p.Get<QTimeEdit>("PcTimePicker")->time(), QTime(7, 5, 9));
    QCOMPARE(p.Get<QTimeEdit>("DateTimePicker2")->time(), QTime(7, 5, 9));
    Reply(p, "T246000");
    QCOMPARE(p.Get<QTimeEdit>("PcTimePicker")->time(), QTime(7, 5, 9));
}

void ReplyHandlingTest::relay_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("on") << QByteArray("Y015A") << true << " 90" << "Relais is on";
    QTest::newRow("03 counts as on") << QByteArray("X0300") << true << "  0" << "Relais is on";
    QTest::newRow("off") << QByteArray("Y0000") << false << "  0" << "Relais is off";
    QTest::newRow("bad minutes") << QByteArray("Y01zz") << false << "" << "";
}

void ReplyHandlingTest::relay()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, on);
    QFETCH(QString, minutes);
    QFETCH(QString, text);
    Panel p;
    Reply(p, line);
    QCOMPARE(p.Get<TLEDLabel>("RelaisLEDLabel")->Lit(), on);
    QCOMPARE(p.Get<TLED>("RelaisLED")->Lit(), on);
    QCOMPARE(p.Get<QLineEdit>("RelaisRemainingEdit")->text(), minutes);
    QCOMPARE(p.form.StatusText(2), text);
}

void ReplyHandlingTest::relayIrTime()
{
    Panel p;
    auto* spin = p.Get<TSpinEdit>("RelOnIrSpinEdit");
    QCOMPARE(spin->Value(), 255);
    Reply(p, "@8014");
    QCOMPARE(spin->Value(), 20);
    Reply(p, "@80x");
    QCOMPARE(spin->Value(), 20);
}

void ReplyHandlingTest::sendButtons()
{
    Panel p;
    p.Get<QDateEdit>("DatePicker")->setDate(QDate(2024, 3, 15));
    p.Get<QTimeEdit>("TimePicker")->setTime(QTime(7, 5, 9));
    p.Open();
    p.Get<QPushButton>("SendDateButton")->click();
    p.Get<QPushButton>("SendTimeButton")->click();
    p.Get<QPushButton>("ClearSecButton")->click();
    QCOMPARE(p.Queue(), (Lines{"b2024031505", "s070509", "c"}));
    QCOMPARE(p.Get<QLineEdit>("WdayEdit")->text(), QStringLiteral("5"));
}

QTEST_MAIN(ReplyHandlingTest)
#include "tst_replyhandling.moc"
