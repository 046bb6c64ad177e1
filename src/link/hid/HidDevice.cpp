// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/HidDevice.h"

#include "link/hid/HidReadThread.h"

#include <QMetaObject>
#include <algorithm>
#include <cerrno>

QString DeviceCaption(const HidDeviceInfo& info)
{
    QString caption = !info.product.isEmpty()
        ? info.product
        : QString::asprintf("Device VID=%.4X PID=%.4X", info.vendorId, info.productId);
    // Some devices answer the serial number request with their language
    // list; a list that cannot be read leaves the serial number in doubt.
    if (!info.serial.isEmpty() && info.languages && !info.serial.startsWith(*info.languages))
        caption += QStringLiteral(" (Serial=%1)").arg(info.serial);
    return caption;
}

// ---- TJvHidDevice ----------------------------------------------------------

TJvHidDevice::TJvHidDevice(HidBackend& backend, HidDeviceInfo info, int openError, int sleepTimeMs)
    : backend_(&backend)
    , info_(std::move(info))
    , openError_(openError)
    , sleepTimeMs_(sleepTimeMs)
{
}

TJvHidDevice::~TJvHidDevice() { StopReading(); }

void TJvHidDevice::SetNumInputBuffers(int count)
{
    inputBuffers_ = count;
    if (writer_)
        writer_->SetInputQueueLength(count);
}

bool TJvHidDevice::WriteReport(const QByteArray& report)
{
    if (!pluggedIn_ || !HasReadWriteAccess() || report.size() > info_.outputReportLength)
        return false;
    if (!writer_) {
        int error = 0;
        writer_ = backend_->Open(info_, &error);
        if (!writer_)
            return false;
        if (inputBuffers_ > 0)
            writer_->SetInputQueueLength(inputBuffers_);
    }
    return writer_->Write(report);
}

void TJvHidDevice::SetOnData(DataHandler handler)
{
    if (!handler) {
        StopReading();
        onData_ = nullptr;
        return;
    }
    onData_ = std::move(handler);
    StartReading();
}

void TJvHidDevice::StartReading()
{
    // Input reports without data (or none at all) carry no line, and a read
    // into no room would return at once, again and again.
    if (reader_ || !pluggedIn_ || !checkedOut_ || !HasReadWriteAccess() || info_.inputReportLength <= 1)
        return;
    int error = 0;
    std::unique_ptr<HidConnection> connection = backend_->Open(info_, &error);
    if (!connection)
        return;
    if (inputBuffers_ > 0)
        connection->SetInputQueueLength(inputBuffers_);
    reader_ = new TJvHidDeviceReadThread(
        std::move(connection), info_.inputReportLength, sleepTimeMs_,
        // Copies: a handler may unhook itself while it runs.
        [this](quint8 reportId, const QByteArray& data) {
            if (const DataHandler handler = onData_)
                handler(this, reportId, data);
        },
        [this](int error) {
            if (const DataErrorHandler handler = onDataError_)
                handler(this, error);
        });
}

void TJvHidDevice::StopReading()
{
    TJvHidDeviceReadThread* reader = std::exchange(reader_, nullptr);
    if (!reader)
        return;
    if (reader->Stop())
        delete reader;
    else
        reader->deleteLater(); // stopped from inside its own hand-over
}

void TJvHidDevice::Unplug()
{
    StopReading();
    writer_.reset();
    pluggedIn_ = false;
}

// ---- TJvHidDeviceController -------------------------------------------------

TJvHidDeviceController::TJvHidDeviceController(std::unique_ptr<HidBackend> backend, QObject* parent)
    : QObject(parent)
    , backend_(std::move(backend))
{
    if (!backend_ || !backend_->Start())
        return;
    connect(backend_.get(), &HidBackend::DevicesChanged, this, [this] { DeviceChangeNotification(); });
    // Once the event loop runs, so that the window is there to hear of it.
    // A change announced before that makes the first scan instead.
    initialPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (initialPending_)
                DeviceChangeNotification();
        },
        Qt::QueuedConnection);
}

TJvHidDeviceController::~TJvHidDeviceController() = default;

void TJvHidDeviceController::SetDevThreadSleepTime(int ms)
{
    if (ms >= 10 && ms <= 10000)
        sleepTimeMs_ = ms;
}

// A notification while a scan (or its OnDeviceChange) runs, from a nested
// event loop, does not scan inside the scan; it is not lost either: one more
// scan follows.
void TJvHidDeviceController::DeviceChangeNotification()
{
    if (scanning_) {
        rescan_ = true;
        return;
    }
    scanning_ = true;
    const bool initial = std::exchange(initialPending_, false);
    if (Scan() || initial)
        emit OnDeviceChange();
    scanning_ = false;
    if (std::exchange(rescan_, false))
        QMetaObject::invokeMethod(
            this, [this] { DeviceChangeNotification(); }, Qt::QueuedConnection);
}

bool TJvHidDeviceController::Scan()
{
    const QList<HidDeviceInfo> present = backend_->Enumerate();
    const auto isPresent = [&present](const QByteArray& instance) {
        return std::any_of(present.begin(), present.end(),
            [&instance](const HidDeviceInfo& info) { return info.instance == instance; });
    };
    bool changed = false;
    for (auto it = devices_.begin(); it != devices_.end();) {
        TJvHidDevice& device = **it;
        if (device.IsPluggedIn() && !isPresent(device.Info().instance)) {
            device.Unplug();
            changed = true;
            if (!device.IsCheckedOut()) {
                it = devices_.erase(it);
                continue;
            }
        }
        ++it;
    }
    for (const HidDeviceInfo& info : present) {
        if (KnowsPlugged(info.instance))
            continue;
        // Only the clock is ever opened, to learn whether it opens for
        // reading and writing; one that does not is still listed, so that
        // the user learns why. Keyboards, security keys and the like are
        // listed unopened and never used.
        int error = TJvHidDevice::kNeverOpened;
        if (info.vendorId == kClockVendorId && info.productId == kClockProductId) {
            // Held by another program (its lock file), the clock may still
            // be ours to use once that program lets go of it; opening the
            // link tells who holds it.
            if (backend_->Open(info, &error) || error == EBUSY)
                error = 0;
            else if (error == 0)
                error = -1;
        }
        devices_.push_back(std::make_unique<TJvHidDevice>(*backend_, info, error, sleepTimeMs_));
        changed = true;
    }
    return changed;
}

bool TJvHidDeviceController::KnowsPlugged(const QByteArray& instance) const
{
    return std::any_of(devices_.begin(), devices_.end(), [&instance](const auto& device) {
        return device->IsPluggedIn() && device->Info().instance == instance;
    });
}

TJvHidDevice* TJvHidDeviceController::CheckOut()
{
    for (const auto& device : devices_) {
        if (device->IsPluggedIn() && !device->IsCheckedOut()) {
            device->checkedOut_ = true;
            return device.get();
        }
    }
    return nullptr;
}

void TJvHidDeviceController::CheckIn(TJvHidDevice* device)
{
    const auto it = std::find_if(
        devices_.begin(), devices_.end(), [device](const auto& known) { return known.get() == device; });
    if (it == devices_.end())
        return;
    device->checkedOut_ = false;
    if (!device->IsPluggedIn())
        devices_.erase(it);
}

QList<TJvHidDevice*> TJvHidDeviceController::Devices() const
{
    QList<TJvHidDevice*> devices;
    for (const auto& device : devices_)
        devices.append(device.get());
    return devices;
}
