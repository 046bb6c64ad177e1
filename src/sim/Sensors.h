// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// The clock's light, temperature, humidity and air-pressure sensors. The
// readings wander slowly inside plausible ranges; the clock adds its
// correction offsets before it reports them.
class Sensors {
public:
    explicit Sensors(quint32 seed);

    void Drift();
    // Each offset whose select bit is set is taken, limited to +-kMaxSensorOffset.
    void SetOffsets(int select, int temperature, int humidity, int pressure);

    // Light, signed temperature, humidity, pressure (4 hex digits): the
    // fields after the backslash of the measurement reply.
    QByteArray MeasurementFields() const;
    // The three offsets as signed hex bytes.
    QByteArray OffsetFields() const;

private:
    int Wander(int value, int step, int low, int high);

    QRandomGenerator random_;
    int light_ = 140;
    int temperature_ = 21;
    int humidity_ = 45;
    int pressure_ = 1013;
    int temperatureOffset_ = 0;
    int humidityOffset_ = 0;
    int pressureOffset_ = 0;
};
