#include "protocol/commands/AlarmCommand.h"

#include "protocol/commands/Fields.h"

namespace {
constexpr int kIgnoredHour = 32;
}

int DayByte(const AlarmSettings& alarm)
{
    int byte = alarm.enabled ? 0x80 : 0;
    for (size_t day = 0; day < alarm.days.size(); ++day)
        if (alarm.days[day])
            byte |= 1 << day;
    return byte;
}

int ActionByte(const AlarmSettings& alarm)
{
    if (alarm.relayOn)
        return 0x80 + (alarm.count & 0x7F);
    return (alarm.whirlbeamOn ? 0x40 : 0) + (alarm.whirlbeamOff ? 0x20 : 0)
        + (alarm.sound ? 0x10 : 0) + (alarm.count & 0x0F);
}

QByteArray AlarmCommand(const AlarmSettings& alarm)
{
    return "k" + alarm.row + HexField(DayByte(alarm), 2)
        + DecField(alarm.ignoreHour ? kIgnoredHour : alarm.hour, 2)
        + DecField(alarm.minute, 2) + HexField(ActionByte(alarm), 2);
}
