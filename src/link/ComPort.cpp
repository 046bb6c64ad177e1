#include "link/ComPort.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int kWriteTotalConstant = 1000;
constexpr int kWriteTotalMultiplier = 100;

} // namespace

TComPort::TComPort() = default;

TComPort::~TComPort()
{
    try {
        Close();
    } catch (const EComPort&) {
        // Nothing can be reported while the window goes away.
    }
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

void TComPort::SetPort(const QString& port)
{
    if (port == port_)
        return;
    const bool reopen = Connected();
    if (reopen)
        Close();
    port_ = port;
    if (reopen)
        Open();
}

void TComPort::Open()
{
    if (Connected())
        return;
    Raise(OnBeforeOpen);
    const QByteArray path = DevicePath(port_).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EComPort(1, errno);
    // TIOCEXCL keeps other users out, but root passes it; the lock does not.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::tcgetattr(fd, &saved_) != 0) {
        const int error = errno;
        ::close(fd);
        throw EComPort(1, error);
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    try {
        ApplyLineSettings();
    } catch (const EComPort&) {
        ::close(fd_);
        fd_ = -1;
        throw;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
    Raise(OnAfterOpen);
}

void TComPort::ApplyLineSettings()
{
    termios tio = saved_;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CRTSCTS | CSTOPB | PARENB);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
        throw EComPort(7, errno);
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines); // a pty has no modem lines; that is fine
}

void TComPort::Close()
{
    if (!Connected())
        return;
    Raise(OnBeforeClose);
    notifier_.reset();
    ::tcflush(fd_, TCIOFLUSH);
    ::tcsetattr(fd_, TCSANOW, &saved_);
    ::close(fd_);
    fd_ = -1;
    Raise(OnAfterClose);
}

int TComPort::BytesWaiting() const
{
    int count = 0;
    if (::ioctl(fd_, FIONREAD, &count) != 0)
        throw EComPort(10, errno);
    return count;
}

void TComPort::OnReadable()
{
    const int count = BytesWaiting();
    if (count > 0) {
        if (OnRxChar)
            OnRxChar(count);
        return;
    }
    // Readable with nothing to read: the other end hung up.
    Close();
}

int TComPort::ReadText(QByteArray& text, int count)
{
    text.clear();
    if (count <= 0 || !Connected())
        return 0;
    text.resize(count);
    const ssize_t n = ::read(fd_, text.data(), size_t(count));
    if (n < 0 && errno != EAGAIN) {
        const int error = errno;
        text.clear();
        throw EComPort(3, error);
    }
    text.resize(n < 0 ? 0 : n);
    return int(text.size());
}

int TComPort::WriteText(const QByteArray& text)
{
    if (text.isEmpty() || !Connected())
        return 0;
    QElapsedTimer clock;
    clock.start();
    const qint64 limit = kWriteTotalConstant + kWriteTotalMultiplier * text.size();
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd_, text.constData() + written, size_t(text.size() - written));
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            throw EComPort(2, errno);
        const qint64 left = limit - clock.elapsed();
        if (left <= 0)
            break;
        pollfd pfd{fd_, POLLOUT, 0};
        ::poll(&pfd, 1, int(left));
    }
    return int(written);
}

void TComPort::ReadSettings(TSettingsStore, const QString&)
{
    // The settings file is not read yet; the built-in settings stay.
}

void TComPort::WriteSettings(TSettingsStore, const QString&)
{
}
