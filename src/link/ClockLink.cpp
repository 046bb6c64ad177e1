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

// ---- ClockLink ------------------------------------------------------------

void ClockLink::Transmit(const QByteArray& line)
{
    if (log_)
        log_->Sent(line);
    Write(line);
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

SerialClockLink::~SerialClockLink()
{
    if (!owned_)
        return;
    port_.OnRxChar = nullptr;
    port_.OnException = nullptr;
    try {
        port_.Close();
    } catch (const EComPort&) {
        // Closing a port whose device is gone has nothing left to undo.
    }
}

std::unique_ptr<SerialClockLink> SerialClockLink::Open(std::unique_ptr<TCustomComPort> port, LinkFailure* failure)
{
    TCustomComPort& lent = *port;
    std::unique_ptr<SerialClockLink> link(new SerialClockLink(lent));
    link->owned_ = std::move(port);
    link->reportsFailures_ = true;
    try {
        lent.Open();
    } catch (const EComPort& error) {
        const QString device = link->Name();
        if (error.Code() != EComPort::kOpenFailed) {
            *failure = {LinkFailure::Kind::Failed, error.WinCode(), QStringLiteral("%1: %2").arg(device, error.Message())};
            return nullptr;
        }
        const QString plain = ExplainSystemError(error.WinCode(), device, ErrorSite::OpeningPort);
        *failure = {LinkFailure::Kind::NotOpened, error.WinCode(), plain.isEmpty() ? error.Message() : plain};
        return nullptr;
    }
    SerialClockLink* bound = link.get();
    lent.OnRxChar = [bound](int count) {
        try {
            bound->Receive(count);
        } catch (const EComPort& error) {
            bound->LoseTo(error);
        }
    };
    lent.OnException = [bound](const EComPort& error) { bound->LoseTo(error); };
    return link;
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

void SerialClockLink::Write(const QByteArray& line)
{
    if (!reportsFailures_) {
        port_.WriteText(line);
        return;
    }
    if (lost_)
        return;
    try {
        port_.WriteText(line);
    } catch (const EComPort& error) {
        LoseTo(error);
    }
}

void SerialClockLink::Receive(int count)
{
    QByteArray text;
    port_.ReadText(text, count);
    for (const QByteArray& line : assembler_.Take(text))
        Deliver(line);
}

void SerialClockLink::LoseTo(const EComPort& error)
{
    if (std::exchange(lost_, true))
        return;
    if (DeviceGone(error.WinCode())) {
        emit Lost({LinkFailure::Kind::Gone, error.WinCode(), ClockLinkTexts::tr("%1 is gone (unplugged?)").arg(Name())});
        return;
    }
    const QString plain = ExplainSystemError(error.WinCode(), Name(), ErrorSite::OpenPort);
    emit Lost({LinkFailure::Kind::Failed, error.WinCode(),
        plain.isEmpty() ? Name() + QStringLiteral(": ") + error.Message() : plain});
}

// ---- USB ----------------------------------------------------------------

UsbClockLink::UsbClockLink(TJvHidDevice* device)
    : device_(device)
{
}

UsbClockLink::~UsbClockLink()
{
    if (!controller_)
        return;
    device_->SetOnData({});
    ReleaseClocks(*controller_, claimed_);
}

std::unique_ptr<UsbClockLink> UsbClockLink::Claim(
    TJvHidDeviceController& controller, const QString& wanted, LinkFailure* failure)
{
    QList<TJvHidDevice*> clocks = ClaimClocks(controller);
    QStringList found;
    TJvHidDevice* chosen = nullptr;
    for (TJvHidDevice* clock : clocks) {
        const QString path = QString::fromLocal8Bit(clock->DevicePath());
        found << (clock->Info().serial.isEmpty() ? path : clock->Info().serial);
        if (!chosen && (wanted.isEmpty() || wanted == clock->Info().serial || wanted == path))
            chosen = clock;
    }
    if (!chosen) {
        ReleaseClocks(controller, clocks);
        *failure = {LinkFailure::Kind::NotOpened, ENODEV,
            wanted.isEmpty() ? ClockLinkTexts::tr("no whirlbeam clock on USB")
                             : ClockLinkTexts::tr("no whirlbeam clock on USB with serial number %1 (found: %2)")
                                   .arg(wanted, found.isEmpty() ? ClockLinkTexts::tr("none") : found.join(QStringLiteral(", ")))};
        return nullptr;
    }
    if (!chosen->HasReadWriteAccess()) {
        // Anything but a refusal counts as no clock, as it always has.
        const int error = chosen->OpenError();
        *failure = {LinkFailure::Kind::NotOpened, error == EACCES || error == EPERM ? error : ENODEV,
            ClockAccessProblem(*chosen).replace(QLatin1Char('\n'), QLatin1Char(' '))};
        ReleaseClocks(controller, clocks);
        return nullptr;
    }
    auto link = std::make_unique<UsbClockLink>(chosen);
    link->controller_ = &controller;
    link->claimed_ = std::move(clocks);
    UsbClockLink* bound = link.get();
    chosen->SetOnData([bound](TJvHidDevice*, quint8, const QByteArray& data) { bound->TakeReport(data); });
    connect(&controller, &TJvHidDeviceController::OnDeviceChange, bound, &UsbClockLink::DevicesChanged);
    return link;
}

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

void UsbClockLink::Write(const QByteArray& line)
{
    if (!device_ || lost_)
        return;
    if (const auto report = FrameUsbReport(line, device_->OutputReportLength()))
        device_->WriteReport(*report);
}

void UsbClockLink::DevicesChanged()
{
    if (device_->IsPluggedIn() || std::exchange(lost_, true))
        return;
    device_->SetOnData({});
    emit Lost({LinkFailure::Kind::Gone, ENODEV, ClockLinkTexts::tr("%1 was unplugged").arg(Name())});
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
