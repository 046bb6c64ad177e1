// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/PeripheralCommands.h"

#include <QtTest>

class PeripheralCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
};

void PeripheralCommandsTest::lines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray del(1, '\x7f');
    const QByteArray grave(1, '`');
    QTest::newRow("relay on 90 minutes") << RelayOnCommand(90) << QByteArray("x015A");
    QTest::newRow("relay on 1 minute") << RelayOnCommand(1) << QByteArray("x0101");
    QTest::newRow("relay on held in its byte") << RelayOnCommand(300) << QByteArray("x01FF");
    QTest::newRow("relay off") << RelayOffCommand() << QByteArray("x0000");
    QTest::newRow("IR on-time 255") << RelayIrTimeCommand(255) << grave + "80FF";
    QTest::newRow("IR on-time 0") << RelayIrTimeCommand(0) << grave + "8000";
    QTest::newRow("RC5 with toggle bit") << Rc5Command(0x05, 0x8C) << QByteArray("a058C");
    QTest::newRow("RC5 above address range") << Rc5Command(0x3F, 0x01) << QByteArray("a3F01");
    QTest::newRow("offsets, temperature's Send")
        << SensorOffsetCommand(kTemperatureOffsetSelect, -2, 5, 0) << del + "80FE0500";
    QTest::newRow("offsets, humidity's Send carries all")
        << SensorOffsetCommand(kHumidityOffsetSelect, -10, 10, 3) << del + "40F60A03";
    QTest::newRow("offsets, pressure's Send")
        << SensorOffsetCommand(kPressureOffsetSelect, 0, 0, -1) << del + "200000FF";
    QTest::newRow("offsets held in their bytes")
        << SensorOffsetCommand(kPressureOffsetSelect, -300, 300, 0) << del + "20807F00";
}

void PeripheralCommandsTest::lines()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, expected);
    QCOMPARE(line, expected);
}

QTEST_APPLESS_MAIN(PeripheralCommandsTest)
#include "tst_peripheralcommands.moc"
