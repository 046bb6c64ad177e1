// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/ClockOptions.h"
#include "sim/ClockPlug.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class PtyClock;
class SimHidBackend;
class UsbClock;

// The simulated clock that whirlbeam-panel --simulate and whirlbeamctl
// --simulate run in their own process, with its plug (ClockPlug: the
// options' schedule, and SIGUSR1 / SIGUSR2 where the process watches them).
//
// On serial it is a pseudo terminal reached through a symbolic link in a
// folder of its own (in $XDG_RUNTIME_DIR, else the temporary folder; both
// removed with the clock), so that the port's name stays when the clock is
// plugged back in on a new terminal. On USB it is an in-process HID device
// in a SimHidBackend that goes to the HID controller: unplugged, it leaves
// the backend's list and the controller is told as udev would tell it;
// plugged back in, it is listed again with the same serial number and a new
// instance, as the kernel numbers a device plugged in anew.
class SimulatedClock : public QObject {
    Q_OBJECT
public:
    enum class Kind { Serial, Usb };

    // Nothing, and why, when the terminal or its link cannot be made.
    static std::unique_ptr<SimulatedClock> Make(
        Kind kind, const PlugSchedule& schedule, QString* error, const ClockPeerOptions& options = {});
    ~SimulatedClock() override;

    Kind Type() const { return kind_; }
    // Serial: the port to open, the link to the current terminal.
    QString PortPath() const;
    // USB: the HID services with the clock plugged in, not yet announced
    // (the controller's first scan finds it); given once.
    std::unique_ptr<SimHidBackend> TakeBackend();

    ClockPlug& Plug() { return *plug_; }
    PtyClock* Pty() const { return pty_.get(); }
    UsbClock* Usb() const { return usb_.get(); }

private:
    explicit SimulatedClock(Kind kind);
    QString Unplug();
    QString Replug();

    Kind kind_;
    // Serial only; outlives the terminal's link in it.
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<PtyClock> pty_;
    std::unique_ptr<UsbClock> usb_;
    std::unique_ptr<SimHidBackend> ownBackend_;
    // The controller owns it once taken, and may go first.
    QPointer<SimHidBackend> backend_;
    std::unique_ptr<ClockPlug> plug_;
};
