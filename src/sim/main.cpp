// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeam-sim: the simulated clock on a pseudo terminal. Prints the
// terminal's path as its one line on stdout and answers on it until SIGTERM
// or SIGINT.

#include "link/TerminationSignals.h"
#include "sim/PtyClock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
struct SimArguments {
    ClockPeerOptions options;
    QString linkPath;
};

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
        "then answers the panel's commands on it until terminated."));
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
    parser.addOptions({alarms, link, chip, delay});
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
    return arguments;
}

// Only a symbolic link is ever replaced or removed: the path may be
// mistyped. Empty, or why the link was not made.
QString MakeLink(const QString& linkPath, const QString& target)
{
    const QByteArray path = QFile::encodeName(linkPath);
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        if (::unlink(path.constData()) != 0)
            return QStringLiteral("cannot replace the link %1: %2").arg(linkPath, QString::fromLocal8Bit(std::strerror(errno)));
    } else if (existing.exists()) {
        return QStringLiteral("%1 exists and is not a symbolic link; only a link is ever replaced").arg(linkPath);
    }
    if (::symlink(QFile::encodeName(target).constData(), path.constData()) != 0)
        return QStringLiteral("cannot make the link %1: %2").arg(linkPath, QString::fromLocal8Bit(std::strerror(errno)));
    return QString();
}

void RemoveLink(const QString& linkPath, const QString& target)
{
    const QFileInfo link(linkPath);
    if (link.isSymLink() && link.symLinkTarget() == target)
        QFile::remove(linkPath);
}

} // namespace

int main(int argc, char* argv[])
{
    // Before any thread exists; the signals then end the event loop, and
    // the link is removed on the way out.
    const int signalFd = WatchTerminationSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("whirlbeam-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral("4.02"));
    const SimArguments arguments = ParseArguments(app);
    if (signalFd < 0)
        Refuse(QStringLiteral("cannot watch for SIGTERM and SIGINT"));

    PtyClock clock(arguments.options);
    if (!clock.Open())
        Refuse(clock.ErrorString());
    const QString path = clock.SlavePath();
    if (!arguments.linkPath.isEmpty())
        if (const QString failure = MakeLink(arguments.linkPath, path); !failure.isEmpty())
            Refuse(failure);

    QSocketNotifier terminate(signalFd, QSocketNotifier::Read);
    QObject::connect(&terminate, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    const int status = app.exec();
    if (!arguments.linkPath.isEmpty())
        RemoveLink(arguments.linkPath, path);
    ::close(signalFd);
    return status;
}
