// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

#include <array>
#include <cstddef>

// The clock's values that the operator sets, or reads back, as a number.
enum class ClockValue {
    AlarmCount, // an alarm's relay minutes or sound count
    AutoStandbySeconds,
    SoundFromHour,
    SoundToHour,
    LightLimit,
    // The coil drive: what the clock reports, and the values to send.
    RunPulse,
    RunPulseToSend,
    HighSpeed,
    HighSpeedToSend,
    SleepPulse,
    SleepPulseToSend,
    LowSpeed,
    LowSpeedToSend,
    CurrentPulse,
    CurrentPeriod,
    RelayOnMinutes,
    RelayIrMinutes,
    // The offsets the clock adds to its readings.
    TemperatureOffset,
    HumidityOffset,
    PressureOffset,
};
constexpr int kClockValues = int(ClockValue::PressureOffset) + 1;

// The range, first value and width of every such value. The panel's spin
// edits hold it; the parameter file holds the clock's values to it as the
// edits would hold them; the simulated clock keeps its settings within it.
struct SpinRange {
    ClockValue clockValue;
    int minValue;
    int maxValue;
    int value; // the first value shown
    int maxLength; // characters that may be typed; 0 for no limit

    constexpr int Held(int wanted) const { return wanted < minValue ? minValue : wanted > maxValue ? maxValue : wanted; }
};

inline constexpr std::array kSpinRanges = {
    SpinRange{ClockValue::AlarmCount, 0, 127, 0, 3},
    SpinRange{ClockValue::AutoStandbySeconds, 0, 65535, 0, 5},
    SpinRange{ClockValue::SoundFromHour, 0, 23, 0, 2},
    SpinRange{ClockValue::SoundToHour, 0, 23, 0, 2},
    SpinRange{ClockValue::LightLimit, 0, 255, 0, 3},
    SpinRange{ClockValue::RunPulse, 0, 115, 32, 0},
    SpinRange{ClockValue::RunPulseToSend, 0, 115, 40, 0},
    SpinRange{ClockValue::HighSpeed, 0, 255, 32, 3},
    SpinRange{ClockValue::HighSpeedToSend, 0, 255, 40, 3},
    SpinRange{ClockValue::SleepPulse, 0, 115, 32, 0},
    SpinRange{ClockValue::SleepPulseToSend, 0, 115, 12, 0},
    SpinRange{ClockValue::LowSpeed, 0, 255, 32, 3},
    SpinRange{ClockValue::LowSpeedToSend, 0, 255, 32, 3},
    SpinRange{ClockValue::CurrentPulse, 0, 255, 32, 3},
    SpinRange{ClockValue::CurrentPeriod, 0, 255, 32, 3},
    SpinRange{ClockValue::RelayOnMinutes, 0, 255, 0, 3},
    SpinRange{ClockValue::RelayIrMinutes, 0, 255, 255, 3},
    SpinRange{ClockValue::TemperatureOffset, -kMaxSensorOffset, kMaxSensorOffset, 0, 3},
    SpinRange{ClockValue::HumidityOffset, -kMaxSensorOffset, kMaxSensorOffset, 0, 3},
    SpinRange{ClockValue::PressureOffset, -kMaxSensorOffset, kMaxSensorOffset, 0, 3},
};

// The table holds every value once, in the enum's order, so that a value
// finds its row by its number.
constexpr bool InClockValueOrder()
{
    for (size_t i = 0; i < kSpinRanges.size(); ++i)
        if (kSpinRanges[i].clockValue != ClockValue(i))
            return false;
    return kSpinRanges.size() == size_t(kClockValues);
}
static_assert(InClockValueOrder(), "one spin range for every clock value, in order");

constexpr const SpinRange& SpinRangeOf(ClockValue value) { return kSpinRanges[size_t(value)]; }
