// Every reply decoder takes whatever line the peer sends. Invariants: no
// crash or undefined behaviour, and a record never holds a field after one
// that failed, since the window applies records step by step and stops at
// the first missing field.

#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/Dcf77Replies.h"
#include "protocol/replies/ModeReplies.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)KindOf(line);
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
    return 0;
}
