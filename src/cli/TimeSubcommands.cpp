// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's time to the millisecond: setting it on the second's edge and
// measuring how far it is off, through the session's out-of-turn sends and
// the core's edge timing.

#include "cli/TimeSubcommands.h"

#include "cli/ClockAsks.h"
#include "cli/CliTexts.h"
#include "link/ComputerClock.h"
#include "link/EdgeTiming.h"
#include "protocol/commands/ClockCommands.h"
#include "protocol/replies/StatusReplies.h"

#include <QDateTime>
#include <QJsonObject>
#include <QLocale>
#include <QTimeZone>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

using namespace std::chrono;

// The clock reports whole seconds; read back, it may lie this far from the
// computer's time.
constexpr qint64 kSyncToleranceMs = 2000;
// A measurement ends when it knows the offset to this many seconds either way.
constexpr double kOffsetPrecision = 0.0005;
constexpr seconds kOffsetGiveUp(30);
constexpr seconds kWatchInterval(10);

// The instant as the clock's zone tells the time: this computer's, or --zone's.
QDateTime InClockZone(WallTime instant, const QString& zone)
{
    const qint64 ms = duration_cast<milliseconds>(instant.time_since_epoch()).count();
    return zone.isEmpty() ? QDateTime::fromMSecsSinceEpoch(ms)
                          : QDateTime::fromMSecsSinceEpoch(ms, QTimeZone(zone.toUtf8()));
}

// Date and time as on a wall, so that the clock's and the computer's can be
// compared whatever zone they come from.
QDateTime OnTheWall(const QDate& date, const QTime& time) { return QDateTime(date, time, QTimeZone::utc()); }

// The date, then the time of the second it belongs to, handed to the link
// so that the time line's last byte arrives on that second's edge, when the
// clock starts its second. A date line answered later than planned makes a
// new plan.
Outcome SetOnTheEdge(ClockSession& session, const QString& zone, QDateTime* setTo)
{
    const Micros travel = session.Link().TravelTime(int(SetTimeCommand(QTime(0, 0)).size()));
    // Room for the date line to go out at the next tick and be answered.
    const Micros lead = milliseconds(2 * session.Link().TickMs() + 300);
    for (int plan = 0; plan < 3; ++plan) {
        const EdgeSend edge = PlanEdgeSend(system_clock::now(), travel, lead);
        const QDateTime second = InClockZone(edge.edge, zone);
        std::deque<Ask> date;
        date.emplace_back(SetDateCommand(second.date()));
        if (const Outcome outcome = OutcomeOf(session.Exchange(date)); !outcome.Ok())
            return outcome;
        if (system_clock::now() + milliseconds(5) > edge.sendAt)
            continue;
        std::deque<Ask> time;
        time.emplace_back(SetTimeCommand(second.time()));
        WallTime sent;
        if (const Outcome outcome = OutcomeOf(session.ExchangeAt(time, edge.sendAt, &sent)); !outcome.Ok())
            return outcome;
        *setTo = second;
        return {};
    }
    return Outcome::Fail(ExitCode::Failed, CliTexts::tr("the clock answers too slowly to be set on a second's edge"));
}

struct OffsetReading {
    double offset; // seconds, the clock's time minus the computer's
    double uncertainty; // seconds either way
    WallTime at;
};

// Reads the clock's second as often as the link allows until the change of
// second is bracketed, then once a second at the instant that halves what
// is left. Each reading counts at the instant its query was whole at the
// clock.
Outcome MeasureOffset(ClockSession& session, const QString& zone, OffsetReading* reading)
{
    const Micros travel = session.Link().TravelTime(1);
    const WallTime start = system_clock::now();
    const QTime startTime = InClockZone(start, zone).time();
    const double startOfDay = startTime.msecsSinceStartOfDay() / 1000.0
        + double(duration_cast<microseconds>(start.time_since_epoch()).count() % 1000) / 1e6;
    const auto timeOfDay = [&](WallTime t) { return startOfDay + duration<double>(t - start).count(); };
    const auto wallTime = [&](double tod) {
        return start + duration_cast<system_clock::duration>(duration<double>(tod - startOfDay));
    };
    SecondEdgeFinder finder;
    while (!finder.Bracketed() || finder.Uncertainty() > kOffsetPrecision) {
        if (system_clock::now() - start > kOffsetGiveUp)
            return Outcome::Fail(ExitCode::Failed, CliTexts::tr("the clock's second could not be found within 30 s"));
        WallTime at = system_clock::now();
        if (const auto probe = finder.NextProbe(timeOfDay(at + travel + milliseconds(30))))
            at = wallTime(*probe) - travel;
        std::deque<Ask> asks;
        asks.emplace_back(QByteArray("t"));
        WallTime sent;
        if (const Outcome outcome = OutcomeOf(session.ExchangeAt(asks, at, &sent)); !outcome.Ok())
            return outcome;
        const std::optional<QTime> time = DecodeTime(*asks[0].answer);
        if (!time)
            return Unreadable(asks[0]);
        finder.Take(timeOfDay(sent + travel), time->msecsSinceStartOfDay() / 1000);
    }
    *reading = {finder.Offset(), finder.Uncertainty(), start};
    return {};
}

// A figure for people, as their locale writes it ("0,5" in German).
QString Figure(double value, int decimals) { return QLocale().toString(value, 'f', decimals); }

QString Amount(double seconds)
{
    const double magnitude = std::abs(seconds);
    return magnitude < 1.0 ? CliTexts::tr("%1 ms").arg(Figure(magnitude * 1000.0, 1))
                           : CliTexts::tr("%1 s").arg(Figure(magnitude, 3));
}

QString OffsetSentence(const OffsetReading& reading)
{
    const QString within = Figure(reading.uncertainty * 1000.0, 1);
    return reading.offset >= 0
        ? CliTexts::tr("The clock is %1 ahead of this computer (to within %2 ms).").arg(Amount(reading.offset), within)
        : CliTexts::tr("The clock is %1 behind this computer (to within %2 ms).").arg(Amount(reading.offset), within);
}

QJsonObject OffsetJson(const OffsetReading& reading, const QString& zone)
{
    return {{"at", IsoTime(InClockZone(reading.at, zone))},
        {"offsetMs", std::round(reading.offset * 1e4) / 10.0},
        {"uncertaintyMs", std::round(reading.uncertainty * 1e4) / 10.0}};
}

// A measurement every ten seconds until the minutes are over or a signal
// comes, each on a line of its own, then the drift.
Outcome Watch(CliContext& context, ClockSession& session)
{
    const QString& zone = context.options.zone;
    const WallTime end = system_clock::now() + minutes(context.options.watchMinutes);
    std::vector<std::pair<double, double>> series;
    double widest = 0.0; // the largest half width of a reading's range
    WallTime first;
    for (;;) {
        OffsetReading reading{};
        const Outcome measured = MeasureOffset(session, zone, &reading);
        if (measured.exitCode > ExitCode::Interrupted)
            break;
        if (!measured.Ok())
            return measured;
        if (series.empty())
            first = reading.at;
        series.emplace_back(duration<double>(reading.at - first).count(), reading.offset);
        widest = std::max(widest, reading.uncertainty);
        if (context.options.json)
            context.console.Json(OffsetJson(reading, zone), true);
        else
            context.console.Line(
                QStringLiteral("%1  %2 ms (±%3 ms)")
                    .arg(InClockZone(reading.at, zone).toString(QStringLiteral("HH:mm:ss")),
                        Figure(reading.offset * 1000.0, 1), Figure(reading.uncertainty * 1000.0, 1)));
        const auto next = reading.at + kWatchInterval;
        if (next >= end)
            break;
        const qint64 pause = duration_cast<milliseconds>(next - system_clock::now()).count();
        if (pause > 0 && !session.Linger(int(pause)).Done())
            break;
    }
    // Each offset lies anywhere in its range: the spread of an even
    // distribution over +-widest.
    const std::optional<Drift> drift = FitDrift(series, widest / std::sqrt(3.0));
    const auto rounded = [](double ppm) { return std::round(ppm * 100.0) / 100.0; };
    if (context.options.json) {
        context.console.Json(
            {{"measurements", qint64(series.size())},
                {"driftPpm", drift ? QJsonValue(rounded(drift->ppm)) : QJsonValue()},
                {"driftErrorPpm", drift ? QJsonValue(rounded(drift->standardErrorPpm)) : QJsonValue()},
                {"driftKnown", drift && drift->Known()}},
            true);
    } else if (!drift) {
        context.console.Line(CliTexts::tr("Drift: too few measurements to tell."));
    } else if (!drift->Known()) {
        context.console.Line(CliTexts::tr("Drift: not enough data (%1 ± %2 ppm).")
                                 .arg(Figure(drift->ppm, 2), Figure(drift->standardErrorPpm, 2)));
    } else {
        context.console.Line(CliTexts::tr("Drift: %1 ± %2 ppm (%3 s a day).")
                                 .arg(Figure(drift->ppm, 2), Figure(drift->standardErrorPpm, 2),
                                     Figure(drift->ppm * 86400.0 / 1e6, 2)));
    }
    return {};
}

} // namespace

Outcome SyncTime(CliContext& context, const QStringList&)
{
    if (context.options.requireSynced)
        if (const QString why = WhyNotSynchronised(ReadComputerClock()); !why.isEmpty())
            return Outcome::Fail(ExitCode::NotSynchronised, CliTexts::tr("%1; the clock is left as it is").arg(why));
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    const QString& zone = context.options.zone;
    // Midnight between the two lines leaves the date a day out; once more
    // then puts it right.
    for (int attempt = 0; attempt < 2; ++attempt) {
        QDateTime setTo;
        if (outcome = SetOnTheEdge(*session, zone, &setTo); !outcome.Ok())
            return outcome;
        std::deque<Ask> asks = Queries({"d", "t"});
        if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
            return outcome;
        const QDateTime computer = InClockZone(system_clock::now(), zone);
        const DateRecord date = DecodeDate(*asks[0].answer);
        const auto time = DecodeTime(*asks[1].answer);
        if (!date.date)
            return Unreadable(asks[0]);
        if (!time)
            return Unreadable(asks[1]);
        const QDateTime clock = OnTheWall(*date.date, *time);
        const QDateTime wall = OnTheWall(computer.date(), computer.time());
        const QString clockText = clock.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (qAbs(wall.msecsTo(clock)) <= kSyncToleranceMs) {
            Report(context,
                CliTexts::tr("The clock reads %1; this computer %2.")
                    .arg(clockText, wall.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))),
                {{"clock", clock.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))},
                    {"computer", wall.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))},
                    {"setTo", setTo.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))},
                    {"differenceMs", wall.msecsTo(clock)}});
            return {};
        }
        outcome = Outcome::Fail(ExitCode::Failed,
            CliTexts::tr("the clock reads %1 after setting; this computer %2")
                .arg(clockText, wall.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    }
    return outcome;
}

Outcome Offset(CliContext& context, const QStringList&)
{
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    if (context.options.watchMinutes > 0)
        return Watch(context, *session);
    OffsetReading reading{};
    if (outcome = MeasureOffset(*session, context.options.zone, &reading); !outcome.Ok())
        return outcome;
    Report(context, OffsetSentence(reading), OffsetJson(reading, context.options.zone));
    return {};
}
