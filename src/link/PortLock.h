// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

// The folder where serial programs leave their lock files.
inline const QString kLockFolder = QStringLiteral("/run/lock");

// The lock file of a device, named as serial programs name it: LCK.. and
// the basename of the real device, symlinks (by-id names) resolved, so that
// every name of one device meets the same lock.
QString LockFilePath(const QString& device, const QString& folder);

// A lock file's text: the PID as ten characters right-aligned and a newline.
QByteArray LockText(pid_t pid);

// The PID a lock file's text names; 0 when it names none.
pid_t PidInLock(const QByteArray& text);

// The live process holding the device's lock file, or 0 (no lock, a stale
// one, or our own).
pid_t LockHolderOf(const QString& device, const QString& folder = kLockFolder);

// A process holding a lock, as its error message describes it.
struct LockHolder {
    pid_t pid = 0;
    QStringList arguments; // its command line, empty when unreadable
    QString cgroup;        // its /proc/PID/cgroup
};

// What is known of the process pid (its command line and cgroup).
LockHolder DescribeLockHolder(pid_t pid);

// The instance of the bridge's service a process's cgroup names
// (".../whirlbeam-mqtt@NAME.service"), unescaped as systemd escapes it;
// empty when the line names no such unit.
QString BridgeInstanceOf(const QString& cgroup);

// One device's lock file, held from Take until Release or destruction.
// Two takes of one device in one process share the file: the USB link
// opens its device twice, for reading and for writing.
class PortLock {
public:
    PortLock() = default;
    ~PortLock() { Release(); }
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;

    // 0 when the lock is taken or there is no lock folder to take it in;
    // EBUSY when another live process holds the device.
    int Take(const QString& device, const QString& folder = kLockFolder);
    void Release();

private:
    QString path_;
};

// Removes every lock file this process holds; for the way out by a signal,
// where no destructor runs. Normal exits (return from main, exit()) remove
// them by themselves.
void ReleaseAllPortLocks();
