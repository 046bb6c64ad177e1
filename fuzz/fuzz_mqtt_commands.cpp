// SPDX-License-Identifier: GPL-3.0-or-later
// The MQTT bridge takes any payload on any topic under its prefix from
// whoever may publish on the broker. Input: a byte choosing the object
// (one of the entity table, a name of the input's own, or from 0xF0 the raw
// command, allowed where that byte is odd), three bytes of
// the clock's sensor offsets (or unknown), then the payload, which also
// serves as a topic. Invariants: a command is accepted only for an object
// that takes commands, from a payload of at most kMaxCommandPayload bytes,
// as a line of the clock's fixed command lengths (relay 5, whirlbeam and
// alarm sound 3, RC5 5, offsets 9) made of printable ASCII after its first
// character, or as the time setting without a line; a raw command only where
// allowed, as its payload itself, a command line of at most kMaxRawPayload
// bytes; refused with a reason otherwise; the same input gives the same answer;
// a topic names a command object only when it is exactly
// <prefix>/<object>/set with no further level.

#include "bridge/MqttCommands.h"
#include "bridge/MqttEntities.h"
#include "clock/ClockModel.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QString ObjectOf(std::uint8_t choice, const QByteArray& payload)
{
    const auto entities = MqttEntities();
    if (choice < entities.size())
        return QLatin1String(entities[choice].object);
    return QString::fromUtf8(payload.left(choice % 24));
}

bool Printable(const QByteArray& line)
{
    for (qsizetype i = 1; i < line.size(); ++i)
        if (line[i] < 0x20 || line[i] > 0x7e)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    ClockFacts facts;
    // 0x80 and above: that offset is unknown.
    const auto offset
        = [](std::uint8_t byte) { return byte & 0x80 ? std::nullopt : std::optional<int>(int(byte) - 64); };
    facts.offsets = {offset(data[1]), offset(data[2]), offset(data[3])};
    const QByteArray payload(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4));
    const bool raw = data[0] >= 0xF0;
    const bool allowRaw = raw && (data[0] & 1);
    const QString object = raw ? QStringLiteral("raw") : ObjectOf(data[0], payload);

    const MqttCommand command = ComposeMqttCommand(object, payload, facts, allowRaw);
    const MqttEntity* entity = FindMqttEntity(object);
    Check(command.Accepted() == command.refusal.isEmpty());
    if (raw) {
        Check(
            !command.Accepted() || (allowRaw && command.line == payload && payload.size() <= kMaxRawPayload));
        if (command.Accepted())
            Check(static_cast<unsigned char>(payload.front()) >= 0x60 && Printable(payload));
    } else if (command.setsTime) {
        Check(command.line.isEmpty() && object == QLatin1String("sync_time") && payload == "PRESS");
    } else if (command.Accepted()) {
        Check(entity && entity->commands);
        Check(payload.size() <= kMaxCommandPayload);
        const char first = command.line.front();
        Check(((first == 'x' || first == 'a') && command.line.size() == 5)
            || ((first == 'w' || first == '~') && command.line.size() == 3)
            || (first == '\x7f' && command.line.size() == 9));
        Check(Printable(command.line));
    }
    const MqttCommand again = ComposeMqttCommand(object, payload, facts, allowRaw);
    Check(again.line == command.line && again.refusal == command.refusal);

    const MqttNames names{
        QStringLiteral("c"), QStringLiteral("whirlbeam/c"), QStringLiteral("homeassistant")};
    const QString topic = QString::fromUtf8(payload);
    const QString named = CommandObject(names, topic);
    if (!named.isEmpty())
        Check(!named.contains(QLatin1Char('/'))
            && topic == names.prefix + QLatin1Char('/') + named + QStringLiteral("/set"));
    return 0;
}
