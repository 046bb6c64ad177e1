#pragma once

#include "cli/CliOptions.h"
#include "cli/Outcome.h"

#include <QByteArray>
#include <QString>
#include <functional>

class ClockSession;
class QIODevice;

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
    // "whirlbeamctl: " and the message, on a line of its own.
    void Error(const QString& message);

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
};

// Runs the subcommand of options.command.
Outcome RunSubcommand(CliContext& context);
