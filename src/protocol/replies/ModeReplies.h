// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// The replies that report the clock's operating settings. Each record holds
// the fields in the order the window applies them; the first field that
// failed and everything after it are nullopt.

struct ModeRecord {
    std::optional<int> modeFlags;
    std::optional<int> motorFlags;
};
ModeRecord DecodeMode(const QByteArray& line);

// Auto standby time in seconds.
std::optional<int> DecodeAutoStandby(const QByteArray& line);

struct PwmRecord {
    std::optional<int> runPulse;
    std::optional<int> highSpeed;
    std::optional<int> sleepPulse;
    std::optional<int> lowSpeed;
    std::optional<int> currentPulse;
    std::optional<int> currentPeriod;
};
PwmRecord DecodePwm(const QByteArray& line);

struct SoundTimesRecord {
    std::optional<int> fromHour;
    std::optional<int> toHour;
    std::optional<int> lightLimit;
};
SoundTimesRecord DecodeSoundTimes(const QByteArray& line);
