// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/PortLock.h"

#include <QString>
#include <QStringList>

class EComPort;

// Where a system error was met: the same errno means something else when a
// port is being opened, when an open port fails, when the list of ports is
// read, and when a file is saved or read.
enum class ErrorSite { OpeningPort, OpenPort, PortList, File };

// What the explanation needs to know of the machine besides the errno.
struct DeviceFacts {
    bool exists = false;
    QString ownerUser;       // the node's owner, by name
    QString ownerGroup;      // the node's group, by name
    bool groupMayUse = false; // the group may read and write the node
    bool folderExists = true; // the folder a file would be saved in
    QStringList serialPorts; // the machine's serial ports, as the port list gives them, each with what udev knows of it
    LockHolder lockHolder;   // the live process whose lock file holds the device (pid 0: none)
};

// One plain sentence for the user, shown under the error's own message:
// what went wrong with the device or file at path and what to do about it.
// Empty when there is nothing to add.
QString ExplainSystemError(int error, const QString& path, ErrorSite site, const DeviceFacts& facts);

// The same, with the facts read from the machine.
QString ExplainSystemError(int error, const QString& path, ErrorSite site);

// The facts about path on this machine; the port list only where it is
// needed (opening a port that is not there).
DeviceFacts FactsAbout(const QString& path, ErrorSite site, int error);

// What the error box says of the serial port's error: the port's own
// message as it stands and, on a line under it where there is something to
// add, the plain sentence for the port's device.
QString PortErrorText(const EComPort& error, const QString& device);
