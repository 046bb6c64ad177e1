// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TransmitTick.h"

#include "link/PollCycle.h"
#include "link/LineAssembly.h"
#include "protocol/commands/StatusRequests.h"

#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <ctime>

namespace {

// The last stretch before an out-of-turn send is slept, not waited for in
// the event loop.
constexpr std::chrono::milliseconds kSleptStretch(20);

void SleepUntil(WallTime at)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
    const timespec until{time_t(ns / 1000000000), long(ns % 1000000000)};
    while (::clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

} // namespace

TransmitTick::TransmitTick(QObject* parent)
    : QObject(parent)
{
    // The USB tick of 20 ms must really give 50 lines a second.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kSerialTickMs);
    holdTimer_.setTimerType(Qt::PreciseTimer);
    holdTimer_.setSingleShot(true);
}

void TransmitTick::Tick()
{
    if (held_ || (linkOpen_ && !linkOpen_()))
        return;
    WatchReplies();
    const bool queued = !Queue.IsEmpty();
    if (!queued && !polling_)
        return;
    LastCommand = queued ? Queue.TakeFirst() : NextPollCommand(LastCommand);
    emit Sending(LastCommand, queued);
    if (!transmit_ || transmit_(LastCommand))
        ReplySeen = false;
}

void TransmitTick::NoteReply(const QByteArray& line)
{
    if (StartsWithReplyLetter(line))
        ReplySeen = true;
}

void TransmitTick::SendAt(const QByteArray& line, WallTime at)
{
    using namespace std::chrono;
    held_ = line;
    heldAt_ = at;
    const milliseconds early = duration_cast<milliseconds>(at - kSleptStretch - system_clock::now());
    holdTimer_.start(int(std::max<milliseconds::rep>(0, early.count())));
}

void TransmitTick::CancelSendAt()
{
    holdTimer_.stop();
    held_.reset();
}

void TransmitTick::SendHeld()
{
    if (!held_)
        return;
    const QByteArray line = *held_;
    held_.reset();
    holdTimer_.stop();
    if (linkOpen_ && !linkOpen_())
        return;
    SleepUntil(heldAt_);
    const WallTime sentAt = std::chrono::system_clock::now();
    LastCommand = line;
    // The tick's own next line a whole tick after this one, also when the
    // send fails.
    const auto rephase = qScopeGuard([this] {
        if (timer_.isActive())
            timer_.start();
    });
    if (transmit_)
        transmit_(line);
    emit SentOutOfTurn(line, sentAt);
}

// Each return of answers asks for everything again, since the clock may
// have been changed or replaced meanwhile. A clock a little slower than the
// 20 ms tick falls silent for a tick now and then; asking again while the
// last batch still waits would grow the queue without end.
void TransmitTick::WatchReplies()
{
    const bool answering = answeringShown_ ? answeringShown_() : answering_;
    if (!ReplySeen) {
        answering_ = false;
        emit Watched(Watch::Silent);
        return;
    }
    if (answering) {
        answering_ = true;
        emit Watched(Watch::Answering);
        return;
    }
    if (refreshOnResume_ && Queue.Passed(refreshBatchEnd_)) {
        for (const QByteArray& line : ReplyResumedBatch())
            Queue.Append(line);
        refreshBatchEnd_ = Queue.EndMark();
    }
    answering_ = true;
    emit Watched(Watch::Resumed);
}
