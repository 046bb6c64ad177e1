// SPDX-License-Identifier: GPL-3.0-or-later
// An idle panel after a session: connected to the simulated clock over
// in-process USB, read, its time set (Send Time) and polled until the
// clock's status says the time is valid, so the blink stops, then closed. From then on the panel
// has nothing to do; this program prints "closed_after_session 1 flag" and
// stays idle on the display until it is killed, for scripts/bench to
// measure its CPU and wakeups from outside. The simulated clock's own
// timers are off, so whatever wakes the process is the panel's.
//
//     bench_afterclose

#include "Measurement.h"

#include "app/DisplayDefaults.h"
#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "sim/UsbClock.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kGiveUpMs = 30000;

} // namespace

int main(int argc, char* argv[])
{
    SetDisplayDefaults();
    QApplication app(argc, argv);
    ClockPeerOptions quiet;
    quiet.rc5IntervalMs = 0;
    quiet.driftIntervalMs = 0;
    UsbClock clock(quiet);
    auto usb = std::make_unique<SimHidBackend>();
    usb->Plug(&clock, false);
    TForm1 form{TForm1::Devices{std::make_unique<FakeComPort>(),
        std::make_unique<TJvHidDeviceController>(std::move(usb)), std::make_unique<FakeDialogs>()}};
    form.show();
    bool read = false;
    QObject::connect(&form, &TForm1::FirstLoadDone, [&read] { read = true; });
    auto* open = form.findChild<QPushButton*>(QStringLiteral("OpenButton"));
    if (!RunUntil([&form] { return form.CurrentHidDevice != nullptr; }, kGiveUpMs))
        return 1;
    open->click();
    if (!RunUntil([&read] { return read; }, kGiveUpMs))
        return 1;
    form.findChild<QPushButton*>(QStringLiteral("SendTimeButton"))->click();
    if (!RunUntil([&form] { return !form.Timer2()->isActive(); }, kGiveUpMs))
        return 1;
    open->click();
    ScreenCursor::SetArrow();
    PrintMeasurement("closed_after_session", 1, "flag");
    return app.exec();
}
