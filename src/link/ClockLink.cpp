// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockLink.h"

#include "link/ComPort.h"
#include "link/CustomComPort.h"
#include "link/LinkLog.h"
#include "link/SystemErrorText.h"
#include "link/hid/ClockDevices.h"
#include "link/hid/HidDevice.h"
#include <QCoreApplication>

#include <QEventLoop>
#include <QMetaObject>
#include <QStringList>
#include <cerrno>

namespace {

// The context of this file's texts for translation.
struct ClockLinkTexts {
    Q_DECLARE_TR_FUNCTIONS(ClockLinkTexts)
};

bool DeviceGone(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == ENOENT; }

} // namespace

QString LinkFailure::PortMessage() const { return PortErrorText(EComPort(portCode, error), device); }

// ---- ClockLink ------------------------------------------------------------

bool ClockLink::Transmit(const QByteArray& line)
{
    if (log_)
        log_->Sent(line);
    return Write(line);
}

void ClockLink::Deliver(const QByteArray& line)
{
    if (log_)
        log_->Received(line);
    emit LineReceived(line);
}

// ---- Serial -------------------------------------------------------------

SerialClockLink::SerialClockLink(TCustomComPort& port)
    : port_(port)
{
}

LinkFailure SerialClockLink::FailureOf(const EComPort& error) const
{
    const QString device = Name();
    LinkFailure why{LinkFailure::Kind::Failed, error.WinCode(), QString(), device, error.Code()};
    if (error.Code() == EComPort::kOpenFailed) {
        const QString plain = ExplainSystemError(error.WinCode(), device, ErrorSite::OpeningPort);
        why.kind = LinkFailure::Kind::NotOpened;
        why.text = plain.isEmpty() ? error.Message() : plain;
    } else if (DeviceGone(error.WinCode())) {
        why.kind = LinkFailure::Kind::Gone;
        why.text = ClockLinkTexts::tr("%1 is gone (unplugged?)").arg(device);
    } else {
        const QString plain = ExplainSystemError(error.WinCode(), device, ErrorSite::OpenPort);
        why.text = plain.isEmpty() ? device + QStringLiteral(": ") + error.Message() : plain;
    }
    return why;
}

QString SerialClockLink::Device() const { return TComPort::DevicePath(port_.Port()); }

QString SerialClockLink::GivenName() const { return port_.Port(); }

Micros SerialClockLink::TravelTime(int characters) const
{
    const auto* port = dynamic_cast<const TComPort*>(&port_);
    if (!port)
        return SerialLineTime(characters, 10, 9600);
    const int bits = 1 + 5 + int(port->DataBits()) + (port->Parity().Bits() == prNone ? 0 : 1)
        + (port->StopBits() == sbOneStopBit ? 1 : 2);
    return SerialLineTime(characters, bits, port->LineSpeed());
}

bool SerialClockLink::Write(const QByteArray& line)
{
    try {
        port_.WriteText(line);
        return true;
    } catch (const EComPort& error) {
        emit Failed(FailureOf(error));
        return false;
    }
}

void SerialClockLink::Receive(int count)
{
    QByteArray text;
    try {
        port_.ReadText(text, count);
    } catch (const EComPort& error) {
        emit Failed(FailureOf(error));
        return;
    }
    for (const QByteArray& line : assembler_.Take(text))
        Deliver(line);
}

// ---- USB ----------------------------------------------------------------

QString UsbClockLink::Device() const
{
    return device_ ? QString::fromLocal8Bit(device_->DevicePath()) : QString();
}

QString UsbClockLink::Name() const { return ClockLinkTexts::tr("the USB clock %1").arg(Device()); }

bool UsbClockLink::Fits(const QByteArray& line) const
{
    return device_ && FrameUsbReport(line, device_->OutputReportLength()).has_value();
}

void UsbClockLink::TakeReport(const QByteArray& data)
{
    const QByteArray line = ExtractUsbReplyLine(data);
    if (!line.isEmpty())
        Deliver(line);
}

bool UsbClockLink::Write(const QByteArray& line)
{
    if (!device_ || !device_->IsPluggedIn())
        return true;
    if (const auto report = FrameUsbReport(line, device_->OutputReportLength()))
        device_->WriteReport(*report);
    return true;
}

bool UsbClockListed(TJvHidDeviceController& controller)
{
    for (const TJvHidDevice* device : controller.Devices())
        if (device->IsPluggedIn() && device->VendorID() == kClockVendorId && device->ProductID() == kClockProductId)
            return true;
    return false;
}

// The controller queues its first scan when it is made; a call queued
// after it runs once the scan has.
void AwaitFirstScan(TJvHidDeviceController& controller)
{
    QEventLoop loop;
    QMetaObject::invokeMethod(
        &controller, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    loop.exec();
}
