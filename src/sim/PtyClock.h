// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/ClockPeer.h"

#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

// The simulated clock behind a pseudo terminal: the panel opens SlavePath()
// as its serial port and talks to the clock as over a cable.
//
// The slave is raw from the start, so the line discipline never echoes the
// panel's commands back, also after the panel restores the settings it
// found. The clock keeps a descriptor of its own on the slave, so the master
// stays quiet while no panel is connected. Everything runs on the thread that
// owns the object: create it there (or move it there) before Open().
//
//     PtyClock clock;
//     if (!clock.Open())
//         qWarning() << clock.ErrorString();
//     port.SetPort(clock.SlavePath());
//
// With a link path, Open also makes a symbolic link there to the terminal
// and HangUp removes it, so a clock opened again after a hang-up is found at
// the same path, as a USB-serial adapter plugged back in is at its
// /dev/serial/by-id/ name.
class PtyClock : public QObject {
    Q_OBJECT

public:
    explicit PtyClock(const ClockPeerOptions& options = {}, ClockPeer::TimeSource now = {},
        QObject* parent = nullptr);
    ~PtyClock() override;

    // Before Open; empty for none.
    void SetLinkPath(const QString& path) { linkPath_ = path; }
    QString LinkPath() const { return linkPath_; }

    // A new terminal (and the link to it); the clock's state stays.
    bool Open();
    bool IsOpen() const { return master_ >= 0; }
    QString SlavePath() const { return slavePath_; }
    QString ErrorString() const { return error_; }

    ClockPeer& Peer() { return peer_; }

    // Closes the master: the panel's next read or poll sees the line hang up
    // (EIO, POLLHUP), and the terminal is gone; then removes the link. The
    // clock stays silent until it is opened again.
    void HangUp();

private:
    bool Fail(const QString& what);
    void OnMasterReadable();
    void WriteLine(const QByteArray& line);
    void DiscardUnreadOutput();

    ClockPeer peer_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QString linkPath_;
    QString error_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
