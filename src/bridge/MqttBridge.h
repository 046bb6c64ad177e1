// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bridge/MqttEntities.h"
#include "link/ClockConnection.h"
#include "link/ClockOffsetMeter.h"
#include "link/ClockTimeSync.h"

#include <QHash>
#include <QObject>
#include <QTimer>
#include <functional>

class ClockModel;
class ClockSession;
class MqttClient;
struct MqttCommand;
struct Rc5PacketRecord;

// The clock on an MQTT broker: asks the clock for its state at a pace of
// its own, publishes each state topic retained when its value changes, the
// availability as the clock answers or goes away, RC5 packets as events,
// Home Assistant's discovery configs; and queues the commands that arrive
// on the command topics, checked first. Runs on the connection's and the
// client's event loop; the owner waits in it.
class MqttBridge : public QObject {
    Q_OBJECT
public:
    struct Settings {
        MqttNames names;
        bool discovery = true;
        int pollMs = 5000;
        bool allowRaw = false; // <prefix>/raw/set takes any command line
        // The hour figures are not among the poll's requests: asked for at
        // the start and at this slow pace.
        int hourFiguresMs = 10 * 60 * 1000;
        // The offset is measured at the start and at this pace.
        int offsetMs = 60 * 60 * 1000;
    };

    // complain: one line for standard error (a refused command, the broker
    // gone or back).
    MqttBridge(Settings settings, ClockSession& session, const ClockModel& model, MqttClient& client,
        std::function<void(const QString&)> complain, QObject* parent = nullptr);

    // Starts the pace and the broker connection; the clock's whole state is
    // asked for first.
    void Start();
    // "offline" published, the broker left.
    void Stop();

private:
    void WatchBroker();
    void WatchClock();
    void BrokerConnected();
    void Poll();
    void LineArrived();
    void ClockStateChanged(ClockConnection::State state);
    void SetAvailable(bool available);
    void PublishChanges();
    void PublishOnce(const MqttMessage& message);
    void Command(const QString& topic, const QByteArray& payload);
    void Rc5Packet(const Rc5PacketRecord& packet);
    void QueueAll(const QList<QByteArray>& lines);
    void AskHourFigures();
    void OffsetMeasured(double seconds);
    void Execute(const QString& object, const MqttCommand& command);

    Settings settings_;
    ClockSession& session_;
    ClockConnection& connection_;
    const ClockModel& model_;
    MqttClient& client_;
    std::function<void(const QString&)> complain_;
    QTimer pace_;
    QTimer hourFiguresPace_;
    QTimer offsetPace_;
    ClockTimeSync timeSync_;
    ClockOffsetMeter offsetMeter_;
    MqttReadings readings_;
    bool offsetDue_ = true; // measured at the next poll instead of its requests
    // What each retained topic was last given on this broker connection.
    QHash<QString, QByteArray> published_;
    bool available_ = false;
    bool wentAway_ = false; // unavailable once since the start: a return asks for everything
    bool answeredSincePoll_ = false;
    bool polled_ = false;
    bool brokerLost_ = false; // said on standard error: its return is said too
};
