// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPortLineWatch.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <sys/ioctl.h>

namespace {

// A stop request that lands between the check and the driver wait is lost;
// it is repeated after this long until the thread has ended.
constexpr int kInterruptRetryMs = 10;

int WakeSignal()
{
    return SIGRTMIN + 3;
}

// The signal only has to end the driver wait with EINTR; its handler does
// nothing, and without SA_RESTART the wait is not resumed.
void InstallWakeSignal()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action{};
        action.sa_handler = +[](int) {};
        sigemptyset(&action.sa_mask);
        ::sigaction(WakeSignal(), &action, nullptr);
    });
}

} // namespace

TComLineWatch::TComLineWatch(int fd, int lineMask, std::function<void()> changed, QThread::Priority priority)
    : fd_(fd), lineMask_(lineMask), changed_(std::move(changed))
{
    InstallWakeSignal();
    thread_.reset(QThread::create([this] { Run(); }));
    thread_->start(priority);
}

TComLineWatch::~TComLineWatch()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    do {
        Interrupt();
    } while (!thread_->wait(QDeadlineTimer(kInterruptRetryMs)));
}

void TComLineWatch::Interrupt()
{
    const std::lock_guard lock(mutex_);
    if (running_)
        ::pthread_kill(threadId_, WakeSignal());
}

bool TComLineWatch::Waiting()
{
    const std::lock_guard lock(mutex_);
    if (stopping_) {
        running_ = false;
        return false;
    }
    threadId_ = ::pthread_self();
    running_ = true;
    return true;
}

void TComLineWatch::Run()
{
    while (Waiting()) {
        if (::ioctl(fd_, TIOCMIWAIT, lineMask_) == 0) {
            changed_();
        } else if (errno != EINTR) {
            break; // the driver cannot wait, or the device is gone
        }
    }
    const std::lock_guard lock(mutex_);
    running_ = false;
}
