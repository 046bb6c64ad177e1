// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ClockPeer.h"

#include "protocol/commands/Fields.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
constexpr quint32 kSeed = 0x57B1;

// Lines the panel must drop: no reply letter, or a letter nobody asked for.
const std::array<QByteArray, 6> kGarbageLines = {"u", "0815", "]]", "Ufo", "#noise", "hello"};

// Remote controls of other devices in the room: a TV (address 0) and a VCR
// (address 5) with their digit, volume and channel keys.
constexpr std::array<int, 2> kForeignRc5Addresses = {0x00, 0x05};
constexpr std::array<int, 14> kForeignRc5Commands = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x10, 0x11, 0x20, 0x21};
constexpr int kRc5ToggleBit = 0x80;

ClockPeer::TimeSource OrSystemClock(ClockPeer::TimeSource source)
{
    return source ? std::move(source) : [] { return QDateTime::currentDateTime(); };
}
} // namespace

ClockPeer::ClockPeer(const ClockPeerOptions& options, TimeSource now, QObject* parent)
    : QObject(parent)
    , now_(OrSystemClock(std::move(now)))
    , state_(now_(), kSeed)
    , silenceTimer_(this)
    , housekeepingTimer_(this)
    , rc5Timer_(this)
    , releaseTimer_(this)
    , random_(kSeed)
{
    silenceTimer_.setSingleShot(true);
    releaseTimer_.setSingleShot(true);
    connect(&silenceTimer_, &QTimer::timeout, this, &ClockPeer::EndCommandAfterSilence);
    connect(&housekeepingTimer_, &QTimer::timeout, this, &ClockPeer::Housekeep);
    connect(&rc5Timer_, &QTimer::timeout, this, &ClockPeer::ReceiveRc5Packet);
    connect(&releaseTimer_, &QTimer::timeout, this, &ClockPeer::ReleaseDueReplies);
    SetOptions(options);
}

void ClockPeer::SetOptions(const ClockPeerOptions& options)
{
    options_ = options;
    state_.Configure(options_);
    StartTimer(housekeepingTimer_, options_.driftIntervalMs);
    StartTimer(rc5Timer_, options_.rc5IntervalMs);
    if (options_.silenceTimeoutMs <= 0)
        silenceTimer_.stop();
}

void ClockPeer::StartTimer(QTimer& timer, int intervalMs)
{
    if (intervalMs > 0)
        timer.start(intervalMs);
    else
        timer.stop();
}

void ClockPeer::FeedSerial(const QByteArray& bytes)
{
    const qint64 readUs = now_().toMSecsSinceEpoch() * 1000;
    for (const char byte : bytes) {
        lineFreeUs_ = std::max(lineFreeUs_, readUs) + characterTime_.count();
        for (const QByteArray& command : splitter_.Take(QByteArray(1, byte)))
            Execute(command, lineFreeUs_ / 1000);
    }
    if (splitter_.HasPartial() && options_.silenceTimeoutMs > 0)
        silenceTimer_.start(options_.silenceTimeoutMs);
    else
        silenceTimer_.stop();
}

void ClockPeer::FeedUsbLine(const QByteArray& line)
{
    Execute(UsbCommandLine(line), now_().toMSecsSinceEpoch() + kUsbReportLatency.count() / 1000);
}

void ClockPeer::EndCommandAfterSilence()
{
    if (splitter_.HasPartial())
        Execute(splitter_.EndPartial(), now_().toMSecsSinceEpoch());
}

void ClockPeer::Housekeep()
{
    state_.DriftSensors();
    state_.Settle(now_());
}

// Packets of other remote controls only: the clock reports what it hears
// but none of them is meant for it.
void ClockPeer::ReceiveRc5Packet()
{
    const int address = kForeignRc5Addresses[random_.bounded(int(kForeignRc5Addresses.size()))];
    const int command = kForeignRc5Commands[random_.bounded(int(kForeignRc5Commands.size()))];
    rc5Toggle_ = !rc5Toggle_;
    Send("A" + HexField(address, 2) + HexField(command | (rc5Toggle_ ? kRc5ToggleBit : 0), 2));
}

void ClockPeer::Execute(const QByteArray& command, qint64 completedAt)
{
    emit CommandReceived(command);
    const QDateTime now = now_();
    const std::optional<QByteArray> reply = state_.Answer(command, now.addMSecs(completedAt - now.toMSecsSinceEpoch()));
    if (!reply || std::exchange(dropNext_, false))
        return;
    if (options_.garbageEvery > 0 && ++repliesSent_ % options_.garbageEvery == 0)
        Send(NextGarbageLine());
    Send(*reply);
}

QByteArray ClockPeer::NextGarbageLine()
{
    return kGarbageLines[garbageSent_++ % kGarbageLines.size()];
}

// Every line waits its delay; a line never overtakes one sent before it.
void ClockPeer::Send(const QByteArray& line)
{
    if (options_.replyDelayMs <= 0 && pending_.empty()) {
        emit ReplyReady(line);
        return;
    }
    pending_.push_back({QDeadlineTimer(qMax(0, options_.replyDelayMs)), line});
    if (!releaseTimer_.isActive())
        ScheduleRelease();
}

void ClockPeer::ReleaseDueReplies()
{
    while (!pending_.empty() && pending_.front().due.hasExpired()) {
        const QByteArray line = std::move(pending_.front().line);
        pending_.pop_front();
        emit ReplyReady(line);
    }
    ScheduleRelease();
}

void ClockPeer::ScheduleRelease()
{
    if (!pending_.empty())
        releaseTimer_.start(int(pending_.front().due.remainingTime()));
}
