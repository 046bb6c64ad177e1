// SPDX-License-Identifier: GPL-3.0-or-later
// The connection sequence, from pressing Open to the end of the first read
// of the clock (the window's FirstLoadDone), against the simulated clock on
// a pseudo terminal (serial, 250 ms tick) or as an in-process USB device
// behind the real controller and reader thread (20 ms tick). Each run has
// a window and a clock of its own; the median of the runs is printed, in ms
// and in ticks, beside the fewest ticks the sequence can take: the
// unanswered first "p", the 14 lines of the resumed-replies batch, one
// alarm read per alarm and the end-of-read request.
//
//     bench_connect serial|usb [runs]

#include "Measurement.h"

#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "protocol/commands/StatusRequests.h"
#include "sim/PtyClock.h"
#include "sim/UsbClock.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr int kGiveUpMs = 60000;

struct Run {
    double ms = 0;
    int alarms = 0;
};

ClockPeerOptions QuietClock()
{
    ClockPeerOptions options;
    options.rc5IntervalMs = 0; // no stray packets from other remotes in the room
    return options;
}

std::optional<Run> TimeFirstRead(TForm1& form)
{
    std::optional<double> loadedMs;
    QElapsedTimer sincePress;
    QObject::connect(&form, &TForm1::FirstLoadDone,
        [&loadedMs, &sincePress] { loadedMs = sincePress.nsecsElapsed() / 1e6; });
    sincePress.start();
    form.findChild<QPushButton*>(QStringLiteral("OpenButton"))->click();
    if (!RunUntil([&loadedMs] { return loadedMs.has_value(); }, kGiveUpMs))
        return std::nullopt;
    const Run run{*loadedMs, form.AlarmCount};
    ScreenCursor::SetArrow();
    return run;
}

std::unique_ptr<TJvHidDeviceController> NoUsbDevices()
{
    return std::make_unique<TJvHidDeviceController>(std::make_unique<SimHidBackend>());
}

std::optional<Run> SerialRun()
{
    PtyClock clock(QuietClock());
    if (!clock.Open()) {
        std::fprintf(stderr, "no pseudo terminal: %s\n", qPrintable(clock.ErrorString()));
        return std::nullopt;
    }
    TForm1 form{TForm1::Devices{nullptr, NoUsbDevices(), std::make_unique<FakeDialogs>()}};
    form.SelectSerialLink(clock.SlavePath());
    return TimeFirstRead(form);
}

std::optional<Run> UsbRun()
{
    UsbClock clock(QuietClock());
    auto usb = std::make_unique<SimHidBackend>();
    usb->Plug(&clock, false);
    TForm1 form{TForm1::Devices{std::make_unique<FakeComPort>(),
        std::make_unique<TJvHidDeviceController>(std::move(usb)), std::make_unique<FakeDialogs>()}};
    // The first scan lists and hooks the clock once the events run.
    if (!RunUntil([&form] { return form.CurrentHidDevice != nullptr; }, kGiveUpMs))
        return std::nullopt;
    return TimeFirstRead(form);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool usb = argc > 1 && QByteArray(argv[1]) == "usb";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : (usb ? 10 : 3);
    const int tickMs = usb ? kUsbTickMs : kSerialTickMs;

    std::vector<double> times;
    int alarms = 0;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Run> run = usb ? UsbRun() : SerialRun();
        if (!run) {
            std::fprintf(stderr, "bench_connect: run %d did not finish the first read\n", i + 1);
            return 1;
        }
        std::fprintf(stderr, "run %d: %.1f ms\n", i + 1, run->ms);
        times.push_back(run->ms);
        alarms = run->alarms;
    }
    const QByteArray name = usb ? "connect_usb" : "connect_serial";
    const double median = Median(times);
    const auto batch = static_cast<int>(ReplyResumedBatch().size());
    PrintMeasurement((name + "_ms").constData(), median, "ms");
    PrintMeasurement((name + "_ticks").constData(), median / tickMs, "ticks");
    PrintMeasurement((name + "_min_ticks").constData(), 1 + batch + alarms + 1, "ticks");
    return 0;
}
