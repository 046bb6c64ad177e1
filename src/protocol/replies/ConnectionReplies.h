// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// The replies that identify the clock and steer the connection.

struct IdentificationRecord {
    bool recognised = false; // begins with "Pelk", letter case included
    QByteArray line;
};
IdentificationRecord DecodeIdentification(const QByteArray& line);

struct VersionRecord {
    std::optional<int> major;  // nullopt: not a number, nothing changes
    QByteArray text;           // the line without its letter
    bool Valid() const { return major && *major >= 3; }
};
VersionRecord DecodeVersion(const QByteArray& line);

struct ConfigRecord {
    std::optional<int> alarmCount;   // nullopt: nothing at all changes
    QByteArray selfAddress;          // the clock's RC5 address, as sent
    // The chip name to append to the identification ("" for an unknown
    // chip code); nullopt when a chip code is there but is not a number.
    std::optional<QByteArray> chipName;
};
ConfigRecord DecodeConfig(const QByteArray& line);
