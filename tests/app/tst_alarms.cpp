// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/AlarmTable.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/replies/AlarmReply.h"
#include "support/PanelFixture.h"
#include "support/TinyDisk.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QFile>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>
#include <unistd.h>

namespace {

void Reply(Panel& p, const QByteArray& line) { p.form.ReceiveMemo.Append(line); }

// A row's state as one word: enable, W1..W7, ignore hour, Pon, Poff, Sound,
// RelOn (x or -), then the time and the spin value.
QString RowState(const AlarmRow& row)
{
    QString boxes;
    const auto mark = [&boxes](const QCheckBox* box) { boxes += box->isChecked() ? 'x' : '-'; };
    mark(row.EnableCheckBox);
    for (const QCheckBox* day : row.WCheckBoxes)
        mark(day);
    for (const QCheckBox* box : {row.IgnoreHourCheckBox, row.PonCheckBox, row.PoffCheckBox, row.SoundCheckBox,
                                 row.RelOnCheckBox})
        mark(box);
    return boxes + QLatin1Char(' ') + row.TimePicker->time().toString(QStringLiteral("HH:mm")) + QLatin1Char(' ')
        + QString::number(row.SpinEdit->Value());
}

QByteArray Row(int row) { return QByteArray::number(row).rightJustified(2, '0'); }

void ClickArrow(QTimeEdit* picker, QStyle::SubControl arrow)
{
    QStyleOptionSpinBox option;
    option.initFrom(picker);
    option.frame = picker->hasFrame();
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp
        | QStyle::SC_SpinBoxDown;
    const QRect button = picker->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, picker);
    QTest::mouseClick(picker, Qt::LeftButton, {}, button.center());
}

} // namespace

class AlarmsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ScreenCursor::SetArrow(); }

    void alarmReply_data();
    void alarmReply();
    void repliesForMissingRowsChangeNothing_data();
    void repliesForMissingRowsChangeNothing();
    void actionBoxRulesOnClick();
    void timeEditsByKeysAndArrows_data();
    void timeEditsByKeysAndArrows();
    void bankButtons_data();
    void bankButtons();
    void clearAlarmSound();
    void rereadIgnoresAlarmCount_data();
    void rereadIgnoresAlarmCount();

    void loadQueuesTheClocksRows_data();
    void loadQueuesTheClocksRows();
    void loadOfMissingFileReportsIt();
    void saveWritesTheClocksRows_data();
    void saveWritesTheClocksRows();
    void saveRoundTrips();
    void failedSaveReportsAndKeepsTheOldFile();
    void saveIntoMissingFolderReports();
    void saveOntoABadDiskKeepsTheOldFile_data();
    void saveOntoABadDiskKeepsTheOldFile();
    void cancelledDialogsDoNothing();
};

void AlarmsTest::alarmReply_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("state");
    // E W1..W7 I Pon Poff Sound RelOn
    QTest::newRow("relay 30 on weekday 1") << QByteArray("L058107309E") << "xx----------x 07:30 30";
    QTest::newRow("7F: off clears on, count 15") << QByteArray("L050007307F") << "----------xx- 07:30 15";
    QTest::newRow("hour 45 ignores the hour") << QByteArray("L050045301A") << "--------x--x- 13:30 10";
    QTest::newRow("hour 32") << QByteArray("K0500320060") << "--------x-x-- 00:00 0";
    QTest::newRow("hour 24 stops after the flag") << QByteArray("L05FF24001A") << "xxxxxxxx----- 00:00 0";
    QTest::newRow("hour 56 flags and stops") << QByteArray("L0500560010") << "--------x---- 00:00 0";
    QTest::newRow("hour not a number") << QByteArray("L0581xx3010") << "xx----------- 00:00 0";
    QTest::newRow("minute 60") << QByteArray("L0500126010") << "------------- 00:00 0";
    QTest::newRow("action not hex") << QByteArray("L05812359zz") << "xx----------- 23:59 0";
    QTest::newRow("all weekdays") << QByteArray("L057F000000") << "-xxxxxxx----- 00:00 0";
    QTest::newRow("60: off clears on") << QByteArray("L0500083060") << "----------x-- 08:30 0";
    QTest::newRow("relay with every bit") << QByteArray("L05FF2359FF") << "xxxxxxxx----x 23:59 127";
}

void AlarmsTest::alarmReply()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, state);
    Panel p;
    Reply(p, line);
    QCOMPARE(RowState(p.form.Alarms()->AlarmRows[5]), state);
    // The core's row, which the command line saves, is the table's.
    AlarmSettings core;
    core.row = "05";
    ApplyAlarmReply(core, DecodeAlarm(line));
    QCOMPARE(AlarmCommand(core), p.form.Alarms()->RowCommand(5));
}

void AlarmsTest::repliesForMissingRowsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("40") << QByteArray("L40FF07008A");
    QTest::newRow("99") << QByteArray("L99FF07008A");
    QTest::newRow("-1") << QByteArray("L-1FF07008A");
    QTest::newRow("not a number") << QByteArray("LxxFF07008A");
}

void AlarmsTest::repliesForMissingRowsChangeNothing()
{
    QFETCH(QByteArray, line);
    Panel p;
    Reply(p, line);
    for (const AlarmRow& row : p.form.Alarms()->AlarmRows)
        QCOMPARE(RowState(row), QStringLiteral("------------- 00:00 0"));
}

void AlarmsTest::actionBoxRulesOnClick()
{
    Panel p;
    p.Open();
    const AlarmRow& row = p.form.Alarms()->AlarmRows[2];
    row.PoffCheckBox->click();
    row.PonCheckBox->click();
    QVERIFY(row.PonCheckBox->isChecked() && !row.PoffCheckBox->isChecked());
    row.SoundCheckBox->click();
    QVERIFY(row.PonCheckBox->isChecked() && row.SoundCheckBox->isChecked());
    row.RelOnCheckBox->click();
    QVERIFY(!row.PonCheckBox->isChecked() && !row.SoundCheckBox->isChecked());
    row.SoundCheckBox->click();
    QVERIFY(!row.RelOnCheckBox->isChecked());
}

// Keys: A Ctrl+A, H Home, E End, u Up, d Down, + and - the arrow buttons,
// anything else typed.
void AlarmsTest::timeEditsByKeysAndArrows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    const QTime early(6, 30);
    for (const int row : {0, 27}) {
        const QByteArray at = " (row " + Row(row) + ")";
        QTest::newRow("select all, type" + at) << row << early << "A07:45" << "07:45";
        QTest::newRow("Home, Up: the hour" + at) << row << early << "Hu" << "07:30";
        QTest::newRow("End, Down: the minute" + at) << row << early << "Ed" << "06:29";
        QTest::newRow("arrow up on the hour" + at) << row << early << "H+" << "07:30";
        QTest::newRow("arrow down on the minute" + at) << row << early << "E-" << "06:29";
    }
    QTest::newRow("23:59 is the top") << 0 << QTime(23, 59) << "E+Hu" << "23:59";
    QTest::newRow("00:00 is the bottom") << 27 << QTime(0, 0) << "H-Ed" << "00:00";
}

void AlarmsTest::timeEditsByKeysAndArrows()
{
    QFETCH(int, row);
    QFETCH(QTime, start);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.form.AlarmCount = 40;
    p.Action(row < 20 ? "Alarms1" : "AlarmsII1")->trigger();
    p.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&p.form));
    const AlarmRow& alarm = p.form.Alarms()->AlarmRows[size_t(row)];
    QTimeEdit* picker = alarm.TimePicker;
    picker->setTime(start);
    picker->setFocus(Qt::TabFocusReason);
    for (const QChar key : keys) {
        switch (key.unicode()) {
        case 'A': QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier); break;
        case 'H': QTest::keyClick(picker, Qt::Key_Home); break;
        case 'E': QTest::keyClick(picker, Qt::Key_End); break;
        case 'u': QTest::keyClick(picker, Qt::Key_Up); break;
        case 'd': QTest::keyClick(picker, Qt::Key_Down); break;
        case '+': ClickArrow(picker, QStyle::SC_SpinBoxUp); break;
        case '-': ClickArrow(picker, QStyle::SC_SpinBoxDown); break;
        default: QTest::keyClick(picker, key.toLatin1());
        }
    }
    QCOMPARE(picker->text(), shown);
    alarm.SendButton->click();
    QCOMPARE(p.Queue(), Lines{"k" + Row(row) + "00" + shown.remove(':').toLatin1() + "00"});
}

void AlarmsTest::bankButtons_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<int>("first");
    QTest::addColumn<bool>("disables");
    QTest::newRow("send I") << QByteArray("SendAlarmsButton") << 0 << false;
    QTest::newRow("disable I") << QByteArray("DisableAlarmsButton") << 0 << true;
    QTest::newRow("send II") << QByteArray("SendAlarms2Button") << 20 << false;
    QTest::newRow("disable II") << QByteArray("DisableAlarms2Button") << 20 << true;
}

void AlarmsTest::bankButtons()
{
    QFETCH(QByteArray, button);
    QFETCH(int, first);
    QFETCH(bool, disables);
    Panel p;
    for (int row = 0; row < 40; ++row)
        Reply(p, "L" + Row(row) + "FF0700" + (row % 2 ? "8A" : "13"));
    p.Open();
    p.Get<QPushButton>(button.constData())->click();

    Lines expected;
    for (int row = first; row < first + 20; ++row)
        expected << "k" + Row(row) + (disables ? "7F" : "FF") + "0700" + (row % 2 ? "8A" : "13");
    QCOMPARE(p.Queue(), expected + Lines{"z0190"});
    QVERIFY(ScreenCursor::IsHourglass());
    for (int row = 0; row < 40; ++row) {
        const bool inBank = row >= first && row < first + 20;
        QCOMPARE(p.form.Alarms()->AlarmRows[size_t(row)].EnableCheckBox->isChecked(), !(disables && inBank));
        QCOMPARE(p.form.Alarms()->AlarmRows[size_t(row)].WCheckBoxes[6]->isChecked(), true);
    }
}

void AlarmsTest::clearAlarmSound()
{
    Panel p;
    p.Open();
    ScreenCursor::SetArrow();
    p.Get<QPushButton>("ClearAlarmSoundButton")->click();
    p.Get<QPushButton>("ClearAlarmSound2Button")->click();
    QCOMPARE(p.Queue(), (Lines{"~80", "~80"}));
    QVERIFY(!ScreenCursor::IsHourglass());
}

void AlarmsTest::rereadIgnoresAlarmCount_data()
{
    QTest::addColumn<int>("alarmCount");
    QTest::newRow("20") << 20;
    QTest::newRow("40") << 40;
}

void AlarmsTest::rereadIgnoresAlarmCount()
{
    QFETCH(int, alarmCount);
    Panel p;
    p.Open();
    p.form.AlarmCount = alarmCount;
    p.Get<QPushButton>("RereadAlarms2Button")->click();
    Lines expected;
    for (int row = 20; row < 40; ++row)
        expected << "l" + Row(row);
    QCOMPARE(p.Queue(), expected + Lines{"z0190"});
    QVERIFY(ScreenCursor::IsHourglass());
    p.form.ClearCommandQueue();
    p.Get<QPushButton>("RereadAlarmsButton")->click();
    QCOMPARE(p.Queue().first(), QByteArray("l00"));
    QCOMPARE(p.Queue().size(), 21);
}

void AlarmsTest::loadQueuesTheClocksRows_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("alarmCount");
    QTest::addColumn<int>("alarmsQueued");
    QTest::addColumn<QString>("stoppedAt"); // the box's second line; empty when the load ran through
    QByteArray forty;
    for (int row = 0; row < 40; ++row)
        forty += "k" + Row(row) + "9F063013\r\n";
    QTest::newRow("40 into 20") << forty << 20 << 20 << "";
    QTest::newRow("extra empty line") << forty + "\r\n" << 40 << 40
                                      << "Line 41 is not an alarm line: \"\"; 40 alarms before line 41 were sent to the clock";
    QTest::newRow("stopped, rows the clock lacks not counted")
        << forty + "\r\n" << 20 << 20
        << "Line 41 is not an alarm line: \"\"; 20 alarms before line 41 were sent to the clock";
    QTest::newRow("empty file") << QByteArray() << 20 << 0 << "";
    QTest::newRow("not an alarm file") << QByteArray("hello\r\n") << 40 << 0
                                       << "Line 1 is not an alarm line: \"hello\"; no alarm was sent to the clock";
    QTest::newRow("bytes beyond ASCII escaped")
        << QByteArray("k009F063013\r\nk\x01\xff\r\n") << 40 << 1
        << "Line 2 is not an alarm line: \"k\\x01\\xFF\"; 1 alarm before line 2 was sent to the clock";
    QTest::newRow("larger than 1 MiB") << QByteArray(1024 * 1024 + 1, 'k') << 40 << 0
                                       << "larger than 1 MiB: not an alarm file";
}

void AlarmsTest::loadQueuesTheClocksRows()
{
    QFETCH(QByteArray, content);
    QFETCH(int, alarmCount);
    QFETCH(int, alarmsQueued);
    QFETCH(QString, stoppedAt);
    const bool ended = stoppedAt.isEmpty();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clock.alm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    Panel p;
    p.form.AlarmCount = alarmCount;
    p.dialogs->openFile = path;
    p.form.LoadAlarmsClick();
    QCOMPARE(p.dialogs->specs, QStringList{"Open alarms"});
    QCOMPARE(p.Queue().count(), alarmsQueued + (ended ? 1 : 0));
    QCOMPARE(p.Queue().isEmpty() ? QByteArray() : p.Queue().last(),
             ended ? QByteArray("z0190") : alarmsQueued ? "k" + Row(alarmsQueued - 1) + "9F063013" : QByteArray());
    QCOMPARE(p.dialogs->messages, ended ? QStringList{} : QStringList{"File read error " + path + "\n" + stoppedAt});
    QVERIFY(ScreenCursor::IsHourglass());
    for (const AlarmRow& row : p.form.Alarms()->AlarmRows)
        QVERIFY2(!row.EnableCheckBox->isChecked(), "loading leaves the rows to the clock's replies");
}

void AlarmsTest::loadOfMissingFileReportsIt()
{
    QTemporaryDir dir;
    Panel p;
    p.dialogs->openFile = dir.filePath(QStringLiteral("none.alm"));
    p.form.LoadAlarmsClick();
    QCOMPARE(p.dialogs->messages, QStringList{"File read error " + p.dialogs->openFile + "\nNo such file"});
    QVERIFY(p.Queue().isEmpty());
}

void AlarmsTest::saveWritesTheClocksRows_data()
{
    QTest::addColumn<int>("alarmCount");
    QTest::addColumn<int>("lines");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("20") << 20 << 20;
    QTest::newRow("99 claimed, 40 rows") << 99 << 40;
}

void AlarmsTest::saveWritesTheClocksRows()
{
    QFETCH(int, alarmCount);
    QFETCH(int, lines);
    QTemporaryDir dir;
    Panel p;
    p.form.AlarmCount = alarmCount;
    p.dialogs->saveFile = dir.filePath(QStringLiteral("out.alm"));
    p.form.SaveAlarmsClick();
    QCOMPARE(p.dialogs->specs, QStringList{"Save alarms"});
    QFile file(p.dialogs->saveFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content.count("\r\n"), lines);
    QCOMPARE(content.size(), lines * 13);
    QVERIFY(p.Queue().isEmpty());
    QVERIFY(p.dialogs->messages.isEmpty());
}

void AlarmsTest::saveRoundTrips()
{
    QTemporaryDir dir;
    Panel p;
    Reply(p, "L0381063013");
    Reply(p, "L3941153095");
    p.form.AlarmCount = 40;
    p.dialogs->saveFile = p.dialogs->openFile = dir.filePath(QStringLiteral("round.alm"));
    p.form.SaveAlarmsClick();
    p.form.LoadAlarmsClick();
    QCOMPARE(p.Queue().size(), 41);
    QCOMPARE(p.Queue().at(3), QByteArray("k0381063013"));
    QCOMPARE(p.Queue().at(39), QByteArray("k3941153095"));
    QCOMPARE(p.Queue().at(0), QByteArray("k0000000000"));
}

void AlarmsTest::failedSaveReportsAndKeepsTheOldFile()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/old.alm");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("k0000000000\r\n");
    old.close();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

    Panel p;
    p.form.AlarmCount = 20;
    p.dialogs->saveFile = path;
    p.form.SaveAlarmsClick();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(p.dialogs->messages, QStringList{"File save error " + path + "\nPermission denied"});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("k0000000000\r\n"));
}

void AlarmsTest::saveIntoMissingFolderReports()
{
    QTemporaryDir dir;
    Panel p;
    p.form.AlarmCount = 20;
    p.dialogs->saveFile = dir.filePath(QStringLiteral("gone/x.alm"));
    p.form.SaveAlarmsClick();
    QCOMPARE(p.dialogs->messages, QStringList{"File save error " + p.dialogs->saveFile + "\nNo such folder"});
    QVERIFY(QDir(dir.path()).isEmpty());
}

void AlarmsTest::saveOntoABadDiskKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("full");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full") << true << "No space left on device";
    QTest::newRow("read-only") << false << "Read-only file system";
}

// Saving must neither replace the old file with a short one nor call a
// failed save a success, whatever the disk says at which step.
void AlarmsTest::saveOntoABadDiskKeepsTheOldFile()
{
    QFETCH(bool, full);
    QFETCH(QString, reason);
    TinyDisk disk;
    if (!disk.Mounted())
        QSKIP(qPrintable(disk.Why()));
    const QByteArray old = "k0000000000\r\nk01FF063013\r\n";
    QVERIFY(disk.Put(QStringLiteral("old.alm"), old));
    if (full)
        disk.Fill();
    else
        QVERIFY(disk.MakeReadOnly());

    Panel p;
    p.form.AlarmCount = 40;
    p.dialogs->saveFile = disk.Path(QStringLiteral("old.alm"));
    p.form.SaveAlarmsClick();
    QCOMPARE(p.dialogs->messages, QStringList{"File save error " + p.dialogs->saveFile + "\n" + reason});
    QFile file(p.dialogs->saveFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(disk.Path(QString())).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part")),
             QStringList());
}

void AlarmsTest::cancelledDialogsDoNothing()
{
    Panel p;
    p.form.AlarmCount = 20;
    p.form.SaveAlarmsClick();
    p.form.LoadAlarmsClick();
    QVERIFY(p.Queue().isEmpty());
    QVERIFY(p.dialogs->messages.isEmpty());
    QVERIFY(!ScreenCursor::IsHourglass());
}

QTEST_MAIN(AlarmsTest)
#include "tst_alarms.moc"
