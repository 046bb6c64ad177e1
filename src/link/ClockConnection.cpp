// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ClockConnection.h"

#include "link/ComPort.h"
#include "link/CustomComPort.h"
#include "link/PortLock.h"
#include "link/SystemErrorText.h"
#include "link/TtyAnnouncer.h"
#include "link/hid/ClockDevices.h"
#include "link/hid/HidDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QScopeGuard>
#include <QStringList>
#include <cerrno>

namespace {

// Another program's lock file on the USB clock: the clock is in use even
// though its node opens (hidraw lets many open it).
bool HeldByAnother(const TJvHidDevice& device) { return LockHolderOf(QString::fromLocal8Bit(device.DevicePath())) != 0; }

// The texts the links have always had, in their context for translation.
struct ClockLinkTexts {
    Q_DECLARE_TR_FUNCTIONS(ClockLinkTexts)
};

const QString kByIdFolder = QStringLiteral("/dev/serial/by-id");

} // namespace

QString ByIdLinkOf(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty() || device.startsWith(kByIdFolder + QLatin1Char('/')))
        return QString();
    const QDir folder(kByIdFolder);
    for (const QFileInfo& link : folder.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        if (link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    }
    return QString();
}

ClockConnection::ClockConnection(std::unique_ptr<TCustomComPort> port,
    std::unique_ptr<TJvHidDeviceController> controller, std::unique_ptr<TtyAnnouncer> announcer, QObject* parent)
    : QObject(parent)
    , announcer_(std::move(announcer))
    , controller_(std::move(controller))
    , port_(port ? std::move(port) : std::make_unique<TComPort>())
    , serial_(*port_)
{
    BindPort();
    tick_.SetLinkOpen([this] { return LinkOpen(); });
    tick_.SetSender([this](const QByteArray& line) { return Transmit(line); });
    connect(&tick_.Timer(), &QTimer::timeout, &tick_, &TransmitTick::Tick);
    connect(&tick_.HoldTimer(), &QTimer::timeout, &tick_, &TransmitTick::SendHeld);
    for (ClockLink* link : std::initializer_list<ClockLink*>{&serial_, &usb_})
        connect(link, &ClockLink::LineReceived, this, &ClockConnection::Received);
    connect(&serial_, &ClockLink::Failed, this, &ClockConnection::PortFailed);
    if (announcer_)
        connect(announcer_.get(), &TtyAnnouncer::Announced, this, &ClockConnection::SerialMayHaveReturned);
    if (controller_)
        connect(controller_.get(), &TJvHidDeviceController::OnDeviceChange, this, &ClockConnection::ListClocks);
}

ClockConnection::~ClockConnection()
{
    StopWaiting();
    port_->OnAfterOpen = nullptr;
    port_->OnBeforeClose = nullptr;
    port_->OnAfterClose = nullptr;
    port_->OnRxChar = nullptr;
    port_->OnException = nullptr;
    if (controller_) {
        Hook(nullptr);
        ReleaseClocks(*controller_, clocks_);
    }
}

void ClockConnection::BindPort()
{
    port_->OnAfterOpen = [this] { Opened(LinkKind::Serial); };
    port_->OnBeforeClose = [this] { Closing(); };
    port_->OnAfterClose = [this] { PortClosed(); };
    port_->OnRxChar = [this](int count) { ReceiveSerial(count); };
    port_->OnException = [this](const EComPort& error) { TakePortException(error); };
}

ClockLink& ClockConnection::Link()
{
    if (kind_ == LinkKind::Usb)
        return usb_;
    return serial_;
}

bool ClockConnection::LinkOpen() const { return port_->Connected() || usbOpen_; }

void ClockConnection::SetLog(LinkLog* log)
{
    serial_.SetLog(log);
    usb_.SetLog(log);
}

void ClockConnection::SetState(State state)
{
    if (state == state_)
        return;
    const State before = std::exchange(state_, state);
    emit StateChanged(state, before);
}

// ---- Opening and closing ---------------------------------------------------

bool ClockConnection::Open(LinkKind kind)
{
    failure_ = {};
    if (kind == LinkKind::Usb) {
        // Opened, the link would only seem to work.
        if (const TJvHidDevice* device = HookedDevice(); device && !device->HasReadWriteAccess()) {
            const int error = device->OpenError();
            Fail({LinkFailure::Kind::NotOpened, error == EACCES || error == EPERM ? error : ENODEV,
                ClockAccessProblem(*device), QString::fromLocal8Bit(device->DevicePath())});
            return false;
        }
        if (const TJvHidDevice* device = HookedDevice(); device && HeldByAnother(*device)) {
            const QString node = QString::fromLocal8Bit(device->DevicePath());
            Fail({LinkFailure::Kind::NotOpened, EBUSY, ExplainSystemError(EBUSY, node, ErrorSite::OpeningPort), node});
            return false;
        }
        SetState(State::Opening);
        Opened(LinkKind::Usb);
        return true;
    }
    SetState(State::Opening);
    try {
        port_->Open();
    } catch (const EComPort& error) {
        SetState(State::Closed);
        Fail(serial_.FailureOf(error));
        return false;
    }
    // A port that opened without its open event is open all the same.
    if (state_ == State::Opening)
        SetState(port_->Connected() ? State::Open : State::Closed);
    return port_->Connected();
}

bool ClockConnection::OpenUsbClock(const QString& wanted)
{
    if (!controller_) {
        Fail({LinkFailure::Kind::NotOpened, ENODEV, ClockLinkTexts::tr("no whirlbeam clock on USB"), QString()});
        return false;
    }
    ListClocks();
    QStringList found;
    TJvHidDevice* chosen = nullptr;
    for (TJvHidDevice* clock : std::as_const(clocks_)) {
        const QString path = QString::fromLocal8Bit(clock->DevicePath());
        found << (clock->Info().serial.isEmpty() ? path : clock->Info().serial);
        if (!chosen && (wanted.isEmpty() || wanted == clock->Info().serial || wanted == path))
            chosen = clock;
    }
    if (!chosen) {
        Fail({LinkFailure::Kind::NotOpened, ENODEV,
            wanted.isEmpty() ? ClockLinkTexts::tr("no whirlbeam clock on USB")
                             : ClockLinkTexts::tr("no whirlbeam clock on USB with serial number %1 (found: %2)")
                                   .arg(wanted, found.isEmpty() ? ClockLinkTexts::tr("none") : found.join(QStringLiteral(", "))),
            wanted});
        return false;
    }
    Hook(chosen);
    return Open(LinkKind::Usb);
}

// Also a return: the wait ends, and what was queued for the clock that
// went away is not sent to the one that came.
void ClockConnection::Opened(LinkKind kind)
{
    if (state_ == State::WaitingForReturn) {
        StopWaiting();
        tick_.Queue.Clear();
    }
    kind_ = kind;
    closedItself_ = false;
    tick_.SetLink(kind);
    tick_.Restart();
    tick_.Timer().start();
    if (kind == LinkKind::Serial)
        byIdLink_ = ByIdLinkOf(serial_.Device());
    emit AfterOpen();
    if (kind == LinkKind::Usb)
        usbOpen_ = true;
    SetState(State::Open);
}

bool ClockConnection::Close()
{
    if (state_ == State::WaitingForReturn) {
        StopWaiting();
        kind_ = LinkKind::Serial;
        SetState(State::Closed);
        return true;
    }
    if (usbOpen_) {
        CloseUsb();
        return true;
    }
    ownerCloses_ = true;
    const auto done = qScopeGuard([this] { ownerCloses_ = false; });
    try {
        port_->Close();
    } catch (const EComPort& error) {
        Fail(serial_.FailureOf(error));
        return false;
    }
    return true;
}

void ClockConnection::Closing()
{
    tick_.Timer().stop();
    tick_.CancelSendAt();
    emit BeforeClose();
}

void ClockConnection::PortClosed()
{
    closedItself_ = !ownerCloses_ && state_ == State::Open;
    emit AfterClose();
    if (state_ != State::WaitingForReturn)
        SetState(State::Closed);
}

void ClockConnection::CloseUsb()
{
    Closing();
    usbOpen_ = false;
    kind_ = LinkKind::Serial;
    tick_.SetLink(LinkKind::Serial);
    emit AfterClose();
    SetState(State::Closed);
}

// ---- Lines and failures ------------------------------------------------------

bool ClockConnection::Transmit(const QByteArray& line)
{
    if (state_ == State::WaitingForReturn)
        return false;
    return Link().Transmit(line);
}

void ClockConnection::ReceiveSerial(int count) { serial_.Receive(count); }

void ClockConnection::TakeReport(const QByteArray& data) { usb_.TakeReport(data); }

void ClockConnection::Received(const QByteArray& line)
{
    tick_.NoteReply(line);
    emit LineReceived(line);
}

void ClockConnection::TakePortException(const EComPort& error) { PortFailed(serial_.FailureOf(error)); }

void ClockConnection::Fail(const LinkFailure& why)
{
    failure_ = why;
    emit Failed(why);
}

// A port whose device went away has closed itself through its close events
// before its error comes.
void ClockConnection::PortFailed(const LinkFailure& why)
{
    const bool lost = std::exchange(closedItself_, false) && !port_->Connected();
    if (lost && reconnect_ && why.kind == LinkFailure::Kind::Gone)
        WaitFor(LinkKind::Serial, serial_.Device());
    Fail(why);
}

// ---- The USB clocks ------------------------------------------------------------

void ClockConnection::ListClocks()
{
    if (!controller_)
        return;
    TJvHidDevice* hooked = HookedDevice();
    const bool vanished = hooked && !hooked->IsPluggedIn();
    const QString serial = hooked ? hooked->Info().serial : QString();
    const QString name = usb_.Name();
    const QString node = usb_.Device();
    Hook(nullptr);
    ReleaseClocks(*controller_, clocks_);
    clocks_ = ClaimClocks(*controller_);
    if (vanished)
        hooked = nullptr;
    // A link with no clock at all closes too, rather than aim its ticks at
    // the serial port the panel's choice falls back to.
    if (usbOpen_ && (vanished || clocks_.isEmpty())) {
        CloseUsb();
        if (vanished) {
            if (reconnect_)
                WaitFor(LinkKind::Usb, serial);
            Fail({LinkFailure::Kind::Gone, ENODEV, ClockLinkTexts::tr("%1 was unplugged").arg(name), node});
        }
    } else if (state_ == State::WaitingForReturn && kind_ == LinkKind::Usb) {
        UsbMayHaveReturned();
    }
    emit ClocksListed();
    if (!HookedDevice() && hooked && clocks_.contains(hooked))
        Hook(hooked);
}

void ClockConnection::Hook(TJvHidDevice* device)
{
    TJvHidDevice*& hooked = usb_.HidDeviceSlot();
    if (hooked)
        hooked->SetOnData({});
    hooked = device;
    if (device)
        device->SetOnData([this](TJvHidDevice*, quint8, const QByteArray& data) { TakeReport(data); });
}

// ---- Waiting for the clock to return ---------------------------------------------

void ClockConnection::WaitFor(LinkKind kind, const QString& awaited)
{
    kind_ = kind;
    awaited_ = awaited;
    // The first answer after the return counts as one.
    tick_.ReplySeen = false;
    SetState(State::WaitingForReturn);
    if (kind == LinkKind::Usb)
        return;
    if (announcer_)
        announcer_->Start();
    // udev does not announce a symlink made to a pseudo terminal; the
    // folder that holds the name does tell.
    folders_ = std::make_unique<QFileSystemWatcher>();
    QStringList folders{QFileInfo(awaited).absolutePath()};
    if (!byIdLink_.isEmpty())
        folders << QFileInfo(byIdLink_).absolutePath();
    folders_->addPaths(folders);
    connect(folders_.get(), &QFileSystemWatcher::directoryChanged, this, &ClockConnection::SerialMayHaveReturned);
}

// The watch may be what told of the return: it goes once its signal is done.
void ClockConnection::StopWaiting()
{
    if (folders_) {
        folders_->disconnect(this);
        folders_.release()->deleteLater();
    }
    if (announcer_)
        announcer_->Stop();
}

// Where the adapter had a by-id link, it is back once the link is: under
// its old name, or under another one the link now points to. A node that
// is there but will not open yet (udev still setting its rights) is tried
// again at the next announcement.
void ClockConnection::SerialMayHaveReturned()
{
    if (state_ != State::WaitingForReturn || kind_ != LinkKind::Serial)
        return;
    if (!byIdLink_.isEmpty()) {
        const QString now = QFileInfo(byIdLink_).canonicalFilePath();
        if (now.isEmpty())
            return;
        if (now != QFileInfo(serial_.Device()).canonicalFilePath())
            port_->SetPort(byIdLink_);
    }
    try {
        port_->Open();
    } catch (const EComPort&) {
    }
}

// Another clock (another serial number) does not count.
void ClockConnection::UsbMayHaveReturned()
{
    for (TJvHidDevice* clock : std::as_const(clocks_)) {
        if (clock->Info().serial == awaited_ && clock->HasReadWriteAccess()) {
            Hook(clock);
            Opened(LinkKind::Usb);
            return;
        }
    }
}
