// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/PlugSignals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
int watched = -1;
}

int WatchPlugSignals()
{
    if (watched >= 0)
        return watched;
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    sigaddset(&blocked, SIGUSR2);
    pthread_sigmask(SIG_BLOCK, &blocked, nullptr);
    watched = signalfd(-1, &blocked, SFD_CLOEXEC | SFD_NONBLOCK);
    if (watched < 0)
        pthread_sigmask(SIG_UNBLOCK, &blocked, nullptr);
    return watched;
}

int PlugSignalDescriptor() { return watched; }

int TakePlugSignal(int descriptor)
{
    signalfd_siginfo info{};
    return ::read(descriptor, &info, sizeof info) == sizeof info ? int(info.ssi_signo) : 0;
}
