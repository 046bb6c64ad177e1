#include "cli/ClockSession.h"

#include "cli/ClockLink.h"
#include "link/LinkLog.h"
#include "link/PollCycle.h"
#include "protocol/LineText.h"

#include <QEventLoop>
#include <algorithm>

namespace {

// A lost answer is asked for again once the clock has had this long.
int AskAgainMs(int tickMs) { return std::max(1000, 4 * tickMs); }

} // namespace

char Ask::ReplyLetterOf(const QByteArray& command)
{
    return command.isEmpty() ? '\0' : char(command.front() & ~0x20);
}

Ask::Ask(QByteArray line, int maxSends)
    : command(std::move(line))
    , maxSends(maxSends)
{
    const char letter = ReplyLetterOf(command);
    accepts = [letter](const QByteArray& reply) { return !reply.isEmpty() && reply.front() == letter; };
}

ClockSession::ClockSession(ClockLink& link, int timeoutMs)
    : link_(link)
    , timeoutMs_(timeoutMs)
{
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(link_.TickMs());
    connect(&tick_, &QTimer::timeout, this, &ClockSession::Tick);
    silence_.setSingleShot(true);
    silence_.setInterval(timeoutMs_);
    connect(&silence_, &QTimer::timeout, this, [this] {
        const QString waitingFor = outstanding_.isEmpty()
            ? QString()
            : QStringLiteral(" to ") + QuotedLine(outstanding_.first()->command);
        Finish(Outcome::Fail(ExitCode::NoAnswer,
            QStringLiteral("no answer from %1%2 within %3 s")
                .arg(link_.Name(), waitingFor)
                .arg(timeoutMs_ / 1000.0)));
    });
    askAgain_.setSingleShot(true);
    askAgain_.setInterval(AskAgainMs(link_.TickMs()));
    connect(&askAgain_, &QTimer::timeout, this, &ClockSession::AskAgain);
    connect(&link_, &ClockLink::LineReceived, this, &ClockSession::Receive);
    connect(&link_, &ClockLink::Lost, this, [this](const Outcome& why) { Finish(why, true); });
    tick_.start();
}

ClockSession::~ClockSession() = default;

Outcome ClockSession::Exchange(std::deque<Ask>& asks)
{
    asks_ = &asks;
    for (Ask& ask : asks) {
        queue_.Append(ask.command);
        queuedAsks_.push_back(&ask);
    }
    const Outcome outcome = Wait(true);
    // Whatever is still queued belongs to this exchange alone.
    queue_.Clear();
    queuedAsks_.clear();
    outstanding_.clear();
    askAgain_.stop();
    asks_ = nullptr;
    return outcome;
}

Outcome ClockSession::Linger(int ms)
{
    QTimer done;
    done.setSingleShot(true);
    connect(&done, &QTimer::timeout, this, [this] { Finish({}); });
    done.start(ms);
    return Wait(false);
}

Outcome ClockSession::Poll()
{
    polling_ = true;
    const Outcome outcome = Wait(false);
    polling_ = false;
    return outcome.exitCode > ExitCode::Interrupted ? Outcome{} : outcome;
}

void ClockSession::Interrupt(int signal)
{
    Finish(Outcome::Fail(ExitCode::Interrupted + signal, QStringLiteral("interrupted")), true);
}

int ClockSession::MsToNextTick() const { return std::max(0, tick_.remainingTime()); }

Outcome ClockSession::Wait(bool silenceFails)
{
    if (ended_)
        return *ended_;
    if (asks_ && AllAnswered())
        return {};
    waitEnd_.reset();
    if (silenceFails)
        silence_.start();
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    silence_.stop();
    return waitEnd_.value_or(Outcome{});
}

void ClockSession::Finish(const Outcome& outcome, bool forGood)
{
    if (forGood && !ended_)
        ended_ = outcome;
    if (!loop_ || waitEnd_)
        return;
    waitEnd_ = outcome;
    loop_->quit();
}

void ClockSession::Tick()
{
    // A line asked again whose first answer came after all need not go.
    while (!queuedAsks_.empty() && queuedAsks_.front() && queuedAsks_.front()->answer) {
        queue_.TakeFirst();
        queuedAsks_.pop_front();
    }
    QByteArray line;
    Ask* ask = nullptr;
    if (!queue_.IsEmpty()) {
        line = queue_.TakeFirst();
        ask = queuedAsks_.front();
        queuedAsks_.pop_front();
    } else if (polling_) {
        line = NextPollCommand(lastCommand_);
    } else {
        return;
    }
    lastCommand_ = line;
    if (ask) {
        ++ask->sends;
        if (!outstanding_.contains(ask))
            outstanding_.append(ask);
    }
    if (log_)
        log_->Sent(line);
    link_.Transmit(line);
    if (queue_.IsEmpty() && !outstanding_.isEmpty() && !askAgain_.isActive())
        askAgain_.start();
}

void ClockSession::Receive(const QByteArray& line)
{
    if (log_)
        log_->Received(line);
    emit LineReceived(line);
    for (qsizetype i = 0; i < outstanding_.size(); ++i) {
        Ask* ask = outstanding_[i];
        if (!ask->accepts(line))
            continue;
        ask->answer = line;
        outstanding_.removeAt(i);
        Progress();
        if (AllAnswered())
            Finish({});
        return;
    }
}

void ClockSession::Progress()
{
    if (silence_.isActive())
        silence_.start();
    if (askAgain_.isActive())
        askAgain_.start();
}

void ClockSession::AskAgain()
{
    for (Ask* ask : std::as_const(outstanding_)) {
        const bool queued = std::find(queuedAsks_.begin(), queuedAsks_.end(), ask) != queuedAsks_.end();
        if (ask->sends < ask->maxSends && !queued) {
            queue_.Append(ask->command);
            queuedAsks_.push_back(ask);
        }
    }
}

bool ClockSession::AllAnswered() const
{
    return std::all_of(asks_->begin(), asks_->end(), [](const Ask& ask) { return ask.answer.has_value(); });
}
