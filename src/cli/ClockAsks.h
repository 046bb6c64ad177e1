// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Outcome.h"
#include "cli/Subcommands.h"
#include "link/ClockSession.h"
#include "protocol/replies/ConnectionReplies.h"

#include <QDateTime>
#include <QJsonObject>
#include <deque>
#include <functional>
#include <initializer_list>

// What the subcommands share: the handshake, the queries and the report.

// Queries that change nothing may be sent again when their answer is lost.
constexpr int kQuerySends = 3;

// Connects and shakes hands as the panel reads the clock first (p, v, o): a
// device that is no whirlbeam clock, or too old a one, is told nothing
// more. Nothing, and why in *failure, when either fails. What the answers
// told is in the context's model.
ClockSession* Clock(CliContext& context, Outcome* failure);

// Asks that may each be sent again when their answer got lost.
std::deque<Ask> Queries(std::initializer_list<QByteArray> commands);

// A query whose answer, besides bearing the command's reply letter (as Ask
// takes it from ReplyLetterOf), must pass the test: the answer for its own
// alarm row or memory cell.
Ask& QueryAnsweredWhen(std::deque<Ask>& asks, const QByteArray& command,
    std::function<bool(const QByteArray& reply)> test);

// The answer cannot be read as its kind.
Outcome Unreadable(const Ask& ask);

// The sentence for people, or the object for scripts.
void Report(CliContext& context, const QString& sentence, const QJsonObject& object);

QString FullName(const QString& file);

// The instant in ISO 8601 to the millisecond, always with its zone's offset
// (never "Z"), so that scripts need not guess the zone:
// "2026-12-09T14:03:07.123+01:00".
QString IsoTime(const QDateTime& instant);
