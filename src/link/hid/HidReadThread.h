// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/hid/HidBackend.h"

#include <QByteArray>
#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Reads one device's input reports on a thread of its own and hands each to
// the thread that made it (the window thread), waiting until it has been
// handled before it reads the next: the device's own queue holds what comes
// meanwhile. The thread only waits; every handler runs on the window thread.
class TJvHidDeviceReadThread : public QObject {
    Q_OBJECT
public:
    using ReportSink = std::function<void(quint8 reportId, const QByteArray& data)>;
    using ErrorSink = std::function<void(int error)>;

    // Starts reading at once: reports of at most reportLength bytes, waiting
    // sleepTimeMs at a time so that a stop is seen at the latest after that
    // (without a limit where the connection can be interrupted).
    TJvHidDeviceReadThread(std::unique_ptr<HidConnection> connection, int reportLength, int sleepTimeMs,
        ReportSink onReport, ErrorSink onError);
    ~TJvHidDeviceReadThread() override;

    // Tells the thread to stop and waits until it has ended, meanwhile
    // handling a report it has already handed over; no sink runs after
    // that. Called from inside a sink it cannot wait for the thread, which
    // waits for that very sink: it returns false, and the thread ends by
    // itself once the sink has returned (delete the object later, then).
    bool Stop();

private slots:
    // Runs a hand-over the thread posted, if it is still pending.
    void ServePending();

private:
    struct Shared;
    static int ReadTimeoutMs(const Shared& shared);
    static void Run(std::shared_ptr<Shared> shared, QObject* window);
    static void HandOver(
        const std::shared_ptr<Shared>& shared, QObject* window, QByteArray report, int error);
    static void Serve(Shared& shared, std::unique_lock<std::mutex>& lock);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
