// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TerminationSignals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

int WatchTerminationSignals()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, nullptr);
    const int descriptor = signalfd(-1, &blocked, SFD_CLOEXEC | SFD_NONBLOCK);
    if (descriptor < 0)
        sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
    return descriptor;
}

int TakeTerminationSignal(int descriptor)
{
    signalfd_siginfo info{};
    return ::read(descriptor, &info, sizeof info) == sizeof info ? int(info.ssi_signo) : 0;
}
