// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ModeReplies.h"

#include "protocol/replies/ReplyFields.h"

ModeRecord DecodeMode(const QByteArray& line)
{
    const ReplyFields fields(line);
    ModeRecord record;
    if ((record.modeFlags = fields.Hex(2, 2)))
        record.motorFlags = fields.Hex(4, 2);
    return record;
}

std::optional<int> DecodeAutoStandby(const QByteArray& line) { return ReplyFields(line).Hex(2, 4); }

PwmRecord DecodePwm(const QByteArray& line)
{
    const ReplyFields fields(line);
    PwmRecord record;
    std::optional<int>* const steps[] = {&record.runPulse, &record.highSpeed, &record.sleepPulse,
        &record.lowSpeed, &record.currentPulse, &record.currentPeriod};
    int position = 2;
    for (std::optional<int>* step : steps) {
        if (!(*step = fields.Hex(position, 2)))
            break;
        position += 2;
    }
    return record;
}

SoundTimesRecord DecodeSoundTimes(const QByteArray& line)
{
    const ReplyFields fields(line);
    SoundTimesRecord record;
    if (!(record.fromHour = fields.Dec(2, 2)))
        return record;
    if (!(record.toHour = fields.Dec(4, 2)))
        return record;
    record.lightLimit = fields.Hex(6, 2);
    return record;
}
