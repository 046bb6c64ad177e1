// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortLock.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The lock files this process holds, with how many takes share each. Never
// destroyed: a port closed by a static destructor may still release.
struct HeldLocks {
    std::mutex mutex;
    std::map<QString, int> takes;
};

void ReleaseAllAtExit() { ReleaseAllPortLocks(); }

HeldLocks& Held()
{
    static HeldLocks* const held = [] {
        auto* made = new HeldLocks;
        std::atexit(ReleaseAllAtExit);
        return made;
    }();
    return *held;
}

// /run/lock is everyone's: a "lock" there may be a FIFO or a link to one,
// that a plain open would wait on for ever. Only a regular file is read.
QByteArray ReadSmallFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QByteArray();
    QByteArray text;
    struct stat facts {};
    if (::fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode)) {
        text.resize(4096);
        const ssize_t got = ::read(fd, text.data(), size_t(text.size()));
        text.resize(got > 0 ? qsizetype(got) : 0);
    }
    ::close(fd);
    return text;
}

// A process that is gone is the only sure sign of a stale lock; one we may
// not signal (EPERM) is alive.
bool Alive(pid_t pid) { return ::kill(pid, 0) == 0 || errno != ESRCH; }

void RemoveIfOurs(const QString& path)
{
    // A forked child leaving by exit() must not take its parent's lock along.
    if (PidInLock(ReadSmallFile(path)) == ::getpid())
        ::unlink(QFile::encodeName(path).constData());
}

// Our lock's text in a file of its own beside the lock, to be linked into
// place: link() either makes the lock whole or fails, so no other program
// ever reads a half-written one. Empty when the folder takes no file.
QString WriteTemporaryLock(const QString& folder)
{
    static int made = 0;
    const QString path = QStringLiteral("%1/LTMP.%2.%3").arg(folder).arg(::getpid()).arg(++made);
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return QString();
    const QByteArray text = LockText(::getpid());
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    if (!written) {
        ::unlink(QFile::encodeName(path).constData());
        return QString();
    }
    return path;
}

enum class Linked { Taken, Busy, Failed };

// Links the temporary lock into place, taking over a stale lock once.
Linked LinkLock(const QString& temporary, const QString& path)
{
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(path);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::link(from.constData(), to.constData()) == 0)
            return Linked::Taken;
        if (errno != EEXIST)
            return Linked::Failed;
        const pid_t holder = PidInLock(ReadSmallFile(path));
        if (holder > 0 && holder != ::getpid() && Alive(holder))
            return Linked::Busy;
        // Another user's stale lock in a sticky folder stays: on without one.
        if (::unlink(to.constData()) != 0 && errno != ENOENT)
            return Linked::Failed;
    }
    return Linked::Busy;
}

QString Unescaped(const QString& instance)
{
    QByteArray bytes;
    const QByteArray text = instance.toUtf8();
    for (qsizetype at = 0; at < text.size(); ++at) {
        bool hex = false;
        if (text[at] == '\\' && at + 3 < text.size() && text[at + 1] == 'x') {
            const int value = text.mid(at + 2, 2).toInt(&hex, 16);
            if (hex) {
                bytes += char(value);
                at += 3;
                continue;
            }
        }
        bytes += text[at];
    }
    return QString::fromUtf8(bytes);
}

} // namespace

QString LockFilePath(const QString& device, const QString& folder)
{
    const QString real = QFileInfo(device).canonicalFilePath();
    return folder + QStringLiteral("/LCK..") + QFileInfo(real.isEmpty() ? device : real).fileName();
}

QByteArray LockText(pid_t pid) { return QByteArray::number(pid).rightJustified(10, ' ') + '\n'; }

pid_t PidInLock(const QByteArray& text)
{
    bool number = false;
    const int pid = text.trimmed().toInt(&number);
    return number && pid > 0 ? pid_t(pid) : 0;
}

pid_t LockHolderOf(const QString& device, const QString& folder)
{
    const pid_t pid = PidInLock(ReadSmallFile(LockFilePath(device, folder)));
    return pid > 0 && pid != ::getpid() && Alive(pid) ? pid : 0;
}

LockHolder DescribeLockHolder(pid_t pid)
{
    LockHolder holder;
    holder.pid = pid;
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    for (const QByteArray& argument : ReadSmallFile(proc + QStringLiteral("cmdline")).split('\0'))
        if (!argument.isEmpty())
            holder.arguments << QString::fromLocal8Bit(argument);
    holder.cgroup = QString::fromLocal8Bit(ReadSmallFile(proc + QStringLiteral("cgroup")));
    return holder;
}

QString BridgeInstanceOf(const QString& cgroup)
{
    static const QRegularExpression unit(QStringLiteral("/whirlbeam-mqtt@([^/]+)\\.service(?:/|$)"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = unit.match(cgroup);
    return match.hasMatch() ? Unescaped(match.captured(1)) : QString();
}

int PortLock::Take(const QString& device, const QString& folder)
{
    Release();
    const QString path = LockFilePath(device, folder);
    HeldLocks& held = Held();
    const std::lock_guard guard(held.mutex);
    if (auto shared = held.takes.find(path); shared != held.takes.end()) {
        ++shared->second;
        path_ = path;
        return 0;
    }
    const QString temporary = WriteTemporaryLock(folder);
    if (temporary.isEmpty())
        return 0; // no lock folder we may write: on without a lock
    const Linked linked = LinkLock(temporary, path);
    ::unlink(QFile::encodeName(temporary).constData());
    if (linked == Linked::Busy)
        return EBUSY;
    if (linked == Linked::Taken) {
        held.takes[path] = 1;
        path_ = path;
    }
    return 0;
}

void PortLock::Release()
{
    if (path_.isEmpty())
        return;
    HeldLocks& held = Held();
    const std::lock_guard guard(held.mutex);
    if (auto shared = held.takes.find(path_); shared != held.takes.end() && --shared->second == 0) {
        held.takes.erase(shared);
        RemoveIfOurs(path_);
    }
    path_.clear();
}

void ReleaseAllPortLocks()
{
    HeldLocks& held = Held();
    const std::lock_guard guard(held.mutex);
    for (const auto& [path, takes] : std::exchange(held.takes, {}))
        RemoveIfOurs(path);
}
