// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/EdgeTiming.h"
#include "link/LineAssembly.h"
#include "link/TransmitTick.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class EComPort;
class LinkLog;
class TCustomComPort;
class TJvHidDevice;
class TJvHidDeviceController;

// Why a link would not open, or stopped working: what happened, the
// system's errno where there is one, the device, and one sentence for the
// user. A failure the serial port raised keeps the port's own error code,
// from which the panel shows the port's message as it always has.
struct LinkFailure {
    enum class Kind {
        NotOpened, // the port or clock would not open (errno: EACCES, EBUSY, ENOENT ...)
        Gone, // the device went away
        Failed, // anything else the port reported
    };
    Kind kind = Kind::Failed;
    int error = 0;
    QString text;
    QString device;
    int portCode = 0; // EComPort's code; 0 when the port did not raise it

    // For a failure the port raised: its message and the plain sentence
    // under it, as the panel's error box has always shown them.
    QString PortMessage() const;
};

// One link to a clock: command lines out, each framed for the link, and
// reply lines in, cut from what the link delivers. Every line both ways
// goes to the traffic log, if there is one. Nothing it does throws: a
// failure of the device is reported once through Failed. Everything runs on
// the thread that owns the link.
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

    // Writes the line with the link's framing, after logging it; false when
    // the device failed (and Failed has told why).
    bool Transmit(const QByteArray& line);
    void SetLog(LinkLog* log) { log_ = log; }

signals:
    void LineReceived(const QByteArray& line);
    void Failed(const LinkFailure& why);

protected:
    virtual bool Write(const QByteArray& line) = 0;
    // A received line: logged, then handed on.
    void Deliver(const QByteArray& line);

private:
    LinkLog* log_ = nullptr;
};

// The serial link over a port its owner opens and closes: the characters
// of a line alone, no line end; received bytes cut into lines at LF, CR
// dropped. Bytes of an unfinished line wait for the next open.
class SerialClockLink : public ClockLink {
    Q_OBJECT
public:
    explicit SerialClockLink(TCustomComPort& port);

    // What the port's error means for this link, as a user and a script
    // read it.
    LinkFailure FailureOf(const EComPort& error) const;

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
    bool Write(const QByteArray& line) override;

private:
    TCustomComPort& port_;
    SerialLineAssembler assembler_;
};

// The USB link: one output report per command (report ID 0, the line, CR,
// LF, zero fill) to the device its owner hooks, one reply line per input
// report. Without a device, or to one that is gone, nothing is sent; a
// write that fails while the clock is plugged in passes silently: the
// missing answer tells.
class UsbClockLink : public ClockLink {
    Q_OBJECT
public:
    LinkKind Kind() const override { return LinkKind::Usb; }
    QString Device() const override;
    QString Name() const override;
    bool Fits(const QByteArray& line) const override;
    Micros TravelTime(int) const override { return kUsbReportLatency; }

    TJvHidDevice* HidDevice() const { return device_; }
    // The device the link writes to, for its owner to set (the window's
    // CurrentHidDevice is this).
    TJvHidDevice*& HidDeviceSlot() { return device_; }
    // One input report's data (after the report ID): delivers its line, if any.
    void TakeReport(const QByteArray& data);

protected:
    bool Write(const QByteArray& line) override;

private:
    TJvHidDevice* device_ = nullptr;
};

// Whether the platform lists a whirlbeam clock on USB (after the
// controller's first scan).
bool UsbClockListed(TJvHidDeviceController& controller);

// Runs the event loop until the controller's first scan has run.
void AwaitFirstScan(TJvHidDeviceController& controller);
