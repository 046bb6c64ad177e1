// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/PeripheralReplies.h"
#include "protocol/replies/StatusReplies.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What "status" reads of a clock, decoded as far as each reply could be.
struct ClockStatus {
    QString device;
    IdentificationRecord identification;
    VersionRecord version;
    ConfigRecord config;
    DateRecord date;
    std::optional<QTime> time;
    WhirlbeamStatusRecord whirlbeam;
    RelayRecord relay;
    MeasurementRecord sensors;
};

// A few aligned lines for people; a value that could not be read shows "?".
QString StatusText(const ClockStatus& status);
// One JSON object; a value that could not be read is null.
QByteArray StatusJson(const ClockStatus& status);
