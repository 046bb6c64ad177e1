// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/CommandQueue.h"
#include "link/EdgeTiming.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

enum class LinkKind { Serial, Usb };

// How often the transmit tick sends a line on each link: 4 lines a second
// on the serial link, 50 on USB.
constexpr int kSerialTickMs = 250;
constexpr int kUsbTickMs = 20;
constexpr int TickMsOf(LinkKind kind) { return kind == LinkKind::Usb ? kUsbTickMs : kSerialTickMs; }

// The transmit tick of a clock link, the only sender on it: each tick sends
// at most one command line, the oldest queued one or, while polling, the
// next command of the poll cycle. It also watches whether the clock answers
// and, when answers resume after a silence, can queue a refresh of the
// clock's whole state. One line may go out of turn at an instant to the
// microsecond (SendAt), the tick holding back meanwhile. The panel's Timer1
// and whirlbeamctl's session are this tick; their owners start and stop its
// timer and run Tick on its timeout, and SendHeld on the hold's.
class TransmitTick : public QObject {
    Q_OBJECT
public:
    // What the reply watch saw at a tick.
    enum class Watch {
        Silent, // no reply since the last tick
        Resumed, // replies again after silence (or for the first time)
        Answering, // replies go on
    };
    Q_ENUM(Watch)

    explicit TransmitTick(QObject* parent = nullptr);

    QTimer& Timer() { return timer_; }
    const QTimer& Timer() const { return timer_; }
    void SetLink(LinkKind kind) { timer_.setInterval(TickMsOf(kind)); }

    // The queue every sender appends to (the panel's CommandMemo), the line
    // sent last (the poll cycle goes on from it) and whether a reply line
    // came since the last tick. Public, as the panel has always had them.
    CommandQueue Queue;
    QByteArray LastCommand;
    bool ReplySeen = false;

    // With nothing queued: the next poll command (the panel), or nothing
    // (whirlbeamctl, but for its monitor).
    void SetPolling(bool on) { polling_ = on; }
    // Each return of answers queues the refresh batch (the panel).
    void SetRefreshOnResume(bool on) { refreshOnResume_ = on; }
    // What sends a line on the link, and whether one is open; a tick of a
    // closed link does nothing. A send that fails (returns false, or throws)
    // leaves the tick there, with ReplySeen as it was.
    void SetSender(std::function<bool(const QByteArray& line)> send) { transmit_ = std::move(send); }
    void SetTransmit(std::function<void(const QByteArray& line)> transmit)
    {
        transmit_ = [transmit = std::move(transmit)](const QByteArray& line) {
            transmit(line);
            return true;
        };
    }
    void SetLinkOpen(std::function<bool()> open) { linkOpen_ = std::move(open); }
    // Where the reply watch keeps whether the clock answers, when its owner
    // shows it (the panel's LED1, green); without, the tick keeps it itself.
    void SetAnswering(std::function<bool()> answering) { answeringShown_ = std::move(answering); }

    // One tick: the reply watch, the choice of the line, its transmission.
    void Tick();
    // A link opened anew: the poll cycle begins at its first command, and
    // the first answer counts as a return of answers.
    void Restart()
    {
        LastCommand.clear();
        answering_ = false;
    }
    // A received line; one that begins with a reply letter counts as an answer.
    void NoteReply(const QByteArray& line);

    // Holds the tick (no poll, no queued line, no reply watch) until `line`
    // has been handed to the link out of turn at `at` on the computer's
    // clock: the event loop runs until shortly before (HoldTimer, precise),
    // and SendHeld sleeps the rest on the computer's clock itself, which the
    // event loop's timers are not. The next tick follows a whole tick after
    // the line. A line already held is replaced.
    void SendAt(const QByteArray& line, WallTime at);
    // The held line need not go; the tick goes on.
    void CancelSendAt();
    bool Holding() const { return held_.has_value(); }
    QTimer& HoldTimer() { return holdTimer_; }
    // Sends the held line at its instant (nothing on a closed link). A
    // failure the send throws leaves the tick released.
    void SendHeld();

signals:
    void Watched(TransmitTick::Watch watch);
    // The line the tick sends now; queued: it came from the queue.
    void Sending(const QByteArray& line, bool queued);
    // The held line went out; sentAt: when it was handed to the link.
    void SentOutOfTurn(const QByteArray& line, WallTime sentAt);

private:
    void WatchReplies();

    QTimer timer_;
    QTimer holdTimer_;
    std::optional<QByteArray> held_;
    WallTime heldAt_;
    bool polling_ = true;
    bool refreshOnResume_ = false;
    bool answering_ = false;
    qint64 refreshBatchEnd_ = 0;
    std::function<bool(const QByteArray&)> transmit_;
    std::function<bool()> linkOpen_;
    std::function<bool()> answeringShown_;
};
