#include "cli/ClockLink.h"

#include "link/ComPort.h"
#include "link/CustomComPort.h"
#include "link/SystemErrorText.h"
#include "link/hid/ClockDevices.h"
#include "link/hid/HidDevice.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QStringList>
#include <cerrno>

namespace {

int OpenFailureCode(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return ExitCode::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return ExitCode::Busy;
    default:
        return ExitCode::NoDevice;
    }
}

bool DeviceGone(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == ENOENT; }

} // namespace

// ---- Serial -------------------------------------------------------------

SerialClockLink::SerialClockLink(std::unique_ptr<TCustomComPort> port)
    : port_(std::move(port))
{
    port_->OnRxChar = [this](int count) { Receive(count); };
    port_->OnException = [this](const EComPort& error) { LoseTo(error); };
}

SerialClockLink::~SerialClockLink()
{
    port_->OnRxChar = nullptr;
    port_->OnException = nullptr;
    try {
        port_->Close();
    } catch (const EComPort&) {
        // Closing a port whose device is gone has nothing left to undo.
    }
}

std::unique_ptr<SerialClockLink> SerialClockLink::Open(std::unique_ptr<TCustomComPort> port, Outcome* failure)
{
    std::unique_ptr<SerialClockLink> link(new SerialClockLink(std::move(port)));
    try {
        link->port_->Open();
        return link;
    } catch (const EComPort& error) {
        const QString device = link->Name();
        if (error.Code() != EComPort::kOpenFailed) {
            *failure = Outcome::Fail(ExitCode::Failed, QStringLiteral("%1: %2").arg(device, error.Message()));
            return nullptr;
        }
        const QString plain = ExplainSystemError(error.WinCode(), device, ErrorSite::OpeningPort);
        *failure = Outcome::Fail(OpenFailureCode(error.WinCode()), plain.isEmpty() ? error.Message() : plain);
        return nullptr;
    }
}

QString SerialClockLink::Device() const { return TComPort::DevicePath(port_->Port()); }

void SerialClockLink::Transmit(const QByteArray& line)
{
    if (lost_)
        return;
    try {
        port_->WriteText(line);
    } catch (const EComPort& error) {
        LoseTo(error);
    }
}

void SerialClockLink::Receive(int count)
{
    try {
        QByteArray text;
        port_->ReadText(text, count);
        for (const QByteArray& line : assembler_.Take(text))
            emit LineReceived(line);
    } catch (const EComPort& error) {
        LoseTo(error);
    }
}

void SerialClockLink::LoseTo(const EComPort& error)
{
    if (std::exchange(lost_, true))
        return;
    if (DeviceGone(error.WinCode())) {
        emit Lost(Outcome::Fail(ExitCode::NoDevice, QStringLiteral("%1 is gone (unplugged?)").arg(Name())));
        return;
    }
    const QString plain = ExplainSystemError(error.WinCode(), Name(), ErrorSite::OpenPort);
    emit Lost(Outcome::Fail(
        ExitCode::Failed, plain.isEmpty() ? Name() + QStringLiteral(": ") + error.Message() : plain));
}

// ---- USB ----------------------------------------------------------------

UsbClockLink::UsbClockLink(
    TJvHidDeviceController& controller, QList<TJvHidDevice*> clocks, TJvHidDevice* device)
    : controller_(controller)
    , clocks_(std::move(clocks))
    , device_(device)
{
    device_->SetOnData([this](TJvHidDevice*, quint8, const QByteArray& data) {
        const QByteArray line = ExtractUsbReplyLine(data);
        if (!line.isEmpty())
            emit LineReceived(line);
    });
    connect(&controller_, &TJvHidDeviceController::OnDeviceChange, this, &UsbClockLink::DevicesChanged);
}

UsbClockLink::~UsbClockLink()
{
    device_->SetOnData({});
    ReleaseClocks(controller_, clocks_);
}

std::unique_ptr<UsbClockLink> UsbClockLink::Open(
    TJvHidDeviceController& controller, const QString& wanted, Outcome* failure)
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
        *failure = Outcome::Fail(ExitCode::NoDevice,
            wanted.isEmpty()
                ? QStringLiteral("no whirlbeam clock on USB")
                : QStringLiteral("no whirlbeam clock on USB with serial number %1 (found: %2)")
                      .arg(wanted,
                          found.isEmpty() ? QStringLiteral("none") : found.join(QStringLiteral(", "))));
        return nullptr;
    }
    if (!chosen->HasReadWriteAccess()) {
        const int error = chosen->OpenError();
        *failure = Outcome::Fail(
            error == EACCES || error == EPERM ? ExitCode::PermissionDenied : ExitCode::NoDevice,
            ClockAccessProblem(*chosen).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        ReleaseClocks(controller, clocks);
        return nullptr;
    }
    return std::unique_ptr<UsbClockLink>(new UsbClockLink(controller, std::move(clocks), chosen));
}

QString UsbClockLink::Device() const { return QString::fromLocal8Bit(device_->DevicePath()); }

QString UsbClockLink::Name() const { return QStringLiteral("the USB clock %1").arg(Device()); }

bool UsbClockLink::Fits(const QByteArray& line) const
{
    return FrameUsbReport(line, device_->OutputReportLength()).has_value();
}

// A write that fails while the clock is plugged in passes, as on the
// panel: the missing answer tells.
void UsbClockLink::Transmit(const QByteArray& line)
{
    if (lost_)
        return;
    if (const auto report = FrameUsbReport(line, device_->OutputReportLength()))
        device_->WriteReport(*report);
}

void UsbClockLink::DevicesChanged()
{
    if (device_->IsPluggedIn() || std::exchange(lost_, true))
        return;
    device_->SetOnData({});
    emit Lost(Outcome::Fail(ExitCode::NoDevice, QStringLiteral("%1 was unplugged").arg(Name())));
}

bool UsbClockListed(TJvHidDeviceController& controller)
{
    for (const TJvHidDevice* device : controller.Devices())
        if (device->IsPluggedIn() && device->VendorID() == kClockVendorId
            && device->ProductID() == kClockProductId)
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
