// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bits and limits of the clock's fields, written once for the commands
// and replies, the files, the panel and the simulated clock.

// A clock has 40 alarm rows in two banks of 20; one built on a 16F628 or
// 16F648 has only the first bank.
constexpr int kAlarmRows = 40;
constexpr int kAlarmRowsPerBank = 20;

// Bit 7 of an alarm's day byte enables the alarm; bits 0..6 are the
// weekdays 1..7.
constexpr int kAlarmEnabledBit = 0x80;
// Added to an alarm's hour (32): the alarm goes every hour at its minute.
constexpr int kIgnoredHourBit = 0x20;

// Bits of an alarm's action byte. With the relay bit, bits 0..6 are the
// relay's on-time in minutes; without it, the low nibble is the count.
namespace AlarmActionBit {
constexpr int Relay = 0x80;
constexpr int WhirlbeamOn = 0x40;
constexpr int WhirlbeamOff = 0x20;
constexpr int Sound = 0x10;
constexpr int RelayMinutes = 0x7F;
constexpr int Count = 0x0F;
} // namespace AlarmActionBit

// Status flags of the whirlbeam reply.
namespace StatusFlag {
constexpr int StandBy = 0x01;
constexpr int Sleep = 0x02;
constexpr int HighPowerCoil = 0x04;
constexpr int IndexLed = 0x08;
constexpr int DeepSleep = 0x40;
constexpr int TimeInvalid = 0x80;
} // namespace StatusFlag
// Extra flags of the whirlbeam reply.
namespace ExtraFlag {
constexpr int I2CBusError = 0x80;
} // namespace ExtraFlag

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

// Which of the sensor offsets a sensor offset command sets.
constexpr int kTemperatureOffsetSelect = 0x80;
constexpr int kHumidityOffsetSelect = 0x40;
constexpr int kPressureOffsetSelect = 0x20;
// The clock adds offsets of at most this much either way to its readings.
constexpr int kMaxSensorOffset = 10;
