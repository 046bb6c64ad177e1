// SPDX-License-Identifier: GPL-3.0-or-later
// From the moment the simulated clock is plugged back in to the window's
// first reply line from it, on serial (a pseudo terminal behind a link that
// a new terminal takes over, 250 ms tick) and on USB (an in-process HID
// device that comes back with the same serial number and a new instance,
// 20 ms tick). Each run opens the link, waits for the clock to answer,
// unplugs it, lets the window notice, and plugs it back in.
//
// A window that keeps waiting for the clock (its Open button still offers
// Close) is left to reconnect by itself. One that closed the link is
// reopened as a user would: USB chosen again where the window fell back to
// serial, the clock's listing awaited, Open pressed; the figure then
// includes that, and "replug_<link>_by_hand 1" says so. Also printed: how
// many reports the window wrote to the USB clock while it was away
// (nothing may be sent then).
//
//     bench_replug serial|usb [runs]

#include "Measurement.h"

#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "sim/SimHid.h"
#include "sim/SimulatedClock.h"
#include "sim/UsbClock.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr int kGiveUpMs = 20000;
// Long enough for the window to see the clock go on either link (a USB
// scan, a serial port's hang-up and the error it reports).
constexpr int kAwayMs = 1000;

struct Run {
    double ms = 0;
    bool byHand = false;
    int writesWhileAway = 0;
};

ClockPeerOptions QuietClock()
{
    ClockPeerOptions options;
    options.rc5IntervalMs = 0;
    return options;
}

QPushButton* OpenButton(TForm1& form) { return form.findChild<QPushButton*>(QStringLiteral("OpenButton")); }

bool AnswersWithin(TForm1& form, int timeoutMs)
{
    bool answered = false;
    const QMetaObject::Connection seen
        = QObject::connect(&form, &TForm1::ReplyTaken, &form, [&answered] { answered = true; });
    RunUntil([&answered] { return answered; }, timeoutMs);
    QObject::disconnect(seen);
    return answered;
}

// Open as a user would after the clock went away and the window closed
// the link.
bool ReopenByHand(TForm1& form, bool usb)
{
    if (usb) {
        auto* item = form.findChild<QAction*>(QStringLiteral("USB1"));
        if (item && !item->isChecked())
            item->trigger();
        if (!RunUntil([&form] { return form.CurrentHidDevice != nullptr; }, kGiveUpMs))
            return false;
    }
    OpenButton(form)->click();
    return true;
}

std::optional<Run> ReplugRun(bool usb)
{
    QString error;
    const auto clock = SimulatedClock::Make(
        usb ? SimulatedClock::Kind::Usb : SimulatedClock::Kind::Serial, {}, &error, QuietClock());
    if (!clock) {
        std::fprintf(stderr, "no simulated clock: %s\n", qPrintable(error));
        return std::nullopt;
    }
    TForm1::Devices devices{nullptr, nullptr, std::make_unique<FakeDialogs>()};
    if (usb) {
        devices.comPort = std::make_unique<FakeComPort>();
        devices.hidCtl = std::make_unique<TJvHidDeviceController>(clock->TakeBackend());
    } else {
        devices.hidCtl = std::make_unique<TJvHidDeviceController>(std::make_unique<SimHidBackend>());
    }
    TForm1 form{std::move(devices)};
    if (usb) {
        if (!RunUntil([&form] { return form.CurrentHidDevice != nullptr; }, kGiveUpMs))
            return std::nullopt;
    } else {
        form.SelectSerialLink(clock->PortPath());
    }
    OpenButton(form)->click();
    if (!AnswersWithin(form, kGiveUpMs))
        return std::nullopt;

    clock->Plug().Unplug();
    RunUntil([] { return false; }, kAwayMs);
    Run run;
    // The device of this plugging-in keeps the count; the next is new.
    run.writesWhileAway = usb ? clock->Usb()->WritesWhileUnplugged() : 0;
    const bool waiting = OpenButton(form)->text() != QLatin1String("Open");

    bool answered = false;
    QElapsedTimer sinceReplug;
    QObject::connect(&form, &TForm1::ReplyTaken, &form, [&] {
        if (!answered && sinceReplug.isValid()) {
            answered = true;
            run.ms = sinceReplug.nsecsElapsed() / 1e6;
        }
    });
    QObject::connect(&clock->Plug(), &ClockPlug::Replugged, &form, [&sinceReplug] { sinceReplug.start(); });
    clock->Plug().Replug();
    run.byHand = !waiting;
    if (run.byHand && !ReopenByHand(form, usb))
        return std::nullopt;
    if (!RunUntil([&answered] { return answered; }, kGiveUpMs))
        return std::nullopt;
    ScreenCursor::SetArrow();
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool usb = argc > 1 && QByteArray(argv[1]) == "usb";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    std::vector<double> times;
    bool byHand = false;
    int writesWhileAway = 0;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Run> run = ReplugRun(usb);
        if (!run) {
            std::fprintf(stderr, "bench_replug: run %d did not get an answer after the replug\n", i + 1);
            return 1;
        }
        std::fprintf(stderr, "run %d: %.1f ms%s\n", i + 1, run->ms, run->byHand ? " (reopened by hand)" : "");
        times.push_back(run->ms);
        byHand = byHand || run->byHand;
        writesWhileAway = std::max(writesWhileAway, run->writesWhileAway);
    }
    const QByteArray name = usb ? "replug_usb" : "replug_serial";
    PrintMeasurement((name + "_ms").constData(), Median(times), "ms");
    PrintMeasurement((name + "_worst_ms").constData(), *std::max_element(times.begin(), times.end()), "ms");
    PrintMeasurement((name + "_by_hand").constData(), byHand ? 1 : 0, "flag");
    if (usb)
        PrintMeasurement((name + "_writes_while_away").constData(), writesWhileAway, "reports");
    return 0;
}
