// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPort.h"

#include "link/ComPortLineWatch.h"
#include "link/Termios2.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::array<int, 16> kLineSpeeds = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                             14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};

constexpr std::array<tcflag_t, 4> kCharacterSizes = {CS5, CS6, CS7, CS8};

struct SpeedCode {
    int rate;
    speed_t code;
};

constexpr SpeedCode kSpeedCodes[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

// termios knows only these rates by code; others need termios2.
std::optional<speed_t> SpeedCodeOf(int rate)
{
    for (const SpeedCode& entry : kSpeedCodes) {
        if (entry.rate == rate)
            return entry.code;
    }
    return std::nullopt;
}

tcflag_t ParityFlags(TParityBits bits)
{
    switch (bits) {
    case prOdd:
        return PARENB | PARODD;
    case prEven:
        return PARENB;
    case prMark:
        return PARENB | CMSPAR | PARODD;
    case prSpace:
        return PARENB | CMSPAR;
    case prNone:
        break;
    }
    return 0;
}

// How a descriptor tells that its device has gone (adapter unplugged, the
// other side of a pty closed).
bool IsDeviceGone(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV;
}

TComErrors ErrorsBetween(const TLineCounters& before, const TLineCounters& now, bool parityChecked)
{
    TComErrors errors;
    if (now.frame != before.frame)
        errors.Include(ceFrame);
    if (parityChecked && now.parity != before.parity)
        errors.Include(ceRxParity);
    if (now.overrun != before.overrun)
        errors.Include(ceOverrun);
    if (now.brk != before.brk)
        errors.Include(ceBreak);
    if (now.bufferOverrun != before.bufferOverrun)
        errors.Include(ceRxOver);
    return errors;
}

} // namespace

// What one wake-up found, in the terms of the port's events.
struct TComPort::TLineChanges {
    int waiting = 0;
    bool inputFull = false;
    TComErrors errors;
    bool brk = false;
    bool ring = false;
    bool cts = false;
    bool dsr = false;
    bool rlsd = false;
    TModemLines lines;
};

TComPort::TComPort()
{
    handOver_ = std::make_unique<QObject>();
    const auto apply = [this] { LineSettingsChanged(); };
    parity_.changed_ = apply;
    flowControl_.changed_ = apply;
    // Queue sizes and time-outs have nothing to set in a Linux driver: the
    // write time-out is taken at each write, and the queues are the kernel's.
}

TComPort::~TComPort()
{
    for (TComPortLink* link : std::exchange(links_, {}))
        link->PortDestroyed();
    try {
        Close();
    } catch (...) {
        // Nothing can be reported while the owner goes away.
        ReleaseDevice();
    }
    readable_.reset();
    if (readiness_ >= 0)
        ::close(readiness_);
}

// ---- Settings ---------------------------------------------------------------

int TComPort::LineSpeedOf(TBaudRate rate)
{
    return kLineSpeeds[size_t(rate)];
}

int TComPort::LineSpeed() const
{
    return baudRate_ == brCustom ? customBaudRate_ : LineSpeedOf(baudRate_);
}

QString TComPort::DevicePath(const QString& port)
{
    if (port.startsWith(QLatin1Char('/')))
        return port;
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = com.match(port);
    if (match.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    return QStringLiteral("/dev/") + port;
}

template <typename T>
void TComPort::StoreLineSetting(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    LineSettingsChanged();
}

void TComPort::SetBaudRate(TBaudRate rate) { StoreLineSetting(baudRate_, rate); }

void TComPort::SetCustomBaudRate(int rate) { StoreLineSetting(customBaudRate_, rate); }

void TComPort::SetDataBits(TDataBits bits) { StoreLineSetting(dataBits_, bits); }

void TComPort::SetStopBits(TStopBits bits) { StoreLineSetting(stopBits_, bits); }

void TComPort::SetEventChar(char eventChar) { StoreLineSetting(eventChar_, eventChar); }

void TComPort::SetDiscardNull(bool discard) { StoreLineSetting(discardNull_, discard); }

void TComPort::SetPort(const QString& port)
{
    if (port == port_)
        return;
    const bool reopen = Connected();
    Close();
    port_ = port;
    if (reopen)
        Open();
}

void TComPort::SetSyncMethod(TSyncMethod method)
{
    if (method == syncMethod_)
        return;
    if (Connected())
        throw EComPort(14);
    syncMethod_ = method;
}

void TComPort::BeginSettingsUpdate()
{
    ++updateDepth_;
}

void TComPort::EndSettingsUpdate()
{
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0 && Connected())
        ApplyLineSettings();
}

void TComPort::InSettingsUpdate(const std::function<void()>& change)
{
    BeginSettingsUpdate();
    try {
        change();
    } catch (...) {
        try {
            EndSettingsUpdate();
        } catch (...) {
            // Applying what was changed before the failure failed as well.
        }
        throw;
    }
    EndSettingsUpdate();
}

void TComPort::RegisterLink(TComPortLink* link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TComPort::UnregisterLink(TComPortLink* link) { std::erase(links_, link); }

void TComPort::LineSettingsChanged()
{
    if (Connected() && updateDepth_ == 0)
        ApplyLineSettings();
}

// ---- Line settings ----------------------------------------------------------

void TComPort::ApplyLineSettings()
{
    termios current{};
    if (::tcgetattr(fd_, &current) != 0)
        throw EComPort(7, errno);
    const termios settings = LineTermios(current);
    // A pty keeps 8 data bits without parity whatever is asked; glibc
    // reports the dropped parity as EINVAL here.
    if (::tcsetattr(fd_, TCSANOW, &settings) != 0)
        throw EComPort(7, errno);
    const int rate = LineSpeed();
    if (!SpeedCodeOf(rate)) {
        if (const int error = SetTermios2Speed(fd_, rate))
            throw EComPort(7, error);
    }
    ApplyModemControl();
}

termios TComPort::LineTermios(termios settings) const
{
    // termios has no 1.5 stop bits.
    if (stopBits_ == sbOne5StopBits || LineSpeed() <= 0)
        throw EComPort(7, EINVAL);
    cfmakeraw(&settings);
    SetCharacterFormat(settings);
    SetFlowFlags(settings);
    // With VMIN 1 a read that returns nothing means a hang-up, not an empty queue.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    return settings;
}

// An arbitrary rate keeps the speed bits as they are; termios2 sets it after.
void TComPort::SetCharacterFormat(termios& settings) const
{
    settings.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
    settings.c_cflag |= CLOCAL | CREAD | kCharacterSizes[size_t(dataBits_)] | ParityFlags(parity_.Bits());
    if (stopBits_ == sbTwoStopBits)
        settings.c_cflag |= CSTOPB;
    // The driver can replace a byte received with a parity error only by
    // NUL. Without replacement the byte passes unchanged and the error still
    // reaches OnError through the driver's counters.
    settings.c_iflag &= ~tcflag_t(INPCK | IGNPAR);
    if (parity_.Check() && parity_.Replace())
        settings.c_iflag |= INPCK;
    if (const std::optional<speed_t> code = SpeedCodeOf(LineSpeed())) {
        // A separate input speed left by an earlier arbitrary rate would
        // otherwise outlive the change.
        settings.c_cflag &= ~tcflag_t(CIBAUD);
        cfsetispeed(&settings, *code);
        cfsetospeed(&settings, *code);
    }
}

void TComPort::SetFlowFlags(termios& settings) const
{
    const TComFlowControl& flow = flowControl_;
    settings.c_cflag &= ~tcflag_t(CRTSCTS);
    // The driver's RTS/CTS handshake always works both ways.
    if (flow.OutCTSFlow() || flow.ControlRTS() == rtsHandshake)
        settings.c_cflag |= CRTSCTS;
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    if (flow.XonXoffOut())
        settings.c_iflag |= IXON;
    if (flow.XonXoffIn())
        settings.c_iflag |= IXOFF;
    settings.c_cc[VSTART] = cc_t(flow.XonChar());
    settings.c_cc[VSTOP] = cc_t(flow.XoffChar());
}

void TComPort::ApplyModemControl()
{
    // The driver has no DTR handshake; DTR then simply stays high.
    if (const int error = SetModemLine(fd_, TIOCM_DTR, flowControl_.ControlDTR() != dtrDisable))
        throw EComPort(7, error);
    ApplyRtsControl();
}

void TComPort::ApplyRtsControl()
{
    const TRTSFlowControl control = flowControl_.ControlRTS();
    const bool toggle = control == rtsToggle;
    if (toggle != rtsToggleOn_) {
        const int error = EnableRtsToggle(fd_, toggle);
        if (error == 0)
            rtsToggleOn_ = toggle;
        else if (error != ENOTSUP)
            throw EComPort(7, error);
    }
    // A driver that cannot raise RTS for sending keeps it low.
    if (rtsToggleOn_)
        return;
    if (const int error = SetModemLine(fd_, TIOCM_RTS, control == rtsEnable || control == rtsHandshake))
        throw EComPort(7, error);
}

// ---- Open and close ---------------------------------------------------------

void TComPort::Open()
{
    if (Connected())
        return;
    Raise(OnBeforeOpen);
    OpenDevice();
    try {
        ApplyLineSettings();
        StartEventDelivery();
    } catch (...) {
        ReleaseDevice();
        throw;
    }
    Raise(OnAfterOpen);
    ReportInitialModemLines();
}

void TComPort::OpenDevice()
{
    const QString device = DevicePath(port_);
    // The lock file first: a program that leaves one but takes no flock is
    // kept out as well, and the holder can be named.
    if (const int busy = lock_.Take(device))
        throw EComPort(1, busy);
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        lock_.Release();
        throw EComPort(1, error);
    }
    // TIOCEXCL keeps other users out but lets root pass; the lock does not.
    // Taking the lock first leaves a refused device as it was.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::tcgetattr(fd, &saved_) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        lock_.Release();
        throw EComPort(1, error);
    }
    fd_ = fd;
}

void TComPort::Close()
{
    if (!Connected() || closing_)
        return;
    {
        closing_ = true;
        const auto closed = qScopeGuard([this] { closing_ = false; });
        RaiseModemLines(TModemLines{});
        Raise(OnBeforeClose);
        AbortPendingIo();
        ReleaseDevice();
    }
    Raise(OnAfterClose);
}

// Bytes not yet sent or not yet taken belong to this session only.
void TComPort::AbortPendingIo()
{
    if (::tcflush(fd_, TCIOFLUSH) == 0)
        return;
    const int error = errno;
    if (!IsDeviceGone(error))
        throw EComPort(5, error);
}

void TComPort::ReleaseDevice()
{
    StopEventDelivery();
    if (fd_ < 0)
        return;
    if (rtsToggleOn_)
        EnableRtsToggle(fd_, false);
    rtsToggleOn_ = false;
    // Restoring fails harmlessly once the device is gone.
    ::tcsetattr(fd_, TCSANOW, &saved_);
    // Left set, the flag would keep the next user out of a pty whose other
    // side stays open.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    lock_.Release();
}

// The device is gone: the port must end up closed even if a close handler
// throws, or it would claim a link that no longer exists.
void TComPort::CloseForGood()
{
    try {
        Close();
    } catch (...) {
        ReleaseDevice();
        throw;
    }
}

void TComPort::FailTransfer(int code, int error)
{
    if (IsDeviceGone(error))
        CloseForGood();
    throw EComPort(code, error);
}

// ---- Reading and writing ----------------------------------------------------

int TComPort::ReadText(QByteArray& text, int count)
{
    text.clear();
    if (count <= 0)
        return 0;
    if (!Connected())
        throw EComPort(3, EBADF);
    text.resize(count);
    const ssize_t n = ::read(fd_, text.data(), size_t(count));
    // VMIN is 1, so reading nothing means that the device hung up.
    const int error = n < 0 ? errno : EIO;
    if (n <= 0) {
        text.clear();
        if (error == EAGAIN || error == EINTR)
            return 0;
        FailTransfer(3, error);
    }
    text.resize(n);
    if (discardNull_)
        text.removeIf([](char c) { return c == '\0'; });
    return int(text.size());
}

int TComPort::WriteText(const QByteArray& text)
{
    if (text.isEmpty())
        return 0;
    if (!Connected())
        throw EComPort(2, EBADF);
    const QDeadlineTimer deadline = WriteDeadline(text.size());
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd_, text.constData() + written, size_t(text.size() - written));
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            FailTransfer(2, errno);
        if (!WaitWritable(deadline))
            break;
    }
    return int(written);
}

QDeadlineTimer TComPort::WriteDeadline(qsizetype length) const
{
    const qint64 constant = timeouts_.WriteTotalConstant();
    const qint64 multiplier = timeouts_.WriteTotalMultiplier();
    if (constant == 0 && multiplier == 0)
        return QDeadlineTimer(QDeadlineTimer::Forever);
    return QDeadlineTimer(qMax<qint64>(0, constant + multiplier * length));
}

bool TComPort::WaitWritable(const QDeadlineTimer& deadline) const
{
    if (deadline.hasExpired())
        return false;
    pollfd device{fd_, POLLOUT, 0};
    ::poll(&device, 1, int(qMin<qint64>(deadline.remainingTime(), INT_MAX)));
    return true;
}

// ---- Events -----------------------------------------------------------------

void TComPort::StartEventDelivery()
{
    openEvents_ = events_;
    hasCounters_ = QueryLineCounters(fd_, counters_);
    inputFull_ = false;
    if (openEvents_.IsEmpty())
        return;
    WatchReceivedBytes();
    WatchModemLines();
}

void TComPort::WatchReceivedBytes()
{
    if (readiness_ < 0) {
        readiness_ = ::epoll_create1(EPOLL_CLOEXEC);
        if (readiness_ < 0)
            throw EComPort(1, errno);
        readable_ = std::make_unique<QSocketNotifier>(readiness_, QSocketNotifier::Read);
        QObject::connect(readable_.get(), &QSocketNotifier::activated, readable_.get(),
                         [this] { ReadinessSignalled(); });
    }
    // Edge-triggered: bytes a handler leaves unread are announced again with
    // the next byte that arrives, rather than waking the loop over and over.
    epoll_event interest{};
    interest.events = EPOLLIN | EPOLLET;
    if (::epoll_ctl(readiness_, EPOLL_CTL_ADD, fd_, &interest) != 0)
        throw EComPort(1, errno);
    readable_->setEnabled(true);
}

void TComPort::WatchModemLines()
{
    const TComEvents& wanted = openEvents_;
    const int mask = ModemLineMask(wanted.Contains(evCTS), wanted.Contains(evDSR), wanted.Contains(evRing),
                                   wanted.Contains(evRLSD));
    if (mask == 0 || !hasCounters_)
        return;
    const auto handOver = [this] {
        QMetaObject::invokeMethod(handOver_.get(), [this] { ModemLinesSignalled(); }, Qt::QueuedConnection);
    };
    lineWatch_ = std::make_unique<TComLineWatch>(fd_, mask, handOver, eventThreadPriority_);
}

void TComPort::StopEventDelivery()
{
    lineWatch_.reset();
    if (readable_)
        readable_->setEnabled(false);
    if (readiness_ >= 0 && fd_ >= 0)
        ::epoll_ctl(readiness_, EPOLL_CTL_DEL, fd_, nullptr);
}

void TComPort::ReadinessSignalled()
{
    epoll_event ready{};
    if (!Connected() || ::epoll_wait(readiness_, &ready, 1, 0) <= 0)
        return;
    // One hand-over at a time, even if a handler runs an event loop; what
    // arrives meanwhile is announced once it has returned.
    readable_->setEnabled(false);
    Deliver([this, &ready] {
        if (ready.events & (EPOLLHUP | EPOLLERR))
            FailTransfer(3, EIO);
        DispatchEvents(true);
    });
    if (Connected())
        readable_->setEnabled(true);
}

void TComPort::ModemLinesSignalled()
{
    if (Connected() && lineWatch_)
        Deliver([this] { DispatchEvents(false); });
}

// Handlers run from the event loop here, which no exception may cross.
void TComPort::Deliver(const std::function<void()>& dispatch)
{
    try {
        dispatch();
    } catch (const EComPort& error) {
        ReportException(error);
    } catch (const std::exception& error) {
        qWarning("Serial port event handler failed: %s", error.what());
    } catch (...) {
        qWarning("Serial port event handler failed");
    }
}

void TComPort::ReportException(const EComPort& error) const
{
    try {
        if (OnException)
            OnException(error);
    } catch (const std::exception& failure) {
        qWarning("Serial port exception handler failed: %s", failure.what());
    } catch (...) {
        qWarning("Serial port exception handler failed");
    }
}

void TComPort::DispatchEvents(bool bytesArrived)
{
    const TLineChanges c = TakeLineChanges(bytesArrived);
    struct Delivery {
        TComEvent event;
        bool due;
        std::function<void()> raise;
    };
    const Delivery deliveries[] = {
        {evError, !c.errors.IsEmpty(), [&] { if (OnError) OnError(c.errors); }},
        {evRxChar, c.waiting > 0, [&] { if (OnRxChar) OnRxChar(c.waiting); }},
        {evBreak, c.brk, [&] { Raise(OnBreak); }},
        {evRing, c.ring, [&] { Raise(OnRing); }},
        {evCTS, c.cts, [&] { if (OnCTSChange) OnCTSChange(c.lines.cts); }},
        {evDSR, c.dsr, [&] { if (OnDSRChange) OnDSRChange(c.lines.dsr); }},
        {evRLSD, c.rlsd, [&] { if (OnRLSDChange) OnRLSDChange(c.lines.rlsd); }},
        {evRx80Full, c.inputFull, [&] { Raise(OnRx80Full); }},
    };
    for (const Delivery& delivery : deliveries) {
        if (!Connected())
            return; // a handler closed the port
        if (delivery.due && openEvents_.Contains(delivery.event))
            delivery.raise();
    }
}

TComPort::TLineChanges TComPort::TakeLineChanges(bool bytesArrived)
{
    TLineChanges changes;
    if (bytesArrived) {
        changes.waiting = BytesWaiting();
        const bool full = changes.waiting > 0 && changes.waiting >= buffer_.InputSize() * 8 / 10;
        changes.inputFull = full && !inputFull_;
        inputFull_ = full;
    }
    TLineCounters now;
    if (!hasCounters_ || !QueryLineCounters(fd_, now))
        return changes;
    TModemLines lines;
    if (const int error = QueryModemLines(fd_, lines))
        throw EComPort(11, error);
    // A counter catches a line that went and came back before this look.
    changes.errors = ErrorsBetween(counters_, now, parity_.Check());
    changes.brk = now.brk != counters_.brk;
    changes.ring = now.ring != counters_.ring;
    changes.cts = now.cts != counters_.cts || lines.cts != modemLines_.cts;
    changes.dsr = now.dsr != counters_.dsr || lines.dsr != modemLines_.dsr;
    changes.rlsd = now.rlsd != counters_.rlsd || lines.rlsd != modemLines_.rlsd;
    changes.lines = lines;
    counters_ = now;
    modemLines_ = lines;
    return changes;
}

int TComPort::BytesWaiting()
{
    int count = 0;
    if (::ioctl(fd_, FIONREAD, &count) != 0)
        FailTransfer(10, errno);
    return count;
}

void TComPort::ReportInitialModemLines()
{
    TModemLines lines;
    if (const int error = QueryModemLines(fd_, lines))
        throw EComPort(11, error);
    modemLines_ = lines;
    RaiseModemLines(lines);
}

void TComPort::RaiseModemLines(const TModemLines& lines) const
{
    if (OnCTSChange)
        OnCTSChange(lines.cts);
    if (OnDSRChange)
        OnDSRChange(lines.dsr);
    if (OnRLSDChange)
        OnRLSDChange(lines.rlsd);
}
