// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Sensors.h"

#include "protocol/ProtocolBits.h"
#include "protocol/commands/Fields.h"

#include <QtGlobal>

namespace {
QByteArray SignedByte(int value)
{
    return HexField(value & 0xFF, 2);
}

int Offset(int value)
{
    return qBound(-kMaxSensorOffset, value, kMaxSensorOffset);
}
} // namespace

Sensors::Sensors(quint32 seed)
    : random_(seed)
{
}

void Sensors::Drift()
{
    light_ = Wander(light_, 4, 0, 255);
    temperature_ = Wander(temperature_, 1, 15, 28);
    humidity_ = Wander(humidity_, 1, 30, 70);
    pressure_ = Wander(pressure_, 1, 980, 1040);
}

int Sensors::Wander(int value, int step, int low, int high)
{
    return qBound(low, value + random_.bounded(-step, step + 1), high);
}

void Sensors::SetOffsets(int select, int temperature, int humidity, int pressure)
{
    if (select & kTemperatureOffsetSelect)
        temperatureOffset_ = Offset(temperature);
    if (select & kHumidityOffsetSelect)
        humidityOffset_ = Offset(humidity);
    if (select & kPressureOffsetSelect)
        pressureOffset_ = Offset(pressure);
}

QByteArray Sensors::MeasurementFields() const
{
    return HexField(light_, 2) + SignedByte(temperature_ + temperatureOffset_)
        + HexField(qBound(0, humidity_ + humidityOffset_, 100), 2)
        + HexField(pressure_ + pressureOffset_, 4);
}

QByteArray Sensors::OffsetFields() const
{
    return SignedByte(temperatureOffset_) + SignedByte(humidityOffset_) + SignedByte(pressureOffset_);
}
