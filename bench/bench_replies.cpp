// SPDX-License-Identifier: GPL-3.0-or-later
// Reply lines per second through the window's reply path: the simulated
// clock's real answers to what the panel asks while it is connected (the
// resumed-replies batch, the refresh batch, the poll cycle, the alarm reads,
// stray RC5 packets), handed to the reply log of a window built offscreen
// with no link, as a line arriving from the link is. The window is shown and
// its events run between batches, so repainting what changed is included.
//
//     bench_replies [seconds per mix]

#include "Measurement.h"

#include "app/PelkMain.h"
#include "link/PollCycle.h"
#include "protocol/commands/Fields.h"
#include "protocol/commands/StatusRequests.h"
#include "sim/ClockPeer.h"
#include "sim/SimHid.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

namespace {

using Lines = QList<QByteArray>;

constexpr int kAlarms = 40;
constexpr int kPollCycles = 2;
constexpr int kRc5Packets = 2;

// What the panel sends in one round; the configuration request is left out:
// its reply queues the whole alarm read again, once per connection.
Lines CommandsOfOneRound()
{
    Lines commands = ReplyResumedBatch() + RefreshMenuBatch();
    commands.removeAll("o");
    for (int alarm = 0; alarm < kAlarms; ++alarm)
        commands << "l" + DecField(alarm, 2);
    commands << "z0190";
    QByteArray poll = "o";
    for (int i = 0; i < 7 * kPollCycles; ++i)
        commands << (poll = NextPollCommand(poll));
    return commands;
}

Lines ClockReplies(const Lines& commands)
{
    ClockPeerOptions quiet;
    quiet.rc5IntervalMs = 0;
    quiet.driftIntervalMs = 0;
    ClockPeer clock(quiet);
    Lines replies;
    QObject::connect(&clock, &ClockPeer::ReplyReady, [&replies](const QByteArray& line) { replies << line; });
    for (const QByteArray& command : commands)
        clock.FeedUsbLine(command);
    for (int i = 0; i < kRc5Packets; ++i)
        clock.ReceiveRc5Packet();
    return replies;
}

bool IsAlarmReply(const QByteArray& line) { return line.startsWith('K') || line.startsWith('L'); }

// Feeds the lines round after round for about the given time; lines/s.
double LinesPerSecond(TForm1& form, const Lines& lines, double seconds)
{
    QElapsedTimer clock;
    clock.start();
    qint64 fed = 0;
    while (clock.nsecsElapsed() < seconds * 1e9) {
        for (const QByteArray& line : lines)
            form.ReceiveMemo.Append(line);
        fed += lines.size();
        QApplication::processEvents();
    }
    return fed / (clock.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;

    // No link: an unopened serial port and no USB device.
    TForm1 form{TForm1::Devices{nullptr, std::make_unique<TJvHidDeviceController>(std::make_unique<SimHidBackend>()),
        std::make_unique<FakeDialogs>()}};
    form.show();
    QApplication::processEvents();

    const Lines mix = ClockReplies(CommandsOfOneRound());
    Lines alarms;
    std::copy_if(mix.begin(), mix.end(), std::back_inserter(alarms), IsAlarmReply);
    // Once, as on connecting, so that the steady state is measured.
    for (const QByteArray& line : mix)
        form.ReceiveMemo.Append(line);

    std::fprintf(stderr, "mix of %lld lines:\n%s\n", static_cast<long long>(mix.size()), mix.join(' ').constData());
    PrintMeasurement("reply_mix_alarm_share", 100.0 * alarms.size() / mix.size(), "%");
    PrintMeasurement("reply_mix_lines_per_s", LinesPerSecond(form, mix, seconds), "lines/s");
    PrintMeasurement("reply_alarm_lines_per_s", LinesPerSecond(form, alarms, seconds), "lines/s");
    return 0;
}
