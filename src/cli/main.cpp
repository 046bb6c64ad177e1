// SPDX-License-Identifier: GPL-3.0-or-later
// whirlbeamctl: the whirlbeam clock from the command line, for scripts, cron
// and systemd timers. Everything but the process's own set-up is in the
// whirlbeam_cli library.

#include "cli/WhirlbeamCtl.h"
#include "files/Translations.h"
#include "link/TerminationSignals.h"
#include "sim/PlugSignals.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {
// Read before the command line is parsed, since the signals must be blocked
// before any thread exists; a line that then fails to parse does no harm.
bool SimulatesClock(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--simulate") == 0 || std::strncmp(argv[i], "--simulate=", 11) == 0)
            return true;
    return false;
}
} // namespace

int main(int argc, char* argv[])
{
    // Before any thread exists; a signal then ends the subcommand in an
    // ordinary slot.
    const int signalFd = WatchTerminationSignals();
    // SIGUSR1 and SIGUSR2 unplug the simulated clock and plug it back in.
    if (SimulatesClock(argc, argv))
        WatchPlugSignals();
    QCoreApplication app(argc, argv);
    InstallTranslations(app);
    QFile out;
    QFile err;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    WhirlbeamCtl ctl({&out, &err, {}, QStringLiteral("./WhirlbeamClock.ini")});
    std::unique_ptr<QSocketNotifier> arrived;
    if (signalFd >= 0) {
        arrived = std::make_unique<QSocketNotifier>(signalFd, QSocketNotifier::Read);
        QObject::connect(arrived.get(), &QSocketNotifier::activated, &ctl, [&ctl, signalFd] {
            while (const int signal = TakeTerminationSignal(signalFd))
                ctl.Interrupt(signal);
        });
    }
    return ctl.Run(QCoreApplication::arguments().mid(1));
}
