// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TransmitTick.h"

#include "link/PollCycle.h"
#include "link/LineAssembly.h"
#include "protocol/commands/StatusRequests.h"

TransmitTick::TransmitTick(QObject* parent)
    : QObject(parent)
{
    // The USB tick of 20 ms must really give 50 lines a second.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kSerialTickMs);
}

void TransmitTick::Tick()
{
    if (linkOpen_ && !linkOpen_())
        return;
    WatchReplies();
    const bool queued = !Queue.IsEmpty();
    if (!queued && !polling_)
        return;
    LastCommand = queued ? Queue.TakeFirst() : NextPollCommand(LastCommand);
    emit Sending(LastCommand, queued);
    if (transmit_)
        transmit_(LastCommand);
    ReplySeen = false;
}

void TransmitTick::NoteReply(const QByteArray& line)
{
    if (StartsWithReplyLetter(line))
        ReplySeen = true;
}

// Each return of answers asks for everything again, since the clock may
// have been changed or replaced meanwhile. A clock a little slower than the
// 20 ms tick falls silent for a tick now and then; asking again while the
// last batch still waits would grow the queue without end.
void TransmitTick::WatchReplies()
{
    if (!ReplySeen) {
        answering_ = false;
        emit Watched(Watch::Silent);
        return;
    }
    if (answering_) {
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
