// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/WhirlbeamCtl.h"

#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/ConfigFile.h"
#include "cli/Subcommands.h"
#include "link/ClockSession.h"
#include "link/ComPort.h"
#include "link/hid/HidDevice.h"
#include "link/hid/HidapiBackend.h"
#include "link/hid/UdevTtyAnnouncer.h"
#include "sim/SimHid.h"
#include "sim/SimulatedClock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// The command line, and the options of its --config file under it; a
// failure's exit code: a bad line 2, a file that cannot be read 6.
struct ParsedArguments {
    ParsedCommandLine parsed;
    int failureCode = ExitCode::Usage;
};

ParsedArguments ParseWithConfig(const QStringList& arguments)
{
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.options || parsed.options->help || parsed.options->version
        || parsed.options->mqtt.configFile.isEmpty())
        return {parsed};
    const QString file = parsed.options->mqtt.configFile;
    QFile source(file);
    if (QFileInfo(file).isDir() || !source.open(QIODevice::ReadOnly) || source.size() > kMaxConfigBytes) {
        const QString reason = source.error() == QFileDevice::NoError ? CliTexts::tr("not a config file")
                                                                      : source.errorString();
        return {{std::nullopt, CliTexts::tr("cannot read %1: %2").arg(file, reason)}, ExitCode::BadFile};
    }
    const ConfigOptions config = ReadConfigText(source.read(kMaxConfigBytes));
    if (!config.error.isEmpty())
        return {{std::nullopt, QStringLiteral("%1: %2").arg(file, config.error)}};
    return {ParseCommandLine(MergeConfig(config.arguments, arguments))};
}

} // namespace

WhirlbeamCtl::WhirlbeamCtl(Environment environment)
    : environment_(std::move(environment))
{
}

WhirlbeamCtl::~WhirlbeamCtl() = default;

int WhirlbeamCtl::Run(const QStringList& arguments)
{
    Console console(*environment_.out, *environment_.err);
    const auto [parsed, failureCode] = ParseWithConfig(arguments);
    if (!parsed.options) {
        const QString message = failureCode == ExitCode::Usage
            ? parsed.error + CliTexts::tr(" (whirlbeamctl --help lists what it takes)")
            : parsed.error;
        console.Error(message);
        // The line did not parse, but a script that asked for JSON still gets it.
        if (arguments.contains(QLatin1String("--json")))
            console.JsonError(message, failureCode);
        return failureCode;
    }
    const CliOptions& options = *parsed.options;
    if (options.help) {
        console.Write(UsageText().toUtf8());
        return ExitCode::Ok;
    }
    if (options.version) {
        console.Line(QStringLiteral("whirlbeamctl " WHIRLBEAM_VERSION));
        return ExitCode::Ok;
    }
    if (!options.logFile.isEmpty()) {
        QString error;
        if (!log_.Open(options.logFile, &error)) {
            console.Error(error);
            if (options.json)
                console.JsonError(error, ExitCode::BadFile);
            return ExitCode::BadFile;
        }
        // A log that fails later is said once; the subcommand goes on.
        log_.SetOnFailure([&console](const QString& reason) { console.Error(reason); });
    }
    CliContext context{
        options, console, [this, &options](Outcome* failure) { return Connect(options, failure); }, model_};
    const Outcome outcome = RunSubcommand(context);
    log_.SetOnFailure({});
    if (!outcome.Ok() && !outcome.message.isEmpty())
        console.Error(outcome.message);
    if (!outcome.Ok() && options.json) {
        // After a stream of one-line objects, the error is one line as well.
        const bool streams = options.command.first() == QLatin1String("monitor") || options.watchMinutes > 0;
        console.JsonError(outcome.message, outcome.exitCode, streams);
    }
    return outcome.exitCode;
}

void WhirlbeamCtl::Interrupt(int signal)
{
    if (!interrupted_)
        interrupted_ = signal;
    if (session_)
        session_->Interrupt(signal);
}

ClockSession* WhirlbeamCtl::Connect(const CliOptions& options, Outcome* failure)
{
    if (session_)
        return session_.get();
    LinkFailure why;
    connection_ = OpenLink(options, &why);
    if (!connection_) {
        *failure = Outcome::Fail(ExitCodeFor(why), why.text.replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return nullptr;
    }
    connection_->SetLog(&log_);
    // The long-running ones wait for a clock that goes away.
    const QString& subcommand = options.command.first();
    if ((subcommand == QLatin1String("monitor") || subcommand == QLatin1String("mqtt")
            || subcommand == QLatin1String("log"))
        && options.reconnect) {
        connection_->SetReconnect(true);
        TellReturns();
    }
    session_ = std::make_unique<ClockSession>(*connection_, options.timeoutMs);
    connect(session_.get(), &ClockSession::LineReceived, &model_, &ClockModel::Take);
    if (interrupted_)
        session_->Interrupt(*interrupted_);
    return session_.get();
}

// One line on standard error when the clock goes away and one when it is
// back; what the clock says meanwhile goes on to standard output.
void WhirlbeamCtl::TellReturns()
{
    using State = ClockConnection::State;
    ClockConnection* connection = connection_.get();
    connect(connection, &ClockConnection::Failed, this, [this, connection](const LinkFailure& why) {
        if (connection->CurrentState() == State::WaitingForReturn)
            Console(*environment_.out, *environment_.err)
                .Error(CliTexts::tr("%1; waiting for the clock to come back").arg(why.text));
    });
    connect(connection, &ClockConnection::StateChanged, this, [this, connection](State state, State before) {
        if (state == State::Open && before == State::WaitingForReturn)
            Console(*environment_.out, *environment_.err)
                .Error(CliTexts::tr("the clock is back on %1").arg(connection->Link().Name()));
    });
}

std::unique_ptr<ClockConnection> WhirlbeamCtl::OpenLink(const CliOptions& options, LinkFailure* failure)
{
    using Link = CliOptions::Link;
    std::unique_ptr<TCustomComPort> port;
    std::unique_ptr<TJvHidDeviceController> controller;
    QString wanted;
    switch (options.link) {
    case Link::SimulatedSerial:
    case Link::SimulatedUsb: {
        const bool usb = options.link == Link::SimulatedUsb;
        QString error;
        simulated_ = SimulatedClock::Make(
            usb ? SimulatedClock::Kind::Usb : SimulatedClock::Kind::Serial, options.plug, &error);
        if (!simulated_) {
            *failure = {LinkFailure::Kind::NotOpened, ENODEV, error, QString()};
            return nullptr;
        }
        if (usb) {
            controller = UsbController(simulated_->TakeBackend());
        } else {
            port = std::make_unique<TComPort>();
            port->SetPort(simulated_->PortPath());
        }
        break;
    }
    case Link::Usb:
        controller = UsbController(environment_.usbBackend ? environment_.usbBackend() : MakeHidapiBackend());
        wanted = options.usbClock;
        break;
    case Link::Serial:
        port = SettingsPort();
        port->SetPort(options.port);
        break;
    case Link::Auto:
        // As the panel starts: on USB while a clock is plugged in, else on
        // the serial port of its settings.
        controller = UsbController(environment_.usbBackend ? environment_.usbBackend() : MakeHidapiBackend());
        if (!UsbClockListed(*controller)) {
            controller.reset();
            port = SettingsPort();
        }
        break;
    }
    const bool usb = controller != nullptr;
    auto connection
        = std::make_unique<ClockConnection>(std::move(port), std::move(controller), MakeUdevTtyAnnouncer());
    if (!(usb ? connection->OpenUsbClock(wanted) : connection->Open(LinkKind::Serial))) {
        *failure = connection->LastFailure();
        return nullptr;
    }
    return connection;
}

std::unique_ptr<TJvHidDeviceController> WhirlbeamCtl::UsbController(std::unique_ptr<HidBackend> backend) const
{
    auto controller = std::make_unique<TJvHidDeviceController>(std::move(backend));
    AwaitFirstScan(*controller);
    return controller;
}

// The line settings the panel saved; a file that is missing or cannot be
// read leaves the panel's defaults, as at the panel's start.
std::unique_ptr<TCustomComPort> WhirlbeamCtl::SettingsPort() const
{
    auto port = std::make_unique<TComPort>();
    try {
        port->ReadSettings(ssIniFile, environment_.settingsFile);
    } catch (const EComPort&) {
    }
    return port;
}
