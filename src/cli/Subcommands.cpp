// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of whirlbeamctl. Each asks the clock what it needs through
// the session and works with the answers as the panel's reply handling
// would, through the same decoders, composers and files.

#include "cli/Subcommands.h"

#include "cli/CliTexts.h"
#include "cli/ClockAsks.h"
#include "cli/ClockReport.h"
#include "cli/MqttSubcommand.h"
#include "cli/SensorLogSubcommand.h"
#include "cli/TimeSubcommands.h"
#include "clock/ClockModel.h"
#include "files/AlarmFile.h"
#include "files/Dcf77Statistics.h"
#include "files/FileProblem.h"
#include "files/ParameterFile.h"
#include "files/TextFile.h"
#include "link/ClockSession.h"
#include "link/CommandLineCheck.h"
#include "protocol/LineText.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/ClockCommands.h"
#include "protocol/commands/Dcf77Commands.h"
#include "protocol/commands/Fields.h"
#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/Dcf77Replies.h"
#include "protocol/replies/ModeReplies.h"
#include "protocol/replies/ReplyTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <deque>

namespace {

const QByteArray kSensorOffsetQuery = "\x7f"
                                      "00000000";

// sentence: "cannot save %1%2", the file and the reason.
Outcome FileFailure(const QString& sentence, const QString& file, const FileProblem& problem)
{
    const QString reason = ExplainFileProblem(problem, file);
    return Outcome::Fail(
        ExitCode::BadFile, sentence.arg(FullName(file), reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
}

Outcome BadFile(const QString& file, const QString& why)
{
    return Outcome::Fail(ExitCode::BadFile, QStringLiteral("%1: %2").arg(file, why));
}

Outcome DamagedLine(const QString& file, const QList<QByteArray>& lines, int number, const char* expected)
{
    return BadFile(file, ExplainFileProblem(FileProblem::Line(number, lines[number - 1], expected), file));
}

Outcome Save(const QString& file, const QList<QByteArray>& lines)
{
    int error = 0;
    return SaveLines(file, lines, &error)
        ? Outcome{}
        : FileFailure(CliTexts::tr("cannot save %1%2"), file, FileProblem::System(error));
}

// tooLarge: what a file beyond the load bound is not (FileProblem::Load).
Outcome Read(const QString& file, QList<QByteArray>* lines, const char* tooLarge)
{
    int error = 0;
    const auto read = ReadLines(file, &error);
    if (!read)
        return FileFailure(CliTexts::tr("cannot read %1%2"), file, FileProblem::Load(error, tooLarge));
    *lines = *read;
    return {};
}

Outcome Status(CliContext& context, const QStringList&)
{
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    std::deque<Ask> asks = Queries({"d", "t", "w00", "y", "|"});
    if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
        return outcome;
    const ClockFacts& facts = context.model.Facts();
    ClockStatus status{session->Link().Device(), facts.identification, facts.version, facts.config, facts.date,
        facts.time.time, facts.status, facts.relay, facts.measurement};
    if (context.options.json)
        context.console.Write(StatusJson(status));
    else
        context.console.Write(StatusText(status).toUtf8());
    return {};
}

// One query per alarm the clock has; each answer is written into a fresh
// row as the panel's alarm table writes it, and the rows are saved as the
// panel saves them.
Outcome AlarmsSave(CliContext& context, const QStringList& arguments)
{
    const QString& file = arguments.first();
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    const ClockFacts& facts = context.model.Facts();
    const int count = qBound(0, facts.alarmCount, AlarmRecord::kRows);
    std::deque<Ask> asks;
    for (int row = 0; row < count; ++row)
        QueryAnsweredWhen(asks, AlarmReadCommand(row), [row](const QByteArray& reply) {
            return DecodeAlarm(reply).row == row;
        });
    if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
        return outcome;
    const QList<AlarmSettings> rows(facts.alarms.begin(), facts.alarms.begin() + count);
    if (outcome = Save(file, AlarmFileLines(rows, facts.alarmCount)); !outcome.Ok())
        return outcome;
    Report(context,
        count == 1 ? CliTexts::tr("Saved 1 alarm to %1.").arg(file) : CliTexts::tr("Saved %1 alarms to %2.").arg(count).arg(file),
        {{"file", FullName(file)}, {"alarms", count}});
    return {};
}

// The file is checked whole before anything is sent; the clock then must
// answer every alarm with the alarm as sent.
Outcome AlarmsLoad(CliContext& context, const QStringList& arguments)
{
    const QString& file = arguments.first();
    QList<QByteArray> lines;
    if (const Outcome outcome = Read(file, &lines, kNotAnAlarmFile); !outcome.Ok())
        return outcome;
    if (const int damaged = FirstDamagedAlarmLine(lines))
        return DamagedLine(file, lines, damaged, kNotAnAlarmLine);
    if (lines.isEmpty())
        return BadFile(file, CliTexts::tr("holds no alarm lines"));
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    const AlarmFileLoad load = AlarmCommandsToQueue(lines, context.model.Facts().alarmCount);
    std::deque<Ask> asks;
    for (const QByteArray& command : load.commands) {
        if (!command.startsWith('k')) {
            asks.emplace_back(command, kQuerySends);
            continue;
        }
        const auto row = DecodeAlarm(command).row;
        QueryAnsweredWhen(asks, command, [row](const QByteArray& reply) {
            return DecodeAlarm(reply).row == row;
        });
    }
    if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
        return outcome;
    for (const Ask& ask : asks) {
        if (ask.command.startsWith('k') && ask.answer->mid(1).toUpper() != ask.command.mid(1).toUpper())
            return Outcome::Fail(ExitCode::Failed,
                CliTexts::tr("the clock took %1 as %2").arg(QuotedLine(ask.command), QuotedLine(*ask.answer)));
    }
    const qsizetype sent = load.commands.size() - 1;
    const qsizetype skipped = lines.size() - sent;
    QString note
        = sent == 1 ? CliTexts::tr("Sent 1 alarm from %1.").arg(file) : CliTexts::tr("Sent %1 alarms from %2.").arg(sent).arg(file);
    if (skipped == 1)
        note += CliTexts::tr(" 1 line for rows the clock lacks (it has %1 alarms) was skipped.").arg(context.model.Facts().alarmCount);
    else if (skipped > 1)
        note += CliTexts::tr(" %1 lines for rows the clock lacks (it has %2 alarms) were skipped.")
                    .arg(skipped)
                    .arg(context.model.Facts().alarmCount);
    Report(context, note,
        {{"file", FullName(file)}, {"sent", sent}, {"skipped", skipped}, {"alarmCount", context.model.Facts().alarmCount}});
    return {};
}

Outcome ParamsSave(CliContext& context, const QStringList& arguments)
{
    const QString& file = arguments.first();
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    std::deque<Ask> asks = Queries({"h", "j", "r", kSensorOffsetQuery, "n"});
    if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
        return outcome;
    const ClockFacts& facts = context.model.Facts();
    const ModeRecord& mode = facts.mode;
    const auto standby = facts.autoStandby.seconds;
    const SoundTimesRecord& sound = facts.soundTimes;
    const SensorOffsetRecord& offsets = facts.offsets;
    const PwmRecord& pwm = facts.pwm;
    const std::array<bool, 5> read = {mode.modeFlags.has_value(), standby.has_value(),
        sound.toHour.has_value(), offsets.pressure.has_value(), pwm.sleepPulse.has_value()};
    for (size_t i = 0; i < read.size(); ++i)
        if (!read[i])
            return Unreadable(asks[i]);
    ClockParameters reported;
    reported.modeFlags = *mode.modeFlags;
    reported.autoStandbySeconds = *standby;
    reported.soundFromHour = *sound.fromHour;
    reported.soundToHour = *sound.toHour;
    reported.temperatureOffset = *offsets.temperature;
    reported.humidityOffset = *offsets.humidity;
    reported.pressureOffset = *offsets.pressure;
    reported.runPulse = *pwm.runPulse;
    reported.sleepPulse = *pwm.sleepPulse;
    const QList<QByteArray> lines = ParameterFileLines(HeldByControls(reported));
    if (outcome = Save(file, lines); !outcome.Ok())
        return outcome;
    Report(context, CliTexts::tr("Saved the parameters to %1.").arg(file),
        {{"file", FullName(file)}, {"lines", lines.size()}});
    return {};
}

// Every line of the file goes to the clock once, as the panel plays it back;
// each must be answered.
Outcome ParamsLoad(CliContext& context, const QStringList& arguments)
{
    const QString& file = arguments.first();
    QList<QByteArray> lines;
    if (const Outcome outcome = Read(file, &lines, kNotAParameterFile); !outcome.Ok())
        return outcome;
    if (const int damaged = FirstDamagedParameterLine(lines))
        return DamagedLine(file, lines, damaged, kNotACommandLine);
    const QList<QByteArray> commands = ParameterFileCommands(lines);
    if (commands.isEmpty())
        return BadFile(file, CliTexts::tr("holds no command lines"));
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    std::deque<Ask> asks;
    for (const QByteArray& command : commands) {
        if (const QString refusal = LinkFitRefusal(command, session->Link()); !refusal.isEmpty())
            return BadFile(file, refusal);
        asks.emplace_back(command);
    }
    if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
        return outcome;
    Report(context,
        commands.size() == 1 ? CliTexts::tr("Sent 1 parameter line from %1.").arg(file)
                             : CliTexts::tr("Sent %1 parameter lines from %2.").arg(commands.size()).arg(file),
        {{"file", FullName(file)}, {"sent", commands.size()}});
    return {};
}

Outcome Dcf77Stats(CliContext& context, const QStringList& arguments)
{
    const QString file = arguments.value(0);
    Outcome outcome;
    ClockSession* session = Clock(context, &outcome);
    if (!session)
        return outcome;
    std::deque<Ask> asks;
    const QList<QByteArray> reads = StatisticsReadCommands();
    // Either letter of the memory read answers it ("E" or "F"), as always.
    for (qsizetype hour = 0; hour < reads.size(); ++hour) {
        Ask& ask = asks.emplace_back(reads[hour], kQuerySends);
        ask.accepts = [hour](const QByteArray& reply) {
            const MemoryReadRecord record = DecodeMemoryRead(reply);
            return KindOf(reply) == ReplyKind::MemoryReadReply && record.Hour() == hour && record.data;
        };
    }
    if (outcome = OutcomeOf(session->Exchange(asks)); !outcome.Ok())
        return outcome;
    const std::array<int, ClockFacts::kHours>& stats = context.model.Facts().hourFigures;
    QJsonArray hours;
    for (const int figure : stats)
        hours.append(figure);
    const QList<QByteArray> lines = Dcf77StatisticsLines(stats);
    if (!file.isEmpty() && !(outcome = Save(file, lines)).Ok())
        return outcome;
    QJsonObject object{{"hours", hours}};
    if (!file.isEmpty())
        object.insert(QStringLiteral("file"), FullName(file));
    if (context.options.json)
        context.console.Json(object);
    else if (file.isEmpty())
        context.console.Write(lines.join('\n') + '\n');
    else
        context.console.Line(CliTexts::tr("Saved the DCF77 statistics to %1.").arg(file));
    return {};
}

// Whatever arrives from the moment the line is queued until two ticks after
// its answer is printed as it came.
Outcome Send(CliContext& context, const QStringList& arguments)
{
    // Beyond ASCII nothing is a command line: its UTF-8 is what is checked.
    const QByteArray line = arguments.first().toUtf8();
    if (const QString why = WhyNotACommandLine(line); !why.isEmpty())
        return Outcome::Fail(ExitCode::Usage, why);
    Outcome outcome;
    ClockSession* session = context.connect(&outcome);
    if (!session)
        return outcome;
    if (const QString refusal = LinkFitRefusal(line, session->Link()); !refusal.isEmpty())
        return Outcome::Fail(ExitCode::Usage, refusal);
    QJsonArray replies;
    QObject::connect(session, &ClockSession::LineReceived, session, [&context, &replies](const QByteArray& reply) {
        if (context.options.json)
            replies.append(QString::fromLatin1(reply));
        else
            context.console.Write(reply + '\n');
    });
    std::deque<Ask> asks;
    asks.emplace_back(line);
    outcome = OutcomeOf(session->Exchange(asks));
    if (outcome.Ok())
        outcome = OutcomeOf(session->Linger(2 * session->Link().TickMs()));
    QObject::disconnect(session, &ClockSession::LineReceived, session, nullptr);
    if (outcome.Ok() && context.options.json)
        context.console.Json({{"command", QString::fromLatin1(line)}, {"replies", replies}});
    return outcome;
}

Outcome Monitor(CliContext& context, const QStringList&)
{
    Outcome outcome;
    ClockSession* session = context.connect(&outcome);
    if (!session)
        return outcome;
    QObject::connect(session, &ClockSession::LineReceived, session, [&context](const QByteArray& line) {
        const QDateTime now = QDateTime::currentDateTime();
        if (context.options.monitorShows == MonitorShows::Raw) {
            context.console.Write(EscapedLine(line) + '\n');
            return;
        }
        if (context.options.monitorShows == MonitorShows::Words) {
            // A line of no kind has no words: only replies are printed.
            if (const QString words = DescribeReply(line); !words.isEmpty())
                context.console.Line(words);
            return;
        }
        if (context.options.json) {
            QJsonObject object = ReplyJson(line);
            object.insert(QStringLiteral("time"), IsoTime(now));
            object.insert(QStringLiteral("line"), QString::fromLatin1(line));
            object.insert(QStringLiteral("words"), DescribeReply(line));
            context.console.Json(object, true);
            return;
        }
        context.console.Line(
            QStringLiteral("%1  %2  %3")
                .arg(now.time().toString(QStringLiteral("HH:mm:ss.zzz")), VisibleLine(line).leftJustified(15),
                    DescribeReply(line, WordsFor::People))
                .trimmed());
    });
    // Only a signal or a link lost for good (--no-reconnect) ends it, and a
    // signal ends it as it ends every other subcommand.
    return OutcomeOf(session->Poll());
}

} // namespace

void Console::Write(const QByteArray& bytes) { out_.write(bytes); }

void Console::Line(const QString& text) { out_.write(text.toUtf8() + '\n'); }

void Console::Json(const QJsonObject& object, bool oneLine)
{
    out_.write(QJsonDocument(object).toJson(oneLine ? QJsonDocument::Compact : QJsonDocument::Indented)
        + (oneLine ? "\n" : ""));
}

void Console::Error(const QString& message) { err_.write("whirlbeamctl: " + message.toUtf8() + '\n'); }

void Console::JsonError(const QString& message, int exitCode, bool oneLine)
{
    Json({{"error", message}, {"exitCode", exitCode}}, oneLine);
}

const QList<Subcommand>& Subcommands()
{
    using L = QStringList;
    static const QList<Subcommand> table = {
        {L{"status"}, "", 0, 0, QT_TRANSLATE_NOOP("whirlbeamctl", "identification, version, date, time, whirlbeam state, relay, sensors"), Status},
        {L{"sync-time"}, "", 0, 0, QT_TRANSLATE_NOOP("whirlbeamctl", "set the clock's date and time from this computer's local time, on\n"
                                                                        "the second's edge, and read them back"),
            SyncTime},
        {L{"alarms", "save"}, "FILE", 1, 1, QT_TRANSLATE_NOOP("whirlbeamctl", "write the clock's alarms to FILE (.alm, as the panel writes it)"),
            AlarmsSave},
        {L{"alarms", "load"}, "FILE", 1, 1,
            QT_TRANSLATE_NOOP("whirlbeamctl", "send the alarms of FILE to the clock (rows the clock lacks are skipped)"), AlarmsLoad},
        {L{"params", "save"}, "FILE", 1, 1, QT_TRANSLATE_NOOP("whirlbeamctl", "write the clock's parameters to FILE (.par, as the panel writes it)"),
            ParamsSave},
        {L{"params", "load"}, "FILE", 1, 1, QT_TRANSLATE_NOOP("whirlbeamctl", "send every command line of FILE to the clock"), ParamsLoad},
        {L{"dcf77-stats"}, "[FILE]", 0, 1,
            QT_TRANSLATE_NOOP("whirlbeamctl", "the hourly DCF77 synchronisation figures, to FILE or standard output"), Dcf77Stats},
        {L{"offset"}, "", 0, 0,
            QT_TRANSLATE_NOOP("whirlbeamctl", "measure how far the clock is ahead of or behind this computer, to\n"
                                              "the millisecond, without changing it"),
            Offset},
        {L{"send"}, "LINE", 1, 1, QT_TRANSLATE_NOOP("whirlbeamctl", "send one command line and print the reply lines that follow"), Send},
        {L{"monitor"}, "", 0, 0,
            QT_TRANSLATE_NOOP("whirlbeamctl", "poll as the panel does and print every reply line, decoded, until\n"
            "interrupted (Ctrl-C, SIGTERM); a clock that goes away is waited for"),
            Monitor},
        {L{"log"}, "", 0, 0,
            QT_TRANSLATE_NOOP("whirlbeamctl", "ask for the measurement every --interval seconds and append each\n"
            "reply to the --csv file as a row, until interrupted; a clock that\n"
            "goes away is waited for"),
            SensorLog},
        {L{"mqtt"}, "", 0, 0,
            QT_TRANSLATE_NOOP("whirlbeamctl", "publish the clock on an MQTT broker (state topics, Home Assistant\n"
            "discovery, commands) until interrupted; a clock or broker that goes\n"
            "away is waited for"),
            Mqtt},
    };
    return table;
}

const Subcommand* FindSubcommand(const QStringList& command)
{
    for (const Subcommand& subcommand : Subcommands())
        if (command.mid(0, subcommand.words.size()) == subcommand.words)
            return &subcommand;
    return nullptr;
}

Outcome RunSubcommand(CliContext& context)
{
    const QStringList& command = context.options.command;
    const Subcommand* subcommand = FindSubcommand(command);
    return subcommand->run(context, command.mid(subcommand->words.size()));
}
