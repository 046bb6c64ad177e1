// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

// What the platform knows of one present HID device without using it.
struct HidDeviceInfo {
    QByteArray path; // what Open takes: the device node, or an in-process device's name
    QByteArray instance; // stays while the device is plugged in; a new plugging-in gets a new one
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 version = 0;
    QString product;
    QString serial;
    // String descriptor 0 (the device's language IDs) as characters;
    // nothing when it could not be read.
    std::optional<QString> languages;
    // Both count the report ID byte; 0 when the device has no such report.
    int inputReportLength = 0;
    int outputReportLength = 0;
};

// One open device. Read runs on a reader thread while Write runs on the
// window thread, so each thread gets a connection of its own.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    // One input report, report ID first (0 when the device numbers none):
    // its length, 0 when none came within timeoutMs, -1 on failure with the
    // system error in *error.
    virtual int Read(char* buffer, int size, int timeoutMs, int* error) = 0;
    // One whole output report, report ID first.
    virtual bool Write(const QByteArray& report) = 0;
    // How many input reports wait for Read at most; older ones are lost.
    virtual void SetInputQueueLength(int) { }
    // Ends a Read that is waiting, from any thread, so that a reader told to
    // stop need not sit out its timeout. Where the platform cannot do this
    // the reader stops after the timeout.
    virtual void Interrupt() { }
    // Whether Interrupt ends a Read at once, also one that has yet to begin:
    // then a reader waits for reports without a timeout (-1) and the process
    // sleeps while the device is quiet.
    virtual bool CanInterrupt() const { return false; }
};

// The platform's HID services: list, open, and tell when devices come or go.
class HidBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Makes the services available and starts listening for changes; false
    // when there are none, and then nothing else is asked.
    virtual bool Start() = 0;
    virtual QList<HidDeviceInfo> Enumerate() = 0;
    // For reading and writing; nothing (and the system error) when refused.
    virtual std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device, int* error) = 0;

signals:
    // Device nodes came or went (one signal may stand for several changes).
    void DevicesChanged();
};
