// SPDX-License-Identifier: GPL-3.0-or-later
// The clock model takes every reply line the peer sends, one after the
// other. Invariants: no crash or undefined behaviour; the alarm count is the
// last configuration's, whatever else came; an alarm row keeps its number;
// the hour figures are bytes; no more RC5 packets are kept than the bound;
// forgetting leaves nothing of the clock but the session's count and read.

#include "clock/ClockModel.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray stream(reinterpret_cast<const char*>(data), qsizetype(size));
    ClockModel model;
    std::optional<int> lastCount;
    for (const QByteArray& line : stream.split('\n')) {
        model.Take(line);
        if (line.startsWith('O'))
            if (const auto count = DecodeConfig(line).alarmCount)
                lastCount = count;
    }
    const ClockFacts& facts = model.Facts();
    Check(facts.alarmCount == lastCount.value_or(0));
    for (int row = 0; row < ClockFacts::kAlarmRows; ++row)
        Check(facts.alarms[size_t(row)].row == QByteArray::number(row).rightJustified(2, '0'));
    for (const int figure : facts.hourFigures)
        Check(figure >= 0 && figure <= 0xFF);
    Check(facts.rc5Packets.size() <= ClockFacts::kRc5Packets);

    model.Forget();
    Check(!model.Facts().status.flags && !model.Facts().date.date && model.Facts().rc5Packets.isEmpty());
    Check(model.Facts().alarmCount == lastCount.value_or(0));
    return 0;
}
