// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClockAsks.h"

#include "cli/CliTexts.h"
#include "clock/ClockModel.h"
#include "protocol/LineText.h"
#include "protocol/commands/ClockCommands.h"

#include <QFileInfo>

#include <cstdlib>

namespace {

Outcome Handshake(ClockSession& session, const ClockFacts& facts)
{
    std::deque<Ask> asks = Queries({IdentificationQuery(), VersionQuery(), ConfigQuery()});
    if (const Outcome outcome = OutcomeOf(session.Exchange(asks)); !outcome.Ok())
        return outcome;
    if (!facts.identification.recognised)
        return Outcome::Fail(ExitCode::Failed,
            CliTexts::tr("%1 answers, but not as a whirlbeam clock: %2")
                .arg(session.Link().Name(), QuotedLine(*asks[0].answer)));
    if (!facts.version.Valid())
        return Outcome::Fail(ExitCode::Failed,
            CliTexts::tr("the clock's version %1 is not supported (3 or later is)").arg(QuotedLine(*asks[1].answer)));
    if (!facts.config.alarmCount)
        return Unreadable(asks[2]);
    return {};
}

} // namespace

ClockSession* Clock(CliContext& context, Outcome* failure)
{
    ClockSession* session = context.connect(failure);
    if (!session)
        return nullptr;
    *failure = Handshake(*session, context.model.Facts());
    return failure->Ok() ? session : nullptr;
}

std::deque<Ask> Queries(std::initializer_list<QByteArray> commands)
{
    std::deque<Ask> asks;
    for (const QByteArray& command : commands)
        asks.emplace_back(command, kQuerySends);
    return asks;
}

Ask& QueryAnsweredWhen(std::deque<Ask>& asks, const QByteArray& command,
    std::function<bool(const QByteArray& reply)> test)
{
    Ask& ask = asks.emplace_back(command, kQuerySends);
    ask.accepts = [byLetter = std::move(ask.accepts), test = std::move(test)](const QByteArray& reply) {
        return byLetter(reply) && test(reply);
    };
    return ask;
}

Outcome Unreadable(const Ask& ask)
{
    return Outcome::Fail(ExitCode::Failed,
        CliTexts::tr("the clock's answer %1 to %2 cannot be read").arg(QuotedLine(*ask.answer), QuotedLine(ask.command)));
}

void Report(CliContext& context, const QString& sentence, const QJsonObject& object)
{
    if (context.options.json)
        context.console.Json(object);
    else
        context.console.Line(sentence);
}

QString FullName(const QString& file) { return QFileInfo(file).absoluteFilePath(); }

QString IsoTime(const QDateTime& instant)
{
    const int offset = instant.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return instant.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + QLatin1Char(offset < 0 ? '-' : '+')
        + QStringLiteral("%1:%2")
              .arg(minutes / 60, 2, 10, QLatin1Char('0'))
              .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
