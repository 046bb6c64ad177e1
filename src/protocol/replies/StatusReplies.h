// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <QTime>
#include <optional>

// The replies that report the clock's running state. Each record holds the
// fields in the order the window applies them; the first field that failed
// and everything after it are nullopt.

struct DateRecord {
    std::optional<QDate> date;  // nullopt: no number, or no such day
    QByteArray weekday;         // the clock's own weekday digit, as sent
};
DateRecord DecodeDate(const QByteArray& line);

std::optional<QTime> DecodeTime(const QByteArray& line);

struct WhirlbeamStatusRecord {
    // Status flags.
    static constexpr int StandBy = 0x01;
    static constexpr int Sleep = 0x02;
    static constexpr int HighPowerCoil = 0x04;
    static constexpr int IndexLed = 0x08;
    static constexpr int DeepSleep = 0x40;
    static constexpr int TimeInvalid = 0x80;
    // Extra flags.
    static constexpr int I2CBusError = 0x80;

    std::optional<int> flags;
    std::optional<int> remainingSeconds;
    std::optional<int> extraFlags;
};
WhirlbeamStatusRecord DecodeWhirlbeamStatus(const QByteArray& line);

// The motor's state the status flags tell: the sleep flag alone is sleep,
// with the deep sleep flag deep sleep; without it the whirlbeam runs.
enum class WhirlbeamState { Run, Sleep, DeepSleep };
WhirlbeamState StateOf(int flags);

struct RelayRecord {
    std::optional<int> remainingMinutes;
    std::optional<bool> on;  // bit 0 of the relay flags
};
RelayRecord DecodeRelay(const QByteArray& line);

// The relay's on-time for IR commands, in minutes.
std::optional<int> DecodeRelayIrTime(const QByteArray& line);
