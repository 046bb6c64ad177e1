// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads a reply line the way the window does: by its kind, with that kind's
// decoder only, through the reply table. Shared by the targets that take
// reply lines from outside and from the simulated clock. Aborts when a record
// holds a field after one that failed, since the window applies records step
// by step and stops at the first missing field, and when a record breaks a
// rule of its own kind.

#include "protocol/replies/ReplyTable.h"

#include <cstdlib>

namespace fuzz {

inline void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Whether every field is there; aborts on a field after a missing one.
inline bool InStepOrder(const QList<bool>& present)
{
    bool missing = false;
    for (const bool field : present) {
        Check(!(field && missing));
        missing = missing || !field;
    }
    return !missing;
}

inline void InRange(const std::optional<int>& field, int low, int high)
{
    Check(!field || (*field >= low && *field <= high));
}

// The rules a record keeps beyond its step order.
struct RecordRules {
    const QByteArray& line;

    // The packet's fields are the line's own characters at their places.
    void operator()(const Rc5PacketRecord& packet) const
    {
        Check(packet.HistoryLine() == "Addr: " + line.mid(1, 2) + " Cmd: " + line.mid(3, 2));
    }
    void operator()(const MeasurementRecord& r) const
    {
        InRange(r.light, 0, 255);
        InRange(r.temperature, -128, 127);
        InRange(r.humidity, 0, 255);
        InRange(r.airPressure, 0, 65535);
    }
    void operator()(const SensorOffsetRecord& r) const
    {
        for (const auto& offset : {r.temperature, r.humidity, r.pressure})
            InRange(offset, -128, 127);
    }
    // The data byte is read for the statistics addresses only.
    void operator()(const MemoryReadRecord& r) const { Check(!r.data || r.Hour()); }
    template <typename Record> void operator()(const Record&) const {}
};

// How far the decoder of the line's kind read it.
enum class Reading { NoKind, Partly, Whole };

inline Reading ReadByKind(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    if (!row)
        return Reading::NoKind;
    const ReplyRecord record = row->decode(line);
    std::visit(RecordRules{line}, record);
    Check(!row->describe(record, WordsFor::Scripts).isEmpty());
    Check(!row->describe(record, WordsFor::People).isEmpty());
    row->fields(record);
    return InStepOrder(row->fieldsRead(record)) ? Reading::Whole : Reading::Partly;
}

} // namespace fuzz
