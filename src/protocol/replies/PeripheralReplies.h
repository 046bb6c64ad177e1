// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// The replies of the clock's RC5 receiver and its sensors. Each record holds
// the fields in the order the window applies them; the first field that
// failed and everything after it are nullopt.

// An RC5 packet as the clock sent it; nothing is converted, so a short line
// only gives short or empty fields.
struct Rc5PacketRecord {
    QByteArray address;
    QByteArray command;

    // The packet's line in the received-packet history.
    QByteArray HistoryLine() const;
};
Rc5PacketRecord DecodeRc5Packet(const QByteArray& line);

struct MeasurementRecord {
    std::optional<int> light;
    std::optional<int> temperature; // whole degrees Celsius, -128..127
    std::optional<int> humidity;
    std::optional<int> airPressure; // hectopascals, sent high byte first
};
MeasurementRecord DecodeMeasurement(const QByteArray& line);

// The correction offsets the clock holds, as signed bytes.
struct SensorOffsetRecord {
    std::optional<int> temperature;
    std::optional<int> humidity;
    std::optional<int> pressure;
};
SensorOffsetRecord DecodeSensorOffset(const QByteArray& line);
