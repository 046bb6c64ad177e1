// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim/ClockPeer.h"
#include "sim/SimHid.h"

#include <QObject>

// The simulated clock as a USB HID device in this process: each output
// report is one command for the clock, each reply leaves as one input
// report of the clock's 64 bytes behind report ID 0. Plug it into a
// SimHidBackend; it lives on the window thread, where the panel writes.
class UsbClock : public QObject, public SimHidDevice {
    Q_OBJECT
public:
    static constexpr int kReportLength = 65;

    explicit UsbClock(
        const ClockPeerOptions& options = {}, ClockPeer::TimeSource now = {}, QObject* parent = nullptr);

    HidDeviceInfo Describe() const override;
    ClockPeer& Peer() { return peer_; }
    // How many output reports the clock was sent; the reports themselves are
    // not kept (a clock that runs for hours would grow without end), so
    // whoever needs them listens to ReportWritten.
    qint64 ReportCount() const { return reportCount_; }

signals:
    // One output report written to the clock, as it came.
    void ReportWritten(const QByteArray& report);

protected:
    bool Output(const QByteArray& report) override;

private:
    ClockPeer peer_;
    qint64 reportCount_ = 0;
};
