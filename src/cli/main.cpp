// whirlbeamctl: the whirlbeam clock from the command line, for scripts, cron
// and systemd timers. Everything but the process's own set-up is in the
// whirlbeam_cli library.

#include "cli/WhirlbeamCtl.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <memory>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// SIGINT and SIGTERM arrive as data on a descriptor, so a subcommand ends
// in an ordinary slot rather than in a handler. The defaults are restored
// first: a shell starts background jobs with SIGINT ignored.
int BlockTerminationSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, nullptr);
    const int descriptor = signalfd(-1, &blocked, SFD_CLOEXEC | SFD_NONBLOCK);
    // Without the descriptor the signalFd end the process the usual way.
    if (descriptor < 0)
        sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
    return descriptor;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before any thread exists, so that every thread inherits the blocked set.
    const int signalFd = BlockTerminationSignals();
    QCoreApplication app(argc, argv);
    QFile out;
    QFile err;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    WhirlbeamCtl ctl({&out, &err, {}, QStringLiteral("./WhirlbeamClock.ini")});
    std::unique_ptr<QSocketNotifier> arrived;
    if (signalFd >= 0) {
        arrived = std::make_unique<QSocketNotifier>(signalFd, QSocketNotifier::Read);
        QObject::connect(arrived.get(), &QSocketNotifier::activated, &ctl, [&ctl, signalFd] {
            signalfd_siginfo info{};
            while (::read(signalFd, &info, sizeof info) == sizeof info)
                ctl.Interrupt(int(info.ssi_signo));
        });
    }
    return ctl.Run(QCoreApplication::arguments().mid(1));
}
