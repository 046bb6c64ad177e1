// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Outcome.h"
#include "clock/ClockModel.h"
#include "link/LinkLog.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class ClockConnection;
class ClockSession;
struct LinkFailure;
class HidBackend;
class QIODevice;
class TCustomComPort;
class TJvHidDeviceController;
class SimulatedClock;
struct CliOptions;

// One run of whirlbeamctl: reads the command line, opens the connection
// the way it names (or finds one), runs the subcommand and returns the exit
// code. Messages go to the two devices given; nothing here needs a widget.
// Only monitor, log and mqtt wait for a clock that goes away to return.
class WhirlbeamCtl : public QObject {
    Q_OBJECT
public:
    struct Environment {
        QIODevice* out = nullptr;
        QIODevice* err = nullptr;
        // The machine's HID services; empty for hidapi's.
        std::function<std::unique_ptr<HidBackend>()> usbBackend;
        // The panel's settings file, where the serial port is found.
        QString settingsFile = QStringLiteral("./WhirlbeamClock.ini");
    };

    explicit WhirlbeamCtl(Environment environment);
    ~WhirlbeamCtl() override;

    // arguments without the program's name.
    int Run(const QStringList& arguments);
    // SIGINT or SIGTERM arrived: the subcommand ends at once (offset
    // --watch with what it has measured so far).
    void Interrupt(int signal);

private:
    ClockSession* Connect(const CliOptions& options, Outcome* failure);
    std::unique_ptr<ClockConnection> OpenLink(const CliOptions& options, LinkFailure* failure);
    std::unique_ptr<TJvHidDeviceController> UsbController(std::unique_ptr<HidBackend> backend) const;
    std::unique_ptr<TCustomComPort> SettingsPort() const;
    void TellReturns();

    Environment environment_;
    std::optional<int> interrupted_;
    LinkLog log_;
    // In the order they depend on each other: each outlives what follows.
    std::unique_ptr<SimulatedClock> simulated_;
    std::unique_ptr<ClockConnection> connection_;
    ClockModel model_;
    std::unique_ptr<ClockSession> session_;
};
