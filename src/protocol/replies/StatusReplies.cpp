// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/StatusReplies.h"

#include "protocol/replies/ReplyFields.h"

DateRecord DecodeDate(const QByteArray& line)
{
    const ReplyFields fields(line);
    const auto day = fields.Dec(8, 2);
    const auto month = fields.Dec(6, 2);
    const auto year = fields.Dec(2, 4);
    if (!day || !month || !year || *year == 0)
        return {};
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return {};
    return {date, fields.Text(11, 1)};
}

std::optional<QTime> DecodeTime(const QByteArray& line)
{
    const ReplyFields fields(line);
    const auto hours = fields.Dec(2, 2);
    const auto minutes = fields.Dec(4, 2);
    const auto seconds = fields.Dec(6, 2);
    if (!hours || !minutes || !seconds)
        return std::nullopt;
    const QTime time(*hours, *minutes, *seconds);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

WhirlbeamState StateOf(int flags)
{
    using Flag = WhirlbeamStatusRecord;
    if (!(flags & Flag::Sleep))
        return WhirlbeamState::Run;
    return flags & Flag::DeepSleep ? WhirlbeamState::DeepSleep : WhirlbeamState::Sleep;
}

WhirlbeamStatusRecord DecodeWhirlbeamStatus(const QByteArray& line)
{
    const ReplyFields fields(line);
    WhirlbeamStatusRecord record;
    if (!(record.flags = fields.Hex(2, 2)))
        return record;
    if (!(record.remainingSeconds = fields.Hex(6, 4)))
        return record;
    record.extraFlags = fields.Hex(4, 2);
    return record;
}

RelayRecord DecodeRelay(const QByteArray& line)
{
    const ReplyFields fields(line);
    RelayRecord record;
    if (!(record.remainingMinutes = fields.Hex(4, 2)))
        return record;
    if (const auto flags = fields.Hex(2, 2))
        record.on = (*flags & 0x01) != 0;
    return record;
}

std::optional<int> DecodeRelayIrTime(const QByteArray& line)
{
    return ReplyFields(line).Hex(4, 2);
}
