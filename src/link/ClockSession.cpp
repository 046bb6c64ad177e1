// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockSession.h"

#include "protocol/LineText.h"
#include "protocol/replies/ReplyKind.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocale>
#include <algorithm>

namespace {

// The context of this file's texts for translation.
struct ClockSessionTexts {
    Q_DECLARE_TR_FUNCTIONS(ClockSessionTexts)
};

// A lost answer is asked for again once the clock has had this long.
int AskAgainMs(int tickMs) { return std::max(1000, 4 * tickMs); }

} // namespace

Ask::Ask(QByteArray line, int maxSends)
    : command(std::move(line))
    , maxSends(maxSends)
{
    const char letter = ReplyLetterOf(command);
    accepts = [letter](const QByteArray& reply) { return !reply.isEmpty() && reply.front() == letter; };
}

ClockSession::ClockSession(ClockConnection& connection, int timeoutMs)
    : connection_(connection)
    , timeoutMs_(timeoutMs)
    , tick_(connection.Tick())
{
    tick_.SetPolling(false);
    connect(&tick_, &TransmitTick::Sending, this, [this](const QByteArray&, bool queued) { Sent(queued); });
    connect(&tick_, &TransmitTick::SentOutOfTurn, this, [this](const QByteArray&, WallTime at) { SentOutOfTurn(at); });

    silence_.setSingleShot(true);
    silence_.setInterval(timeoutMs_);
    connect(&silence_, &QTimer::timeout, this, [this] {
        if (foreignLine_ && !replyLineSeen_) {
            Finish({WaitEnd::How::NotAClock, {}, 0,
                ClockSessionTexts::tr(
                    "the device on %1 answers, but not as a whirlbeam clock (first line: %2)")
                    .arg(Link().GivenName(), QuotedLine(*foreignLine_))});
            return;
        }
        const QString waitingFor
            = outstanding_.isEmpty() ? QString() : ClockSessionTexts::tr(" to ") + QuotedLine(outstanding_.first()->command);
        Finish({WaitEnd::How::Silent, {}, 0,
            ClockSessionTexts::tr("no answer from %1%2 within %3 s")
                .arg(Link().Name(), waitingFor)
                .arg(QLocale().toString(timeoutMs_ / 1000.0, 'g', QLocale::FloatingPointShortest))});
    });
    askAgain_.setSingleShot(true);
    askAgain_.setInterval(AskAgainMs(Link().TickMs()));
    connect(&askAgain_, &QTimer::timeout, this, &ClockSession::AskAgain);
    connect(&connection_, &ClockConnection::LineReceived, this, &ClockSession::Receive);
    connect(&connection_, &ClockConnection::Failed, this, [this](const LinkFailure& why) {
        if (connection_.CurrentState() != ClockConnection::State::WaitingForReturn)
            Finish({WaitEnd::How::Lost, why, 0, why.text}, true);
    });
}

ClockSession::~ClockSession() = default;

WaitEnd ClockSession::Exchange(std::deque<Ask>& asks)
{
    asks_ = &asks;
    for (Ask& ask : asks)
        Queue(ask);
    const WaitEnd end = Wait(true);
    EndExchange();
    return end;
}

WaitEnd ClockSession::ExchangeAt(std::deque<Ask>& asks, WallTime at, WallTime* sentAt)
{
    asks_ = &asks;
    sentAt_ = sentAt;
    // Answers and the link's events are taken while the tick holds the line.
    tick_.SendAt(asks.front().command, at);
    if (const WaitEnd held = Wait(false); !held.Done()) {
        tick_.CancelSendAt();
        EndExchange();
        return held;
    }
    const WaitEnd end = Wait(true);
    EndExchange();
    return end;
}

// The first ask went out of turn; the others follow at the tick.
void ClockSession::SentOutOfTurn(WallTime at)
{
    if (!asks_ || !sentAt_)
        return;
    *sentAt_ = at;
    Ask& first = asks_->front();
    ++first.sends;
    outstanding_.append(&first);
    for (size_t i = 1; i < asks_->size(); ++i)
        Queue((*asks_)[i]);
    Finish({});
}

void ClockSession::Queue(Ask& ask)
{
    tick_.Queue.Append(ask.command);
    queuedAsks_.push_back(&ask);
}

void ClockSession::Queue(const QByteArray& line)
{
    // A queue the connection emptied (the clock went away) leaves nothing behind.
    if (tick_.Queue.IsEmpty())
        queuedAsks_.clear();
    tick_.Queue.Append(line);
    queuedAsks_.push_back(nullptr);
}

// Whatever is still queued belongs to the exchange that ends.
void ClockSession::EndExchange()
{
    tick_.Queue.Clear();
    queuedAsks_.clear();
    outstanding_.clear();
    askAgain_.stop();
    asks_ = nullptr;
    sentAt_ = nullptr;
}

WaitEnd ClockSession::Linger(int ms)
{
    QTimer done;
    done.setTimerType(Qt::PreciseTimer);
    done.setSingleShot(true);
    connect(&done, &QTimer::timeout, this, [this] { Finish({}); });
    done.start(ms);
    return Wait(false);
}

WaitEnd ClockSession::Poll()
{
    tick_.SetPolling(true);
    const WaitEnd end = Wait(false);
    tick_.SetPolling(false);
    return end;
}

void ClockSession::Interrupt(int signal)
{
    Finish({WaitEnd::How::Interrupted, {}, signal, ClockSessionTexts::tr("interrupted")}, true);
}

int ClockSession::MsToNextTick() const { return std::max(0, tick_.Timer().remainingTime()); }

WaitEnd ClockSession::Wait(bool silenceFails)
{
    if (ended_)
        return *ended_;
    if (asks_ && AllAnswered())
        return {};
    waitEnd_.reset();
    foreignLine_.reset();
    replyLineSeen_ = false;
    if (silenceFails)
        silence_.start();
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    silence_.stop();
    return waitEnd_.value_or(WaitEnd{});
}

void ClockSession::Finish(const WaitEnd& end, bool forGood)
{
    if (forGood && !ended_)
        ended_ = end;
    if (!loop_ || waitEnd_)
        return;
    waitEnd_ = end;
    loop_->quit();
}

// The tick took a line; one from the queue is an ask's.
void ClockSession::Sent(bool queued)
{
    if (queued && !queuedAsks_.empty()) {
        Ask* ask = queuedAsks_.front();
        queuedAsks_.pop_front();
        if (ask) {
            ++ask->sends;
            if (!outstanding_.contains(ask))
                outstanding_.append(ask);
        }
    }
    if (tick_.Queue.IsEmpty() && !outstanding_.isEmpty() && !askAgain_.isActive())
        askAgain_.start();
}

void ClockSession::Receive(const QByteArray& line)
{
    if (KindOf(line))
        replyLineSeen_ = true;
    else if (!line.isEmpty() && !foreignLine_)
        foreignLine_ = line;
    emit LineReceived(line);
    for (qsizetype i = 0; i < outstanding_.size(); ++i) {
        Ask* ask = outstanding_[i];
        if (!ask->accepts(line))
            continue;
        ask->answer = line;
        outstanding_.removeAt(i);
        Answered(ask);
        if (AllAnswered())
            Finish({});
        return;
    }
}

// The answer came after all: a line queued to ask again need not go, and
// the clock has shown it is there.
void ClockSession::Answered(Ask* ask)
{
    for (int i = int(queuedAsks_.size()) - 1; i >= 0; --i) {
        if (queuedAsks_[size_t(i)] != ask)
            continue;
        queuedAsks_.erase(queuedAsks_.begin() + i);
        tick_.Queue.RemoveAt(i);
    }
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
            tick_.Queue.Append(ask->command);
            queuedAsks_.push_back(ask);
        }
    }
}

bool ClockSession::AllAnswered() const
{
    return std::all_of(asks_->begin(), asks_->end(), [](const Ask& ask) { return ask.answer.has_value(); });
}
