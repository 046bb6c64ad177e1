#pragma once

#include "cli/Outcome.h"
#include "link/CommandQueue.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

class ClockLink;
class LinkLog;
class QEventLoop;

// One command line and the reply that answers it.
struct Ask {
    // The reply letter of a command: its first character with bit 0x20
    // cleared ("d" gives "D", "{" gives "[", DEL gives "_").
    static char ReplyLetterOf(const QByteArray& command);

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

// Talks to a clock as the panel does: every command line goes into the
// command queue, and each tick of the link's transmit timer (250 ms serial,
// 20 ms USB) sends at most one line. Reply lines are matched to the commands
// they answer by their letter, in the order the commands went out.
//
// Waiting runs the event loop: the port's notifier, the USB reader's
// hand-over and the timers, nothing that polls. No exception leaves it.
class ClockSession : public QObject {
    Q_OBJECT
public:
    ClockSession(ClockLink& link, int timeoutMs);
    ~ClockSession() override;

    ClockLink& Link() const { return link_; }
    int TimeoutMs() const { return timeoutMs_; }

    // Queues the asks' commands and waits until each has its answer. Fails
    // when the clock stays silent for the timeout (lost answers of commands
    // that may be sent again are asked for again meanwhile), when the link
    // is lost, and when interrupted.
    Outcome Exchange(std::deque<Ask>& asks);
    // Runs the link for a while longer, say for the lines that follow an answer.
    Outcome Linger(int ms);
    // Idle ticks send the panel's poll cycle, until interrupted (Ok) or the
    // link is lost.
    Outcome Poll();
    // Ends the current or next wait: a signal arrived.
    void Interrupt(int signal);
    // Milliseconds until the next tick may send a line.
    int MsToNextTick() const;
    // Every line sent and received is written to the log from now on.
    void SetLog(LinkLog* log) { log_ = log; }

signals:
    void LineReceived(const QByteArray& line);

private:
    Outcome Wait(bool silenceFails);
    // Ends the running wait; a lost link or an interruption ends every
    // later one as well.
    void Finish(const Outcome& outcome, bool forGood = false);
    void Tick();
    void Receive(const QByteArray& line);
    void Progress();
    void AskAgain();
    bool AllAnswered() const;

    ClockLink& link_;
    const int timeoutMs_;
    CommandQueue queue_;
    std::deque<Ask*> queuedAsks_; // beside each queued line, the ask it belongs to
    QList<Ask*> outstanding_; // sent, unanswered, in the order they went out
    std::deque<Ask>* asks_ = nullptr;
    QByteArray lastCommand_;
    bool polling_ = false;
    QTimer tick_;
    QTimer silence_;
    QTimer askAgain_;
    QEventLoop* loop_ = nullptr;
    LinkLog* log_ = nullptr;
    std::optional<Outcome> waitEnd_;
    std::optional<Outcome> ended_;
};
