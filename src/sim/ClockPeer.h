// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/EdgeTiming.h"
#include "sim/ClockOptions.h"
#include "sim/ClockState.h"
#include "sim/PeerFraming.h"

#include <QByteArray>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>
#include <deque>
#include <functional>

// The simulated clock without any device: it takes what the panel sends and
// answers as the clock does, one reply line per command, in order.
//
// Serial mode (FeedSerial): raw bytes without terminators, cut into commands
// by the length of each prefix; a command that stops short ends after
// silenceTimeoutMs. USB mode (FeedUsbLine): one command per line.
// Replies leave through ReplyReady, without line end; the transport adds it.
//
// A command takes effect when its last byte has arrived, as on the clock:
// a time command starts the clock's second then. Bytes read from a serial
// line arrive one character time after another (they come out of a pty all
// at once, where a wire would still be carrying them); a USB report arrives
// one report latency after it was written.
//
// All time comes from the time source (the computer's local time unless the
// owner passes its own), so a test can step it. The timers run on the thread
// that owns the peer; each can be switched off in the options and its step
// run by hand instead.
class ClockPeer : public QObject {
    Q_OBJECT

public:
    using TimeSource = std::function<QDateTime()>;

    explicit ClockPeer(const ClockPeerOptions& options = {}, TimeSource now = {},
        QObject* parent = nullptr);

    const ClockPeerOptions& Options() const { return options_; }
    void SetOptions(const ClockPeerOptions& options);
    // The next reply to a command is lost, as on a noisy line.
    void DropNextReply() { dropNext_ = true; }

    void FeedSerial(const QByteArray& bytes);
    void FeedUsbLine(const QByteArray& line);
    // How long one character takes on the serial line; none by default.
    void SetCharacterTime(Micros time) { characterTime_ = time; }
    // The clock's own time ahead of the computer's, in milliseconds (for the
    // bench, which measures where its second begins).
    qint64 WallOffsetMs() const { return state_.WallOffsetMs(); }

    // The timers' steps.
    void EndCommandAfterSilence();
    void Housekeep();
    void ReceiveRc5Packet();

signals:
    // Each command as the clock cut it out of the link, before it answers.
    void CommandReceived(const QByteArray& command);
    void ReplyReady(const QByteArray& line);

private:
    struct PendingReply {
        QDeadlineTimer due;
        QByteArray line;
    };

    // completedAt: when the command's last byte arrived (ms since the epoch).
    void Execute(const QByteArray& command, qint64 completedAt);
    void Send(const QByteArray& line);
    void ReleaseDueReplies();
    void ScheduleRelease();
    void StartTimer(QTimer& timer, int intervalMs);
    QByteArray NextGarbageLine();

    ClockPeerOptions options_;
    TimeSource now_;
    ClockState state_;
    SerialCommandSplitter splitter_;
    QTimer silenceTimer_;
    QTimer housekeepingTimer_;
    QTimer rc5Timer_;
    QTimer releaseTimer_;
    std::deque<PendingReply> pending_;
    bool dropNext_ = false;
    int repliesSent_ = 0;
    int garbageSent_ = 0;
    QRandomGenerator random_;
    bool rc5Toggle_ = false;
    Micros characterTime_{0};
    qint64 lineFreeUs_ = 0; // when the serial line carries no more byte
};
