// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how many command lines the transmit tick really sends per second
// on an open USB link, and how many replies come back, through the whole USB
// path: controller, reader thread and hand-over, against the simulated clock
// as an in-process HID device (target: 50 lines a second, one per 20 ms
// tick). Not a test: it prints the rates, for comparing timer choices and
// machines.

#include "app/PelkMain.h"
#include "sim/UsbClock.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;

    ClockPeerOptions quiet;
    quiet.rc5IntervalMs = 0;
    UsbClock clock(quiet);
    auto usb = std::make_unique<SimHidBackend>();
    usb->Plug(&clock, false);
    TForm1 form{TForm1::Devices{
        nullptr, std::make_unique<TJvHidDeviceController>(std::move(usb)), std::make_unique<FakeDialogs>()}};
    qint64 replies = 0;
    QObject::connect(&form, &TForm1::ReplyTaken, [&replies] { ++replies; });
    QElapsedTimer firstRead;
    QObject::connect(&form, &TForm1::FirstLoadDone, [&firstRead] {
        std::printf(
            "first read of the clock (%d alarms) done after %.2f s\n", 40, firstRead.elapsed() / 1000.0);
    });
    // The first scan lists the clock once the event loop runs.
    QTimer::singleShot(0, &form, [&form, &firstRead] {
        firstRead.start();
        form.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
    });

    QElapsedTimer clockTime;
    clockTime.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double elapsed = clockTime.elapsed() / 1000.0;
    const auto written = static_cast<long long>(clock.ReportCount());
    std::printf("%lld reports in %.2f s: %.1f lines per second; %.1f replies per second\n", written, elapsed,
        written / elapsed, replies / elapsed);
    return 0;
}
