// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/hid/HidDevice.h"
#include "sim/SimHid.h"

#include <QTest>

// An in-process HID device whose identity a test sets, which records the
// reports written to it and lets the test deliver input reports to the
// device's reader.
class FakeHidDevice : public SimHidDevice {
public:
    HidDeviceInfo Describe() const override
    {
        HidDeviceInfo info;
        info.path = path;
        info.vendorId = vendorId;
        info.productId = productId;
        info.product = product;
        info.serial = serial;
        info.languages = languages;
        info.inputReportLength = inputReportLength;
        info.outputReportLength = outputReportLength;
        return info;
    }
    int OpenError() const override { return openError; }

    // Hands one input report (report ID first) to the device's reader and
    // returns once it has been handled; false when nobody reads the device.
    bool Deliver(const QByteArray& report)
    {
        if (OpenConnections() == 0)
            return false;
        Input(report);
        // A reader that ended (its handler unhooked it) has handled all it took.
        return QTest::qWaitFor([this] { return ReadersIdle() || OpenConnections() == 0; }, 5000);
    }

    QByteArray path;
    quint16 vendorId = kClockVendorId;
    quint16 productId = kClockProductId;
    QString product = QStringLiteral("Whirlbeam clock");
    QString serial;
    std::optional<QString> languages = QString(QChar(0x0409));
    int inputReportLength = 65;
    int outputReportLength = 65;
    int openError = 0;
    bool writeSucceeds = true;
    QList<QByteArray> reports;

protected:
    bool Output(const QByteArray& report) override
    {
        reports.append(report);
        return writeSucceeds;
    }
};

// The real controller over in-process devices: the test lists the devices
// that are plugged in and calls Change, as the platform would announce it.
class FakeHidController : public TJvHidDeviceController {
public:
    FakeHidController()
        : TJvHidDeviceController(std::make_unique<SimHidBackend>())
    {
    }

    SimHidBackend& Sim() const { return static_cast<SimHidBackend&>(*Backend()); }

    // Plugs in what devices lists, in its order, and unplugs the rest; then
    // the controller hears of it (and scans) at once.
    void Change()
    {
        for (SimHidDevice* plugged : Sim().Plugged()) {
            if (!devices.contains(static_cast<FakeHidDevice*>(plugged)))
                Sim().Unplug(plugged, false);
        }
        for (FakeHidDevice* device : devices)
            Sim().Plug(device, false);
        Sim().Notify();
    }
    // The device object the controller made for a fake; none while unplugged.
    TJvHidDevice* DeviceOf(const FakeHidDevice& fake) const
    {
        for (TJvHidDevice* device : Devices()) {
            if (device->IsPluggedIn() && device->Info().instance == fake.Instance())
                return device;
        }
        return nullptr;
    }

    QList<FakeHidDevice*> devices;
};
