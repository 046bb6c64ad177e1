// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>

#include <functional>
#include <memory>
#include <mutex>
#include <pthread.h>

// Sleeps in the driver (TIOCMIWAIT) until one of the watched modem lines
// changes and then calls changed() from its own thread, which must only hand
// the news over to the owner's thread. The driver wait cannot be woken by
// closing the descriptor, so stopping interrupts it with a signal.
class TComLineWatch {
public:
    TComLineWatch(int fd, int lineMask, std::function<void()> changed, QThread::Priority priority);
    ~TComLineWatch();

    TComLineWatch(const TComLineWatch&) = delete;
    TComLineWatch& operator=(const TComLineWatch&) = delete;

private:
    void Run();
    bool Waiting();
    void Interrupt();

    const int fd_;
    const int lineMask_;
    const std::function<void()> changed_;
    std::mutex mutex_;
    bool stopping_ = false;
    bool running_ = false; // the thread is inside Run and may be signalled
    pthread_t threadId_{};
    std::unique_ptr<QThread> thread_;
};
