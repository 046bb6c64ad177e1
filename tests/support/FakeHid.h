#pragma once

#include "link/HidDevice.h"

// A HID device that records the reports written to it and lets a test
// deliver input reports to whatever handler the window hooked.
class FakeHidDevice : public TJvHidDevice {
public:
    quint16 VendorID() const override { return vendorId; }
    quint16 ProductID() const override { return productId; }
    QString Caption() const override { return caption; }
    int OutputReportLength() const override { return outputReportLength; }
    bool WriteReport(const QByteArray& report) override
    {
        reports.append(report);
        return writeSucceeds;
    }
    void SetOnData(DataHandler handler) override { onData = std::move(handler); }

    // Hands one input report (report ID first) to the hooked handler.
    void Deliver(const QByteArray& report)
    {
        if (onData)
            onData(this, quint8(report.at(0)), report.mid(1));
    }

    quint16 vendorId = kClockVendorId;
    quint16 productId = kClockProductId;
    QString caption = QStringLiteral("Whirlbeam clock");
    int outputReportLength = 65;
    bool writeSucceeds = true;
    QList<QByteArray> reports;
    DataHandler onData;
};

class FakeHidController : public TJvHidDeviceController {
public:
    QList<TJvHidDevice*> Devices() const override { return devices; }
    void Change() { emit OnDeviceChange(); }
    QList<TJvHidDevice*> devices;
};
