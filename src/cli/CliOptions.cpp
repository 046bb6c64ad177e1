// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include "bridge/MqttEntities.h"
#include "cli/CliTexts.h"
#include "cli/Subcommands.h"

#include <QTimeZone>

#include <cmath>

namespace {

bool IsSubcommandName(const QString& word)
{
    for (const Subcommand& subcommand : Subcommands())
        if (subcommand.words.first() == word)
            return true;
    return false;
}

// Whether the command so far has all the arguments its subcommand takes.
bool ArgumentsComplete(const QStringList& command)
{
    const Subcommand* subcommand = FindSubcommand(command);
    return subcommand && command.size() - subcommand->words.size() >= subcommand->maxArguments;
}

QString CheckCommand(const QStringList& command)
{
    if (command.isEmpty())
        return CliTexts::tr("no subcommand given");
    if (const Subcommand* subcommand = FindSubcommand(command)) {
        const qsizetype arguments = command.size() - subcommand->words.size();
        if (arguments < subcommand->minArguments)
            return CliTexts::tr("'%1' needs %2")
                .arg(subcommand->words.join(QLatin1Char(' ')),
                    subcommand->words.first() == QLatin1String("send") ? CliTexts::tr("a command line")
                                                                       : CliTexts::tr("a file name"));
        if (arguments > subcommand->maxArguments)
            return CliTexts::tr("unexpected argument '%1'").arg(command.last());
        return QString();
    }
    if (IsSubcommandName(command.first()))
        return CliTexts::tr("'%1' needs one of: save, load").arg(command.first());
    return CliTexts::tr("unknown subcommand '%1'").arg(command.first());
}

// Reads the arguments one by one; an option's word is taken as it stands
// before or after the subcommand, so scripts may put options where they like.
class Parser {
public:
    explicit Parser(const QStringList& arguments)
        : arguments_(arguments)
    {
    }

    // The first option's own complaint, without the checks across options.
    QString FirstError()
    {
        for (i_ = 0; i_ < arguments_.size(); ++i_)
            if (const QString error = Take(); !error.isEmpty())
                return error;
        return QString();
    }

    ParsedCommandLine Parse()
    {
        for (i_ = 0; i_ < arguments_.size(); ++i_)
            if (const QString error = Take(); !error.isEmpty())
                return {std::nullopt, error};
        if (options_.help || options_.version)
            return {options_, QString()};
        if (links_ > 1)
            return {std::nullopt, CliTexts::tr("--serial, --usb and --simulate exclude each other")};
        if (!options_.plug.IsEmpty() && options_.link != CliOptions::Link::SimulatedSerial
            && options_.link != CliOptions::Link::SimulatedUsb)
            return {std::nullopt, CliTexts::tr("--unplug-after and --replug-after apply to --simulate only")};
        if (const QString error = CheckCommand(options_.command); !error.isEmpty())
            return {std::nullopt, error};
        const QString subcommand = options_.command.first();
        if (options_.requireSynced && subcommand != QLatin1String("sync-time"))
            return {std::nullopt, CliTexts::tr("--require-synced applies to sync-time only")};
        if (options_.watchMinutes > 0 && subcommand != QLatin1String("offset"))
            return {std::nullopt, CliTexts::tr("--watch applies to offset only")};
        // Other subcommands know nothing of these, as before they existed.
        if (!mqttOption_.isEmpty() && subcommand != QLatin1String("mqtt"))
            return {std::nullopt, CliTexts::tr("unknown option '%1'").arg(mqttOption_)};
        if (!options_.reconnect && subcommand != QLatin1String("monitor") && subcommand != QLatin1String("log"))
            return {std::nullopt, CliTexts::tr("--no-reconnect applies to monitor and log only")};
        if (const QString error = CheckMonitorAndLog(subcommand); !error.isEmpty())
            return {std::nullopt, error};
        if (options_.mqtt.tls && !options_.mqtt.portGiven)
            options_.mqtt.port = MqttOptions::kDefaultTlsPort;
        return {options_, QString()};
    }

private:
    const QString& Argument() const { return arguments_[i_]; }
    QString Name() const { return Argument().section(QLatin1Char('='), 0, 0); }
    bool HasValue() const
    {
        return Argument().startsWith(QLatin1String("--")) && Argument().contains(QLatin1Char('='));
    }
    QString Value() const { return Argument().section(QLatin1Char('='), 1); }
    bool NextIs(const std::function<bool(const QString&)>& fits) const
    {
        return i_ + 1 < arguments_.size() && !arguments_[i_ + 1].startsWith(QLatin1Char('-'))
            && fits(arguments_[i_ + 1]);
    }

    std::optional<QString> RequiredWord()
    {
        if (HasValue())
            return Value();
        if (i_ + 1 < arguments_.size())
            return arguments_[++i_];
        return std::nullopt;
    }

    // An optional word: given with "=", or the next word where it fits.
    QString OptionalWord(const std::function<bool(const QString&)>& fits)
    {
        if (HasValue())
            return Value();
        return NextIs(fits) ? arguments_[++i_] : QString();
    }

    QString Take();
    QString TakeLink();
    bool IsMonitorOrLogOption() const;
    QString TakeMonitorOrLog();
    QString CheckMonitorAndLog(const QString& subcommand) const;
    bool IsMqttOption() const;
    QString TakeMqtt();

    const QStringList& arguments_;
    qsizetype i_ = 0;
    CliOptions options_;
    int links_ = 0;
    QString mqttOption_; // the first of mqtt's options, as given
    QStringList monitorShows_; // --words, --raw, as given
    QString logOption_; // the first of log's options, as given
};

QString Parser::Take()
{
    const QString& argument = Argument();
    if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
        options_.help = true;
    } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
        options_.version = true;
    } else if (argument == QLatin1String("--json")) {
        options_.json = true;
    } else if (Name() == QLatin1String("--log")) {
        const auto file = RequiredWord();
        if (!file || file->isEmpty())
            return CliTexts::tr("--log needs a file name");
        options_.logFile = *file;
    } else if (argument == QLatin1String("--no-reconnect")) {
        options_.reconnect = false;
    } else if (argument == QLatin1String("--require-synced")) {
        options_.requireSynced = true;
    } else if (Name() == QLatin1String("--zone")) {
        const auto zone = RequiredWord();
        // An empty zone would quietly mean this computer's, as if --zone were not given.
        if (!zone || zone->isEmpty() || !QTimeZone(zone->toUtf8()).isValid())
            return CliTexts::tr("--zone takes a time zone such as Europe/Berlin, not '%1'")
                .arg(zone.value_or(QString()));
        options_.zone = *zone;
    } else if (Name() == QLatin1String("--watch")) {
        const auto minutes = RequiredWord();
        bool ok = false;
        const int parsed = minutes ? minutes->toInt(&ok) : 0;
        if (!ok || parsed < 1 || parsed > 10080)
            return CliTexts::tr("--watch takes a number of minutes from 1 to 10080");
        options_.watchMinutes = parsed;
    } else if (Name() == QLatin1String("--timeout")) {
        const auto seconds = RequiredWord();
        bool ok = false;
        const double parsed = seconds ? seconds->toDouble(&ok) : 0.0;
        if (!ok || !(parsed > 0.0) || parsed > 3600.0)
            return CliTexts::tr("--timeout takes a number of seconds from 0.001 to 3600");
        options_.timeoutMs = std::max(1, int(std::lround(parsed * 1000.0)));
    } else if (Name() == QLatin1String("--unplug-after") || Name() == QLatin1String("--replug-after")) {
        const QString name = Name();
        const auto seconds = RequiredWord();
        const std::optional<int> ms = seconds ? PlugDelayMs(*seconds) : std::nullopt;
        if (!ms)
            return CliTexts::tr("%1 takes a number of seconds from 0.001 to 86400").arg(name);
        (name == QLatin1String("--unplug-after") ? options_.plug.unplugAfterMs : options_.plug.replugAfterMs)
            = ms;
    } else if (Name() == QLatin1String("--serial") || Name() == QLatin1String("--usb")
        || Name() == QLatin1String("--simulate")) {
        return TakeLink();
    } else if (IsMonitorOrLogOption()) {
        return TakeMonitorOrLog();
    } else if (IsMqttOption()) {
        if (mqttOption_.isEmpty())
            mqttOption_ = argument;
        return TakeMqtt();
    } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
        return CliTexts::tr("unknown option '%1'").arg(argument);
    } else {
        options_.command << argument;
    }
    return QString();
}

QString Parser::TakeLink()
{
    ++links_;
    const QString name = Name();
    const bool commandBegun = !options_.command.isEmpty();
    if (name == QLatin1String("--serial")) {
        const auto port = RequiredWord();
        if (!port || port->isEmpty())
            return CliTexts::tr("--serial needs a port");
        options_.link = CliOptions::Link::Serial;
        options_.port = *port;
    } else if (name == QLatin1String("--usb")) {
        // After the subcommand, a word is its argument while it lacks one.
        options_.link = CliOptions::Link::Usb;
        options_.usbClock = OptionalWord([&](const QString& word) {
            return !IsSubcommandName(word) && (!commandBegun || ArgumentsComplete(options_.command));
        });
    } else {
        // After the subcommand, only the kind's own words are taken.
        const QString kind = OptionalWord([&](const QString& word) {
            return commandBegun ? word == QLatin1String("usb") || word == QLatin1String("serial")
                                : !IsSubcommandName(word);
        });
        if (kind == QLatin1String("usb"))
            options_.link = CliOptions::Link::SimulatedUsb;
        else if (kind.isEmpty() || kind == QLatin1String("serial"))
            options_.link = CliOptions::Link::SimulatedSerial;
        else
            return CliTexts::tr("--simulate takes 'usb' or 'serial', not '%1'").arg(kind);
    }
    return QString();
}

bool Parser::IsMonitorOrLogOption() const
{
    // The two flags take no value: "--raw=x" is no option of theirs.
    return Argument() == QLatin1String("--words") || Argument() == QLatin1String("--raw")
        || Name() == QLatin1String("--csv") || Name() == QLatin1String("--interval");
}

QString Parser::TakeMonitorOrLog()
{
    const QString name = Name();
    if (Argument() == QLatin1String("--words") || Argument() == QLatin1String("--raw")) {
        monitorShows_ << Argument();
        options_.monitorShows = Argument() == QLatin1String("--words") ? MonitorShows::Words : MonitorShows::Raw;
        return QString();
    }
    if (logOption_.isEmpty())
        logOption_ = name;
    const auto word = RequiredWord();
    if (name == QLatin1String("--csv")) {
        if (!word || word->isEmpty())
            return CliTexts::tr("--csv needs a file name");
        options_.sensorLog.csvFile = *word;
        return QString();
    }
    bool ok = false;
    const int seconds = word ? word->toInt(&ok) : 0;
    if (!ok || seconds < 1 || seconds > 86400)
        return CliTexts::tr("--interval takes a number of seconds from 1 to 86400");
    options_.sensorLog.intervalSeconds = seconds;
    return QString();
}

QString Parser::CheckMonitorAndLog(const QString& subcommand) const
{
    if (!monitorShows_.isEmpty() && subcommand != QLatin1String("monitor"))
        return CliTexts::tr("%1 applies to monitor only").arg(monitorShows_.first());
    if (monitorShows_.contains(QLatin1String("--words")) && monitorShows_.contains(QLatin1String("--raw")))
        return CliTexts::tr("--words and --raw exclude each other");
    if (!logOption_.isEmpty() && subcommand != QLatin1String("log"))
        return CliTexts::tr("%1 applies to log only").arg(logOption_);
    if (subcommand == QLatin1String("log") && options_.sensorLog.csvFile.isEmpty())
        return CliTexts::tr("'log' needs --csv FILE");
    return QString();
}

bool Parser::IsMqttOption() const
{
    static const QStringList names = {"--broker", "--topic-prefix", "--discovery-prefix", "--id", "--poll",
        "--no-discovery", "--username", "--password-file", "--config", "--remove-discovery", "--tls",
        "--cafile", "--allow-raw"};
    return names.contains(Name());
}

// HOST, HOST:PORT, [IPV6] or [IPV6]:PORT.
bool TakeBroker(const QString& text, MqttOptions* mqtt)
{
    QString host = text;
    QString port;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype end = text.indexOf(QLatin1Char(']'));
        if (end < 0)
            return false;
        host = text.mid(1, end - 1);
        const QString rest = text.mid(end + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return false;
        port = rest.mid(1);
        if (rest == QLatin1String(":"))
            return false;
    } else if (const qsizetype colon = text.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        host = text.left(colon);
        port = text.mid(colon + 1);
        if (port.isEmpty())
            return false;
    }
    if (host.isEmpty() || host.contains(QLatin1Char(':')) != text.startsWith(QLatin1Char('[')))
        return false;
    mqtt->host = host;
    if (!port.isEmpty()) {
        bool ok = false;
        mqtt->port = port.toInt(&ok);
        if (!ok || mqtt->port < 1 || mqtt->port > 65535)
            return false;
        mqtt->portGiven = true;
    }
    return true;
}

// A topic level or prefix: no wildcards, no NUL, not empty.
bool FitsTopic(const QString& text)
{
    return !text.isEmpty() && !text.contains(QLatin1Char('+')) && !text.contains(QLatin1Char('#'))
        && !text.contains(QChar(0)) && !text.endsWith(QLatin1Char('/'));
}

QString Parser::TakeMqtt()
{
    MqttOptions& mqtt = options_.mqtt;
    const QString name = Name();
    if (Argument() == QLatin1String("--no-discovery")) {
        mqtt.discovery = false;
        return QString();
    }
    if (Argument() == QLatin1String("--remove-discovery")) {
        mqtt.removeDiscovery = true;
        return QString();
    }
    if (Argument() == QLatin1String("--tls")) {
        mqtt.tls = true;
        return QString();
    }
    if (Argument() == QLatin1String("--allow-raw")) {
        mqtt.allowRaw = true;
        return QString();
    }
    const auto word = RequiredWord();
    if (!word || word->isEmpty())
        return CliTexts::tr("%1 needs a value").arg(name);
    if (name == QLatin1String("--broker")) {
        if (!TakeBroker(*word, &mqtt))
            return CliTexts::tr("--broker takes HOST or HOST:PORT (port 1 to 65535), not '%1'").arg(*word);
    } else if (name == QLatin1String("--poll")) {
        bool ok = false;
        mqtt.pollSeconds = word->toInt(&ok);
        if (!ok || mqtt.pollSeconds < 1 || mqtt.pollSeconds > 3600)
            return CliTexts::tr("--poll takes a number of seconds from 1 to 3600");
    } else if (name == QLatin1String("--id")) {
        if (*word != MqttClockId(*word))
            return CliTexts::tr("--id takes letters, digits, '-' and '_', not '%1'").arg(*word);
        mqtt.clockId = *word;
    } else if (name == QLatin1String("--topic-prefix") || name == QLatin1String("--discovery-prefix")) {
        if (!FitsTopic(*word))
            return CliTexts::tr("%1 takes a topic without + or # and without a trailing /, not '%2'")
                .arg(name, *word);
        (name == QLatin1String("--topic-prefix") ? mqtt.topicPrefix : mqtt.discoveryPrefix) = *word;
    } else if (name == QLatin1String("--username")) {
        mqtt.username = *word;
    } else if (name == QLatin1String("--config")) {
        mqtt.configFile = *word;
    } else if (name == QLatin1String("--cafile")) {
        mqtt.caFile = *word;
        mqtt.tls = true;
    } else {
        mqtt.passwordFile = *word;
    }
    return QString();
}

QString HelpColumn(const QString& text, int column)
{
    QString indented = text;
    return indented.replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(column, QLatin1Char(' ')));
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) { return Parser(arguments).Parse(); }

QString OptionError(const QString& argument)
{
    const QStringList arguments{argument};
    return Parser(arguments).FirstError();
}

QString UsageText()
{
    constexpr int kColumn = 22;
    QString subcommands;
    for (const Subcommand& subcommand : Subcommands()) {
        const QString synopsis = (subcommand.words + QStringList{QLatin1String(subcommand.arguments)})
                                     .join(QLatin1Char(' '))
                                     .trimmed();
        subcommands += QStringLiteral("  ") + synopsis.leftJustified(kColumn - 3) + QLatin1Char(' ')
            + HelpColumn(CliTexts::tr(subcommand.help), kColumn) + QLatin1Char('\n');
    }
    return CliTexts::tr("Usage: whirlbeamctl [OPTIONS] SUBCOMMAND [ARGUMENTS] [OPTIONS]\n"
                        "Talks to a whirlbeam clock over USB or a serial port, as the control panel does.\n"
                        "\n"
                        "Subcommands:\n")
        + subcommands
        + CliTexts::tr(
            "\n"
            "Options (before or after the subcommand):\n"
            "  --serial PORT       the clock on serial port PORT (COM1 = /dev/ttyS0, ttyUSB0, /dev/pts/3 "
            "...)\n"
            "  --usb [SERIAL]      the clock on USB; SERIAL (its serial number or /dev/hidrawN) picks one\n"
            "                      of several (--usb=SERIAL where a subcommand's argument could follow)\n"
            "  --simulate [usb]    a simulated clock in this process: on a pseudo terminal, or as a USB "
            "device\n"
            "  --unplug-after SEC  with --simulate: unplug the simulated clock SEC seconds after the start\n"
            "                      (decimals allowed), once; SIGUSR1 unplugs it at any time\n"
            "  --replug-after SEC  with --simulate: plug it back in SEC seconds after every unplugging (on "
            "USB\n"
            "                      with its serial number, on serial as a new pseudo terminal behind the "
            "same\n"
            "                      port name); SIGUSR2 plugs it back in at any time\n"
            "  --json              the result as JSON: one object (an error as {\"error\", \"exitCode\"});\n"
            "                      monitor and offset --watch one object a line\n"
            "  --log FILE          append every command sent and every reply line received to FILE,\n"
            "                      each behind the time to the millisecond\n"
            "  --zone ZONE         the clock keeps the time of ZONE (Europe/Berlin, as DCF77 gives it),\n"
            "                      not this computer's (sync-time, offset)\n"
            "  --require-synced    sync-time sets the clock only while this computer's clock is\n"
            "                      synchronised to a time source (exit code 8 otherwise)\n"
            "  --watch MINUTES     offset: go on measuring for MINUTES (or until interrupted) and tell\n"
            "                      the clock's drift with its standard error\n"
            "  --timeout SECONDS   how long the clock may stay silent (default 5)\n"
            "  --no-reconnect      monitor, log: end when the clock goes away (exit code 3) rather\n"
            "                      than wait for it to come back\n"
            "  --words             monitor: print the words of each reply alone\n"
            "  --raw               monitor: print each line as received (escaped as --log escapes it)\n"
            "  --csv FILE          log: append one row per measurement to FILE (CSV; the header\n"
            "                      when FILE is new or empty)\n"
            "  --interval SECONDS  log: ask for the measurement every SECONDS (1 to 86400, default 60)\n"
            "  --broker HOST[:PORT]\n"
            "                      mqtt: the MQTT broker (default localhost:1883, with TLS port 8883)\n"
            "  --tls               mqtt: talk to the broker over TLS, its certificate checked against\n"
            "                      the system's CAs in /etc/ssl/certs\n"
            "  --cafile FILE       mqtt: check the broker's certificate against the CA certificates of\n"
            "                      FILE (PEM) instead; implies --tls\n"
            "  --username NAME     mqtt: the name to log in to the broker with\n"
            "  --password-file FILE\n"
            "                      mqtt: its password, the file's first line (readable by its owner only)\n"
            "  --id ID             mqtt: the clock's id in topics (default its USB serial number, or its\n"
            "                      serial port's name)\n"
            "  --topic-prefix TOPIC\n"
            "                      mqtt: the topics' prefix (default whirlbeam/ID)\n"
            "  --discovery-prefix TOPIC\n"
            "                      mqtt: Home Assistant's discovery prefix (default homeassistant)\n"
            "  --no-discovery      mqtt: publish no Home Assistant discovery configs\n"
            "  --remove-discovery  mqtt: publish empty discovery configs, so that Home Assistant forgets\n"
            "                      the clock, and end\n"
            "  --poll SECONDS      mqtt: ask the clock for its state every SECONDS (default 5)\n"
            "  --allow-raw         mqtt: TOPIC/raw/set sends any command line, checked as send checks it\n"
            "  --config FILE       mqtt: read options from FILE too, one \"name = value\" a line (names as\n"
            "                      the long options without --, # begins a comment); the command line wins\n"
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
            "  8    this computer's clock is not synchronised (--require-synced)\n"
            "  130  interrupted (143 for SIGTERM) before the subcommand finished, and how monitor ends\n");
}
