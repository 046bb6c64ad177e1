// SPDX-License-Identifier: GPL-3.0-or-later
// Every reply line comes from whatever the peer sends. The window reads a
// line by its kind only (TForm1::DispatchReply), so the line is read the same
// way here, and once more under every reply letter so that each decoder sees
// every body. Invariants: no crash or undefined behaviour; a record never
// holds a field after one that failed; the kind of a line is the one its
// first character names, and a line without a kind is read by no decoder;
// a line has words for the command line's monitor exactly when it has a
// kind; the RC5 packet's fields are the line's own characters at their
// places, and the sensor values lie in the range their bytes can give.

#include "ReplyReading.h"
#include "protocol/replies/ReplyTable.h"

#include <cstdint>
#include <map>

namespace {

using fuzz::Check;
using fuzz::Reading;

// The letters of each kind, as the kinds are documented.
const std::map<char, ReplyKind>& KindLetters()
{
    static const std::map<char, ReplyKind> letters = {
        {'@', ReplyKind::RelayIrTimeReply},     {'A', ReplyKind::Rc5PacketReply},
        {'B', ReplyKind::DateReply},            {'D', ReplyKind::DateReply},
        {'C', ReplyKind::TimeReply},            {'S', ReplyKind::TimeReply},
        {'T', ReplyKind::TimeReply},            {'E', ReplyKind::MemoryReadReply},
        {'F', ReplyKind::MemoryReadReply},      {'G', ReplyKind::ModeReply},
        {'H', ReplyKind::ModeReply},            {'I', ReplyKind::AutoStandbyReply},
        {'J', ReplyKind::AutoStandbyReply},     {'K', ReplyKind::AlarmReply},
        {'L', ReplyKind::AlarmReply},           {'M', ReplyKind::PwmReply},
        {'N', ReplyKind::PwmReply},             {'O', ReplyKind::ConfigReply},
        {'P', ReplyKind::IdentificationReply},  {'Q', ReplyKind::SoundTimesReply},
        {'R', ReplyKind::SoundTimesReply},      {'V', ReplyKind::VersionReply},
        {'W', ReplyKind::WhirlbeamStatusReply}, {'X', ReplyKind::RelayReply},
        {'Y', ReplyKind::RelayReply},           {'Z', ReplyKind::EndOfReadReply},
        {'[', ReplyKind::Dcf77StateReply},      {'\\', ReplyKind::MeasurementReply},
        {'_', ReplyKind::SensorOffsetReply},
    };
    return letters;
}

std::optional<ReplyKind> DocumentedKind(const QByteArray& line)
{
    if (line.isEmpty())
        return std::nullopt;
    const auto found = KindLetters().find(line.front());
    if (found == KindLetters().end())
        return std::nullopt;
    return found->second;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<ReplyKind> kind = KindOf(line);
    Check(kind == DocumentedKind(line));
    Check(DescribeReply(line).isEmpty() != kind.has_value());
    Check((fuzz::ReadByKind(line) == Reading::NoKind) == !kind.has_value());

    const QByteArray body = line.mid(1);
    for (const auto& entry : KindLetters())
        Check(fuzz::ReadByKind(entry.first + body) != Reading::NoKind);
    return 0;
}
