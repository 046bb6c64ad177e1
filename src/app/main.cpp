// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DarkPalette.h"
#include "app/DisplayDefaults.h"
#include "app/PelkMain.h"
#include "files/Translations.h"
#include "link/PortLock.h"
#include "link/TerminationSignals.h"
#include "app/WindowPlacement.h"
#include "sim/PlugSignals.h"
#include "sim/SimHid.h"
#include "sim/SimulatedClock.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

namespace {

int Fail(const QString& message)
{
    std::fprintf(stderr, "whirlbeam-panel: %s\n", qPrintable(message));
    return 1;
}

struct Options {
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
        QStringLiteral("Render each of the ten pages to <dir>/page-0.png .. page-9.png, then the window with "
                       "the traffic view open to <dir>/traffic.png, and exit; with a clock to connect to, once "
                       "it has been read."),
        QStringLiteral("dir")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
        QStringLiteral("Start a simulated clock on a pseudo terminal and connect to it; "
                       "'--simulate usb': as a USB device inside the panel.")};
    QCommandLineOption unplugAfter{QStringLiteral("unplug-after"),
        QStringLiteral("With --simulate: unplug the simulated clock <seconds> after the start (decimals "
                       "allowed), once; SIGUSR1 unplugs it at any time."),
        QStringLiteral("seconds")};
    QCommandLineOption replugAfter{QStringLiteral("replug-after"),
        QStringLiteral("With --simulate: plug the simulated clock back in <seconds> after every unplugging, "
                       "on USB with its serial number, on serial as a new pseudo terminal behind the same "
                       "port name; SIGUSR2 plugs it back in at any time."),
        QStringLiteral("seconds")};
    QCommandLineOption serial{QStringLiteral("serial"),
        QStringLiteral("Use the serial link on <port> (COM1, ttyUSB0, /dev/pts/3 ...)."),
        QStringLiteral("port")};
    QCommandLineOption connect{QStringLiteral("connect"),
        QStringLiteral("Press Open as soon as the window is up (with --serial).")};
    QCommandLineOption dark{QStringLiteral("dark"),
        QStringLiteral("Use a dark palette (with the Fusion style).")};
    QCommandLineOption log{QStringLiteral("log"),
        QStringLiteral("Append every command sent and every reply line received to <file>, "
                       "with the time to the millisecond."),
        QStringLiteral("file")};
};

QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

constexpr int kScreenshotWaitMs = 60000;
constexpr int kTrafficRecordMs = 1500;

int Screenshots(TForm1& form, const QString& folder)
{
    QString error;
    return form.SaveScreenshots(folder, &error) ? 0 : Fail(error);
}

int TrafficScreenshot(TForm1& form, const QString& folder)
{
    QString error;
    return form.SaveTrafficScreenshot(folder, &error) ? 0 : Fail(error);
}

// Qt's own options (-platform, -style ...) pass through to QApplication; the
// parser knows them only so that it can tell an unknown option before there
// is a display to start.
QList<QCommandLineOption> QtOwnOptions()
{
    QList<QCommandLineOption> own;
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "style", "stylesheet", "session", "display", "geometry",
                             "title", "name", "qmljsdebugger", "visual", "ncols", "cmap"})
        own << QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        own << QCommandLineOption(QString::fromLatin1(name));
    for (QCommandLineOption& option : own)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    return own;
}

// "--simulate usb" and "--simulate serial": the one word the command line
// takes besides options, as whirlbeamctl takes it.
bool IsSimulatedLink(const QString& word) { return word == QLatin1String("usb") || word == QLatin1String("serial"); }

bool SimulatesUsb(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("simulate"))
        && parser.positionalArguments() == QStringList{QStringLiteral("usb")};
}

// Answers --help and --version, and refuses unknown options, all without a
// display. Returns the exit code when the program is done, -1 otherwise.
int AnswerWithoutDisplay(QCommandLineParser& parser, const QStringList& arguments)
{
    if (!parser.parse(arguments))
        return Fail(parser.errorText());
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s %s\n", qPrintable(QApplication::applicationName()),
                    qPrintable(QApplication::applicationVersion()));
        return 0;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                        QStringLiteral("whirlbeam-panel"))),
                   stdout);
        return 0;
    }
    QStringList unexpected = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("simulate")) && IsSimulatedLink(unexpected.value(0)))
        unexpected.removeFirst();
    if (!unexpected.isEmpty())
        return Fail(QStringLiteral("unexpected argument '%1'").arg(unexpected.constFirst()));
    return -1;
}

// Without a display Qt would abort with advice to reinstall it; say what is
// really missing instead.
bool DisplayAvailable(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("platform")) || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        || !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

constexpr int kNoDisplay = 2;

// Ends the process by the signal's default action, as if it had never been
// watched, so the panel's exit status stays what a SIGTERM or SIGINT gives.
[[noreturn]] void EndBySignal(int signal)
{
    // No destructor runs on this way out; the clock's lock file must not
    // outlive the panel.
    ReleaseAllPortLocks();
    std::signal(signal, SIG_DFL);
    sigset_t unblocked;
    sigemptyset(&unblocked);
    sigaddset(&unblocked, signal);
    pthread_sigmask(SIG_UNBLOCK, &unblocked, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal);
}

// The simulated clock's plug from the command line; an error when a time is
// wrong or given without --simulate.
std::optional<PlugSchedule> PlugOptions(const QCommandLineParser& parser, const Options& options, QString* error)
{
    PlugSchedule schedule;
    for (const auto& [option, delay] : {std::pair{&options.unplugAfter, &schedule.unplugAfterMs},
             std::pair{&options.replugAfter, &schedule.replugAfterMs}}) {
        if (!parser.isSet(*option))
            continue;
        const QString name = option->names().constFirst();
        if (!parser.isSet(options.simulate)) {
            *error = QStringLiteral("--%1 needs --simulate").arg(name);
            return std::nullopt;
        }
        *delay = PlugDelayMs(parser.value(*option));
        if (!*delay) {
            *error = QStringLiteral("--%1 takes a number of seconds from 0.001 to 86400").arg(name);
            return std::nullopt;
        }
    }
    return schedule;
}

void ChooseLink(TForm1& form, const QCommandLineParser& parser, const Options& options,
                const SimulatedClock* simulated)
{
    if (simulated) {
        if (simulated->Type() == SimulatedClock::Kind::Serial)
            form.SelectSerialLink(simulated->PortPath());
        form.OpenOnFirstActivation();
    } else if (parser.isSet(options.serial)) {
        form.SelectSerialLink(parser.value(options.serial));
        if (parser.isSet(options.connect))
            form.OpenOnFirstActivation();
    }
}

// Whether the line answers the read of the last hour's DCF77 statistics,
// after which the chart shows all 24 hours.
bool LastStatisticsReply(const QByteArray& line)
{
    return (line.startsWith('E') || line.startsWith('F')) && line.mid(1, 4).toUpper() == "A0F7";
}

// Connected pages are shown once the clock has been read, its DCF77
// statistics fetched as "Get statistics" does and its DCF77 state polled
// after that, or after a minute if it never answers.
int ScreenshotsOnceRead(QApplication& app, TForm1& form, const QString& folder)
{
    int result = 1;
    bool shot = false;
    const auto shoot = [&] {
        if (std::exchange(shot, true))
            return;
        result = Screenshots(form, folder);
        if (result != 0) {
            QApplication::exit();
            return;
        }
        // The traffic view records only while open: it is opened now and
        // shown once it has taken a few batches of the poll cycle.
        form.OpenTrafficView();
        QTimer::singleShot(kTrafficRecordMs, &form, [&] {
            result = TrafficScreenshot(form, folder);
            QApplication::exit();
        });
    };
    const auto fetchStatistics = [&form] {
        if (auto* button = form.findChild<QPushButton*>(QStringLiteral("getStatisticsButton")))
            button->click();
    };
    QObject::connect(&form, &TForm1::FirstLoadDone, &form, fetchStatistics, Qt::QueuedConnection);
    bool statisticsRead = false;
    QObject::connect(&form, &TForm1::ReplyTaken, &form, [&shoot, &statisticsRead](const QByteArray& line) {
        statisticsRead = statisticsRead || LastStatisticsReply(line);
        if (statisticsRead && line.startsWith('['))
            shoot();
    }, Qt::QueuedConnection);
    QTimer::singleShot(kScreenshotWaitMs, &form, shoot);
    app.exec();
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Whirlbeam Clock"));
    QApplication::setApplicationVersion(QStringLiteral(WHIRLBEAM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Control panel for the whirlbeam clock over USB HID or a serial port."));
    parser.addHelpOption();
    parser.addVersionOption();
    const Options options;
    parser.addOptions({options.screenshot, options.simulate, options.unplugAfter, options.replugAfter,
                       options.serial, options.connect, options.dark, options.log});
    parser.addOptions(QtOwnOptions());
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (const int done = AnswerWithoutDisplay(parser, Arguments(argc, argv)); done >= 0)
        return done;
    if (parser.isSet(options.simulate) && parser.isSet(options.serial))
        return Fail(QStringLiteral("--simulate and --serial exclude each other"));
    if (parser.isSet(options.connect) && !parser.isSet(options.serial))
        return Fail(QStringLiteral("--connect needs --serial PORT"));
    QString plugError;
    const std::optional<PlugSchedule> plug = PlugOptions(parser, options, &plugError);
    if (!plug)
        return Fail(plugError);
    if (!DisplayAvailable(parser)) {
        Fail(QStringLiteral("no display (DISPLAY and WAYLAND_DISPLAY are not set); to render the pages without "
                            "one, run: QT_QPA_PLATFORM=offscreen whirlbeam-panel --screenshot DIR"));
        return kNoDisplay;
    }

    SetDisplayDefaults();
    // Before QApplication starts any thread, so that every thread blocks
    // them and SIGUSR1 / SIGUSR2 reach the simulated clock's plug instead
    // of ending the panel.
    if (parser.isSet(options.simulate))
        WatchPlugSignals();
    // A simulated clock on serial leaves a link in a folder, an open port a
    // lock file; SIGTERM and SIGINT take them along before they end the panel.
    const int terminationFd = WatchTerminationSignals();

    // The installed desktop entry and icon go by this name.
    QApplication::setDesktopFileName(QStringLiteral(WHIRLBEAM_APP_ID));
    QApplication app(argc, argv);
    // Before any window is made: texts are translated when they are set.
    InstallTranslations(app);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(WHIRLBEAM_APP_ID)));
    QString error;
    if (parser.isSet(options.dark)) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(DarkPalette());
    }

    // The simulated clock outlives the window, whose link talks to it.
    std::unique_ptr<SimulatedClock> simulated;
    TForm1::Devices devices;
    if (parser.isSet(options.simulate)) {
        simulated = SimulatedClock::Make(
            SimulatesUsb(parser) ? SimulatedClock::Kind::Usb : SimulatedClock::Kind::Serial, *plug, &error);
        if (!simulated)
            return Fail(error);
        QObject::connect(&simulated->Plug(), &ClockPlug::Failed, &app,
                         [](const QString& why) { Fail(QStringLiteral("the simulated clock stays unplugged: ") + why); });
        if (auto usb = simulated->TakeBackend())
            devices.hidCtl = std::make_unique<TJvHidDeviceController>(std::move(usb));
    }
    std::unique_ptr<QSocketNotifier> terminated;
    if (terminationFd >= 0) {
        terminated = std::make_unique<QSocketNotifier>(terminationFd, QSocketNotifier::Read);
        QObject::connect(terminated.get(), &QSocketNotifier::activated, &app, [&simulated, terminationFd] {
            if (const int signal = TakeTerminationSignal(terminationFd)) {
                simulated.reset();
                EndBySignal(signal);
            }
        });
    }

    TForm1 form(std::move(devices));
    if (parser.isSet(options.log) && !form.TrafficLog.Open(parser.value(options.log), &error))
        return Fail(error);
    form.TrafficLog.SetOnFailure([](const QString& reason) { Fail(reason); });
    ChooseLink(form, parser, options, simulated.get());
    ShowCentredAtFixedSize(form);
    form.activateWindow();
    if (!parser.isSet(options.screenshot))
        return app.exec();
    const QString folder = parser.value(options.screenshot);
    if (!simulated && !parser.isSet(options.connect))
        return Screenshots(form, folder) != 0 ? 1 : TrafficScreenshot(form, folder);
    return ScreenshotsOnceRead(app, form, folder);
}
