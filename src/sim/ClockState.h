// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"
#include "sim/ClockOptions.h"
#include "sim/Dcf77Receiver.h"
#include "sim/Sensors.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <optional>

class FieldReader;

// One alarm in the clock's own byte layout, as "k" writes and "l" reads it.
struct ClockAlarm {
    int days = 0;       // bit 7 enabled, bits 0..6 weekdays 1..7
    int hour = 0;       // plus 32: every hour
    int minute = 0;
    int action = 0;     // bit 7 relay + minutes; else whirlbeam on, off, sound, count
};

// Everything the clock knows, and how each command changes and reports it.
// Time comes in from the caller ("now", the computer's local time); the
// clock's own time is a fixed distance from it, so it runs as fast as the
// caller lets it and tests can step it.
class ClockState {
public:
    static constexpr int MaxAlarms = kAlarmRows;

    ClockState(const QDateTime& now, quint32 seed);

    void Configure(const ClockPeerOptions& options) { options_ = options; }

    // Runs what the passing of time changes: the relay and auto standby
    // countdowns and, at each new minute of the clock, a DCF77 telegram and
    // the alarms due.
    void Settle(const QDateTime& now);

    // The reply line (without line end) to one command, or nothing for a
    // command the clock does not know or whose alarm row or address cannot
    // be read. A setting whose fields do not parse is left alone and the
    // reply shows the unchanged state. Settles first.
    std::optional<QByteArray> Answer(const QByteArray& command, const QDateTime& now);

    void DriftSensors() { sensors_.Drift(); }
    // The clock's time ahead of the computer's local time, in milliseconds.
    qint64 WallOffsetMs() const { return wallOffsetMs_; }

private:
    using Handler = std::optional<QByteArray> (ClockState::*)(FieldReader&);
    static Handler HandlerFor(char prefix);

    // Identification and batch marker.
    std::optional<QByteArray> Identify(FieldReader& fields);
    std::optional<QByteArray> Version(FieldReader& fields);
    std::optional<QByteArray> Configuration(FieldReader& fields);
    std::optional<QByteArray> EndOfBatch(FieldReader& fields);
    // Date and time.
    std::optional<QByteArray> Date(FieldReader& fields);
    std::optional<QByteArray> SetDate(FieldReader& fields);
    std::optional<QByteArray> Time(FieldReader& fields);
    std::optional<QByteArray> SetTime(FieldReader& fields);
    std::optional<QByteArray> ClearSeconds(FieldReader& fields);
    // Alarms.
    std::optional<QByteArray> SetAlarm(FieldReader& fields);
    std::optional<QByteArray> ReadAlarm(FieldReader& fields);
    std::optional<QByteArray> ClearAlarmSound(FieldReader& fields);
    // Mode and parameters.
    std::optional<QByteArray> Mode(FieldReader& fields);
    std::optional<QByteArray> SetMode(FieldReader& fields);
    std::optional<QByteArray> AutoStandby(FieldReader& fields);
    std::optional<QByteArray> SetAutoStandby(FieldReader& fields);
    std::optional<QByteArray> SoundTimes(FieldReader& fields);
    std::optional<QByteArray> SetSoundTimes(FieldReader& fields);
    std::optional<QByteArray> Pwm(FieldReader& fields);
    std::optional<QByteArray> SetPwm(FieldReader& fields);
    // Whirlbeam and relay.
    std::optional<QByteArray> Whirlbeam(FieldReader& fields);
    std::optional<QByteArray> Relay(FieldReader& fields);
    std::optional<QByteArray> SetRelay(FieldReader& fields);
    std::optional<QByteArray> RelayIrTime(FieldReader& fields);
    // RC5, sensors, DCF77.
    std::optional<QByteArray> ExecuteRc5(FieldReader& fields);
    std::optional<QByteArray> Measurements(FieldReader& fields);
    std::optional<QByteArray> SensorOffsets(FieldReader& fields);
    std::optional<QByteArray> ReadMemory(FieldReader& fields);
    std::optional<QByteArray> Dcf77State(FieldReader& fields);

    QByteArray DateFields() const;
    QByteArray TimeFields() const;
    QByteArray AlarmFields(int row) const;
    QByteArray WhirlbeamFields() const;
    QByteArray RelayFields() const;

    QDateTime WallTime() const;
    void SetWallTime(const QDateTime& wall);
    void OnMinuteMark(const QDateTime& wall);
    void RunAlarm(const ClockAlarm& alarm);
    bool AlarmDue(const ClockAlarm& alarm, const QDateTime& wall) const;
    void StartWhirlbeam();
    void StopWhirlbeam();
    void SwitchRelay(bool on, int minutes);
    int StatusFlags() const;
    bool AutoStandbyArmed() const;
    int AutoStandbySecondsLeft() const;
    int RelayMinutesLeft() const;

    ClockPeerOptions options_;
    QDateTime now_;
    qint64 wallOffsetMs_ = 0;
    QDateTime lastMinuteMark_;
    bool timeValid_ = false;

    std::array<ClockAlarm, MaxAlarms> alarms_{};
    bool alarmSounding_ = false;

    int modeFlags_ = 0x48;      // DCF77 synchronisation, sound at hour change
    int motorFlags_ = 0x01;     // motor PWM enabled
    int autoStandbySeconds_ = 300;
    int soundFromHour_ = 7;
    int soundToHour_ = 22;
    int lightLimit_ = 0x20;
    std::array<int, 4> pwm_ = {0x28, 0x70, 0x0C, 0x50}; // run pulse, high speed, sleep pulse, low speed

    bool running_ = true;
    QDateTime runningSince_;

    bool relayOn_ = false;
    QDateTime relayOffAt_;      // invalid: on until switched off
    int relayIrMinutes_ = 0xFF;

    Dcf77Receiver dcf77_;
    Sensors sensors_;
};
