// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ClockModel;
class ClockSession;
class QIODevice;
class QJsonObject;

// Standard output and standard error of the tool.
class Console {
public:
    Console(QIODevice& out, QIODevice& err)
        : out_(out)
        , err_(err)
    {
    }
    void Write(const QByteArray& bytes);
    void Line(const QString& text);
    // The object indented, or on one line (a monitor's stream of them).
    void Json(const QJsonObject& object, bool oneLine = false);
    // "whirlbeamctl: " and the message, on a line of its own.
    void Error(const QString& message);
    // With --json, an error for scripts on standard output as well:
    // {"error": message, "exitCode": code}.
    void JsonError(const QString& message, int exitCode, bool oneLine = false);

private:
    QIODevice& out_;
    QIODevice& err_;
};

// What a subcommand works with. Connect opens the link once, on first use,
// so that a subcommand can refuse a bad file before it touches the clock.
struct CliContext {
    const CliOptions& options;
    Console& console;
    std::function<ClockSession*(Outcome* failure)> connect;
    // What the clock's replies have told so far, from the session's lines.
    const ClockModel& model;
};

// One subcommand of whirlbeamctl: its words, its arguments, its line of
// help and what runs it.
struct Subcommand {
    QStringList words; // {"alarms", "save"}
    const char* arguments; // as the help names them: "FILE", "[FILE]", ""
    int minArguments;
    int maxArguments;
    const char* help; // lines after the first are indented to the first's column
    Outcome (*run)(CliContext& context, const QStringList& arguments);
};

// Every subcommand, in the order the help lists them.
const QList<Subcommand>& Subcommands();

// The subcommand whose words begin the command; nullptr when none does.
const Subcommand* FindSubcommand(const QStringList& command);

// Runs the subcommand of options.command, which ParseCommandLine checked.
Outcome RunSubcommand(CliContext& context);
