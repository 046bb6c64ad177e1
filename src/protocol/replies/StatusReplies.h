// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

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
    // The flags by the record's name (ProtocolBits.h).
    static constexpr int StandBy = StatusFlag::StandBy;
    static constexpr int Sleep = StatusFlag::Sleep;
    static constexpr int HighPowerCoil = StatusFlag::HighPowerCoil;
    static constexpr int IndexLed = StatusFlag::IndexLed;
    static constexpr int DeepSleep = StatusFlag::DeepSleep;
    static constexpr int TimeInvalid = StatusFlag::TimeInvalid;
    static constexpr int I2CBusError = ExtraFlag::I2CBusError;

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
