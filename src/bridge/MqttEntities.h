// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <span>

struct ClockFacts;
struct Rc5PacketRecord;

// What the bridge measures of the clock itself, beside what it tells.
struct MqttReadings {
    std::optional<double> offsetSeconds; // the clock's time minus the computer's
};

// One thing the bridge shows of the clock: its state topic
// <prefix>/<object>, its command topic <prefix>/<object>/set where it takes
// commands, and how Home Assistant is told of it.
struct MqttEntity {
    const char* object; // topic suffix and, behind the clock id, the unique id
    const char* name; // as Home Assistant shows it
    const char* component; // sensor, binary_sensor, switch, number, button, event, text
    const char* deviceClass; // "" for none
    const char* unit; // "" for none
    const char* stateClass; // "" for none
    bool diagnostic; // Home Assistant's entity_category "diagnostic"
    bool commands; // takes commands on <prefix>/<object>/set
    // The payload of its retained state; nullopt while the clock has not
    // told it. Without: no state topic (a button, an event).
    std::optional<QByteArray> (*state)(const ClockFacts& facts);
    int minValue = 0; // a number's range
    int maxValue = 0;
    // A state of the bridge's own measuring (without `state`).
    std::optional<QByteArray> (*measured)(const MqttReadings& readings) = nullptr;
    // A JSON state: Home Assistant shows this of it and the rest as attributes.
    const char* valueTemplate = "";
    const char* pattern = ""; // what a text entity takes

    bool HasState() const { return state || measured; }
};

std::span<const MqttEntity> MqttEntities();
const MqttEntity* FindMqttEntity(const QString& object);

// What the bridge's topics are named by.
struct MqttNames {
    QString clockId; // "ABC123": in unique ids and discovery topics
    QString prefix; // "whirlbeam/ABC123"
    QString discoveryPrefix = QStringLiteral("homeassistant");
};

struct MqttMessage {
    QString topic;
    QByteArray payload;
    bool retained = true;

    bool operator==(const MqttMessage&) const = default;
};

QString AvailabilityTopic(const MqttNames& names);
QString ErrorTopic(const MqttNames& names);
QString StateTopic(const MqttNames& names, const MqttEntity& entity);
QString CommandTopic(const MqttNames& names, const MqttEntity& entity);
// <prefix>/+/set: every command topic.
QString CommandPattern(const MqttNames& names);
// The object whose command topic this is; empty for any other topic.
QString CommandObject(const MqttNames& names, const QString& topic);

// The retained state of every entity the clock has told.
QList<MqttMessage> StateMessages(
    const MqttNames& names, const ClockFacts& facts, const MqttReadings& readings = {});
// Home Assistant's retained config of the entity, with the device as the
// identification and version replies name it.
MqttMessage DiscoveryMessage(const MqttNames& names, const MqttEntity& entity, const ClockFacts& facts);
QString DiscoveryTopic(const MqttNames& names, const MqttEntity& entity);
// An empty retained config for every entity: Home Assistant forgets them.
QList<MqttMessage> DiscoveryRemovals(const MqttNames& names);
// The packet as an event (not retained).
MqttMessage Rc5Message(const MqttNames& names, const Rc5PacketRecord& packet);

// A clock id fit for topics and unique ids: letters, digits, '-' and '_'
// kept, anything else '_'.
QString MqttClockId(const QString& name);
