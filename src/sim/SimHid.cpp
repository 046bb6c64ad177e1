// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/SimHid.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

namespace {
// hidraw's queue per open file.
constexpr int kDefaultQueueLength = 64;

struct InputQueue {
    std::deque<QByteArray> reports;
    int capacity = kDefaultQueueLength;
    bool interrupted = false;
    bool waiting = false;
    bool reads = false;
};
} // namespace

// One plugging-in of a device. Connections keep it, so they see the
// unplugging even after the device has been plugged in again.
struct SimHidDevice::Port {
    QByteArray instance;
    mutable std::mutex mutex;
    std::condition_variable arrived;
    bool pluggedIn = false;
    std::vector<std::shared_ptr<InputQueue>> queues;
    std::atomic<int> writesWhileUnplugged{0};
};

class SimHidConnection : public HidConnection {
public:
    SimHidConnection(SimHidDevice* device, std::shared_ptr<SimHidDevice::Port> port)
        : device_(device)
        , port_(std::move(port))
        , queue_(std::make_shared<InputQueue>())
    {
        const std::lock_guard<std::mutex> lock(port_->mutex);
        port_->queues.push_back(queue_);
    }

    ~SimHidConnection() override
    {
        const std::lock_guard<std::mutex> lock(port_->mutex);
        std::erase(port_->queues, queue_);
    }

    int Read(char* buffer, int size, int timeoutMs, int* error) override
    {
        std::unique_lock<std::mutex> lock(port_->mutex);
        queue_->reads = true;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (!port_->pluggedIn) {
                *error = ENODEV;
                return -1;
            }
            if (std::exchange(queue_->interrupted, false))
                return 0;
            if (!queue_->reports.empty()) {
                const QByteArray report = std::move(queue_->reports.front());
                queue_->reports.pop_front();
                const int count = int(qMin(report.size(), qsizetype(size)));
                std::memcpy(buffer, report.constData(), size_t(count));
                return count;
            }
            queue_->waiting = true;
            const bool woken = timeoutMs < 0 ? (port_->arrived.wait(lock), true)
                                             : port_->arrived.wait_until(lock, deadline) == std::cv_status::no_timeout;
            queue_->waiting = false;
            if (!woken && queue_->reports.empty() && !queue_->interrupted)
                return 0;
        }
    }

    bool Write(const QByteArray& report) override
    {
        bool pluggedIn = false;
        {
            const std::lock_guard<std::mutex> lock(port_->mutex);
            pluggedIn = port_->pluggedIn;
        }
        if (!pluggedIn) {
            ++port_->writesWhileUnplugged;
            return false;
        }
        return device_->Output(report);
    }

    void SetInputQueueLength(int count) override
    {
        const std::lock_guard<std::mutex> lock(port_->mutex);
        queue_->capacity = count;
    }

    void Interrupt() override
    {
        const std::lock_guard<std::mutex> lock(port_->mutex);
        queue_->interrupted = true;
        port_->arrived.notify_all();
    }

    bool CanInterrupt() const override { return true; }

private:
    // Valid while the port is plugged in: a device unplugs before it goes.
    SimHidDevice* device_;
    std::shared_ptr<SimHidDevice::Port> port_;
    std::shared_ptr<InputQueue> queue_;
};

// ---- SimHidDevice ----------------------------------------------------------

SimHidDevice::SimHidDevice()
    : port_(std::make_shared<Port>())
{
}

SimHidDevice::~SimHidDevice()
{
    if (backend_)
        backend_->Unplug(this, false);
}

void SimHidDevice::Input(const QByteArray& report)
{
    const std::lock_guard<std::mutex> lock(port_->mutex);
    if (!port_->pluggedIn)
        return;
    for (const std::shared_ptr<InputQueue>& queue : port_->queues) {
        queue->reports.push_back(report);
        while (int(queue->reports.size()) > queue->capacity)
            queue->reports.pop_front();
    }
    port_->arrived.notify_all();
}

int SimHidDevice::WritesWhileUnplugged() const { return port_->writesWhileUnplugged; }

QByteArray SimHidDevice::Instance() const { return port_->instance; }

bool SimHidDevice::PluggedIn() const
{
    const std::lock_guard<std::mutex> lock(port_->mutex);
    return port_->pluggedIn;
}

int SimHidDevice::OpenConnections() const
{
    const std::lock_guard<std::mutex> lock(port_->mutex);
    return int(port_->queues.size());
}

bool SimHidDevice::ReadersIdle() const
{
    const std::lock_guard<std::mutex> lock(port_->mutex);
    bool anyReader = false;
    for (const std::shared_ptr<InputQueue>& queue : port_->queues) {
        if (!queue->reads)
            continue;
        anyReader = true;
        if (!queue->waiting || !queue->reports.empty())
            return false;
    }
    return anyReader;
}

int SimHidDevice::QueuedForReaders() const
{
    const std::lock_guard<std::mutex> lock(port_->mutex);
    int queued = 0;
    for (const std::shared_ptr<InputQueue>& queue : port_->queues)
        queued += queue->reads ? int(queue->reports.size()) : 0;
    return queued;
}

// ---- SimHidBackend ---------------------------------------------------------

SimHidBackend::~SimHidBackend()
{
    for (SimHidDevice* device : devices_)
        device->backend_ = nullptr;
}

QList<HidDeviceInfo> SimHidBackend::Enumerate()
{
    QList<HidDeviceInfo> present;
    for (SimHidDevice* device : devices_) {
        HidDeviceInfo info = device->Describe();
        info.instance = device->port_->instance;
        if (info.path.isEmpty())
            info.path = info.instance;
        present.append(info);
    }
    return present;
}

std::unique_ptr<HidConnection> SimHidBackend::Open(const HidDeviceInfo& info, int* error)
{
    for (SimHidDevice* device : devices_) {
        if (device->port_->instance != info.instance)
            continue;
        ++device->openAttempts_;
        if (const int refused = device->OpenError()) {
            *error = refused;
            return nullptr;
        }
        return std::make_unique<SimHidConnection>(device, device->port_);
    }
    *error = ENODEV;
    return nullptr;
}

void SimHidBackend::Plug(SimHidDevice* device, bool notify)
{
    static std::atomic<int> pluggings{0};
    if (devices_.contains(device))
        return;
    if (device->backend_)
        device->backend_->Unplug(device, true);
    device->port_ = std::make_shared<SimHidDevice::Port>();
    device->port_->instance = "sim-hid-" + QByteArray::number(++pluggings);
    device->port_->pluggedIn = true;
    device->backend_ = this;
    devices_.append(device);
    if (notify)
        Notify();
}

void SimHidBackend::Unplug(SimHidDevice* device, bool notify)
{
    if (!devices_.removeOne(device))
        return;
    device->backend_ = nullptr;
    {
        const std::lock_guard<std::mutex> lock(device->port_->mutex);
        device->port_->pluggedIn = false;
        device->port_->arrived.notify_all();
    }
    if (notify)
        Notify();
}
