// SPDX-License-Identifier: GPL-3.0-or-later
// The offset measured on the event loop alone (as the MQTT bridge does it),
// against the simulated USB clock set off the computer's time.

#include "link/ClockConnection.h"
#include "link/ClockLink.h"
#include "link/ClockOffsetMeter.h"
#include "link/CustomComPort.h"
#include "link/TtyAnnouncer.h"
#include "link/hid/HidDevice.h"
#include "sim/UsbClock.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QtTest>

class OffsetMeterTest : public QObject {
    Q_OBJECT
private slots:
    void clockOffTheComputer_data();
    void clockOffTheComputer();
};

void OffsetMeterTest::clockOffTheComputer_data()
{
    QTest::addColumn<int>("offsetMs"); // the clock ahead
    QTest::newRow("behind") << -437;
    QTest::newRow("seconds ahead") << 3120;
}

void OffsetMeterTest::clockOffTheComputer()
{
    QFETCH(int, offsetMs);
    ClockPeerOptions quiet;
    quiet.rc5IntervalMs = 0;
    UsbClock clock(quiet, [offsetMs] { return QDateTime::currentDateTime().addMSecs(offsetMs); });
    auto backend = std::make_unique<SimHidBackend>();
    backend->Plug(&clock, false);
    auto controller = std::make_unique<TJvHidDeviceController>(std::move(backend));
    AwaitFirstScan(*controller);
    ClockConnection connection(nullptr, std::move(controller));
    QVERIFY(connection.OpenUsbClock(QString()));

    ClockOffsetMeter meter(connection);
    QSignalSpy measured(&meter, &ClockOffsetMeter::Measured);
    QSignalSpy failed(&meter, &ClockOffsetMeter::Failed);
    meter.Start();
    QVERIFY(meter.Running());
    meter.Start(); // one measurement at a time: no second one begins
    QVERIFY(measured.wait(20000));
    QCOMPARE(measured.size(), 1);
    QCOMPARE(failed.size(), 0);
    QVERIFY(!meter.Running());
    const double seconds = measured[0][0].toDouble();
    QVERIFY2(qAbs(seconds * 1000.0 - offsetMs) <= 5.0, qPrintable(QString::number(seconds)));
    QVERIFY(measured[0][1].toDouble() <= 0.0005);
    QVERIFY(!connection.Tick().Holding());
}

QTEST_GUILESS_MAIN(OffsetMeterTest)
#include "tst_offsetmeter.moc"
