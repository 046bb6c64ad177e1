// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/Fields.h"

#include <QtTest>
#include <algorithm>

Q_DECLARE_METATYPE(AlarmAction)

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void alarmCommand_data();
    void alarmCommand();
    void actionExclusions_data();
    void actionExclusions();
};

void CommandsTest::fields_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("dec 7") << false << 7 << 2 << QByteArray("07");
    QTest::newRow("dec 2024") << false << 2024 << 4 << QByteArray("2024");
    QTest::newRow("dec too wide keeps digits") << false << 123 << 2 << QByteArray("123");
    QTest::newRow("hex 12") << true << 12 << 2 << QByteArray("0C");
    QTest::newRow("hex 171 upper case") << true << 171 << 2 << QByteArray("AB");
    QTest::newRow("hex 300 seconds") << true << 300 << 4 << QByteArray("012C");
    QTest::newRow("hex negative") << true << -1 << 2 << QByteArray("FFFFFFFF");
}

void CommandsTest::fields()
{
    QFETCH(bool, hex);
    QFETCH(int, value);
    QFETCH(int, width);
    QFETCH(QByteArray, field);
    QCOMPARE(hex ? HexField(value, width) : DecField(value, width), field);
}

void CommandsTest::alarmCommand_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("expected");

    const auto alarm = [](const char* row) {
        AlarmSettings a;
        a.row = row;
        return a;
    };
    AlarmSettings weekdaysSound = alarm("03");
    weekdaysSound.enabled = true;
    weekdaysSound.days = {true, true, true, true, true, false, false};
    weekdaysSound.hour = 6;
    weekdaysSound.minute = 30;
    weekdaysSound.sound = true;
    weekdaysSound.count = 3;
    QTest::newRow("weekdays, sound 3") << AlarmCommand(weekdaysSound) << QByteArray("k039F063013");

    AlarmSettings relay = alarm("04");
    relay.enabled = true;
    relay.days.fill(true);
    relay.hour = 7;
    relay.relayOn = true;
    relay.count = 10;
    relay.whirlbeamOn = true;
    QTest::newRow("relay 10, whirlbeam on not encoded") << AlarmCommand(relay) << QByteArray("k04FF07008A");
    relay.count = 127;
    QTest::newRow("relay 127") << AlarmCommand(relay) << QByteArray("k04FF0700FF");
    relay.count = 0;
    QTest::newRow("relay 0") << AlarmCommand(relay) << QByteArray("k04FF070080");

    AlarmSettings ignoreHour = alarm("05");
    ignoreHour.ignoreHour = true;
    ignoreHour.hour = 19;
    ignoreHour.minute = 15;
    ignoreHour.whirlbeamOn = true;
    QTest::newRow("ignore hour keeps minute") << AlarmCommand(ignoreHour) << QByteArray("k0500321540");

    AlarmSettings count20 = alarm("00");
    count20.count = 20;
    QTest::newRow("count 20 sent as 4") << AlarmCommand(count20) << QByteArray("k0000000004");

    AlarmSettings loud = alarm("39");
    loud.whirlbeamOn = true;
    loud.sound = true;
    loud.count = 15;
    loud.hour = 23;
    loud.minute = 59;
    QTest::newRow("Pon + sound 15") << AlarmCommand(loud) << QByteArray("k390023595F");
}

void CommandsTest::alarmCommand()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, expected);
    QCOMPARE(line, expected);
    QCOMPARE(line.size(), 11);
}

// Which two action boxes may be ticked together; each of an exclusive pair
// clears the other, and no box clears itself.
void CommandsTest::actionExclusions_data()
{
    QTest::addColumn<AlarmAction>("first");
    QTest::addColumn<AlarmAction>("second");
    QTest::addColumn<bool>("exclusive");
    using enum AlarmAction;
    QTest::newRow("relay, whirlbeam on") << RelayOn << WhirlbeamOn << true;
    QTest::newRow("relay, whirlbeam off") << RelayOn << WhirlbeamOff << true;
    QTest::newRow("relay, sound") << RelayOn << Sound << true;
    QTest::newRow("whirlbeam on, off") << WhirlbeamOn << WhirlbeamOff << true;
    QTest::newRow("whirlbeam on, sound") << WhirlbeamOn << Sound << false;
    QTest::newRow("whirlbeam off, sound") << WhirlbeamOff << Sound << false;
}

void CommandsTest::actionExclusions()
{
    QFETCH(AlarmAction, first);
    QFETCH(AlarmAction, second);
    QFETCH(bool, exclusive);
    const auto clears = [](AlarmAction ticked, AlarmAction box) {
        const std::span<const AlarmAction> cleared = ExcludedActions(ticked);
        return std::find(cleared.begin(), cleared.end(), box) != cleared.end();
    };
    QCOMPARE(clears(first, second), exclusive);
    QCOMPARE(clears(second, first), exclusive);
    QVERIFY(!clears(first, first) && !clears(second, second));
}

QTEST_APPLESS_MAIN(CommandsTest)
#include "tst_commands.moc"
