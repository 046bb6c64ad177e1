// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/MqttCommands.h"

#include "bridge/MqttEntities.h"
#include "clock/ClockModel.h"
#include "protocol/ProtocolBits.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/commands/PeripheralCommands.h"

#include <QCoreApplication>
#include <optional>

namespace {

struct BridgeTexts {
    Q_DECLARE_TR_FUNCTIONS(BridgeTexts)
};

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

MqttCommand RangedNumber(const QByteArray& payload, ClockValue value, std::optional<int>* number)
{
    const SpinRange& range = SpinRangeOf(value);
    *number = WholeNumber(payload, range);
    if (!*number)
        return Refuse(BridgeTexts::tr("not a whole number"));
    if (**number < range.minValue || **number > range.maxValue)
        return Refuse(BridgeTexts::tr("%1 is outside %2..%3").arg(**number).arg(range.minValue).arg(range.maxValue));
    return {};
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
    std::optional<int> minutes;
    if (MqttCommand refused = RangedNumber(payload, ClockValue::RelayOnMinutes, &minutes); !refused.refusal.isEmpty())
        return refused;
    return {*minutes == 0 ? RelayOffCommand() : RelayOnCommand(*minutes), QString()};
}

MqttCommand Offset(const QByteArray& payload, ClockValue value, const ClockFacts& facts)
{
    std::optional<int> offset;
    if (MqttCommand refused = RangedNumber(payload, value, &offset); !refused.refusal.isEmpty())
        return refused;
    const SensorOffsetRecord& held = facts.offsets;
    if (!held.temperature || !held.humidity || !held.pressure)
        return Refuse(BridgeTexts::tr("the clock's sensor offsets are not known yet"));
    int temperature = *held.temperature, humidity = *held.humidity, pressure = *held.pressure;
    int select = 0;
    switch (value) {
    case ClockValue::TemperatureOffset: temperature = *offset, select = kTemperatureOffsetSelect; break;
    case ClockValue::HumidityOffset: humidity = *offset, select = kHumidityOffsetSelect; break;
    default: pressure = *offset, select = kPressureOffsetSelect; break;
    }
    return {SensorOffsetCommand(select, temperature, humidity, pressure), QString()};
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
    if (object == QLatin1String("relay"))
        return RelaySwitch(payload);
    if (object == QLatin1String("relay_minutes"))
        return RelayMinutes(payload);
    if (object == QLatin1String("temperature_offset"))
        return Offset(payload, ClockValue::TemperatureOffset, facts);
    if (object == QLatin1String("humidity_offset"))
        return Offset(payload, ClockValue::HumidityOffset, facts);
    return Offset(payload, ClockValue::PressureOffset, facts);
}
