// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// What udev knows of a serial port, for people choosing one: its maker,
// its model, its serial number and the /dev/serial/by-id/... names that
// stay the same when the adapter is plugged in again.
struct PortDescription {
    QString vendor;
    QString model;
    QString serial;
    QStringList byIdLinks;

    bool IsEmpty() const { return vendor.isEmpty() && model.isEmpty() && serial.isEmpty() && byIdLinks.isEmpty(); }
    // "FTDI FT232R USB UART, serial A600ABCD, /dev/serial/by-id/usb-FTDI_..."; empty when nothing is known.
    QString Text() const;
};

// From the properties udev keeps of a tty: ID_VENDOR_FROM_DATABASE or
// ID_VENDOR and ID_MODEL_FROM_DATABASE or ID_MODEL (underscores read as
// blanks), ID_SERIAL_SHORT, and the by-id names among DEVLINKS.
PortDescription DescribeUdevProperties(const QHash<QByteArray, QByteArray>& properties);

// What udev's database knows of a port: a name Open takes (COM1, ttyUSB0,
// /dev/ttyACM0, a by-id link). Read through libudev; the port is not opened.
// Empty where udev knows nothing (no udev daemon, a pseudo terminal).
PortDescription DescribePort(const QString& port);
