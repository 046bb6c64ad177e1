// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/MqttEntities.h"

#include "clock/ClockModel.h"
#include "protocol/SpinRanges.h"
#include "protocol/replies/ReplyWords.h"

#include <QDateTime>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cmath>

namespace {

template <typename T> std::optional<QByteArray> Number(const std::optional<T>& value)
{
    return value ? std::optional(QByteArray::number(*value)) : std::nullopt;
}

std::optional<QByteArray> OnOff(const std::optional<bool>& on)
{
    return on ? std::optional<QByteArray>(*on ? "ON" : "OFF") : std::nullopt;
}

std::optional<QByteArray> Text(const QByteArray& text)
{
    return text.isEmpty() ? std::nullopt : std::optional(text.trimmed());
}

std::optional<QByteArray> Temperature(const ClockFacts& f) { return Number(f.measurement.temperature); }
std::optional<QByteArray> Humidity(const ClockFacts& f) { return Number(f.measurement.humidity); }
std::optional<QByteArray> Pressure(const ClockFacts& f) { return Number(f.measurement.airPressure); }
std::optional<QByteArray> Light(const ClockFacts& f) { return Number(f.measurement.light); }
std::optional<QByteArray> Whirlbeam(const ClockFacts& f)
{
    return f.status.flags ? std::optional(WhirlbeamMode(*f.status.flags).toUtf8()) : std::nullopt;
}
std::optional<QByteArray> TimeValid(const ClockFacts& f)
{
    return f.status.flags ? OnOff(!(*f.status.flags & StatusFlag::TimeInvalid)) : std::nullopt;
}
std::optional<QByteArray> Relay(const ClockFacts& f) { return OnOff(f.relay.on); }
std::optional<QByteArray> RelayMinutes(const ClockFacts& f) { return Number(f.relay.remainingMinutes); }
std::optional<QByteArray> TemperatureOffset(const ClockFacts& f) { return Number(f.offsets.temperature); }
std::optional<QByteArray> HumidityOffset(const ClockFacts& f) { return Number(f.offsets.humidity); }
std::optional<QByteArray> PressureOffset(const ClockFacts& f) { return Number(f.offsets.pressure); }
std::optional<QByteArray> Identity(const ClockFacts& f) { return Text(f.identification.line); }
std::optional<QByteArray> Version(const ClockFacts& f)
{
    return f.version.major ? Text(f.version.text) : std::nullopt;
}
std::optional<QByteArray> AlarmCount(const ClockFacts& f) { return Number(f.config.alarmCount); }

// The decoder's state as the DCF77 page shows it, by the reply table's
// names, and the hour figures once they have all been read.
std::optional<QByteArray> Dcf77(const ClockFacts& f)
{
    if (!f.dcf77.total)
        return std::nullopt;
    QJsonObject state = ReplyRowOf("[")->fields(ReplyRecord(f.dcf77));
    QJsonArray hours;
    for (const int figure : f.hourFigures)
        hours.append(figure);
    state.insert(QStringLiteral("hours"), f.hourFiguresRead ? QJsonValue(hours) : QJsonValue());
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

// To the minute, so that a clock that ticks publishes once a minute, not at
// every poll; in this computer's zone, whose time the clock is set to.
std::optional<QByteArray> ClockDate(const ClockFacts& f)
{
    if (!f.date.date || !f.time.time)
        return std::nullopt;
    const QTime minute(f.time.time->hour(), f.time.time->minute());
    const QDateTime local(*f.date.date, minute);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate).toLatin1();
}

// To the millisecond, as whirlbeamctl offset tells it.
std::optional<QByteArray> ClockOffset(const MqttReadings& r)
{
    if (!r.offsetSeconds)
        return std::nullopt;
    // Rounded first, and no "-0.000" for a clock a fraction of a millisecond behind.
    const double milliseconds = std::round(*r.offsetSeconds * 1000.0) + 0.0;
    return QByteArray::number(milliseconds / 1000.0, 'f', 3);
}

constexpr int kOffsetMin = SpinRangeOf(ClockValue::TemperatureOffset).minValue;
constexpr int kOffsetMax = SpinRangeOf(ClockValue::TemperatureOffset).maxValue;
constexpr int kRelayMax = SpinRangeOf(ClockValue::RelayOnMinutes).maxValue;

// clang-format off
const std::array kEntities = {
    MqttEntity{"temperature", "Temperature", "sensor", "temperature", "°C", "measurement", false, false, Temperature},
    MqttEntity{"humidity", "Humidity", "sensor", "humidity", "%", "measurement", false, false, Humidity},
    MqttEntity{"pressure", "Air pressure", "sensor", "atmospheric_pressure", "hPa", "measurement", false, false, Pressure},
    MqttEntity{"light", "Light", "sensor", "", "", "measurement", false, false, Light},
    MqttEntity{"whirlbeam", "Whirlbeam", "sensor", "", "", "", false, false, Whirlbeam},
    MqttEntity{"whirlbeam_start", "Whirlbeam start", "button", "", "", "", false, true, nullptr},
    MqttEntity{"whirlbeam_stop", "Whirlbeam stop", "button", "", "", "", false, true, nullptr},
    MqttEntity{"alarm_sound_clear", "Clear alarm sound", "button", "", "", "", false, true, nullptr},
    MqttEntity{"relay", "Relay", "switch", "", "", "", false, true, Relay},
    MqttEntity{"relay_minutes", "Relay minutes left", "number", "duration", "min", "", false, true, RelayMinutes, 0, kRelayMax},
    MqttEntity{"time_valid", "Time valid", "binary_sensor", "", "", "", true, false, TimeValid},
    MqttEntity{"temperature_offset", "Temperature offset", "number", "", "°C", "", true, true, TemperatureOffset, kOffsetMin, kOffsetMax},
    MqttEntity{"humidity_offset", "Humidity offset", "number", "", "%", "", true, true, HumidityOffset, kOffsetMin, kOffsetMax},
    MqttEntity{"pressure_offset", "Air pressure offset", "number", "", "hPa", "", true, true, PressureOffset, kOffsetMin, kOffsetMax},
    MqttEntity{"identity", "Identity", "sensor", "", "", "", true, false, Identity},
    MqttEntity{"version", "Firmware version", "sensor", "", "", "", true, false, Version},
    MqttEntity{"alarm_count", "Alarms", "sensor", "", "", "", true, false, AlarmCount},
    MqttEntity{"rc5", "RC5 packet", "event", "", "", "", false, false, nullptr},
    MqttEntity{"sync_time", "Sync time", "button", "", "", "", false, true, nullptr},
    MqttEntity{"rc5_send", "RC5 send", "text", "", "", "", false, true, nullptr, 3, 6, nullptr, "", "^[0-9]{1,2},[0-9]{1,3}$"},
    MqttEntity{"dcf77", "DCF77 synchronisations", "sensor", "", "", "", true, false, Dcf77, 0, 0, nullptr, "{{ value_json.total }}"},
    MqttEntity{"date", "Clock time", "sensor", "timestamp", "", "", true, false, ClockDate},
    MqttEntity{"offset", "Clock offset", "sensor", "duration", "s", "measurement", true, false, nullptr, 0, 0, ClockOffset},
};
// clang-format on

void InsertIfGiven(QJsonObject& config, const char* key, const char* value)
{
    if (*value)
        config.insert(QLatin1String(key), QString::fromUtf8(value));
}

QJsonObject DeviceBlock(const MqttNames& names, const ClockFacts& facts)
{
    QJsonObject device{{"identifiers", QJsonArray{QStringLiteral("whirlbeam_") + names.clockId}},
        {"name", QStringLiteral("Whirlbeam clock")}};
    if (const auto model = Identity(facts))
        device.insert(QStringLiteral("model"), QString::fromLatin1(*model));
    if (const auto version = Version(facts))
        device.insert(QStringLiteral("sw_version"), QString::fromLatin1(*version));
    return device;
}

// What each component needs beyond the common fields.
void AddComponentFields(QJsonObject& config, const MqttNames& names, const MqttEntity& entity)
{
    const QString component = QLatin1String(entity.component);
    if (entity.commands)
        config.insert(QStringLiteral("command_topic"), CommandTopic(names, entity));
    if (component == QLatin1String("number")) {
        config.insert(QStringLiteral("min"), entity.minValue);
        config.insert(QStringLiteral("max"), entity.maxValue);
        config.insert(QStringLiteral("step"), 1);
        config.insert(QStringLiteral("mode"), QStringLiteral("box"));
    } else if (component == QLatin1String("text")) {
        config.insert(QStringLiteral("min"), entity.minValue);
        config.insert(QStringLiteral("max"), entity.maxValue);
        config.insert(QStringLiteral("pattern"), QString::fromLatin1(entity.pattern));
    } else if (component == QLatin1String("button")) {
        config.insert(QStringLiteral("payload_press"), QStringLiteral("PRESS"));
    } else if (component == QLatin1String("event")) {
        config.insert(QStringLiteral("state_topic"), StateTopic(names, entity));
        config.insert(QStringLiteral("event_types"), QJsonArray{QStringLiteral("packet")});
    } else if (component == QLatin1String("switch") || component == QLatin1String("binary_sensor")) {
        config.insert(QStringLiteral("payload_on"), QStringLiteral("ON"));
        config.insert(QStringLiteral("payload_off"), QStringLiteral("OFF"));
    }
}

} // namespace

std::span<const MqttEntity> MqttEntities() { return kEntities; }

const MqttEntity* FindMqttEntity(const QString& object)
{
    for (const MqttEntity& entity : kEntities)
        if (object == QLatin1String(entity.object))
            return &entity;
    return nullptr;
}

QString AvailabilityTopic(const MqttNames& names) { return names.prefix + QStringLiteral("/availability"); }

QString ErrorTopic(const MqttNames& names) { return names.prefix + QStringLiteral("/error"); }

QString StateTopic(const MqttNames& names, const MqttEntity& entity)
{
    return names.prefix + QLatin1Char('/') + QLatin1String(entity.object);
}

QString CommandTopic(const MqttNames& names, const MqttEntity& entity)
{
    return StateTopic(names, entity) + QStringLiteral("/set");
}

QString CommandPattern(const MqttNames& names) { return names.prefix + QStringLiteral("/+/set"); }

QString CommandObject(const MqttNames& names, const QString& topic)
{
    const QString head = names.prefix + QLatin1Char('/');
    const QString tail = QStringLiteral("/set");
    if (!topic.startsWith(head) || !topic.endsWith(tail) || topic.size() <= head.size() + tail.size())
        return QString();
    const QString object = topic.mid(head.size(), topic.size() - head.size() - tail.size());
    return object.contains(QLatin1Char('/')) ? QString() : object;
}

QList<MqttMessage> StateMessages(
    const MqttNames& names, const ClockFacts& facts, const MqttReadings& readings)
{
    QList<MqttMessage> messages;
    for (const MqttEntity& entity : kEntities) {
        const auto payload = entity.state ? entity.state(facts)
            : entity.measured             ? entity.measured(readings)
                                          : std::nullopt;
        if (payload)
            messages.append({StateTopic(names, entity), *payload, true});
    }
    return messages;
}

QString DiscoveryTopic(const MqttNames& names, const MqttEntity& entity)
{
    return QStringLiteral("%1/%2/%3/%4/config")
        .arg(names.discoveryPrefix, QLatin1String(entity.component), names.clockId,
            QLatin1String(entity.object));
}

QList<MqttMessage> DiscoveryRemovals(const MqttNames& names)
{
    QList<MqttMessage> messages;
    for (const MqttEntity& entity : MqttEntities())
        messages.append({DiscoveryTopic(names, entity), QByteArray(), true});
    return messages;
}

MqttMessage DiscoveryMessage(const MqttNames& names, const MqttEntity& entity, const ClockFacts& facts)
{
    const QString uniqueId = names.clockId + QLatin1Char('_') + QLatin1String(entity.object);
    QJsonObject config{{"name", QString::fromUtf8(entity.name)}, {"unique_id", uniqueId},
        {"object_id", QStringLiteral("whirlbeam_") + uniqueId},
        {"availability_topic", AvailabilityTopic(names)}, {"device", DeviceBlock(names, facts)}};
    if (entity.HasState())
        config.insert(QStringLiteral("state_topic"), StateTopic(names, entity));
    if (*entity.valueTemplate) {
        config.insert(QStringLiteral("value_template"), QString::fromUtf8(entity.valueTemplate));
        config.insert(QStringLiteral("json_attributes_topic"), StateTopic(names, entity));
    }
    InsertIfGiven(config, "device_class", entity.deviceClass);
    InsertIfGiven(config, "unit_of_measurement", entity.unit);
    InsertIfGiven(config, "state_class", entity.stateClass);
    if (entity.diagnostic)
        config.insert(QStringLiteral("entity_category"), QStringLiteral("diagnostic"));
    AddComponentFields(config, names, entity);
    return {DiscoveryTopic(names, entity), QJsonDocument(config).toJson(QJsonDocument::Compact), true};
}

MqttMessage Rc5Message(const MqttNames& names, const Rc5PacketRecord& packet)
{
    const QJsonObject event{{"event_type", QStringLiteral("packet")},
        {"address", QString::fromLatin1(packet.address)}, {"command", QString::fromLatin1(packet.command)}};
    return {StateTopic(names, *FindMqttEntity(QStringLiteral("rc5"))),
        QJsonDocument(event).toJson(QJsonDocument::Compact), false};
}

QString MqttClockId(const QString& name)
{
    QString id;
    for (const QChar c : name)
        id += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('-') || c == QLatin1Char('_')
            ? c
            : QLatin1Char('_');
    return id;
}
