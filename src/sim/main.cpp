// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeam-sim: the simulated clock on a pseudo terminal. Prints the
// terminal's path as a line on stdout, and the new terminal's each time the
// clock is plugged back in, and answers on it until SIGTERM or SIGINT.

#include "link/TerminationSignals.h"
#include "sim/ClockPlug.h"
#include "sim/PlugSignals.h"
#include "sim/PtyClock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
struct SimArguments {
    ClockPeerOptions options;
    QString linkPath;
    PlugSchedule plug;
};

void PrintPath(const QString& path)
{
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

[[noreturn]] void Refuse(const QString& message)
{
    std::fprintf(stderr, "whirlbeam-sim: %s\n", qPrintable(message));
    std::exit(2);
}

SimArguments ParseArguments(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated whirlbeam clock on a pseudo terminal. Prints the terminal's path,\n"
        "then answers the panel's commands on it until terminated.\n"
        "SIGUSR1 unplugs the clock, SIGUSR2 plugs it back in, as the two options do."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption alarms(QStringLiteral("alarms"),
        QStringLiteral("Number of alarms the clock has: 20 or 40 (default 40)."),
        QStringLiteral("count"), QStringLiteral("40"));
    const QCommandLineOption link(QStringLiteral("link"),
        QStringLiteral("Also make a symbolic link at <path> to the terminal (removed on exit)."),
        QStringLiteral("path"));
    const QCommandLineOption chip(QStringLiteral("chip"),
        QStringLiteral("Report this two-digit chip code in the configuration reply."),
        QStringLiteral("code"));
    const QCommandLineOption delay(QStringLiteral("delay"),
        QStringLiteral("Delay every reply by <ms> milliseconds."), QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption unplugAfter(QStringLiteral("unplug-after"),
        QStringLiteral("Unplug the clock <seconds> after the start (decimals allowed), once: the terminal "
                       "is hung up, so the other side reads EIO or a hang-up, and the --link is removed."),
        QStringLiteral("seconds"));
    const QCommandLineOption replugAfter(QStringLiteral("replug-after"),
        QStringLiteral("Plug the clock back in <seconds> after every unplugging: a new terminal, whose "
                       "path is printed as another line, and the --link made again at the same path. "
                       "The clock keeps its state, as one that stayed powered."),
        QStringLiteral("seconds"));
    parser.addOptions({alarms, link, chip, delay, unplugAfter, replugAfter});
    if (!parser.parse(app.arguments()))
        Refuse(parser.errorText());
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("whirlbeam-sim %s\n", qPrintable(QCoreApplication::applicationVersion()));
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // Qt's text names the program by the path it was started with.
        QString help = parser.helpText();
        help.replace(app.arguments().constFirst(), QCoreApplication::applicationName());
        std::printf("%s", qPrintable(help));
        std::exit(0);
    }

    SimArguments arguments;
    const QString alarmCount = parser.value(alarms);
    if (alarmCount != QLatin1String("20") && alarmCount != QLatin1String("40"))
        Refuse(QStringLiteral("--alarms takes 20 or 40"));
    arguments.options.alarmCount = alarmCount.toInt();
    if (parser.isSet(chip)) {
        bool ok = false;
        const int code = parser.value(chip).toInt(&ok);
        if (!ok || code < 0 || code > 99)
            Refuse(QStringLiteral("--chip takes a number from 0 to 99"));
        arguments.options.chipCode = code;
    }
    bool delayOk = false;
    arguments.options.replyDelayMs = parser.value(delay).toInt(&delayOk);
    if (!delayOk || arguments.options.replyDelayMs < 0)
        Refuse(QStringLiteral("--delay takes a number of milliseconds"));
    arguments.linkPath = parser.value(link);
    for (const auto& [option, delay] : {std::pair{&unplugAfter, &arguments.plug.unplugAfterMs},
             std::pair{&replugAfter, &arguments.plug.replugAfterMs}}) {
        if (!parser.isSet(*option))
            continue;
        *delay = PlugDelayMs(parser.value(*option));
        if (!*delay)
            Refuse(QStringLiteral("--%1 takes a number of seconds from 0.001 to 86400").arg(option->names().constFirst()));
    }
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before any thread exists; the signals then end the event loop, and
    // the link is removed on the way out, or pull the clock out and put it
    // back.
    const int signalFd = WatchTerminationSignals();
    const int plugFd = WatchPlugSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("whirlbeam-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.02"));
    const SimArguments arguments = ParseArguments(app);
    if (signalFd < 0)
        Refuse(QStringLiteral("cannot watch for SIGTERM and SIGINT"));

    PtyClock clock(arguments.options);
    clock.SetLinkPath(arguments.linkPath);
    if (!clock.Open())
        Refuse(clock.ErrorString());

    ClockPlug plug([&clock] { clock.HangUp(); return QString(); },
        [&clock] { return clock.Open() ? QString() : clock.ErrorString(); });
    QObject::connect(&plug, &ClockPlug::Replugged, &app, [&clock] { PrintPath(clock.SlavePath()); });
    QObject::connect(&plug, &ClockPlug::Failed, &app, [](const QString& why) {
        std::fprintf(stderr, "whirlbeam-sim: the clock stays unplugged: %s\n", qPrintable(why));
    });
    plug.Listen(plugFd);

    QSocketNotifier terminate(signalFd, QSocketNotifier::Read);
    QObject::connect(&terminate, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    PrintPath(clock.SlavePath());
    plug.Start(arguments.plug);
    const int status = app.exec();
    clock.HangUp();
    ::close(signalFd);
    return status;
}
