// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/PtyClock.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int kReadChunk = 256;
// A panel that is not reading leaves replies in the slave's input queue; a
// wire would lose them, so this much unread output is thrown away before it
// could fill the queue and block the clock.
constexpr int kMaxUnreadBytes = 2048;

// A character's time on the line as the panel set it up on its end (the
// pty's two ends share it): a start bit, the data bits, a parity bit if
// any and the stop bits, at the line's speed.
Micros CharacterTime(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return Micros(0);
    const speed_t speed = cfgetospeed(&tio);
    static const std::pair<speed_t, int> kSpeeds[] = {{B110, 110}, {B300, 300}, {B600, 600}, {B1200, 1200},
        {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200}, {B38400, 38400}, {B57600, 57600},
        {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600}};
    int bitsPerSecond = 0;
    for (const auto& [code, value] : kSpeeds)
        if (code == speed)
            bitsPerSecond = value;
    const int dataBits = (tio.c_cflag & CSIZE) == CS5 ? 5 : (tio.c_cflag & CSIZE) == CS6 ? 6 : (tio.c_cflag & CSIZE) == CS7 ? 7 : 8;
    const int bits = 1 + dataBits + ((tio.c_cflag & PARENB) ? 1 : 0) + ((tio.c_cflag & CSTOPB) ? 2 : 1);
    return SerialLineTime(1, bits, bitsPerSecond);
}

bool MakeRaw(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

// Only a symbolic link is ever replaced or removed: the path may be
// mistyped. Empty, or why the link was not made.
QString MakeLink(const QString& linkPath, const QString& target)
{
    const QByteArray path = QFile::encodeName(linkPath);
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        if (::unlink(path.constData()) != 0)
            return QStringLiteral("cannot replace the link %1: %2").arg(linkPath, QString::fromLocal8Bit(std::strerror(errno)));
    } else if (existing.exists()) {
        return QStringLiteral("%1 exists and is not a symbolic link; only a link is ever replaced").arg(linkPath);
    }
    if (::symlink(QFile::encodeName(target).constData(), path.constData()) != 0)
        return QStringLiteral("cannot make the link %1: %2").arg(linkPath, QString::fromLocal8Bit(std::strerror(errno)));
    return QString();
}

void RemoveLink(const QString& linkPath, const QString& target)
{
    const QFileInfo link(linkPath);
    if (link.isSymLink() && link.symLinkTarget() == target)
        QFile::remove(linkPath);
}
} // namespace

PtyClock::PtyClock(const ClockPeerOptions& options, ClockPeer::TimeSource now, QObject* parent)
    : QObject(parent)
    , peer_(options, std::move(now), this)
{
    connect(&peer_, &ClockPeer::ReplyReady, this, &PtyClock::WriteLine);
}

PtyClock::~PtyClock()
{
    HangUp();
}

bool PtyClock::Open()
{
    if (IsOpen())
        return true;
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0)
        return Fail(QStringLiteral("posix_openpt"));
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return Fail(QStringLiteral("grantpt/unlockpt"));
    char name[128] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0)
        return Fail(QStringLiteral("ptsname"));
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0 || !MakeRaw(slave_))
        return Fail(QStringLiteral("open %1").arg(QString::fromLocal8Bit(name)));
    slavePath_ = QString::fromLocal8Bit(name);
    if (!linkPath_.isEmpty())
        if (const QString failure = MakeLink(linkPath_, slavePath_); !failure.isEmpty()) {
            HangUp();
            error_ = failure;
            return false;
        }
    // A child, so a move to another thread takes it along.
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read, this);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &PtyClock::OnMasterReadable);
    return true;
}

bool PtyClock::Fail(const QString& what)
{
    error_ = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    HangUp();
    return false;
}

void PtyClock::HangUp()
{
    notifier_.reset();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = -1;
    slave_ = -1;
    // After the hang-up, as udev removes an adapter's links only after the
    // kernel has taken its node away.
    if (!linkPath_.isEmpty() && !slavePath_.isEmpty())
        RemoveLink(linkPath_, slavePath_);
}

void PtyClock::OnMasterReadable()
{
    char buffer[kReadChunk];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count > 0) {
        peer_.SetCharacterTime(CharacterTime(master_));
        peer_.FeedSerial(QByteArray(buffer, count));
        return;
    }
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // With our own slave descriptor open this does not happen; should it, a
    // notifier left on would fire without end.
    notifier_->setEnabled(false);
}

void PtyClock::WriteLine(const QByteArray& line)
{
    if (!IsOpen())
        return;
    DiscardUnreadOutput();
    const QByteArray bytes = line + "\r\n";
    // A full queue loses the line, as a wire would.
    [[maybe_unused]] const ssize_t written = ::write(master_, bytes.constData(), size_t(bytes.size()));
}

void PtyClock::DiscardUnreadOutput()
{
    int unread = 0;
    if (::ioctl(slave_, FIONREAD, &unread) == 0 && unread > kMaxUnreadBytes)
        ::tcflush(slave_, TCIFLUSH);
}
