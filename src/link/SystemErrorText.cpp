// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SystemErrorText.h"

#include "link/ComPort.h"
#include "link/PortDescription.h"
#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

namespace {

// The context of this file's texts for translation.
struct SystemErrorTexts {
    Q_DECLARE_TR_FUNCTIONS(SystemErrorTexts)
};

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool NoDevice(int error) { return error == ENOENT || error == ENODEV || error == ENXIO || error == EIO; }

QString NoPermission(const QString& path, const DeviceFacts& facts)
{
    if (facts.groupMayUse && !facts.ownerGroup.isEmpty() && facts.ownerGroup != QLatin1String("root"))
        return SystemErrorTexts::tr("%1 belongs to the group %2. Add yourself to it with: "
                              "sudo usermod -aG %2 $USER, then log in again.")
            .arg(path, facts.ownerGroup);
    if (!facts.ownerUser.isEmpty())
        return SystemErrorTexts::tr("Only the user %1 may open %2.").arg(facts.ownerUser, path);
    return SystemErrorTexts::tr("You may not open %1.").arg(path);
}

bool IsBusy(int error) { return error == EBUSY || error == EWOULDBLOCK; }

QString ProgramName(const LockHolder& holder)
{
    return holder.arguments.isEmpty() ? QString() : QFileInfo(holder.arguments.first()).fileName();
}

bool IsBridge(const LockHolder& holder)
{
    return ProgramName(holder) == QLatin1String("whirlbeamctl") && holder.arguments.contains(QLatin1String("mqtt"));
}

// The bridge is told how to stop it the way it was started: as a service
// or as a process of its own.
QString BridgeInUse(const LockHolder& holder)
{
    const QString instance = BridgeInstanceOf(holder.cgroup);
    const QString stop = instance.isEmpty() ? QStringLiteral("kill %1").arg(holder.pid)
                                            : QStringLiteral("systemctl stop whirlbeam-mqtt@") + instance;
    return SystemErrorTexts::tr("The clock is in use by whirlbeamctl mqtt (process %1); stop it with: %2")
        .arg(holder.pid)
        .arg(stop);
}

QString InUse(const QString& path, const LockHolder& holder)
{
    if (holder.pid <= 0 || holder.arguments.isEmpty())
        return SystemErrorTexts::tr("%1 is in use by another program.").arg(path);
    if (IsBridge(holder))
        return BridgeInUse(holder);
    return SystemErrorTexts::tr("%1 is in use by %2 (process %3).").arg(path, ProgramName(holder)).arg(holder.pid);
}

QString OpeningPort(int error, const QString& path, const DeviceFacts& facts)
{
    if (error == EACCES || error == EPERM)
        return NoPermission(path, facts);
    if (IsBusy(error))
        return InUse(path, facts.lockHolder);
    if (NoDevice(error)) {
        const QString found = facts.serialPorts.isEmpty() ? SystemErrorTexts::tr("none")
                                                          : facts.serialPorts.join(QStringLiteral(", "));
        return SystemErrorTexts::tr("No device %1. Serial ports found: %2.").arg(path, found);
    }
    return QStringLiteral("%1: %2.").arg(path, SystemText(error));
}

QString OpenPort(int error, const QString& path)
{
    if (NoDevice(error))
        return SystemErrorTexts::tr("The device is gone (unplugged?). Plug it in again and press Open.");
    return QStringLiteral("%1: %2.").arg(path, SystemText(error));
}

// The reason alone; the message above it already names the file.
QString File(int error, const DeviceFacts& facts)
{
    if (error == ENOENT)
        return facts.folderExists ? SystemErrorTexts::tr("No such file") : SystemErrorTexts::tr("No such folder");
    return SystemText(error);
}

QString UserName(uid_t uid)
{
    const passwd* user = ::getpwuid(uid);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(uid);
}

QString GroupName(gid_t gid)
{
    const group* entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

} // namespace

QString ExplainSystemError(int error, const QString& path, ErrorSite site, const DeviceFacts& facts)
{
    if (error <= 0)
        return QString();
    switch (site) {
    case ErrorSite::OpeningPort: return OpeningPort(error, path, facts);
    case ErrorSite::OpenPort: return OpenPort(error, path);
    case ErrorSite::PortList:
        return SystemErrorTexts::tr("The list of serial ports (%1) could not be read: %2.").arg(path, SystemText(error));
    case ErrorSite::File: return File(error, facts);
    }
    return QString();
}

QString ExplainSystemError(int error, const QString& path, ErrorSite site)
{
    return ExplainSystemError(error, path, site, FactsAbout(path, site, error));
}

DeviceFacts FactsAbout(const QString& path, ErrorSite site, int error)
{
    DeviceFacts facts;
    struct stat node {};
    facts.exists = ::stat(QFile::encodeName(path).constData(), &node) == 0;
    if (facts.exists) {
        facts.ownerUser = UserName(node.st_uid);
        facts.ownerGroup = GroupName(node.st_gid);
        facts.groupMayUse = (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    }
    facts.folderExists = QFileInfo(path).absoluteDir().exists();
    if (site == ErrorSite::OpeningPort && IsBusy(error)) {
        if (const pid_t holder = LockHolderOf(path))
            facts.lockHolder = DescribeLockHolder(holder);
    }
    if (site == ErrorSite::OpeningPort && NoDevice(error)) {
        try {
            for (const QString& port : TComPort::EnumComPorts()) {
                const QString known = DescribePort(port).Text();
                facts.serialPorts << (known.isEmpty() ? port : QStringLiteral("%1 (%2)").arg(port, known));
            }
        } catch (const EComPort&) {
            // The sentence then says that none were found.
        }
    }
    return facts;
}

QString PortErrorText(const EComPort& error, const QString& device)
{
    const ErrorSite site = error.Code() == EComPort::kRegistryError ? ErrorSite::PortList
        : error.Code() == EComPort::kOpenFailed                     ? ErrorSite::OpeningPort
                                                                    : ErrorSite::OpenPort;
    const QString explanation
        = ExplainSystemError(error.WinCode(), site == ErrorSite::PortList ? TComPort::kTtyClassDir : device, site);
    return explanation.isEmpty() ? error.Message() : error.Message() + QLatin1Char('\n') + explanation;
}
