// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockTimeSync.h"

#include "link/ClockConnection.h"
#include "protocol/commands/ClockCommands.h"

#include <QDateTime>

ClockTimeSync::ClockTimeSync(ClockConnection& connection, QObject* parent)
    : QObject(parent)
    , connection_(connection)
{
    connect(&connection_.Tick(), &TransmitTick::Sending, this, &ClockTimeSync::LineSent);
}

void ClockTimeSync::Start()
{
    if (!connection_.LinkOpen() || setting_ || connection_.Tick().Holding())
        return;
    Plan(0);
}

void ClockTimeSync::Cancel()
{
    setting_.reset();
    connection_.Tick().CancelSendAt();
}

// Both lines name the second that begins on the edge, its date too.
void ClockTimeSync::Plan(int plan)
{
    using namespace std::chrono;
    const ClockLink& link = connection_.Link();
    CommandQueue& queue = connection_.Tick().Queue;
    const Micros travel = link.TravelTime(int(SetTimeCommand(QTime(0, 0)).size()));
    const Micros lead = milliseconds((queue.Count() + 2) * link.TickMs() + 300);
    const EdgeSend edge = PlanEdgeSend(system_clock::now(), travel, lead);
    const QDateTime second
        = QDateTime::fromMSecsSinceEpoch(duration_cast<milliseconds>(edge.edge.time_since_epoch()).count());
    const QByteArray dateLine = SetDateCommand(second.date());
    queue.Append(dateLine);
    setting_ = Setting{dateLine, queue.EndMark(), edge, second.time(), plan};
}

void ClockTimeSync::LineSent(const QByteArray& line, bool queued)
{
    using namespace std::chrono;
    if (!setting_ || !connection_.Tick().Queue.Passed(setting_->dateQueued))
        return;
    const Setting setting = *setting_;
    setting_.reset();
    // Otherwise the date line was cleared from the queue unsent.
    if (!queued || line != setting.dateLine)
        return;
    if (system_clock::now() + milliseconds(connection_.Link().TickMs()) > setting.edge.sendAt) {
        if (setting.plan < 2)
            Plan(setting.plan + 1);
        return;
    }
    connection_.Tick().SendAt(SetTimeCommand(setting.second), setting.edge.sendAt);
}
