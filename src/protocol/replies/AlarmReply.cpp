// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/AlarmReply.h"

#include "protocol/replies/ReplyFields.h"

AlarmRecord DecodeAlarm(const QByteArray& line)
{
    const ReplyFields fields(line);
    AlarmRecord record;
    const auto row = fields.Dec(2, 2);
    if (!row || *row < 0 || *row >= AlarmRecord::kRows)
        return record;
    record.row = row;
    if (!(record.dayByte = fields.Hex(4, 2)))
        return record;
    if (!(record.hourValue = fields.Dec(6, 2)))
        return record;
    const auto minute = fields.Dec(8, 2);
    if (!minute || record.Hour() < 0 || record.Hour() > 23 || *minute < 0 || *minute > 59)
        return record;
    record.minute = minute;
    record.actionByte = fields.Hex(10, 2);
    return record;
}
