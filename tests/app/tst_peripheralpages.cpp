// SPDX-License-Identifier: GPL-3.0-or-later
// The RC5, relay and measurement pages: replies shown, buttons queuing their
// commands, and the IR history export.

#include "support/PanelFixture.h"
#include "support/TinyDisk.h"

#include "app/pages/MeasurementPage.h"
#include "widgets/Spin.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void Reply(Panel& p, const QByteArray& line) { p.form.ReceiveMemo.Append(line); }

// A line edit's text, or the lines of a memo.
QString Shown(const Panel& p, const QString& control)
{
    const QWidget* widget = p.Get(control.toLatin1().constData());
    const QVariant text = widget->property("text");
    return text.isValid() ? text.toString() : widget->property("plainText").toString();
}

const QByteArray kDel(1, '\x7f');

} // namespace

class PeripheralPagesTest : public QObject {
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void historyKeeps101Packets();
    void buttons_data();
    void buttons();
    void turnOnFollowsOnlyTheOnTime();
    void exportHistory_data();
    void exportHistory();
    void exportSensors_data();
    void exportSensors();
};

void PeripheralPagesTest::replies_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QStringList>("shown"); // "Control=text"

    QTest::newRow("temperature F6") << Lines{"\\00F6"} << QStringList{"TemperatureEdit=-10"};
    QTest::newRow("temperature 7F") << Lines{"\\007F"} << QStringList{"TemperatureEdit=127"};
    QTest::newRow("temperature 80") << Lines{"\\0080"} << QStringList{"TemperatureEdit=-128"};
    QTest::newRow("all four") << Lines{"\\05F63203F5"}
                              << QStringList{"LightEdit=  5", "TemperatureEdit=-10", "HumidityEdit= 50",
                                     "AirPressureEdit=1013"};
    QTest::newRow("pressure in full") << Lines{"\\000000FFFF"} << QStringList{"AirPressureEdit=65535"};
    QTest::newRow("ends after humidity")
        << Lines{"\\000000FFFF", "\\0102030"} << QStringList{"HumidityEdit=  3", "AirPressureEdit=65535"};
    QTest::newRow("bad light changes nothing")
        << Lines{"\\zz0A"} << QStringList{"LightEdit=", "TemperatureEdit="};

    QTest::newRow("offset F6") << Lines{"_00F6"} << QStringList{"TempOffsetSpinEdit=-10"};
    QTest::newRow("offset 0F limited") << Lines{"_000F"} << QStringList{"TempOffsetSpinEdit=10"};
    QTest::newRow("offset EC limited") << Lines{"_00EC"} << QStringList{"TempOffsetSpinEdit=-10"};
    QTest::newRow("all offsets") << Lines{"_80FD0A01"}
                                 << QStringList{"TempOffsetSpinEdit=-3", "HumidityOffsetSpinEdit=10",
                                        "PressureOffsetSpinEdit=1"};
    QTest::newRow("bad humidity offset")
        << Lines{"_0005zz03"}
        << QStringList{"TempOffsetSpinEdit=5", "HumidityOffsetSpinEdit=0", "PressureOffsetSpinEdit=0"};

    QTest::newRow("RC5 packet") << Lines{
        "A058C"} << QStringList{"RC5AddressEdit=05", "RC5CommandEdit=8C", "IRPacketMemo=Addr: 05 Cmd: 8C"};
    QTest::newRow("RC5 of one character")
        << Lines{"A058C", "A"}
        << QStringList{"RC5AddressEdit=", "RC5CommandEdit=", "IRPacketMemo=Addr: 05 Cmd: 8C\nAddr:  Cmd: "};
    QTest::newRow("RC5 line break stays one line")
        << Lines{"A0\r1\n"} << QStringList{"RC5AddressEdit=0\r", "IRPacketMemo=Addr: 0\uFFFD Cmd: 1\uFFFD"};
}

void PeripheralPagesTest::replies()
{
    QFETCH(Lines, lines);
    QFETCH(QStringList, shown);
    Panel p;
    for (const QByteArray& line : lines)
        Reply(p, line);
    for (const QString& expected : shown)
        QCOMPARE(Shown(p, expected.section(u'=', 0, 0)), expected.section(u'=', 1));
}

void PeripheralPagesTest::historyKeeps101Packets()
{
    Panel p;
    for (int packet = 1; packet <= 102; ++packet)
        Reply(p, "A" + QByteArray::number(packet / 16, 16) + QByteArray::number(packet % 16, 16) + "0C");
    const QStringList memo = Shown(p, "IRPacketMemo").split(u'\n');
    QCOMPARE(memo.size(), 101);
    QCOMPARE(memo.first(), QStringLiteral("Addr: 02 Cmd: 0C"));
    QCOMPARE(memo.last(), QStringLiteral("Addr: 66 Cmd: 0C"));
}

void PeripheralPagesTest::buttons_data()
{
    QTest::addColumn<QStringList>("typed"); // "Control=keys"
    QTest::addColumn<QString>("button");
    QTest::addColumn<Lines>("queued");

    QTest::newRow("Turn On 90") << QStringList{"RelaisSpinEdit=90"} << "RelaisOnButton" << Lines{"x015A"};
    QTest::newRow("Turn On 1") << QStringList{"RelaisSpinEdit=1"} << "RelaisOnButton" << Lines{"x0101"};
    QTest::newRow("Turn On typed past range")
        << QStringList{"RelaisSpinEdit=300"} << "RelaisOnButton" << Lines{"x01FF"};
    QTest::newRow("Turn On at 0") << QStringList{"RelaisSpinEdit=0"} << "RelaisOnButton" << Lines{};
    QTest::newRow("Turn Off") << QStringList{} << "relaisOffButton" << Lines{"x0000"};
    QTest::newRow("IR on-time at start") << QStringList{} << "RelaisOnIrButton" << Lines{"`80FF"};
    QTest::newRow("IR on-time 0") << QStringList{"RelOnIrSpinEdit=0"} << "RelaisOnIrButton" << Lines{"`8000"};
    QTest::newRow("RC5 as typed") << QStringList{"AddressHexEdit=5", "CommandHexEdit=8c"} << "Rc5Button"
                                  << Lines{"a058C"};
    QTest::newRow("RC5 above address range")
        << QStringList{"AddressHexEdit=3F", "CommandHexEdit=01"} << "Rc5Button" << Lines{"a3F01"};
    QTest::newRow("temperature offset") << QStringList{"TempOffsetSpinEdit=-2", "HumidityOffsetSpinEdit=5"}
                                        << "SendTempOffsetButton" << Lines{kDel + "80FE0500"};
    QTest::newRow("humidity offset carries all")
        << QStringList{"TempOffsetSpinEdit=-10", "HumidityOffsetSpinEdit=10", "PressureOffsetSpinEdit=3"}
        << "SendHumidityOffsetButton" << Lines{kDel + "40F60A03"};
    QTest::newRow("offset typed past range")
        << QStringList{"TempOffsetSpinEdit=-50"} << "SendTempOffsetButton" << Lines{kDel + "80F60000"};
    QTest::newRow("pressure offset") << QStringList{"PressureOffsetSpinEdit=-1"} << "SendPressureOffsetButton"
                                     << Lines{kDel + "200000FF"};
}

void PeripheralPagesTest::buttons()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, button);
    QFETCH(Lines, queued);
    Panel p;
    p.Open();
    for (const QString& entry : typed) {
        auto* edit = p.Get<QLineEdit>(entry.section(u'=', 0, 0).toLatin1().constData());
        edit->selectAll();
        QTest::keyClicks(edit, entry.section(u'=', 1));
    }
    p.Get<QPushButton>(button.toLatin1().constData())->click();
    QCOMPARE(p.Queue(), queued);
}

void PeripheralPagesTest::turnOnFollowsOnlyTheOnTime()
{
    Panel p;
    p.Open();
    auto* turnOn = p.Get<QPushButton>("RelaisOnButton");
    auto* onTime = p.Get<TSpinEdit>("RelaisSpinEdit");
    auto* irTime = p.Get<TSpinEdit>("RelOnIrSpinEdit");
    QVERIFY(!turnOn->isEnabled());
    const struct {
        TSpinEdit* edit;
        int value;
        bool enabled;
    } steps[] = {
        {onTime, 1, true},
        {irTime, 0, true},
        {irTime, 12, true},
        {onTime, 255, true},
        {onTime, 0, false},
        {irTime, 200, false},
    };
    for (const auto& step : steps) {
        step.edit->SetValue(step.value);
        QCOMPARE(turnOn->isEnabled(), step.enabled);
    }
}

void PeripheralPagesTest::exportHistory_data()
{
    QTest::addColumn<Lines>("packets");
    QTest::addColumn<bool>("viaMenu"); // else the page's Save button, before the first read
    QTest::addColumn<QString>("file"); // "full": onto an old file on a full disk
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason"); // of the error box; none when the save works
    QTest::newRow("empty") << Lines{} << true << "empty.his" << QByteArray() << QString();
    QTest::newRow("three packets") << Lines{"A058C", "A1D0C", "A"} << false << "three.his"
                                   << QByteArray("Addr: 05 Cmd: 8C\r\nAddr: 1D Cmd: 0C\r\nAddr:  Cmd: \r\n")
                                   << QString();
    QTest::newRow("missing folder") << Lines{"A058C"} << false << "gone/x.his" << QByteArray()
                                    << "No such folder";
    QTest::newRow("full disk keeps the old file")
        << Lines{"A058C"} << false << "full" << QByteArray("old\r\n") << "No space left on device";
}

void PeripheralPagesTest::exportHistory()
{
    QFETCH(Lines, packets);
    QFETCH(bool, viaMenu);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    std::optional<TinyDisk> disk;
    Panel p;
    p.Open();
    for (const QByteArray& packet : packets)
        Reply(p, packet);
    p.dialogs->saveFile = dir.filePath(file);
    if (file == u"full") {
        disk.emplace();
        if (!disk->Mounted())
            QSKIP(qPrintable(disk->Why()));
        QVERIFY(disk->Put(QStringLiteral("old.his"), content));
        disk->Fill();
        p.dialogs->saveFile = disk->Path(QStringLiteral("old.his"));
    }
    if (viaMenu) {
        Reply(p, "Z");
        p.Action("SaveIRcommandhistory")->trigger();
    } else {
        QVERIFY(!p.Action("SaveIRcommandhistory")->isEnabled());
        p.Get<QPushButton>("SaveHistoryButton")->click();
    }
    QCOMPARE(p.dialogs->lastSpec.title, QStringLiteral("Save IR command history"));
    QCOMPARE(p.dialogs->lastSpec.filter,
        QStringLiteral("Whirlbeam clock IR history *.his|*.his|All Files *.*|*.*"));
    QCOMPARE(p.dialogs->lastSpec.defaultExtension, QStringLiteral("his"));
    QCOMPARE(p.dialogs->messages,
        reason.isEmpty() ? QStringList()
                         : QStringList{"File save error " + p.dialogs->saveFile + "\n" + reason});
    QFile saved(p.dialogs->saveFile);
    QCOMPARE(saved.exists(), !file.contains(u'/'));
    if (saved.exists()) {
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), content);
    }
}

void PeripheralPagesTest::exportSensors_data()
{
    QTest::addColumn<Lines>("replies");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason"); // of the error box; none when the save works

    const QByteArray header = "time,temperature_c,humidity_pct,pressure_hpa,light\r\n";
    QTest::newRow("none yet") << Lines{} << "none.csv" << header << QString();
    QTest::newRow("a sample a reply, a short one too")
        << Lines{"\\05F63203F5", "\\0102030"} << "two.csv"
        << header + "2026-12-09T12:00:00.000Z,-10,50,1013,5\r\n2026-12-09T12:00:01.000Z,2,3,,1\r\n" << QString();
    QTest::newRow("missing folder") << Lines{"\\05F63203F5"} << "gone/x.csv" << QByteArray() << "No such folder";
}

void PeripheralPagesTest::exportSensors()
{
    QFETCH(Lines, replies);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    Panel p;
    QDateTime now(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC);
    p.form.findChild<MeasurementPage*>()->SetNow([&now] {
        const QDateTime stamp = now;
        now = now.addSecs(1);
        return stamp;
    });
    p.Open();
    for (const QByteArray& reply : replies)
        Reply(p, reply);
    QCOMPARE(p.Get("SensorChart")->property("SampleCount").toInt(), replies.size());
    p.dialogs->saveFile = dir.filePath(file);
    p.Get<QPushButton>("SensorExport")->click();
    QCOMPARE(p.dialogs->lastSpec.defaultExtension, QStringLiteral("csv"));
    QCOMPARE(p.dialogs->messages,
        reason.isEmpty() ? QStringList()
                         : QStringList{"File save error " + p.dialogs->saveFile + "\n" + reason});
    QFile saved(p.dialogs->saveFile);
    QCOMPARE(saved.exists(), reason.isEmpty());
    if (saved.exists()) {
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), content);
    }
}

QTEST_MAIN(PeripheralPagesTest)
#include "tst_peripheralpages.moc"
