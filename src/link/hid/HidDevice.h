// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/hid/HidBackend.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TJvHidDeviceReadThread;

// The clock's USB identity.
constexpr quint16 kClockVendorId = 0x04D8;
constexpr quint16 kClockProductId = 0xAB02;

// "Whirlbeam Clock (Serial=123)": the product string, or the IDs when it is
// empty, and the serial number unless the device's language list could not
// be read or the serial number merely repeats that list.
QString DeviceCaption(const HidDeviceInfo& info);

// One present (or just unplugged) HID device. Made by the controller's scan;
// lives on the window thread, where all its methods run and its handlers are
// called. Reports are read by a thread of its own while a data handler is
// hooked.
class TJvHidDevice {
public:
    // The report ID, then the bytes after it.
    using DataHandler = std::function<void(TJvHidDevice* device, quint8 reportId, const QByteArray& data)>;
    // A read that failed, with the system error.
    using DataErrorHandler = std::function<void(TJvHidDevice* device, int error)>;

    TJvHidDevice(HidBackend& backend, HidDeviceInfo info, int openError, int sleepTimeMs);
    ~TJvHidDevice();
    TJvHidDevice(const TJvHidDevice&) = delete;
    TJvHidDevice& operator=(const TJvHidDevice&) = delete;

    const HidDeviceInfo& Info() const { return info_; }
    quint16 VendorID() const { return info_.vendorId; }
    quint16 ProductID() const { return info_.productId; }
    QString Caption() const { return DeviceCaption(info_); }
    QByteArray DevicePath() const { return info_.path; }
    int InputReportLength() const { return info_.inputReportLength; }
    int OutputReportLength() const { return info_.outputReportLength; }
    // The scan could open it for reading and writing; without that it is
    // listed but never read or written.
    bool HasReadWriteAccess() const { return openError_ == 0; }
    // Why it could not (errno), 0 when it could; kNeverOpened for a device
    // that is not a clock, which the scan does not open at all.
    int OpenError() const { return openError_; }
    static constexpr int kNeverOpened = -2;
    bool IsPluggedIn() const { return pluggedIn_; }
    bool IsCheckedOut() const { return checkedOut_; }

    // At most this many input reports wait on each connection.
    void SetNumInputBuffers(int count);
    int NumInputBuffers() const { return inputBuffers_; }

    // Writes the whole report at once; false on any failure, for a report
    // longer than the output report, and for a device that is gone.
    bool WriteReport(const QByteArray& report);

    // Hooking a handler starts the reader thread (when the device is plugged
    // in, claimed, readable and writable). An empty handler stops the thread
    // first, serving a report it has already handed over, and no handler
    // runs for the device after that.
    void SetOnData(DataHandler handler);
    bool Reading() const { return reader_ != nullptr; }
    void SetOnDataError(DataErrorHandler handler) { onDataError_ = std::move(handler); }

private:
    friend class TJvHidDeviceController;

    void StartReading();
    void StopReading();
    void Unplug();

    HidBackend* backend_;
    HidDeviceInfo info_;
    int openError_;
    int sleepTimeMs_;
    int inputBuffers_ = 0;
    bool pluggedIn_ = true;
    bool checkedOut_ = false;
    std::unique_ptr<HidConnection> writer_;
    TJvHidDeviceReadThread* reader_ = nullptr;
    DataHandler onData_;
    DataErrorHandler onDataError_;
};

// Keeps the list of HID devices up to date as they come and go, and lends
// them out: a claimed device is the borrower's until it gives it back.
// Without platform HID services (no backend, or one that will not start) it
// knows no devices and never tells of a change.
class TJvHidDeviceController : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultSleepTimeMs = 100;

    explicit TJvHidDeviceController(std::unique_ptr<HidBackend> backend = nullptr, QObject* parent = nullptr);
    ~TJvHidDeviceController() override;

    // How long a reader thread waits in one step; a stop waits at most this.
    // Taken by devices found from now on; 10..10000 ms, others are ignored.
    int DevThreadSleepTime() const { return sleepTimeMs_; }
    void SetDevThreadSleepTime(int ms);

    // The next plugged-in device nobody has claimed, in list order, now
    // claimed; nothing when there is none.
    TJvHidDevice* CheckOut();
    // Gives a claimed device back; one that was unplugged meanwhile is
    // dropped (the pointer is no longer valid).
    void CheckIn(TJvHidDevice* device);

    // Every known device, in the order they were found.
    QList<TJvHidDevice*> Devices() const;
    HidBackend* Backend() const { return backend_.get(); }

signals:
    // Devices came or went, or the first scan after start-up ran.
    void OnDeviceChange();

private:
    void DeviceChangeNotification();
    bool Scan();
    bool KnowsPlugged(const QByteArray& instance) const;

    std::unique_ptr<HidBackend> backend_;
    // After the backend: devices close their connections first.
    std::vector<std::unique_ptr<TJvHidDevice>> devices_;
    int sleepTimeMs_ = kDefaultSleepTimeMs;
    bool initialPending_ = false;
    bool scanning_ = false;
    bool rescan_ = false;
};
