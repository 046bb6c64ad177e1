// SPDX-License-Identifier: GPL-3.0-or-later
// Where the clock's second begins after "whirlbeamctl sync-time": each run
// starts a fresh simulated clock that is seconds and milliseconds wrong,
// waits a random part of a second, runs sync-time over the serial link (a
// pseudo terminal whose baud rate the clock honours) or as a USB device, and
// reads how far the clock's second then stands from the computer's. The
// clock sets its time when the command is whole, so this is the error an
// owner sees. Prints the median and the worst of the runs, in ms.
//
//     bench_synctime serial|usb [runs]

#include "Measurement.h"

#include "cli/WhirlbeamCtl.h"
#include "sim/PtyClock.h"
#include "sim/UsbClock.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

ClockPeerOptions QuietClock()
{
    ClockPeerOptions options;
    options.rc5IntervalMs = 0;
    return options;
}

// A clock this far from the computer before it is set.
ClockPeer::TimeSource WrongBy(qint64 ms)
{
    return [ms] { return QDateTime::currentDateTime().addMSecs(ms); };
}

using UsbBackends = std::function<std::unique_ptr<HidBackend>()>;

bool SyncTime(const QStringList& link, const UsbBackends& usb = {})
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    WhirlbeamCtl ctl({&out, &err, usb, QStringLiteral("/nonexistent/WhirlbeamClock.ini")});
    const int code = ctl.Run(link + QStringList{QStringLiteral("sync-time")});
    if (code != 0)
        std::fprintf(stderr, "sync-time ended with %d: %s\n", code, err.data().constData());
    return code == 0;
}

// The clock's second after the run, ahead of the computer's (ms).
std::optional<double> SerialRun(qint64 wrongByMs)
{
    PtyClock clock(QuietClock(), WrongBy(wrongByMs));
    if (!clock.Open()) {
        std::fprintf(stderr, "no pseudo terminal: %s\n", qPrintable(clock.ErrorString()));
        return std::nullopt;
    }
    if (!SyncTime({QStringLiteral("--serial"), clock.SlavePath()}))
        return std::nullopt;
    return clock.Peer().WallOffsetMs() + wrongByMs;
}

std::optional<double> UsbRun(qint64 wrongByMs)
{
    UsbClock clock(QuietClock(), WrongBy(wrongByMs));
    const auto usb = [&clock] {
        auto backend = std::make_unique<SimHidBackend>();
        backend->Plug(&clock, false);
        return std::unique_ptr<HidBackend>(std::move(backend));
    };
    if (!SyncTime({QStringLiteral("--usb")}, usb))
        return std::nullopt;
    return clock.Peer().WallOffsetMs() + wrongByMs;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const bool usb = argc > 1 && QByteArray(argv[1]) == "usb";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    QRandomGenerator* random = QRandomGenerator::global();

    std::vector<double> offsets;
    for (int i = 0; i < runs; ++i) {
        QThread::msleep(random->bounded(1000)); // a random phase of the second
        const qint64 wrongBy = random->bounded(-3000, 3001);
        const std::optional<double> offset = usb ? UsbRun(wrongBy) : SerialRun(wrongBy);
        if (!offset) {
            std::fprintf(stderr, "bench_synctime: run %d did not set the clock\n", i + 1);
            return 1;
        }
        std::fprintf(stderr, "run %d: clock wrong by %lld ms, then %+.0f ms\n", i + 1,
            static_cast<long long>(wrongBy), *offset);
        offsets.push_back(*offset);
    }
    std::vector<double> sizes(offsets.size());
    std::transform(offsets.begin(), offsets.end(), sizes.begin(), [](double d) { return std::abs(d); });
    const QByteArray name = usb ? "synctime_usb" : "synctime_serial";
    PrintMeasurement((name + "_median_ms").constData(), Median(offsets), "ms");
    PrintMeasurement((name + "_worst_ms").constData(), *std::max_element(sizes.begin(), sizes.end()), "ms");
    return 0;
}
