// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/AlarmCommand.h"

#include "protocol/ProtocolBits.h"
#include "protocol/commands/Fields.h"
#include "protocol/replies/AlarmReply.h"

namespace {
constexpr AlarmAction kExcludedByRelay[]
    = {AlarmAction::WhirlbeamOn, AlarmAction::WhirlbeamOff, AlarmAction::Sound};
constexpr AlarmAction kExcludedByWhirlbeamOn[] = {AlarmAction::RelayOn, AlarmAction::WhirlbeamOff};
constexpr AlarmAction kExcludedByWhirlbeamOff[] = {AlarmAction::RelayOn, AlarmAction::WhirlbeamOn};
constexpr AlarmAction kExcludedBySound[] = {AlarmAction::RelayOn};

bool AlarmSettings::*ActionField(AlarmAction action)
{
    switch (action) {
    case AlarmAction::RelayOn: return &AlarmSettings::relayOn;
    case AlarmAction::WhirlbeamOn: return &AlarmSettings::whirlbeamOn;
    case AlarmAction::WhirlbeamOff: return &AlarmSettings::whirlbeamOff;
    case AlarmAction::Sound: return &AlarmSettings::sound;
    }
    return &AlarmSettings::sound;
}

// A box that becomes ticked clears those it excludes; the boxes it clears
// run their own rule, which does nothing for a cleared box.
void SetActionBox(AlarmSettings& row, AlarmAction box, bool ticked)
{
    bool& field = row.*ActionField(box);
    const bool becameTicked = ticked && !field;
    field = ticked;
    if (becameTicked)
        for (AlarmAction other : ExcludedActions(box))
            row.*ActionField(other) = false;
}
// Whether a row's number as shown ("07") is the row; the same as comparing
// with its two-digit field, without composing one for every reply.
bool IsShownRow(const QByteArray& shown, int row)
{
    return row >= 0 && row < 100 && shown.size() == 2 && shown[0] == '0' + row / 10 && shown[1] == '0' + row % 10;
}

} // namespace

std::span<const AlarmAction> ExcludedActions(AlarmAction ticked)
{
    switch (ticked) {
    case AlarmAction::RelayOn: return kExcludedByRelay;
    case AlarmAction::WhirlbeamOn: return kExcludedByWhirlbeamOn;
    case AlarmAction::WhirlbeamOff: return kExcludedByWhirlbeamOff;
    case AlarmAction::Sound: return kExcludedBySound;
    }
    return {};
}

int DayByte(const AlarmSettings& alarm)
{
    int byte = alarm.enabled ? kAlarmEnabledBit : 0;
    for (size_t day = 0; day < alarm.days.size(); ++day)
        if (alarm.days[day])
            byte |= 1 << day;
    return byte;
}

int ActionByte(const AlarmSettings& alarm)
{
    namespace Bit = AlarmActionBit;
    if (alarm.relayOn)
        return Bit::Relay + (alarm.count & Bit::RelayMinutes);
    return (alarm.whirlbeamOn ? Bit::WhirlbeamOn : 0) + (alarm.whirlbeamOff ? Bit::WhirlbeamOff : 0)
        + (alarm.sound ? Bit::Sound : 0) + (alarm.count & Bit::Count);
}

QByteArray AlarmCommand(const AlarmSettings& alarm)
{
    return "k" + alarm.row + HexField(DayByte(alarm), 2)
        + DecField(alarm.ignoreHour ? kIgnoredHourBit : alarm.hour, 2)
        + DecField(alarm.minute, 2) + HexField(ActionByte(alarm), 2);
}

void ApplyAlarmReply(AlarmSettings& row, const AlarmRecord& record)
{
    if (!record.row || !record.dayByte || !IsShownRow(row.row, *record.row))
        return;
    row.enabled = *record.dayByte & kAlarmEnabledBit;
    for (size_t day = 0; day < row.days.size(); ++day)
        row.days[day] = *record.dayByte & (1 << day);
    if (!record.hourValue)
        return;
    row.ignoreHour = record.IgnoreHour();
    if (!record.minute)
        return;
    row.hour = record.Hour();
    row.minute = *record.minute;
    if (!record.actionByte)
        return;
    const int action = *record.actionByte;
    namespace Bit = AlarmActionBit;
    SetActionBox(row, AlarmAction::RelayOn, action & Bit::Relay);
    if (row.relayOn) {
        row.count = action & Bit::RelayMinutes;
        // A relay alarm does nothing else, also when its box was ticked already.
        for (AlarmAction other : ExcludedActions(AlarmAction::RelayOn))
            row.*ActionField(other) = false;
        return;
    }
    SetActionBox(row, AlarmAction::WhirlbeamOn, action & Bit::WhirlbeamOn);
    SetActionBox(row, AlarmAction::WhirlbeamOff, action & Bit::WhirlbeamOff);
    SetActionBox(row, AlarmAction::Sound, action & Bit::Sound);
    row.count = action & Bit::Count;
}

QByteArray AlarmReadCommand(int row) { return "l" + DecField(row, 2); }

QList<QByteArray> AlarmReadOut(int first, int count)
{
    QList<QByteArray> lines;
    for (int row = first; row < first + count; ++row)
        lines << AlarmReadCommand(row);
    return lines << kEndOfBatchCommand;
}
