// Every reply decoder takes whatever line the peer sends. Invariants: no
// crash or undefined behaviour, and a record never holds a field after one
// that failed, since the window applies records step by step and stops at
// the first missing field. A line has words for the command line's monitor
// exactly when it has a kind. The RC5 packet's fields are the line's own
// characters at their places, and the sensor values lie in the range their
// bytes can give.

#include "cli/ClockReport.h"
#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/Dcf77Replies.h"
#include "protocol/replies/ModeReplies.h"
#include "protocol/replies/PeripheralReplies.h"
#include "protocol/replies/ReplyKind.h"
#include "protocol/replies/StatusReplies.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace {

// No field present after a missing one.
void InStepOrder(std::initializer_list<bool> present)
{
    bool missing = false;
    for (const bool field : present) {
        if (field && missing)
            std::abort();
        missing = missing || !field;
    }
}

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

void InRange(const std::optional<int>& field, int low, int high)
{
    Check(!field || (*field >= low && *field <= high));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    Check(DescribeReply(line).isEmpty() != KindOf(line).has_value());
    (void)DecodeIdentification(line);
    (void)DecodeVersion(line);
    (void)DecodeConfig(line);
    (void)DecodeDate(line);
    (void)DecodeTime(line);
    (void)DecodeAutoStandby(line);
    (void)DecodeRelayIrTime(line);

    const AlarmRecord alarm = DecodeAlarm(line);
    InStepOrder({alarm.row.has_value(), alarm.dayByte.has_value(), alarm.hourValue.has_value(),
                 alarm.minute.has_value(), alarm.actionByte.has_value()});
    const ModeRecord mode = DecodeMode(line);
    InStepOrder({mode.modeFlags.has_value(), mode.motorFlags.has_value()});
    const PwmRecord pwm = DecodePwm(line);
    InStepOrder({pwm.runPulse.has_value(), pwm.highSpeed.has_value(), pwm.sleepPulse.has_value(),
                 pwm.lowSpeed.has_value(), pwm.currentPulse.has_value(), pwm.currentPeriod.has_value()});
    const SoundTimesRecord sound = DecodeSoundTimes(line);
    InStepOrder({sound.fromHour.has_value(), sound.toHour.has_value(), sound.lightLimit.has_value()});
    const WhirlbeamStatusRecord status = DecodeWhirlbeamStatus(line);
    InStepOrder({status.flags.has_value(), status.remainingSeconds.has_value(), status.extraFlags.has_value()});
    const RelayRecord relay = DecodeRelay(line);
    InStepOrder({relay.remainingMinutes.has_value(), relay.on.has_value()});
    const Dcf77StateRecord dcf = DecodeDcf77State(line);
    InStepOrder({dcf.total.has_value(), dcf.year.has_value(), dcf.month.has_value(), dcf.day.has_value(),
                 dcf.hour.has_value(), dcf.minute.has_value(), dcf.lastHour.has_value()});
    const MemoryReadRecord memory = DecodeMemoryRead(line);
    InStepOrder({memory.address.has_value(), memory.data.has_value()});

    const Rc5PacketRecord packet = DecodeRc5Packet(line);
    Check(packet.HistoryLine() == "Addr: " + line.mid(1, 2) + " Cmd: " + line.mid(3, 2));
    const MeasurementRecord measurement = DecodeMeasurement(line);
    InStepOrder({measurement.light.has_value(), measurement.temperature.has_value(),
                 measurement.humidity.has_value(), measurement.airPressure.has_value()});
    InRange(measurement.light, 0, 255);
    InRange(measurement.temperature, -128, 127);
    InRange(measurement.humidity, 0, 255);
    InRange(measurement.airPressure, 0, 65535);
    const SensorOffsetRecord offsets = DecodeSensorOffset(line);
    InStepOrder({offsets.temperature.has_value(), offsets.humidity.has_value(), offsets.pressure.has_value()});
    for (const auto& offset : {offsets.temperature, offsets.humidity, offsets.pressure})
        InRange(offset, -128, 127);
    return 0;
}
