// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated clock takes whatever bytes a panel, a terminal or a noisy
// line sends. Invariants: the commands cut from the stream do not depend on
// how the stream was chunked; each starts with a known prefix and is never
// longer than that prefix's length, and exactly that long unless a CR or LF
// or the end of the stream cut it short; each reply is one line (no CR or
// LF) named by its reply letter, which has a kind except the alarm sound's
// acknowledgement "^", and the panel reads it whole. Two replies stop
// early by design: an alarm reply of a row beyond the panel's 40 (the panel
// has no such row), and a date past 9999-12-31, whose five-digit year the
// simulated clock writes as it is (no clock gets there but by being set to
// the last day of 9999).

#include "Chunks.h"
#include "ReplyReading.h"
#include "sim/ClockState.h"
#include "sim/PeerFraming.h"

#include <QTimeZone>

#include <cstdint>

namespace {

using fuzz::Check;
using fuzz::Reading;

constexpr char kAlarmSoundReply = '^';
constexpr int kPanelAlarmRows = 40;
constexpr int kDateReplyLength = 11; // letter, year, month, day, "0", weekday
constexpr int kSecondsPerCommand = 17; // crosses minute marks every few commands

QList<QByteArray> Split(const QList<QByteArray>& chunks)
{
    SerialCommandSplitter splitter;
    QList<QByteArray> commands;
    for (const QByteArray& chunk : chunks)
        commands += splitter.Take(chunk);
    if (splitter.HasPartial()) {
        // What waits for the silence is a command that stopped short.
        const QByteArray partial = splitter.EndPartial();
        const std::optional<int> length = CommandLength(partial.front());
        Check(length && partial.size() < *length);
        commands << partial;
    }
    Check(!splitter.HasPartial());
    return commands;
}

void CheckLengths(const QList<QByteArray>& commands, bool stoppedByLineEnds)
{
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const QByteArray& command = commands[i];
        Check(!command.isEmpty() && !command.contains('\r') && !command.contains('\n'));
        const std::optional<int> length = CommandLength(command.front());
        Check(length && command.size() <= *length);
        if (!stoppedByLineEnds && i + 1 < commands.size())
            Check(command.size() == *length);
    }
}

bool RowBeyondPanel(const QByteArray& reply)
{
    return reply.mid(1, 2).toInt() >= kPanelAlarmRows;
}

bool YearBeyondFourDigits(const QByteArray& reply)
{
    return reply.size() > kDateReplyLength;
}

void CheckReply(const QByteArray& reply)
{
    Check(!reply.isEmpty() && !reply.contains('\r') && !reply.contains('\n'));
    if (reply.front() == kAlarmSoundReply) {
        Check(!KindOf(reply));
        return;
    }
    const Reading reading = fuzz::ReadByKind(reply);
    Check(reading != Reading::NoKind);
    if (KindOf(reply) == ReplyKind::AlarmReply && RowBeyondPanel(reply))
        return;
    if (KindOf(reply) == ReplyKind::DateReply && YearBeyondFourDigits(reply))
        return;
    Check(reading == Reading::Whole);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte seeds the chunking and picks the clock; the rest is the
    // stream.
    const QByteArray stream(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QList<QByteArray> commands = Split({stream});
    Check(Split(fuzz::Chunks(stream, data[0], 13)) == commands);
    CheckLengths(commands, stream.contains('\r') || stream.contains('\n'));

    QDateTime now(QDate(2026, 3, 28), QTime(23, 58, 30), QTimeZone::utc());
    ClockState clock(now, 1);
    if (data[0] & 0x80) {
        // A clock of the smaller chip: 20 alarms, and a chip code in its configuration.
        ClockPeerOptions smaller;
        smaller.alarmCount = 20;
        smaller.chipCode = 28;
        clock.Configure(smaller);
    }
    for (const QByteArray& command : commands) {
        now = now.addSecs(kSecondsPerCommand);
        if (const std::optional<QByteArray> reply = clock.Answer(command, now))
            CheckReply(*reply);
    }
    return 0;
}
