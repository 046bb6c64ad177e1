#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

// The clock's USB identity.
constexpr quint16 kClockVendorId = 0x04D8;
constexpr quint16 kClockProductId = 0xAB02;

// One HID device as the window sees it: identity, caption, output report
// length, a synchronous report write, and delivery of input reports to a
// data handler on the window thread. The real device sits on hidapi; tests
// use a fake behind the same interface.
class TJvHidDevice {
public:
    // Report ID, then the bytes after it.
    using DataHandler = std::function<void(TJvHidDevice* device, quint8 reportId, const QByteArray& data)>;

    virtual ~TJvHidDevice() = default;

    virtual quint16 VendorID() const = 0;
    virtual quint16 ProductID() const = 0;
    virtual QString Caption() const = 0;
    // Includes the report ID byte.
    virtual int OutputReportLength() const = 0;
    // Writes the whole report at once; false on any failure.
    virtual bool WriteReport(const QByteArray& report) = 0;
    // Hooking a handler starts delivery of input reports; an empty handler
    // stops it, waiting until no report is being handed over any more.
    virtual void SetOnData(DataHandler handler) = 0;
};

// Keeps the list of present HID devices and tells when devices come or go.
// Without the platform's HID services it knows no devices and never tells.
class TJvHidDeviceController : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual QList<TJvHidDevice*> Devices() const { return {}; }

signals:
    void OnDeviceChange();
};
