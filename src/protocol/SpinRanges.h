// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

#include <array>
#include <string_view>

// The range, first value and width of every number a spin edit of the
// panel holds, by the edit's name. The pages build their edits from it; the
// parameter file holds the clock's values to it as the edits would hold
// them; the simulated clock keeps its settings within it.
struct SpinRange {
    std::string_view control; // the spin edit's objectName; the alarm rows' as row 0's
    int minValue;
    int maxValue;
    int value; // the first value shown
    int maxLength; // characters that may be typed; 0 for no limit

    constexpr int Held(int wanted) const { return wanted < minValue ? minValue : wanted > maxValue ? maxValue : wanted; }
};

inline constexpr std::array kSpinRanges = {
    // Alarms: relay minutes or sound count.
    SpinRange{"Alm00SpinEdit", 0, 127, 0, 3},
    // Mode.
    SpinRange{"ASTSpinEdit", 0, 65535, 0, 5},
    SpinRange{"FromSpinEdit", 0, 23, 0, 2},
    SpinRange{"ToSpinEdit", 0, 23, 0, 2},
    SpinRange{"LightLimitSpinEdit", 0, 255, 0, 3},
    // PWM parameters: what the clock reports, and the values to send.
    SpinRange{"RunPulseSpinEdit", 0, 115, 32, 0},
    SpinRange{"NewRPulseSpinEdit", 0, 115, 40, 0},
    SpinRange{"HighSpeedSpinEdit", 0, 255, 32, 3},
    SpinRange{"NewHighSpeedSpinEdit", 0, 255, 40, 3},
    SpinRange{"SleepPulseSpinEdit", 0, 115, 32, 0},
    SpinRange{"NewSPulseSpinEdit", 0, 115, 12, 0},
    SpinRange{"LowSpeedSpinEdit", 0, 255, 32, 3},
    SpinRange{"NewLowSpeedSpinEdit", 0, 255, 32, 3},
    SpinRange{"CurrentPulseSpinEdit", 0, 255, 32, 3},
    SpinRange{"CurrentPeriodSpinEdit", 0, 255, 32, 3},
    // Relais.
    SpinRange{"RelaisSpinEdit", 0, 255, 0, 3},
    SpinRange{"RelOnIrSpinEdit", 0, 255, 255, 3},
    // Measurements: the offsets the clock adds to its readings.
    SpinRange{"TempOffsetSpinEdit", -kMaxSensorOffset, kMaxSensorOffset, 0, 3},
    SpinRange{"HumidityOffsetSpinEdit", -kMaxSensorOffset, kMaxSensorOffset, 0, 3},
    SpinRange{"PressureOffsetSpinEdit", -kMaxSensorOffset, kMaxSensorOffset, 0, 3},
};

// The range of the named edit; a name the table lacks does not compile
// where the name is a constant.
constexpr const SpinRange& SpinRangeOf(std::string_view control)
{
    for (const SpinRange& range : kSpinRanges)
        if (range.control == control)
            return range;
    throw "no spin edit of that name";
}
