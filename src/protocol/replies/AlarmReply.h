// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

#include <QByteArray>
#include <optional>

// One alarm as the clock holds it ("K" after writing it, "L" after a read).
// Fields in the order the window applies them; the first that failed and
// everything after it are nullopt.
struct AlarmRecord {
    static constexpr int kRows = kAlarmRows;

    std::optional<int> row;       // nullopt also for numbers outside 0..39
    std::optional<int> dayByte;   // bit 7 enable, bits 0..6 weekdays 1..7
    std::optional<int> hourValue; // the hour, plus 32 when the hour is ignored
    std::optional<int> minute;    // nullopt also when hour or minute is impossible
    std::optional<int> actionByte;

    bool IgnoreHour() const { return *hourValue & kIgnoredHourBit; }
    int Hour() const { return IgnoreHour() ? *hourValue & 0x1F : *hourValue; }
};
AlarmRecord DecodeAlarm(const QByteArray& line);
