// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/MqttCommands.h"

#include "bridge/MqttEntities.h"
#include "clock/ClockModel.h"
#include "files/ParameterFile.h"
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
std::optional<int> WholeNumber(const QByteArray& payload, int maxDigits)
{
    const bool negative = payload.startsWith('-');
    const QByteArray digits = negative ? payload.mid(1) : payload;
    if (digits.isEmpty() || digits.size() > maxDigits)
        return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return std::nullopt;
    const int value = digits.toInt();
    return negative ? -value : value;
}

std::optional<int> NumberWithin(
    const QByteArray& payload, int minValue, int maxValue, int maxDigits, QString* why)
{
    const std::optional<int> number = WholeNumber(payload, maxDigits);
    if (!number)
        *why = BridgeTexts::tr("not a whole number");
    else if (*number < minValue || *number > maxValue)
        *why = BridgeTexts::tr("%1 is outside %2..%3").arg(*number).arg(minValue).arg(maxValue);
    else
        return number;
    return std::nullopt;
}

// The number within the value's range; nullopt, and why, otherwise.
std::optional<int> RangedNumber(const QByteArray& payload, ClockValue value, QString* why)
{
    const SpinRange& range = SpinRangeOf(value);
    return NumberWithin(payload, range.minValue, range.maxValue, range.maxLength, why);
}

MqttCommand Press(const QByteArray& payload, const QByteArray& line)
{
    return payload == "PRESS" ? MqttCommand{line, QString()} : Refuse(BridgeTexts::tr("takes PRESS"));
}

// "ADDRESS,COMMAND", in decimal, within what the RC5 page's edits take.
MqttCommand Rc5Send(const QByteArray& payload)
{
    const QList<QByteArray> parts = payload.split(',');
    if (parts.size() != 2)
        return Refuse(BridgeTexts::tr("takes ADDRESS,COMMAND"));
    QString why;
    const std::optional<int> address = NumberWithin(parts[0], 0, kMaxRc5Address, 2, &why);
    if (!address)
        return Refuse(BridgeTexts::tr("address: %1").arg(why));
    const std::optional<int> command = NumberWithin(parts[1], 0, kMaxRc5Command, 3, &why);
    if (!command)
        return Refuse(BridgeTexts::tr("command: %1").arg(why));
    return {Rc5Command(*address, *command), QString()};
}

// As whirlbeamctl send checks its line.
MqttCommand Raw(const QByteArray& payload)
{
    const QString why = WhyNotACommandLine(payload);
    return why.isEmpty() ? MqttCommand{payload, QString()} : Refuse(why);
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

MqttCommand ComposeMqttCommand(
    const QString& object, const QByteArray& payload, const ClockFacts& facts, bool allowRaw)
{
    if (allowRaw && object == QLatin1String("raw"))
        return payload.size() > kMaxRawPayload ? Refuse(BridgeTexts::tr("payload too long")) : Raw(payload);
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
    if (object == QLatin1String("sync_time"))
        return payload == "PRESS" ? MqttCommand{QByteArray(), QString(), true}
                                  : Refuse(BridgeTexts::tr("takes PRESS"));
    if (object == QLatin1String("rc5_send"))
        return Rc5Send(payload);
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
