// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Bits of the clock's mode byte. Bit 5 means nothing to the clock and is
// never sent.
namespace ModeFlag {
constexpr int AutoStandby = 0x01;
constexpr int WakeUpInRun = 0x02;
constexpr int NoCoilInSleep = 0x04;
constexpr int HourSound = 0x08;
constexpr int SoundMode = 0x10;
constexpr int Dcf77Sync = 0x40;
constexpr int ReInit = 0x80;
constexpr int Used = 0xDF;
} // namespace ModeFlag

// Bits of the motor byte; the upper nibble means nothing and is never sent.
namespace MotorFlag {
constexpr int PwmEnabled = 0x01;
constexpr int PwmManual = 0x02;
constexpr int PwmLight = 0x04;
constexpr int PwmLowSpeed = 0x08;
constexpr int Used = 0x0F;
} // namespace MotorFlag

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
