#pragma once

// Reads a reply line the way the window does: by its kind, with that kind's
// decoder only. Shared by the targets that take reply lines from outside and
// from the simulated clock. Aborts when a record holds a field after one that
// failed, since the window applies records step by step and stops at the
// first missing field.

#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/Dcf77Replies.h"
#include "protocol/replies/ModeReplies.h"
#include "protocol/replies/PeripheralReplies.h"
#include "protocol/replies/ReplyKind.h"
#include "protocol/replies/StatusReplies.h"

#include <cstdlib>
#include <initializer_list>

namespace fuzz {

inline void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Whether every field is there; aborts on a field after a missing one.
inline bool InStepOrder(std::initializer_list<bool> present)
{
    bool missing = false;
    for (const bool field : present) {
        Check(!(field && missing));
        missing = missing || !field;
    }
    return !missing;
}

// How far the decoder of the line's kind read it.
enum class Reading { NoKind, Partly, Whole };

inline Reading Of(bool whole) { return whole ? Reading::Whole : Reading::Partly; }

inline Reading ReadConnection(ReplyKind kind, const QByteArray& line)
{
    switch (kind) {
    case ReplyKind::IdentificationReply: return Of(DecodeIdentification(line).recognised);
    case ReplyKind::VersionReply: return Of(DecodeVersion(line).Valid());
    case ReplyKind::ConfigReply: return Of(DecodeConfig(line).alarmCount.has_value());
    default: return Reading::Whole; // the end-of-read marker carries nothing to read
    }
}

inline Reading ReadStatus(ReplyKind kind, const QByteArray& line)
{
    switch (kind) {
    case ReplyKind::DateReply: return Of(DecodeDate(line).date.has_value());
    case ReplyKind::TimeReply: return Of(DecodeTime(line).has_value());
    case ReplyKind::RelayIrTimeReply: return Of(DecodeRelayIrTime(line).has_value());
    case ReplyKind::WhirlbeamStatusReply: {
        const WhirlbeamStatusRecord r = DecodeWhirlbeamStatus(line);
        return Of(InStepOrder({r.flags.has_value(), r.remainingSeconds.has_value(), r.extraFlags.has_value()}));
    }
    default: {
        const RelayRecord r = DecodeRelay(line);
        return Of(InStepOrder({r.remainingMinutes.has_value(), r.on.has_value()}));
    }
    }
}

inline Reading ReadSettings(ReplyKind kind, const QByteArray& line)
{
    switch (kind) {
    case ReplyKind::AlarmReply: {
        const AlarmRecord r = DecodeAlarm(line);
        return Of(InStepOrder({r.row.has_value(), r.dayByte.has_value(), r.hourValue.has_value(),
                               r.minute.has_value(), r.actionByte.has_value()}));
    }
    case ReplyKind::ModeReply: {
        const ModeRecord r = DecodeMode(line);
        return Of(InStepOrder({r.modeFlags.has_value(), r.motorFlags.has_value()}));
    }
    case ReplyKind::AutoStandbyReply: return Of(DecodeAutoStandby(line).has_value());
    case ReplyKind::PwmReply: {
        const PwmRecord r = DecodePwm(line);
        return Of(InStepOrder({r.runPulse.has_value(), r.highSpeed.has_value(), r.sleepPulse.has_value(),
                               r.lowSpeed.has_value(), r.currentPulse.has_value(), r.currentPeriod.has_value()}));
    }
    default: {
        const SoundTimesRecord r = DecodeSoundTimes(line);
        return Of(InStepOrder({r.fromHour.has_value(), r.toHour.has_value(), r.lightLimit.has_value()}));
    }
    }
}

inline void InRange(const std::optional<int>& field, int low, int high)
{
    Check(!field || (*field >= low && *field <= high));
}

inline Reading ReadPeripheral(ReplyKind kind, const QByteArray& line)
{
    switch (kind) {
    case ReplyKind::Rc5PacketReply: {
        // The packet's fields are the line's own characters at their places.
        const Rc5PacketRecord packet = DecodeRc5Packet(line);
        Check(packet.HistoryLine() == "Addr: " + line.mid(1, 2) + " Cmd: " + line.mid(3, 2));
        return Reading::Whole;
    }
    case ReplyKind::MeasurementReply: {
        const MeasurementRecord r = DecodeMeasurement(line);
        InRange(r.light, 0, 255);
        InRange(r.temperature, -128, 127);
        InRange(r.humidity, 0, 255);
        InRange(r.airPressure, 0, 65535);
        return Of(InStepOrder({r.light.has_value(), r.temperature.has_value(), r.humidity.has_value(),
                               r.airPressure.has_value()}));
    }
    default: {
        const SensorOffsetRecord r = DecodeSensorOffset(line);
        for (const auto& offset : {r.temperature, r.humidity, r.pressure})
            InRange(offset, -128, 127);
        return Of(InStepOrder({r.temperature.has_value(), r.humidity.has_value(), r.pressure.has_value()}));
    }
    }
}

inline Reading ReadDcf77(ReplyKind kind, const QByteArray& line)
{
    if (kind == ReplyKind::MemoryReadReply) {
        // The data byte is read for the statistics addresses only.
        const MemoryReadRecord r = DecodeMemoryRead(line);
        Check(!r.data || r.Hour());
        return Of(r.address && (r.data || !r.Hour()));
    }
    const Dcf77StateRecord r = DecodeDcf77State(line);
    return Of(InStepOrder({r.total.has_value(), r.year.has_value(), r.month.has_value(), r.day.has_value(),
                           r.hour.has_value(), r.minute.has_value(), r.lastHour.has_value()}));
}

// Every kind has its reader: no default case, so a new kind without one is a
// warning.
inline Reading ReadByKind(const QByteArray& line)
{
    const auto kind = KindOf(line);
    if (!kind)
        return Reading::NoKind;
    switch (*kind) {
    case ReplyKind::IdentificationReply:
    case ReplyKind::VersionReply:
    case ReplyKind::ConfigReply:
    case ReplyKind::EndOfReadReply: return ReadConnection(*kind, line);
    case ReplyKind::DateReply:
    case ReplyKind::TimeReply:
    case ReplyKind::WhirlbeamStatusReply:
    case ReplyKind::RelayReply:
    case ReplyKind::RelayIrTimeReply: return ReadStatus(*kind, line);
    case ReplyKind::AlarmReply:
    case ReplyKind::ModeReply:
    case ReplyKind::AutoStandbyReply:
    case ReplyKind::PwmReply:
    case ReplyKind::SoundTimesReply: return ReadSettings(*kind, line);
    case ReplyKind::Rc5PacketReply:
    case ReplyKind::MeasurementReply:
    case ReplyKind::SensorOffsetReply: return ReadPeripheral(*kind, line);
    case ReplyKind::Dcf77StateReply:
    case ReplyKind::MemoryReadReply: return ReadDcf77(*kind, line);
    }
    return Reading::NoKind;
}

} // namespace fuzz
