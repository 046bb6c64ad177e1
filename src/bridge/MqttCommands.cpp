// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/MqttCommands.h"

#include "bridge/MqttEntities.h"
#include "clock/ClockModel.h"
#include "protocol/ProtocolBits.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/commands/PeripheralCommands.h"

#include <QCoreApplication>
#include <array>
#include <optional>

namespace {

struct BridgeTexts {
    Q_DECLARE_TR_FUNCTIONS(BridgeTexts)
};

// As the alarm page's button sends it: the sounding alarm falls silent.
QByteArray ClearAlarmSoundCommand() { return QByteArrayLiteral("~80"); }

MqttCommand Refuse(const QString& why) { return {QByteArray(), why}; }

// A whole number as the spin edits take it: an optional minus, then at
// most the edit's digits; nothing else, no blanks.
std::optional<int> WholeNumber(const QByteArray& payload, const SpinRange& range)
{
    const bool negative = payload.startsWith('-');
    const QByteArray digits = negative ? payload.mid(1) : payload;
    if (digits.isEmpty() || digits.size() > range.maxLength)
        return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    const int value = digits.toInt();
    return negative ? -value : value;
}

// The number within the value's range; nullopt, and why, otherwise.
std::optional<int> RangedNumber(const QByteArray& payload, ClockValue value, QString* why)
{
    const SpinRange& range = SpinRangeOf(value);
    const std::optional<int> number = WholeNumber(payload, range);
    if (!number)
        *why = BridgeTexts::tr("not a whole number");
    else if (*number < range.minValue || *number > range.maxValue)
        *why = BridgeTexts::tr("%1 is outside %2..%3").arg(*number).arg(range.minValue).arg(range.maxValue);
    else
        return number;
    return std::nullopt;
}

MqttCommand Press(const QByteArray& payload, const QByteArray& line)
{
    return payload == "PRESS" ? MqttCommand{line, QString()} : Refuse(BridgeTexts::tr("takes PRESS"));
}

MqttCommand RelaySwitch(const QByteArray& payload)
{
    if (payload == "ON")
        return {RelayOnCommand(kRelaySwitchMinutes), QString()};
    if (payload == "OFF")
        return {RelayOffCommand(), QString()};
    return Refuse(BridgeTexts::tr("takes ON or OFF"));
}

MqttCommand RelayMinutes(const QByteArray& payload)
{
    QString why;
    const std::optional<int> minutes = RangedNumber(payload, ClockValue::RelayOnMinutes, &why);
    if (!minutes)
        return Refuse(why);
    return {*minutes == 0 ? RelayOffCommand() : RelayOnCommand(*minutes), QString()};
}

// index: 0 temperature, 1 humidity, 2 pressure, as the line carries them.
MqttCommand Offset(const QByteArray& payload, int index, const ClockFacts& facts)
{
    static constexpr std::array kValues
        = {ClockValue::TemperatureOffset, ClockValue::HumidityOffset, ClockValue::PressureOffset};
    static constexpr std::array kSelects
        = {kTemperatureOffsetSelect, kHumidityOffsetSelect, kPressureOffsetSelect};
    QString why;
    const std::optional<int> offset = RangedNumber(payload, kValues[size_t(index)], &why);
    if (!offset)
        return Refuse(why);
    const SensorOffsetRecord& held = facts.offsets;
    if (!held.temperature || !held.humidity || !held.pressure)
        return Refuse(BridgeTexts::tr("the clock's sensor offsets are not known yet"));
    std::array offsets = {*held.temperature, *held.humidity, *held.pressure};
    offsets[size_t(index)] = *offset;
    return {SensorOffsetCommand(kSelects[size_t(index)], offsets[0], offsets[1], offsets[2]), QString()};
}

} // namespace

MqttCommand ComposeMqttCommand(const QString& object, const QByteArray& payload, const ClockFacts& facts)
{
    const MqttEntity* entity = FindMqttEntity(object);
    if (!entity || !entity->commands)
        return Refuse(BridgeTexts::tr("no such command"));
    if (payload.size() > kMaxCommandPayload)
        return Refuse(BridgeTexts::tr("payload too long"));
    if (object == QLatin1String("whirlbeam_start"))
        return Press(payload, StartWhirlbeamCommand());
    if (object == QLatin1String("whirlbeam_stop"))
        return Press(payload, StopWhirlbeamCommand());
    if (object == QLatin1String("alarm_sound_clear"))
        return Press(payload, ClearAlarmSoundCommand());
    if (object == QLatin1String("relay"))
        return RelaySwitch(payload);
    if (object == QLatin1String("relay_minutes"))
        return RelayMinutes(payload);
    if (object == QLatin1String("temperature_offset"))
        return Offset(payload, 0, facts);
    if (object == QLatin1String("humidity_offset"))
        return Offset(payload, 1, facts);
    return Offset(payload, 2, facts);
}
