// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/UsbClock.h"

#include "link/hid/HidDevice.h"
#include "sim/PeerFraming.h"

UsbClock::UsbClock(const ClockPeerOptions& options, ClockPeer::TimeSource now, QObject* parent)
    : QObject(parent)
    , peer_(options, std::move(now), this)
{
    connect(&peer_, &ClockPeer::ReplyReady, this,
        [this](const QByteArray& line) { Input(UsbReplyReport(line, kReportLength)); });
}

HidDeviceInfo UsbClock::Describe() const
{
    HidDeviceInfo info;
    info.vendorId = kClockVendorId;
    info.productId = kClockProductId;
    info.version = 0x0402;
    info.product = QStringLiteral("Whirlbeam Clock");
    info.serial = QStringLiteral("SIM0001");
    info.languages = QString(QChar(0x0409));
    info.inputReportLength = kReportLength;
    info.outputReportLength = kReportLength;
    return info;
}

bool UsbClock::Output(const QByteArray& report)
{
    ++reportCount_;
    emit ReportWritten(report);
    peer_.FeedUsbLine(report.mid(1));
    return true;
}
