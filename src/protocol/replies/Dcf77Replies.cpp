// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/Dcf77Replies.h"

#include "protocol/replies/ReplyFields.h"

namespace {

// Units nibble at unitsShift, then binary-weighted tens bits above it.
int Digits(int byte, int unitsShift, std::initializer_list<int> tensWeights)
{
    int value = (byte >> unitsShift) & 0x0F;
    int bit = unitsShift + 4;
    for (const int weight : tensWeights) {
        if (byte & (1 << bit))
            value += weight;
        ++bit;
    }
    return value;
}

} // namespace

Dcf77StateRecord DecodeDcf77State(const QByteArray& line)
{
    const ReplyFields fields(line);
    Dcf77StateRecord record;
    if (!(record.total = fields.Hex(2, 2)))
        return record;
    record.year = fields.Text(4, 2);
    const auto m = fields.Hex(6, 2);
    if (!m)
        return record;
    // Bits 0..2 weekday, 3..6 units, 7 the tens.
    record.month = Digits(*m, 3, {10});
    const auto d = fields.Hex(8, 2);
    if (!d)
        return record;
    record.day = {Digits(*d, 2, {10, 20}), (*d & 0x01) != 0, (*d & 0x02) != 0};
    record.weekday = *m & 0x07;
    const auto h = fields.Hex(10, 2);
    if (!h)
        return record;
    record.hour = {Digits(*h, 2, {10, 20}), (*h & 0x01) != 0, (*h & 0x02) != 0};
    const auto n = fields.Hex(12, 2);
    if (!n)
        return record;
    record.minute = {Digits(*n, 1, {10, 20, 40}), (*n & 0x01) != 0};
    record.lastHour = fields.Hex(14, 2);
    return record;
}

std::optional<int> MemoryReadRecord::Hour() const
{
    if (!address || *address < kFirstStatistics || *address > kLastStatistics)
        return std::nullopt;
    return *address - kFirstStatistics;
}

MemoryReadRecord DecodeMemoryRead(const QByteArray& line)
{
    const ReplyFields fields(line);
    MemoryReadRecord record;
    const auto high = fields.Hex(2, 2);
    const auto low = fields.Hex(4, 2);
    if (!high || !low)
        return record;
    record.address = *high << 8 | *low;
    if (record.Hour())
        record.data = fields.Hex(6, 2);
    return record;
}
