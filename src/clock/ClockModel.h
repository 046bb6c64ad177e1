// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/replies/ReplyTable.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <array>

// What is known of the clock, as plain records: for each kind the fields
// its replies have given so far, a field that failed to decode keeping the
// value it had. Everything starts unknown (empty), as after Forget.
struct ClockFacts {
    static constexpr int kAlarmRows = ::kAlarmRows;
    static constexpr int kHours = 24;
    static constexpr int kRc5Packets = 16; // the last ones, oldest first

    IdentificationRecord identification;
    VersionRecord version;
    ConfigRecord config;
    DateRecord date;
    TimeRecord time;
    WhirlbeamStatusRecord status;
    RelayRecord relay;
    RelayIrTimeRecord relayIrTime;
    ModeRecord mode;
    AutoStandbyRecord autoStandby;
    SoundTimesRecord soundTimes;
    PwmRecord pwm;
    MeasurementRecord measurement;
    SensorOffsetRecord offsets;
    Dcf77StateRecord dcf77;
    // The hour figures of the DCF77 statistics, as the memory reads gave them.
    std::array<int, kHours> hourFigures{};
    // Whether the last hour's figure has been read once: zeros before are no figures.
    bool hourFiguresRead = false;
    std::array<AlarmSettings, kAlarmRows> alarms = EmptyAlarms();
    QList<Rc5PacketRecord> rc5Packets;
    // Alarm rows the clock has, from its configuration reply.
    int alarmCount = 0;
    // True until the first end-of-read reply: everything read once.
    bool initialLoad = true;

    static std::array<AlarmSettings, kAlarmRows> EmptyAlarms();
};

// The clock as the replies tell it: each reply line is decoded once, by the
// reply table, the facts are updated from its record, and the kind's change
// signal carries the record to whoever shows it: the panel's pages and
// frame, whirlbeamctl's monitor and status. Nothing here knows of widgets,
// links or commands; the rules of what to send in answer live beside it
// (ConnectionSequence).
class ClockModel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const ClockFacts& Facts() const { return facts_; }
    // The window names the alarm count, the hour figures and the first
    // read as members of its own, and sets them as a test may.
    ClockFacts& Facts() { return facts_; }
    // The kind the line was of; nullopt for a line of no kind, which
    // changes nothing.
    std::optional<ReplyKind> Take(const QByteArray& line);
    // The line decoded as the given kind, whatever its first character.
    void TakeAs(ReplyKind kind, const QByteArray& line);
    void Apply(const ReplyRecord& record);
    // The link is gone: nothing is known of the clock any more. The alarm
    // count, the first read and the statistics read last are kept: they
    // belong to the panel's session, which saves them to files.
    void Forget();
    // A new session (the window's start): everything as at first.
    void Reset() { facts_ = {}; }

signals:
    void IdentificationChanged(const IdentificationRecord& record);
    void VersionChanged(const VersionRecord& record);
    void ConfigChanged(const ConfigRecord& record);
    void ReadEnded(bool first);
    void DateChanged(const DateRecord& record);
    void TimeChanged(const TimeRecord& record);
    void StatusChanged(const WhirlbeamStatusRecord& record);
    void RelayChanged(const RelayRecord& record);
    void RelayIrTimeChanged(const RelayIrTimeRecord& record);
    void ModeChanged(const ModeRecord& record, bool initialLoad);
    void AutoStandbyChanged(const AutoStandbyRecord& record);
    void SoundTimesChanged(const SoundTimesRecord& record);
    void PwmChanged(const PwmRecord& record, bool initialLoad);
    void MeasurementChanged(const MeasurementRecord& record);
    void SensorOffsetsChanged(const SensorOffsetRecord& record);
    void Dcf77StateChanged(const Dcf77StateRecord& record);
    // A memory read of the statistics; complete after the last hour's.
    void HourFigureRead(int hour, bool complete);
    void AlarmChanged(const AlarmRecord& record);
    void Rc5PacketReceived(const Rc5PacketRecord& record);

private:
    void On(const IdentificationRecord& record);
    void On(const VersionRecord& record);
    void On(const ConfigRecord& record);
    void On(const EndOfReadRecord& record);
    void On(const DateRecord& record);
    void On(const TimeRecord& record);
    void On(const WhirlbeamStatusRecord& record);
    void On(const RelayRecord& record);
    void On(const RelayIrTimeRecord& record);
    void On(const ModeRecord& record);
    void On(const AutoStandbyRecord& record);
    void On(const SoundTimesRecord& record);
    void On(const PwmRecord& record);
    void On(const MeasurementRecord& record);
    void On(const SensorOffsetRecord& record);
    void On(const Dcf77StateRecord& record);
    void On(const MemoryReadRecord& record);
    void On(const AlarmRecord& record);
    void On(const Rc5PacketRecord& record);

    ClockFacts facts_;
};
