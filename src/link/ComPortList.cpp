// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPort.h"

#include <QFile>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A tty with a device behind it is a serial port, unless the serial core
// found no UART at the port's address (type 0, "unknown").
bool IsSerialDevice(const fs::path& tty)
{
    std::error_code error;
    if (!fs::exists(tty / "device", error))
        return false;
    QFile type(QString::fromStdString((tty / "type").string()));
    if (!type.open(QIODevice::ReadOnly))
        return true;
    return type.readAll().trimmed() != "0";
}

} // namespace

QStringList TComPort::EnumComPorts(const QString& ttyClassDir)
{
    std::error_code error;
    fs::directory_iterator entry(ttyClassDir.toStdString(), error);
    QStringList ports;
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        if (IsSerialDevice(entry->path()))
            ports << QString::fromStdString(entry->path().filename().string());
    }
    if (error)
        throw EComPort(23, error.value());
    ports.sort(Qt::CaseInsensitive);
    return ports;
}
