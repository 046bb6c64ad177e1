#pragma once

#include "cli/Outcome.h"
#include "link/LineAssembly.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class TCustomComPort;
class TJvHidDevice;
class TJvHidDeviceController;
class EComPort;

// One open link to a clock, as the panel has it: command lines out, framed
// for the link, and reply lines in, cut as the panel cuts them. Everything
// runs on the thread that owns the link.
class ClockLink : public QObject {
    Q_OBJECT
public:
    // The device: a serial port's path, a USB clock's node.
    virtual QString Device() const = 0;
    // What messages call the link: the device path, or "the USB clock" and its node.
    virtual QString Name() const = 0;
    // The panel's transmit tick on this link.
    virtual int TickMs() const = 0;
    // Whether the line goes out whole; a USB report has room for a line of
    // its length less the report ID, CR and LF.
    virtual bool Fits(const QByteArray& line) const = 0;
    virtual void Transmit(const QByteArray& line) = 0;

signals:
    void LineReceived(const QByteArray& line);
    // The device went away or refused a write; the link is of no more use.
    void Lost(const Outcome& why);
};

// The serial link: the port's bytes cut into lines at LF, CR dropped.
class SerialClockLink : public ClockLink {
    Q_OBJECT
public:
    static constexpr int kTickMs = 250;

    // Opens the port; nothing, and why in *failure, when it will not open.
    static std::unique_ptr<SerialClockLink> Open(std::unique_ptr<TCustomComPort> port, Outcome* failure);
    ~SerialClockLink() override;

    QString Device() const override;
    QString Name() const override { return Device(); }
    int TickMs() const override { return kTickMs; }
    bool Fits(const QByteArray&) const override { return true; }
    void Transmit(const QByteArray& line) override;

private:
    explicit SerialClockLink(std::unique_ptr<TCustomComPort> port);
    void Receive(int count);
    void LoseTo(const EComPort& error);

    std::unique_ptr<TCustomComPort> port_;
    SerialLineAssembler assembler_;
    bool lost_ = false;
};

// The USB link: one output report per command, one reply line per input
// report. The controller lends the clock and must outlive the link.
class UsbClockLink : public ClockLink {
    Q_OBJECT
public:
    static constexpr int kTickMs = 20;

    // The controller's first scan must have run. The clock whose serial
    // number or device path is wanted, or the first one listed when wanted
    // is empty; nothing, and why in *failure, when there is none or it may
    // not be used.
    static std::unique_ptr<UsbClockLink> Open(
        TJvHidDeviceController& controller, const QString& wanted, Outcome* failure);
    ~UsbClockLink() override;

    QString Device() const override;
    QString Name() const override;
    int TickMs() const override { return kTickMs; }
    bool Fits(const QByteArray& line) const override;
    void Transmit(const QByteArray& line) override;

private:
    UsbClockLink(TJvHidDeviceController& controller, QList<TJvHidDevice*> clocks, TJvHidDevice* device);
    void DevicesChanged();

    TJvHidDeviceController& controller_;
    QList<TJvHidDevice*> clocks_;
    TJvHidDevice* device_;
    bool lost_ = false;
};

// Whether the platform lists a whirlbeam clock on USB (after the
// controller's first scan).
bool UsbClockListed(TJvHidDeviceController& controller);

// Runs the event loop until the controller's first scan has run.
void AwaitFirstScan(TJvHidDeviceController& controller);
