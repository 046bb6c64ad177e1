// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/PeripheralReplies.h"

#include "protocol/replies/ReplyFields.h"

QByteArray Rc5PacketRecord::HistoryLine() const { return "Addr: " + address + " Cmd: " + command; }

Rc5PacketRecord DecodeRc5Packet(const QByteArray& line)
{
    const ReplyFields fields(line);
    return {fields.Text(2, 2), fields.Text(4, 2)};
}

MeasurementRecord DecodeMeasurement(const QByteArray& line)
{
    const ReplyFields fields(line);
    MeasurementRecord record;
    if (!(record.light = fields.Hex(2, 2)))
        return record;
    if (!(record.temperature = fields.SignedHex(4)))
        return record;
    if (!(record.humidity = fields.Hex(6, 2)))
        return record;
    const auto high = fields.Hex(8, 2);
    const auto low = fields.Hex(10, 2);
    if (high && low)
        record.airPressure = *high * 256 + *low;
    return record;
}

SensorOffsetRecord DecodeSensorOffset(const QByteArray& line)
{
    const ReplyFields fields(line);
    SensorOffsetRecord record;
    if (!(record.temperature = fields.SignedHex(4)))
        return record;
    if (!(record.humidity = fields.SignedHex(6)))
        return record;
    record.pressure = fields.SignedHex(8);
    return record;
}
