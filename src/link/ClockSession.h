// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ClockConnection.h"
#include "link/TransmitTick.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

class QEventLoop;

// One command line and the reply that answers it.
struct Ask {
    explicit Ask(QByteArray line, int maxSends = 1);

    QByteArray command;
    // Whether a reply line answers this command; by default any line with
    // the command's reply letter.
    std::function<bool(const QByteArray& reply)> accepts;
    // Commands that change nothing when sent twice may be sent again when
    // their answer got lost.
    int maxSends;

    std::optional<QByteArray> answer;
    int sends = 0;
};

// How a wait of the session ended.
struct WaitEnd {
    enum class How {
        Done, // every answer came, or the wait ran its time
        Silent, // the clock stayed silent for the timeout
        NotAClock, // lines came for the timeout, but none a whirlbeam clock sends
        Lost, // the link failed
        Interrupted, // a signal arrived
    };
    How how = How::Done;
    LinkFailure failure; // with Lost
    int signal = 0; // with Interrupted
    QString text; // with Silent: what went unanswered; with NotAClock: what answered instead

    bool Done() const { return how == How::Done; }
};

// Talks to a clock over an open connection with the connection's transmit
// tick: every command line goes into the tick's queue and each tick sends
// at most one line. Reply lines are matched to the commands they answer by
// their letter, in the order the commands went out. This is whirlbeamctl's
// way of asking the clock; the panel drives the same tick from its window.
//
// Waiting runs the event loop: the port's notifier, the USB reader's
// hand-over and the timers, nothing that polls. No exception leaves it. A
// connection that waits for its clock to return (reconnecting) does not end
// a wait; one whose link is lost for good ends every wait.
class ClockSession : public QObject {
    Q_OBJECT
public:
    ClockSession(ClockConnection& connection, int timeoutMs);
    ~ClockSession() override;

    ClockLink& Link() const { return connection_.Link(); }
    // For a face that queues lines and watches the clock itself (the MQTT bridge).
    ClockConnection& Connection() const { return connection_; }
    int TimeoutMs() const { return timeoutMs_; }

    // Queues the asks' commands and waits until each has its answer. Ends
    // Silent when the clock stays silent for the timeout (lost answers of
    // commands that may be sent again are asked for again meanwhile),
    // NotAClock when for that time only lines of no reply kind came (a GPS
    // receiver's sentences, a modem's echo), Lost when the link fails,
    // Interrupted on a signal.
    WaitEnd Exchange(std::deque<Ask>& asks);
    // As Exchange, but the first ask's command goes out of turn at `at` on
    // the computer's clock, to the microsecond (TransmitTick::SendAt): the
    // tick is held until then, so that nothing else is on the line. *sentAt
    // is when the line was really handed to the link.
    WaitEnd ExchangeAt(std::deque<Ask>& asks, WallTime at, WallTime* sentAt);
    // Queues a line that no ask waits for (the MQTT bridge's requests and
    // commands, whose replies go to the model as every line does).
    void Queue(const QByteArray& line);
    // Runs the link for a while longer, say for the lines that follow an answer.
    WaitEnd Linger(int ms);
    // Idle ticks send the panel's poll cycle, until interrupted or the link
    // is lost.
    WaitEnd Poll();
    // Ends the current or next wait: a signal arrived.
    void Interrupt(int signal);
    // Milliseconds until the next tick may send a line.
    int MsToNextTick() const;

signals:
    void LineReceived(const QByteArray& line);

private:
    WaitEnd Wait(bool silenceFails);
    // Ends the running wait; a lost link or an interruption ends every
    // later one as well.
    void Finish(const WaitEnd& end, bool forGood = false);
    void Sent(bool queued);
    void SentOutOfTurn(WallTime at);
    void Queue(Ask& ask);
    void EndExchange();
    void Receive(const QByteArray& line);
    void Answered(Ask* ask);
    void AskAgain();
    bool AllAnswered() const;

    ClockConnection& connection_;
    const int timeoutMs_;
    TransmitTick& tick_;
    std::deque<Ask*> queuedAsks_; // beside each line of the tick's queue, the ask it belongs to (or none)
    QList<Ask*> outstanding_; // sent, unanswered, in the order they went out
    std::deque<Ask>* asks_ = nullptr;
    WallTime* sentAt_ = nullptr; // of the exchange whose first ask goes out of turn
    QTimer silence_;
    QTimer askAgain_;
    QEventLoop* loop_ = nullptr;
    std::optional<WaitEnd> waitEnd_;
    // What came during the running wait: the first line no whirlbeam clock
    // would send, and whether one it would send came at all.
    std::optional<QByteArray> foreignLine_;
    bool replyLineSeen_ = false;
    std::optional<WaitEnd> ended_;
};
