// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/EdgeTiming.h"
#include "link/LineAssembly.h"
#include "link/TransmitTick.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class EComPort;
class LinkLog;
class TCustomComPort;
class TJvHidDevice;
class TJvHidDeviceController;

// Why a link would not open, or stopped working: what happened, the
// system's errno where there is one, and one sentence for the user.
struct LinkFailure {
    enum class Kind {
        NotOpened, // the port or clock would not open (errno: EACCES, EBUSY, ENOENT ...)
        Gone, // the device went away
        Failed, // anything else the port reported
    };
    Kind kind = Kind::Failed;
    int error = 0;
    QString text;
};

// One link to a clock: command lines out, each framed for the link, and
// reply lines in, cut from what the link delivers. Every line both ways
// goes to the traffic log, if there is one. Everything runs on the thread
// that owns the link.
class ClockLink : public QObject {
    Q_OBJECT
public:
    virtual LinkKind Kind() const = 0;
    int TickMs() const { return TickMsOf(Kind()); }
    // The device: a serial port's path, a USB clock's node.
    virtual QString Device() const = 0;
    // What messages call the link: the device path, or "the USB clock" and its node.
    virtual QString Name() const = 0;
    // For saying what answers there: a serial port as the user named it
    // ("ttyUSB0", "COM1"), a USB clock's node.
    virtual QString GivenName() const { return Device(); }
    // Whether the line goes out whole; a USB report has room for a line of
    // its length less the report ID, CR and LF.
    virtual bool Fits(const QByteArray& line) const = 0;
    // How long a line of that many characters takes, from being written
    // until it is whole at the clock.
    virtual Micros TravelTime(int characters) const = 0;

    // Writes the line with the link's framing, after logging it.
    void Transmit(const QByteArray& line);
    void SetLog(LinkLog* log) { log_ = log; }

signals:
    void LineReceived(const QByteArray& line);
    // The device went away or failed; the link is of no more use. Only
    // links that report their failures (see each kind) send it.
    void Lost(const LinkFailure& why);

protected:
    virtual void Write(const QByteArray& line) = 0;
    // A received line: logged, then handed on.
    void Deliver(const QByteArray& line);

private:
    LinkLog* log_ = nullptr;
};

// The serial link: the characters of a line alone, no line end; received
// bytes cut into lines at LF, CR dropped.
//
// Lent a port (the window's ComPort1), the link throws the port's EComPort
// from Transmit and Receive, for the window's error box, and the owner binds
// the port's events. Opened with Open, it owns the port, binds its events
// itself and reports every failure as Lost.
class SerialClockLink : public ClockLink {
    Q_OBJECT
public:
    explicit SerialClockLink(TCustomComPort& port);
    ~SerialClockLink() override;

    // Opens the port; nothing, and why in *failure, when it will not open.
    static std::unique_ptr<SerialClockLink> Open(std::unique_ptr<TCustomComPort> port, LinkFailure* failure);

    LinkKind Kind() const override { return LinkKind::Serial; }
    QString Device() const override;
    QString Name() const override { return Device(); }
    QString GivenName() const override;
    bool Fits(const QByteArray&) const override { return true; }
    // At the port's speed and character frame (9600 baud, 8N1 for a port
    // that does not tell).
    Micros TravelTime(int characters) const override;

    // The port has count bytes waiting: reads them and delivers every line
    // they complete.
    void Receive(int count);
    const SerialLineAssembler& Assembler() const { return assembler_; }

protected:
    void Write(const QByteArray& line) override;

private:
    void LoseTo(const EComPort& error);

    std::unique_ptr<TCustomComPort> owned_;
    TCustomComPort& port_;
    SerialLineAssembler assembler_;
    bool reportsFailures_ = false;
    bool lost_ = false;
};

// The USB link: one output report per command (report ID 0, the line, CR,
// LF, zero fill), one reply line per input report.
//
// Lent its device (the window's CurrentHidDevice, which may be none), it
// sends nothing without one and the owner hooks the device's reports to
// TakeReport. Claimed with Claim, it holds a clock of the controller, hooks
// it itself and reports its unplugging as Lost. A write that fails while
// the clock is plugged in passes silently either way: the missing answer
// tells.
class UsbClockLink : public ClockLink {
    Q_OBJECT
public:
    explicit UsbClockLink(TJvHidDevice* device = nullptr);
    ~UsbClockLink() override;

    // The controller's first scan must have run. The clock whose serial
    // number or device path is wanted, or the first one listed when wanted
    // is empty; nothing, and why in *failure, when there is none or it may
    // not be used. The controller must outlive the link.
    static std::unique_ptr<UsbClockLink> Claim(
        TJvHidDeviceController& controller, const QString& wanted, LinkFailure* failure);

    LinkKind Kind() const override { return LinkKind::Usb; }
    QString Device() const override;
    QString Name() const override;
    bool Fits(const QByteArray& line) const override;
    Micros TravelTime(int) const override { return kUsbReportLatency; }

    TJvHidDevice* HidDevice() const { return device_; }
    // The device a lent link writes to, for its owner to set (the window's
    // CurrentHidDevice is this).
    TJvHidDevice*& HidDeviceSlot() { return device_; }
    // One input report's data (after the report ID): delivers its line, if any.
    void TakeReport(const QByteArray& data);

protected:
    void Write(const QByteArray& line) override;

private:
    void DevicesChanged();

    TJvHidDevice* device_;
    TJvHidDeviceController* controller_ = nullptr;
    QList<TJvHidDevice*> claimed_;
    bool lost_ = false;
};

// Whether the platform lists a whirlbeam clock on USB (after the
// controller's first scan).
bool UsbClockListed(TJvHidDeviceController& controller);

// Runs the event loop until the controller's first scan has run.
void AwaitFirstScan(TJvHidDeviceController& controller);
