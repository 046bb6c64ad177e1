// SPDX-License-Identifier: GPL-3.0-or-later
#include "bridge/MqttBridge.h"

#include "bridge/MqttClient.h"
#include "bridge/MqttCommands.h"
#include "clock/ClockModel.h"
#include "link/ClockSession.h"
#include "link/CommandLineCheck.h"
#include "protocol/commands/Dcf77Commands.h"
#include "protocol/commands/StatusRequests.h"

#include <QCoreApplication>

namespace {

struct BridgeTexts {
    Q_DECLARE_TR_FUNCTIONS(BridgeTexts)
};

// The status requests of the poll cycle, once each.
const QList<QByteArray> kPollRequests = {"d", "t", "y", "n", "w00", "|", "{"};
const QByteArray kSensorOffsetQuery = "\x7f"
                                      "00000000";

} // namespace

MqttBridge::MqttBridge(Settings settings, ClockSession& session, const ClockModel& model, MqttClient& client,
    std::function<void(const QString&)> complain, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
    , session_(session)
    , connection_(session.Connection())
    , model_(model)
    , client_(client)
    , complain_(std::move(complain))
    , timeSync_(connection_)
    , offsetMeter_(connection_)
{
    pace_.setInterval(settings_.pollMs);
    connect(&pace_, &QTimer::timeout, this, &MqttBridge::Poll);
    hourFiguresPace_.setInterval(settings_.hourFiguresMs);
    connect(&hourFiguresPace_, &QTimer::timeout, this, &MqttBridge::AskHourFigures);
    offsetPace_.setInterval(settings_.offsetMs);
    connect(&offsetPace_, &QTimer::timeout, this, [this] { offsetDue_ = true; });
    connect(&offsetMeter_, &ClockOffsetMeter::Measured, this, &MqttBridge::OffsetMeasured);
    connect(&offsetMeter_, &ClockOffsetMeter::Failed, this,
        [this] { complain_(BridgeTexts::tr("mqtt: the clock's offset could not be measured")); });
    WatchBroker();
    WatchClock();
}

void MqttBridge::WatchBroker()
{
    connect(&client_, &MqttClient::Connected, this, &MqttBridge::BrokerConnected);
    connect(&client_, &MqttClient::Disconnected, this, [this](const QString& why, int retryMs) {
        brokerLost_ = true;
        complain_(BridgeTexts::tr("mqtt: the broker is away (%1); trying again in %2 s")
                      .arg(why)
                      .arg(retryMs / 1000.0));
    });
    connect(&client_, &MqttClient::MessageReceived, this, &MqttBridge::Command);
    client_.Subscribe(CommandPattern(settings_.names));
}

void MqttBridge::WatchClock()
{
    connect(&connection_, &ClockConnection::LineReceived, this, &MqttBridge::LineArrived);
    connect(&connection_, &ClockConnection::StateChanged, this, &MqttBridge::ClockStateChanged);
    const auto changed = [this] { PublishChanges(); };
    connect(&model_, &ClockModel::IdentificationChanged, this, changed);
    connect(&model_, &ClockModel::VersionChanged, this, changed);
    connect(&model_, &ClockModel::ConfigChanged, this, changed);
    connect(&model_, &ClockModel::StatusChanged, this, changed);
    connect(&model_, &ClockModel::RelayChanged, this, changed);
    connect(&model_, &ClockModel::MeasurementChanged, this, changed);
    connect(&model_, &ClockModel::SensorOffsetsChanged, this, changed);
    connect(&model_, &ClockModel::DateChanged, this, changed);
    connect(&model_, &ClockModel::TimeChanged, this, changed);
    connect(&model_, &ClockModel::Dcf77StateChanged, this, changed);
    connect(&model_, &ClockModel::HourFigureRead, this, [this](int, bool complete) {
        if (complete)
            PublishChanges();
    });
    connect(&model_, &ClockModel::Rc5PacketReceived, this, &MqttBridge::Rc5Packet);
    // The tick runs only while there is something to send: an idle clock
    // costs no wakeups between the rounds.
    connect(&connection_.Tick(), &TransmitTick::Sending, this, [this] {
        if (connection_.Tick().Queue.IsEmpty())
            connection_.Tick().Timer().stop();
    });
}

void MqttBridge::Start()
{
    QueueAll(ReplyResumedBatch());
    AskHourFigures();
    pace_.start();
    hourFiguresPace_.start();
    offsetPace_.start();
    client_.Start();
}

void MqttBridge::Stop()
{
    pace_.stop();
    hourFiguresPace_.stop();
    offsetPace_.stop();
    client_.Stop(AvailabilityTopic(settings_.names), "offline", true);
}

// A new broker connection knows nothing of what the last one was given.
void MqttBridge::BrokerConnected()
{
    if (brokerLost_)
        complain_(BridgeTexts::tr("mqtt: the broker is back"));
    brokerLost_ = false;
    published_.clear();
    PublishOnce({AvailabilityTopic(settings_.names), available_ ? "online" : "offline", true});
    PublishChanges();
}

// A round of requests that found no answer by the next means the clock is
// not answering, though its link may be open.
void MqttBridge::Poll()
{
    if (polled_ && !answeredSincePoll_)
        SetAvailable(false);
    if (connection_.CurrentState() != ClockConnection::State::Open || !connection_.Tick().Queue.IsEmpty()
        || connection_.Tick().Holding() || offsetMeter_.Running())
        return;
    // The poll's time query would be taken for the measurement's: a round
    // without requests, the measurement's answers showing the clock is there.
    if (offsetDue_) {
        offsetDue_ = false;
        offsetMeter_.Start();
    } else {
        QueueAll(kPollRequests);
    }
    polled_ = true;
    answeredSincePoll_ = false;
}

void MqttBridge::AskHourFigures()
{
    if (connection_.CurrentState() == ClockConnection::State::Open)
        QueueAll(StatisticsReadCommands());
}

void MqttBridge::OffsetMeasured(double seconds)
{
    readings_.offsetSeconds = seconds;
    PublishChanges();
}

void MqttBridge::LineArrived()
{
    answeredSincePoll_ = true;
    SetAvailable(true);
}

void MqttBridge::ClockStateChanged(ClockConnection::State state)
{
    if (state == ClockConnection::State::WaitingForReturn)
        SetAvailable(false);
}

void MqttBridge::SetAvailable(bool available)
{
    if (available == available_)
        return;
    const bool returned = available && wentAway_;
    available_ = available;
    wentAway_ = wentAway_ || !available;
    // What may have changed while it was away: everything asked for anew.
    if (returned)
        QueueAll(ReplyResumedBatch());
    PublishOnce({AvailabilityTopic(settings_.names), available ? "online" : "offline", true});
}

void MqttBridge::PublishChanges()
{
    const ClockFacts& facts = model_.Facts();
    for (const MqttMessage& message : StateMessages(settings_.names, facts, readings_))
        PublishOnce(message);
    // The device block names the clock's identity and version: configs wait
    // for the first read to have passed both (the configuration follows them).
    const bool deviceKnown
        = !facts.identification.line.isEmpty() && (facts.version.major || facts.config.alarmCount);
    if (!settings_.discovery || !deviceKnown)
        return;
    for (const MqttEntity& entity : MqttEntities())
        PublishOnce(DiscoveryMessage(settings_.names, entity, facts));
}

void MqttBridge::PublishOnce(const MqttMessage& message)
{
    const auto last = published_.constFind(message.topic);
    if (last != published_.cend() && *last == message.payload)
        return;
    if (client_.Publish(message.topic, message.payload, message.retained))
        published_.insert(message.topic, message.payload);
}

void MqttBridge::Command(const QString& topic, const QByteArray& payload)
{
    const QString object = CommandObject(settings_.names, topic);
    if (object.isEmpty())
        return;
    MqttCommand command = ComposeMqttCommand(object, payload, model_.Facts(), settings_.allowRaw);
    if (command.Accepted() && connection_.CurrentState() != ClockConnection::State::Open)
        command = {QByteArray(), BridgeTexts::tr("the clock is away")};
    if (command.Accepted() && !command.setsTime)
        if (const QString refusal = LinkFitRefusal(command.line, connection_.Link()); !refusal.isEmpty())
            command = {QByteArray(), refusal};
    // A line held for its instant would be replaced by the time line.
    if (command.setsTime && (connection_.Tick().Holding() || offsetMeter_.Running()))
        command = {QByteArray(), BridgeTexts::tr("the clock's time is being measured or set; try again")};
    if (!command.Accepted()) {
        const QString message = QStringLiteral("%1: %2").arg(topic, command.refusal);
        complain_(QStringLiteral("mqtt: ") + message);
        client_.Publish(ErrorTopic(settings_.names), message.toUtf8(), false);
        return;
    }
    Execute(object, command);
}

void MqttBridge::Execute(const QString& object, const MqttCommand& command)
{
    if (command.setsTime) {
        // The date line goes at the tick's pace; the tick must run for it.
        timeSync_.Start();
        QueueAll({});
        return;
    }
    QueueAll({command.line});
    // The offsets are not among the status requests: read back at once.
    if (object.endsWith(QLatin1String("_offset")))
        QueueAll({kSensorOffsetQuery});
}

void MqttBridge::Rc5Packet(const Rc5PacketRecord& packet)
{
    const MqttMessage message = Rc5Message(settings_.names, packet);
    client_.Publish(message.topic, message.payload, message.retained);
}

void MqttBridge::QueueAll(const QList<QByteArray>& lines)
{
    for (const QByteArray& line : lines)
        session_.Queue(line);
    QTimer& tick = connection_.Tick().Timer();
    if (connection_.CurrentState() == ClockConnection::State::Open && !tick.isActive())
        tick.start();
}
