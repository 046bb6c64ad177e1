// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ClockLink.h"
#include "link/TransmitTick.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class EComPort;
class QFileSystemWatcher;
class TCustomComPort;
class TJvHidDevice;
class TJvHidDeviceController;
class TtyAnnouncer;

// The link udev keeps for the adapter behind the device, which names the
// same adapter when it comes back as another ttyUSBn; empty when it has none.
QString ByIdLinkOf(const QString& device);

// The one connection to a clock that every face of the program uses: it
// owns the serial port and the HID controller it is given, the two links
// over them, and the transmit tick with its queue. Opened on the serial
// port or on the hooked USB clock, it sends what the tick takes, cuts reply
// lines out of what comes back, lets the tick note each line and hands it
// on (LineReceived). Nothing it does throws; every failure is reported once
// through Failed.
//
// When the clock goes away while the link is open (the USB clock unplugged,
// the port failing with EIO or a hang-up as its node disappears) and
// reconnecting is on, the connection waits for the same clock to return:
// the same HID serial number, or the same serial device (through the
// /dev/serial/by-id link it had when opened, where it had one). It learns of
// returns from the HID controller, from udev's tty announcements and from a
// watch on the device's folder (a symlink to a pseudo terminal, which udev
// does not announce); nothing polls, no timer runs while it waits. A return
// opens the link again as Open does. Everything runs on the thread that
// owns the connection.
class ClockConnection : public QObject {
    Q_OBJECT
public:
    enum class State {
        Closed,
        Opening,
        Open,
        WaitingForReturn,
    };
    Q_ENUM(State)

    // Without a port it makes the termios one; without a controller there
    // is no USB link; without an announcer a serial port is waited for
    // through its folder alone.
    ClockConnection(std::unique_ptr<TCustomComPort> port, std::unique_ptr<TJvHidDeviceController> controller,
        std::unique_ptr<TtyAnnouncer> announcer = nullptr, QObject* parent = nullptr);
    ~ClockConnection() override;

    State CurrentState() const { return state_; }
    // The link opened last, or waited for; serial until a USB link opens.
    LinkKind Kind() const { return kind_; }
    ClockLink& Link();
    // The serial port is connected or the USB link open (with or without a
    // device, as the panel has always allowed).
    bool LinkOpen() const;
    TransmitTick& Tick() { return tick_; }
    TCustomComPort& Port() const { return *port_; }
    TJvHidDeviceController* Controller() const { return controller_.get(); }
    void SetLog(LinkLog* log);

    // Opens the serial port, or the USB link on the hooked clock; false
    // when it will not open, after Failed has told why (LastFailure).
    bool Open(LinkKind kind);
    // The USB clock whose serial number or node is wanted, or the first one
    // listed when wanted is empty (the controller's first scan must have
    // run); hooked and opened.
    bool OpenUsbClock(const QString& wanted);
    // Closes the open link, or stops waiting; false when the port failed.
    bool Close();
    const LinkFailure& LastFailure() const { return failure_; }

    void SetReconnect(bool on) { reconnect_ = on; }
    bool Reconnects() const { return reconnect_; }
    // While waiting: the HID serial number, or the serial device's path.
    QString Awaited() const { return awaited_; }

    // The clocks of the controller, claimed in its order; listed anew on
    // each change of its devices (ClocksListed), when the hooked one is
    // unhooked. A listener hooks the one it shows; otherwise the one hooked
    // before is hooked again.
    const QList<TJvHidDevice*>& Clocks() const { return clocks_; }
    void ListClocks();
    // The clock whose reports arrive and to which the USB link writes.
    void Hook(TJvHidDevice* device);
    TJvHidDevice*& HookedDevice() { return usb_.HidDeviceSlot(); }
    bool& UsbOpen() { return usbOpen_; }

    // What the port and the device deliver, for owners that also take it
    // under names of their own.
    void ReceiveSerial(int count);
    void TakeReport(const QByteArray& data);
    void TakePortException(const EComPort& error);
    // Sends on the open link; nothing while waiting for the clock.
    bool Transmit(const QByteArray& line);

signals:
    void StateChanged(ClockConnection::State state, ClockConnection::State before);
    // The port's open and close events, and the same for the USB link.
    void AfterOpen();
    void BeforeClose();
    void AfterClose();
    void LineReceived(const QByteArray& line);
    void Failed(const LinkFailure& why);
    void ClocksListed();

private:
    void BindPort();
    void SetState(State state);
    void Opened(LinkKind kind);
    void Closing();
    void PortClosed();
    void CloseUsb();
    void Received(const QByteArray& line);
    void Fail(const LinkFailure& why);
    void PortFailed(const LinkFailure& why);
    void WaitFor(LinkKind kind, const QString& awaited);
    void StopWaiting();
    void SerialMayHaveReturned();
    void UsbMayHaveReturned();

    std::unique_ptr<TtyAnnouncer> announcer_;
    std::unique_ptr<TJvHidDeviceController> controller_;
    std::unique_ptr<TCustomComPort> port_;
    SerialClockLink serial_;
    UsbClockLink usb_;
    TransmitTick tick_;
    QList<TJvHidDevice*> clocks_;
    State state_ = State::Closed;
    LinkKind kind_ = LinkKind::Serial;
    bool usbOpen_ = false;
    bool reconnect_ = false;
    bool ownerCloses_ = false;
    bool closedItself_ = false; // the port closed without being asked, before its error comes
    LinkFailure failure_;
    QString awaited_;
    QString byIdLink_; // of the serial device opened last
    std::unique_ptr<QFileSystemWatcher> folders_;
};
