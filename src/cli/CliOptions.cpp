#include "cli/CliOptions.h"

#include <cmath>

namespace {

struct Subcommand {
    QStringList words; // the subcommand's own words
    int minArguments;
    int maxArguments;
};

const QList<Subcommand> kSubcommands = {
    {{QStringLiteral("status")}, 0, 0},
    {{QStringLiteral("sync-time")}, 0, 0},
    {{QStringLiteral("alarms"), QStringLiteral("save")}, 1, 1},
    {{QStringLiteral("alarms"), QStringLiteral("load")}, 1, 1},
    {{QStringLiteral("params"), QStringLiteral("save")}, 1, 1},
    {{QStringLiteral("params"), QStringLiteral("load")}, 1, 1},
    {{QStringLiteral("dcf77-stats")}, 0, 1},
    {{QStringLiteral("send")}, 1, 1},
    {{QStringLiteral("monitor")}, 0, 0},
};

bool IsSubcommandName(const QString& word)
{
    for (const Subcommand& subcommand : kSubcommands)
        if (subcommand.words.first() == word)
            return true;
    return false;
}

QString CheckCommand(const QStringList& command)
{
    if (command.isEmpty())
        return QStringLiteral("no subcommand given");
    for (const Subcommand& subcommand : kSubcommands) {
        if (command.mid(0, subcommand.words.size()) != subcommand.words)
            continue;
        const qsizetype arguments = command.size() - subcommand.words.size();
        if (arguments < subcommand.minArguments)
            return QStringLiteral("'%1' needs %2")
                .arg(subcommand.words.join(QLatin1Char(' ')),
                    subcommand.words.first() == QLatin1String("send") ? QStringLiteral("a command line")
                                                                      : QStringLiteral("a file name"));
        if (arguments > subcommand.maxArguments)
            return QStringLiteral("unexpected argument '%1'").arg(command.last());
        return QString();
    }
    if (IsSubcommandName(command.first()))
        return QStringLiteral("'%1' needs one of: save, load").arg(command.first());
    return QStringLiteral("unknown subcommand '%1'").arg(command.first());
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments)
{
    CliOptions options;
    int links = 0;
    const auto fail = [](const QString& error) { return ParsedCommandLine{std::nullopt, error}; };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        const bool hasValue = argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('='));
        const QString value = argument.section(QLatin1Char('='), 1);
        // An optional word: given with "=", or as the next word while the
        // subcommand has not begun and that word is not a subcommand.
        const auto optionalWord = [&]() -> QString {
            if (hasValue)
                return value;
            if (options.command.isEmpty() && i + 1 < arguments.size()
                && !arguments[i + 1].startsWith(QLatin1Char('-')) && !IsSubcommandName(arguments[i + 1]))
                return arguments[++i];
            return QString();
        };
        const auto requiredWord = [&]() -> std::optional<QString> {
            if (hasValue)
                return value;
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            options.help = true;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            options.version = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (name == QLatin1String("--serial")) {
            const auto port = requiredWord();
            if (!port || port->isEmpty())
                return fail(QStringLiteral("--serial needs a port"));
            options.link = CliOptions::Link::Serial;
            options.port = *port;
            ++links;
        } else if (name == QLatin1String("--usb")) {
            options.link = CliOptions::Link::Usb;
            options.usbClock = optionalWord();
            ++links;
        } else if (name == QLatin1String("--simulate")) {
            const QString kind = optionalWord();
            if (kind == QLatin1String("usb"))
                options.link = CliOptions::Link::SimulatedUsb;
            else if (kind.isEmpty() || kind == QLatin1String("serial"))
                options.link = CliOptions::Link::SimulatedSerial;
            else
                return fail(QStringLiteral("--simulate takes 'usb' or 'serial', not '%1'").arg(kind));
            ++links;
        } else if (name == QLatin1String("--timeout")) {
            const auto seconds = requiredWord();
            bool ok = false;
            const double parsed = seconds ? seconds->toDouble(&ok) : 0.0;
            if (!ok || !(parsed > 0.0) || parsed > 3600.0)
                return fail(QStringLiteral("--timeout takes a number of seconds from 0.001 to 3600"));
            options.timeoutMs = std::max(1, int(std::lround(parsed * 1000.0)));
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return fail(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            options.command << argument;
        }
    }
    if (options.help || options.version)
        return {options, QString()};
    if (links > 1)
        return fail(QStringLiteral("--serial, --usb and --simulate exclude each other"));
    if (const QString error = CheckCommand(options.command); !error.isEmpty())
        return fail(error);
    if (options.json && options.command.first() != QLatin1String("status"))
        return fail(QStringLiteral("--json applies to status only"));
    return {options, QString()};
}

QString UsageText()
{
    return QStringLiteral(
        "Usage: whirlbeamctl [OPTIONS] SUBCOMMAND [ARGUMENTS]\n"
        "Talks to a whirlbeam clock over USB or a serial port, as the control panel does.\n"
        "\n"
        "Subcommands:\n"
        "  status              identification, version, date, time, whirlbeam state, relay, sensors\n"
        "  sync-time           set the clock's date and time from this computer's local time, and read them "
        "back\n"
        "  alarms save FILE    write the clock's alarms to FILE (.alm, as the panel writes it)\n"
        "  alarms load FILE    send the alarms of FILE to the clock (rows the clock lacks are skipped)\n"
        "  params save FILE    write the clock's parameters to FILE (.par, as the panel writes it)\n"
        "  params load FILE    send every command line of FILE to the clock\n"
        "  dcf77-stats [FILE]  the hourly DCF77 synchronisation figures, to FILE or standard output\n"
        "  send LINE           send one command line and print the reply lines that follow\n"
        "  monitor             poll as the panel does and print every reply line, decoded, until\n"
        "                      interrupted (Ctrl-C, SIGTERM)\n"
        "\n"
        "Options:\n"
        "  --serial PORT       the clock on serial port PORT (COM1 = /dev/ttyS0, ttyUSB0, /dev/pts/3 ...)\n"
        "  --usb [SERIAL]      the clock on USB; SERIAL (its serial number or /dev/hidrawN) picks one\n"
        "                      of several (--usb=SERIAL after the subcommand)\n"
        "  --simulate [usb]    a simulated clock in this process: on a pseudo terminal, or as a USB device\n"
        "  --json              status as one JSON object\n"
        "  --timeout SECONDS   how long the clock may stay silent (default 5)\n"
        "  -h, --help          this text\n"
        "  -v, --version       the version\n"
        "\n"
        "Without --serial, --usb or --simulate: a whirlbeam clock plugged in on USB, otherwise the\n"
        "serial port of ./WhirlbeamClock.ini (the panel's settings; COM1 when there are none).\n"
        "\n"
        "Exit codes:\n"
        "  0    success\n"
        "  1    the clock answered, but not as asked (not a whirlbeam clock, a value that did not take)\n"
        "  2    wrong command line\n"
        "  3    no device: no such port, no clock on USB, or it went away\n"
        "  4    permission denied on the port or the USB clock\n"
        "  5    no answer from the clock within the timeout\n"
        "  6    a file cannot be read or written, or is not a valid alarm or parameter file\n"
        "  7    the port is in use by another program\n"
        "  130  interrupted (143 for SIGTERM) before the subcommand finished\n");
}
