// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockOffsetMeter.h"

#include "link/ClockConnection.h"
#include "protocol/replies/ReplyKind.h"
#include "protocol/replies/StatusReplies.h"

#include <QDateTime>

namespace {

using namespace std::chrono;

const QByteArray kTimeQuery = "t";
// As whirlbeamctl offset: half a millisecond either way, or 30 s in vain.
constexpr double kPrecision = 0.0005;
constexpr int kGiveUpMs = 30000;
// Room for the tick's own line before a query goes as soon as it may.
constexpr milliseconds kEarliestLead(30);

} // namespace

ClockOffsetMeter::ClockOffsetMeter(ClockConnection& connection, QObject* parent)
    : QObject(parent)
    , connection_(connection)
{
    giveUp_.setSingleShot(true);
    giveUp_.setInterval(kGiveUpMs);
    connect(&giveUp_, &QTimer::timeout, this, [this] { Finish(false); });
    connect(&connection_.Tick(), &TransmitTick::SentOutOfTurn, this, &ClockOffsetMeter::SentOutOfTurn);
    connect(&connection_, &ClockConnection::LineReceived, this, &ClockOffsetMeter::LineReceived);
    connect(&connection_, &ClockConnection::StateChanged, this, [this] {
        if (running_ && !connection_.LinkOpen())
            Finish(false);
    });
}

void ClockOffsetMeter::Start()
{
    if (running_ || !connection_.LinkOpen() || connection_.Tick().Holding())
        return;
    running_ = true;
    finder_ = {};
    start_ = system_clock::now();
    const QDateTime local
        = QDateTime::fromMSecsSinceEpoch(duration_cast<milliseconds>(start_.time_since_epoch()).count());
    startOfDay_ = local.time().msecsSinceStartOfDay() / 1000.0
        + double(duration_cast<microseconds>(start_.time_since_epoch()).count() % 1000) / 1e6;
    giveUp_.start();
    Probe();
}

double ClockOffsetMeter::TimeOfDay(WallTime instant) const
{
    return startOfDay_ + duration<double>(instant - start_).count();
}

WallTime ClockOffsetMeter::WallTimeOf(double timeOfDay) const
{
    return start_ + duration_cast<system_clock::duration>(duration<double>(timeOfDay - startOfDay_));
}

// Each reading counts at the instant its query was whole at the clock.
void ClockOffsetMeter::Probe()
{
    const Micros travel = connection_.Link().TravelTime(int(kTimeQuery.size()));
    WallTime at = system_clock::now();
    if (const auto probe = finder_.NextProbe(TimeOfDay(at + travel + kEarliestLead)))
        at = WallTimeOf(*probe) - travel;
    awaitingAnswer_ = false;
    connection_.Tick().SendAt(kTimeQuery, at);
}

void ClockOffsetMeter::SentOutOfTurn(const QByteArray& line, WallTime sentAt)
{
    if (!running_ || line != kTimeQuery)
        return;
    queryWhole_ = sentAt + connection_.Link().TravelTime(int(line.size()));
    awaitingAnswer_ = true;
}

void ClockOffsetMeter::LineReceived(const QByteArray& line)
{
    if (!running_ || !awaitingAnswer_ || KindOf(line) != ReplyKind::TimeReply)
        return;
    const std::optional<QTime> time = DecodeTime(line);
    if (!time)
        return;
    awaitingAnswer_ = false;
    finder_.Take(TimeOfDay(queryWhole_), time->msecsSinceStartOfDay() / 1000);
    if (finder_.Bracketed() && finder_.Uncertainty() <= kPrecision)
        Finish(true);
    else
        Probe();
}

void ClockOffsetMeter::Finish(bool measured)
{
    // A query still held would go out after the end.
    const bool queryHeld = running_ && !awaitingAnswer_;
    running_ = false;
    awaitingAnswer_ = false;
    giveUp_.stop();
    if (measured) {
        emit Measured(finder_.Offset(), finder_.Uncertainty());
        return;
    }
    if (queryHeld)
        connection_.Tick().CancelSendAt();
    emit Failed();
}
