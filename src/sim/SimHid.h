// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/hid/HidBackend.h"

#include <QByteArray>
#include <QList>
#include <memory>

class SimHidBackend;

// A HID device that lives in this process, for the simulated clock and the
// tests: input reports go to every connection open on it (as hidraw gives
// every open file its own copy), each connection queueing at most its
// input queue length; output reports go to Output on the writing thread.
class SimHidDevice {
public:
    SimHidDevice();
    virtual ~SimHidDevice();
    SimHidDevice(const SimHidDevice&) = delete;
    SimHidDevice& operator=(const SimHidDevice&) = delete;

    // What the device tells of itself; the path defaults to its instance.
    virtual HidDeviceInfo Describe() const = 0;
    // errno for an open that is refused (EACCES: no access rights); 0 opens.
    virtual int OpenError() const { return 0; }

    // One input report, report ID first; from any thread.
    void Input(const QByteArray& report);
    bool PluggedIn() const;
    // The current plugging-in's instance, as enumeration tells it.
    QByteArray Instance() const;
    int OpenConnections() const;
    // Some connection reads, and every one that does waits in Read with
    // nothing queued: a reader reads again only once the report it handed
    // over has been handled, so everything given so far has been handled.
    bool ReadersIdle() const;
    // Reports waiting for the connections that read.
    int QueuedForReaders() const;
    // Output reports written to this plugging-in after it was unplugged.
    int WritesWhileUnplugged() const;
    // How often anyone tried to open the device, refused or not.
    int OpenAttempts() const { return openAttempts_; }

protected:
    // One output report written to the device, report ID first; false
    // fails the write. Runs on the thread that writes.
    virtual bool Output(const QByteArray& report) = 0;

private:
    friend class SimHidBackend;
    friend class SimHidConnection;
    struct Port;

    std::shared_ptr<Port> port_;
    SimHidBackend* backend_ = nullptr;
    int openAttempts_ = 0;
};

// The in-process devices as the platform's HID services: plugging one in or
// out tells the controller at once.
class SimHidBackend : public HidBackend {
    Q_OBJECT
public:
    using HidBackend::HidBackend;
    ~SimHidBackend() override;

    bool Start() override { return true; }
    QList<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device, int* error) override;

    // Present from now on, each plugging-in with an instance of its own.
    void Plug(SimHidDevice* device, bool notify = true);
    // Gone: its connections fail from now on.
    void Unplug(SimHidDevice* device, bool notify = true);
    QList<SimHidDevice*> Plugged() const { return devices_; }
    void Notify() { emit DevicesChanged(); }

private:
    QList<SimHidDevice*> devices_;
};
