// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

#include <QByteArray>

// The coil drive: pulse widths 0..115, speeds 0..255.
struct PwmSettings {
    int runPulse = 0;
    int highSpeed = 0;
    int sleepPulse = 0;
    int lowSpeed = 0;
};

// "g" + mode[2h] + motor[2h], bits without a meaning cleared.
QByteArray ModeCommand(int modeFlags, int motorFlags);
// "i" + seconds[4h]: seconds 0..65535 the whirlbeam runs before it stands by.
QByteArray AutoStandbyCommand(int seconds);
// "q" + from[2d] + to[2d] + light[2h]: the hours in which the clock may
// sound, and its light limit.
QByteArray SoundTimesCommand(int fromHour, int toHour, int lightLimit);
// "m" + runPulse[2h] + highSpeed[2h] + sleepPulse[2h] + lowSpeed[2h].
QByteArray PwmCommand(const PwmSettings& pwm);
// The coil drive the clock leaves the factory with (40, 112, 12, 80). Clocks
// have always been sent this line with its lower-case "c", and take hex in
// either case.
QByteArray DefaultPwmCommand();
QByteArray StartWhirlbeamCommand();
QByteArray StopWhirlbeamCommand();
