// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/HidReadThread.h"

#include <QMetaObject>
#include <QScopeGuard>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace {
// A report read, or a read that failed (error set).
struct Delivery {
    QByteArray report;
    int error = 0;
};
} // namespace

struct TJvHidDeviceReadThread::Shared {
    std::unique_ptr<HidConnection> connection;
    int reportLength;
    std::chrono::milliseconds sleepTime;
    ReportSink onReport;
    ErrorSink onError;

    std::mutex mutex;
    std::condition_variable changed;
    bool stop = false;
    bool ended = false;
    // Handed over and not yet handled; the reader waits for it to clear.
    std::optional<Delivery> pending;
    // The window thread is inside a sink for the pending delivery.
    bool serving = false;
};

TJvHidDeviceReadThread::TJvHidDeviceReadThread(std::unique_ptr<HidConnection> connection, int reportLength,
    int sleepTimeMs, ReportSink onReport, ErrorSink onError)
    : shared_(std::make_shared<Shared>())
{
    shared_->connection = std::move(connection);
    shared_->reportLength = reportLength;
    shared_->sleepTime = std::chrono::milliseconds(sleepTimeMs);
    shared_->onReport = std::move(onReport);
    shared_->onError = std::move(onError);
    thread_ = std::thread(&TJvHidDeviceReadThread::Run, shared_, this);
}

TJvHidDeviceReadThread::~TJvHidDeviceReadThread()
{
    if (thread_.joinable())
        Stop();
}

// The sleep time only bounds how long a stop waits for the reader; a
// connection that a stop interrupts needs no bound and is read without one.
int TJvHidDeviceReadThread::ReadTimeoutMs(const Shared& shared)
{
    return shared.connection->CanInterrupt() ? -1 : int(shared.sleepTime.count());
}

void TJvHidDeviceReadThread::Run(std::shared_ptr<Shared> shared, QObject* window)
{
    std::vector<char> buffer(size_t(shared->reportLength));
    for (;;) {
        {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->stop)
                break;
        }
        std::fill(buffer.begin(), buffer.end(), '\0');
        int error = 0;
        const int count
            = shared->connection->Read(buffer.data(), int(buffer.size()), ReadTimeoutMs(*shared), &error);
        if (count > 0) {
            // A report once read is handed over even when a stop came
            // meanwhile: the stop serves it, so nothing read is lost.
            HandOver(shared, window, QByteArray(buffer.data(), count), 0);
        } else if (count < 0) {
            HandOver(shared, window, QByteArray(), error ? error : -1);
            // A device that is gone fails every read at once; waiting a step
            // keeps the thread from spinning until the device is unhooked.
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->changed.wait_for(lock, shared->sleepTime, [&] { return shared->stop; });
        }
    }
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->ended = true;
    shared->changed.notify_all();
}

void TJvHidDeviceReadThread::HandOver(
    const std::shared_ptr<Shared>& shared, QObject* window, QByteArray report, int error)
{
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->pending = Delivery{std::move(report), error};
    // A stop that waits serves it itself.
    shared->changed.notify_all();
    // The object outlives the thread unless a stop left the thread running;
    // then nothing is pending here and nothing is posted. Qt drops the call
    // if the object is gone before it is served.
    QMetaObject::invokeMethod(window, "ServePending", Qt::QueuedConnection);
    shared->changed.wait(lock, [&] { return !shared->pending; });
}

void TJvHidDeviceReadThread::ServePending()
{
    std::unique_lock<std::mutex> lock(shared_->mutex);
    Serve(*shared_, lock);
}

// On the window thread, with the lock held; returns with it held.
void TJvHidDeviceReadThread::Serve(Shared& shared, std::unique_lock<std::mutex>& lock)
{
    if (!shared.pending || shared.serving)
        return;
    const Delivery delivery = *shared.pending;
    shared.serving = true;
    lock.unlock();
    // Whatever the sink does, the reader must learn that it is done.
    const auto done = qScopeGuard([&] {
        lock.lock();
        shared.serving = false;
        shared.pending.reset();
        shared.changed.notify_all();
    });
    if (delivery.error == 0) {
        if (shared.onReport)
            shared.onReport(quint8(delivery.report.at(0)), delivery.report.mid(1));
    } else if (shared.onError) {
        shared.onError(delivery.error);
    }
}

bool TJvHidDeviceReadThread::Stop()
{
    if (!thread_.joinable())
        return true;
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->changed.notify_all();
    if (shared_->serving) {
        // Inside a sink: the thread waits for it, so it cannot be waited
        // for. It keeps what it needs and ends once the sink returns,
        // without handing anything over again.
        lock.unlock();
        shared_->connection->Interrupt();
        thread_.detach();
        return false;
    }
    lock.unlock();
    shared_->connection->Interrupt();
    lock.lock();
    while (!shared_->ended) {
        if (shared_->pending)
            Serve(*shared_, lock);
        else
            shared_->changed.wait(lock);
    }
    lock.unlock();
    thread_.join();
    return true;
}
