// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ConnectionReplies.h"

#include "protocol/ProtocolBits.h"
#include "protocol/replies/ReplyFields.h"

namespace {

constexpr int kLineWithChipCode = 7;

QByteArray ChipName(int code)
{
    switch (code) {
    case 28: return " 16F628";
    case 48: return " 16F648";
    case 50: return " 18F2550";
    case 86: return " 16F886";
    case 87: return " 16F87";
    case 88: return " 16F88";
    case 90: return " 16F690";
    default: return "";
    }
}

} // namespace

IdentificationRecord DecodeIdentification(const QByteArray& line)
{
    return {line.startsWith("Pelk"), line};
}

VersionRecord DecodeVersion(const QByteArray& line)
{
    return {ReplyFields(line).Dec(2, 2), line.mid(1)};
}

ConfigRecord DecodeConfig(const QByteArray& line)
{
    const ReplyFields fields(line);
    ConfigRecord record;
    record.alarmCount = fields.Dec(2, 2);
    if (!record.alarmCount)
        return record;
    record.selfAddress = fields.Text(4, 2);
    if (fields.Length() < kLineWithChipCode) {
        // Clocks that send no chip code tell their chip by their alarm count.
        record.chipName = *record.alarmCount <= kAlarmRowsPerBank ? " 16F628 - 648" : " 16F87 - 88";
    } else if (const auto code = fields.Dec(6, 2)) {
        record.chipName = ChipName(*code);
    }
    return record;
}
