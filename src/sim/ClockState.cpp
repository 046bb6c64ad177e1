// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/ClockState.h"

#include "protocol/ProtocolBits.h"
#include "protocol/SpinRanges.h"
#include "protocol/replies/ReplyKind.h"

#include "protocol/commands/Fields.h"

#include <QTimeZone>
#include <QtGlobal>
#include <algorithm>
#include <cctype>

// Reads the fixed-width fields of a command one after another, starting
// behind the one-character prefix. A field is a number only when all its
// characters are there and are digits of its base (hex in either case: the
// panel's default PWM line carries a lower-case "c").
class FieldReader {
public:
    explicit FieldReader(const QByteArray& command)
        : text_(command)
    {
    }

    std::optional<int> Hex(int width) { return Read(width, 16); }
    std::optional<int> Dec(int width) { return Read(width, 10); }
    QByteArray Peek(int width) const { return text_.mid(pos_, width); }
    QByteArray Rest() const { return text_.mid(pos_); }
    bool AtEnd() const { return pos_ >= text_.size(); }

private:
    std::optional<int> Read(int width, int base)
    {
        const QByteArray field = Peek(width);
        pos_ += width;
        bool ok = field.size() == width;
        for (const char c : field)
            ok = ok && (base == 16 ? std::isxdigit(static_cast<unsigned char>(c))
                                   : std::isdigit(static_cast<unsigned char>(c)));
        return ok ? std::optional<int>(field.toInt(nullptr, base)) : std::nullopt;
    }

    QByteArray text_;
    qsizetype pos_ = 1;
};

namespace {
const QByteArray kIdentification = "Pelk Whirlbeam Clock";
// Close enough to pass a careless check of three characters.
const QByteArray kForeignIdentification = "Pelican Clock";
const QByteArray kVersion = "V04.02";
const QByteArray kOldVersion = "V02.10";

// The clock takes no wider pulse than the panel's pulse edits allow.
constexpr int kMaxPulse = SpinRangeOf(ClockValue::RunPulseToSend).maxValue;
constexpr SpinRange kSoundHour = SpinRangeOf(ClockValue::SoundFromHour);

// RC5 commands the clock obeys when a packet carries its own address; the
// toggle bit (0x80) and the field bit (0x40) do not matter.
constexpr int kRc5Standby = 0x0C;
constexpr int kRc5Mute = 0x0D;
constexpr int kRc5Relay = 0x0E;

// A few alarms set at the factory, so a first read-back shows something.
constexpr std::array<ClockAlarm, 3> kPresetAlarms = {{
    {0x9F, 6, 30, AlarmActionBit::Sound | 3},    // workdays 06:30, sound three times
    {0x60, 8, 0, AlarmActionBit::WhirlbeamOn},   // weekend 08:00, whirlbeam on (disabled)
    {0xFF, 23, 0, AlarmActionBit::WhirlbeamOff}, // every day 23:00, whirlbeam off
}};

QDateTime AsWallTime(const QDateTime& local)
{
    return QDateTime(local.date(), local.time(), QTimeZone::utc());
}

QDateTime MinuteOf(const QDateTime& wall)
{
    const QTime time = wall.time();
    return QDateTime(wall.date(), QTime(time.hour(), time.minute()), QTimeZone::utc());
}

bool IsAlarmTime(int hour, int minute)
{
    return (hour & ~kIgnoredHourBit) <= 23 && hour <= kIgnoredHourBit + 23 && minute <= 59;
}
} // namespace

ClockState::ClockState(const QDateTime& now, quint32 seed)
    : now_(now)
    , lastMinuteMark_(MinuteOf(AsWallTime(now)))
    , runningSince_(now)
    , dcf77_(AsWallTime(now))
    , sensors_(seed)
{
    std::copy(kPresetAlarms.begin(), kPresetAlarms.end(), alarms_.begin());
}

ClockState::Handler ClockState::HandlerFor(char prefix)
{
    switch (prefix) {
    case 'p': return &ClockState::Identify;
    case 'v': return &ClockState::Version;
    case 'o': return &ClockState::Configuration;
    case 'z': return &ClockState::EndOfBatch;
    case 'd': return &ClockState::Date;
    case 'b': return &ClockState::SetDate;
    case 't': return &ClockState::Time;
    case 's': return &ClockState::SetTime;
    case 'c': return &ClockState::ClearSeconds;
    case 'k': return &ClockState::SetAlarm;
    case 'l': return &ClockState::ReadAlarm;
    case '~': return &ClockState::ClearAlarmSound;
    case 'h': return &ClockState::Mode;
    case 'g': return &ClockState::SetMode;
    case 'j': return &ClockState::AutoStandby;
    case 'i': return &ClockState::SetAutoStandby;
    case 'r': return &ClockState::SoundTimes;
    case 'q': return &ClockState::SetSoundTimes;
    case 'n': return &ClockState::Pwm;
    case 'm': return &ClockState::SetPwm;
    case 'w': return &ClockState::Whirlbeam;
    case 'y': return &ClockState::Relay;
    case 'x': return &ClockState::SetRelay;
    case 0x60: return &ClockState::RelayIrTime;
    case 'a': return &ClockState::ExecuteRc5;
    case '|': return &ClockState::Measurements;
    case 0x7F: return &ClockState::SensorOffsets;
    case 'f': return &ClockState::ReadMemory;
    case '{': return &ClockState::Dcf77State;
    default: return nullptr;
    }
}

std::optional<QByteArray> ClockState::Answer(const QByteArray& command, const QDateTime& now)
{
    Settle(now);
    const Handler handler = command.isEmpty() ? nullptr : HandlerFor(command.front());
    if (!handler)
        return std::nullopt;
    FieldReader fields(command);
    const std::optional<QByteArray> body = (this->*handler)(fields);
    if (!body)
        return std::nullopt;
    return ReplyLetterOf(command) + *body;
}

void ClockState::Settle(const QDateTime& now)
{
    now_ = now;
    if (relayOn_ && relayOffAt_.isValid() && now_ >= relayOffAt_)
        SwitchRelay(false, 0);
    if (AutoStandbyArmed() && AutoStandbySecondsLeft() == 0)
        StopWhirlbeam();
    const QDateTime minute = MinuteOf(WallTime());
    if (minute != lastMinuteMark_) {
        lastMinuteMark_ = minute;
        OnMinuteMark(minute);
    }
}

QDateTime ClockState::WallTime() const
{
    return AsWallTime(now_).addMSecs(wallOffsetMs_);
}

// A time set by hand is no minute mark: no telegram ends and no alarm runs.
void ClockState::SetWallTime(const QDateTime& wall)
{
    wallOffsetMs_ = AsWallTime(now_).msecsTo(wall);
    lastMinuteMark_ = MinuteOf(wall);
    timeValid_ = true;
}

void ClockState::OnMinuteMark(const QDateTime& wall)
{
    const bool decoded = dcf77_.EndTelegram(wall, modeFlags_ & ModeFlag::Dcf77Sync, now_.isDaylightTime());
    timeValid_ = timeValid_ || decoded;
    for (int row = 0; row < options_.alarmCount && row < MaxAlarms; ++row)
        if (AlarmDue(alarms_[row], wall))
            RunAlarm(alarms_[row]);
}

QByteArray ClockState::DateFields() const
{
    const QDate date = WallTime().date();
    return DecField(date.year(), 4) + DecField(date.month(), 2) + DecField(date.day(), 2) + "0"
        + DecField(date.dayOfWeek(), 1);
}

QByteArray ClockState::TimeFields() const
{
    const QTime time = WallTime().time();
    return DecField(time.hour(), 2) + DecField(time.minute(), 2) + DecField(time.second(), 2);
}

std::optional<QByteArray> ClockState::Date(FieldReader&)
{
    return DateFields();
}

// The weekday digit is not kept: the clock knows the weekday of every date.
std::optional<QByteArray> ClockState::SetDate(FieldReader& fields)
{
    const auto year = fields.Dec(4);
    const auto month = fields.Dec(2);
    const auto day = fields.Dec(2);
    if (year && month && day && QDate::isValid(*year, *month, *day) && *year > 0)
        SetWallTime(QDateTime(QDate(*year, *month, *day), WallTime().time(), QTimeZone::utc()));
    return DateFields();
}

std::optional<QByteArray> ClockState::Time(FieldReader&)
{
    return TimeFields();
}

std::optional<QByteArray> ClockState::SetTime(FieldReader& fields)
{
    const auto hour = fields.Dec(2);
    const auto minute = fields.Dec(2);
    const auto second = fields.Dec(2);
    if (hour && minute && second && QTime::isValid(*hour, *minute, *second))
        SetWallTime(QDateTime(WallTime().date(), QTime(*hour, *minute, *second), QTimeZone::utc()));
    return TimeFields();
}

std::optional<QByteArray> ClockState::ClearSeconds(FieldReader&)
{
    SetWallTime(MinuteOf(WallTime()));
    return TimeFields();
}

// The reply letter is the "P" of "Pelk".
std::optional<QByteArray> ClockState::Identify(FieldReader&)
{
    return (options_.wrongIdentification ? kForeignIdentification : kIdentification).mid(1);
}

std::optional<QByteArray> ClockState::Version(FieldReader&)
{
    return (options_.versionTwo ? kOldVersion : kVersion).mid(1);
}

std::optional<QByteArray> ClockState::Configuration(FieldReader&)
{
    QByteArray fields = DecField(options_.alarmCount, 2) + HexField(options_.rc5Address, 2);
    if (options_.chipCode)
        fields += DecField(*options_.chipCode, 2);
    return fields;
}

// Replies leave in order, so this one follows every reply asked for before.
std::optional<QByteArray> ClockState::EndOfBatch(FieldReader& fields)
{
    return fields.Rest();
}

// A row the clock does not have reads as an empty, disabled alarm; writing
// it changes nothing.
QByteArray ClockState::AlarmFields(int row) const
{
    const bool exists = row < options_.alarmCount && row < MaxAlarms;
    const ClockAlarm alarm = exists ? alarms_[row] : ClockAlarm{};
    return DecField(row, 2) + HexField(alarm.days, 2) + DecField(alarm.hour, 2)
        + DecField(alarm.minute, 2) + HexField(alarm.action, 2);
}

std::optional<QByteArray> ClockState::SetAlarm(FieldReader& fields)
{
    const auto row = fields.Dec(2);
    if (!row)
        return std::nullopt;
    const auto days = fields.Hex(2);
    const auto hour = fields.Dec(2);
    const auto minute = fields.Dec(2);
    const auto action = fields.Hex(2);
    const bool complete = days && hour && minute && action && IsAlarmTime(*hour, *minute);
    if (complete && *row < options_.alarmCount && *row < MaxAlarms)
        alarms_[*row] = ClockAlarm{*days, *hour, *minute, *action};
    return AlarmFields(*row);
}

std::optional<QByteArray> ClockState::ReadAlarm(FieldReader& fields)
{
    const auto row = fields.Dec(2);
    if (!row)
        return std::nullopt;
    return AlarmFields(*row);
}

std::optional<QByteArray> ClockState::ClearAlarmSound(FieldReader& fields)
{
    const auto request = fields.Hex(2);
    if (request && (*request & 0x80))
        alarmSounding_ = false;
    return HexField(alarmSounding_ ? 0x80 : 0, 2);
}

bool ClockState::AlarmDue(const ClockAlarm& alarm, const QDateTime& wall) const
{
    const int weekdayBit = 1 << (wall.date().dayOfWeek() - 1);
    const QTime time = wall.time();
    const bool everyHour = alarm.hour & kIgnoredHourBit;
    return (alarm.days & kAlarmEnabledBit) && (alarm.days & weekdayBit) && alarm.minute == time.minute()
        && (everyHour || alarm.hour == time.hour());
}

void ClockState::RunAlarm(const ClockAlarm& alarm)
{
    namespace Bit = AlarmActionBit;
    if (alarm.action & Bit::Relay) {
        SwitchRelay(true, alarm.action & Bit::RelayMinutes);
        return;
    }
    if (alarm.action & Bit::WhirlbeamOn)
        StartWhirlbeam();
    if (alarm.action & Bit::WhirlbeamOff)
        StopWhirlbeam();
    if (alarm.action & Bit::Sound)
        alarmSounding_ = true;
}

std::optional<QByteArray> ClockState::Mode(FieldReader&)
{
    return HexField(modeFlags_, 2) + HexField(motorFlags_, 2);
}

// The parameter file's "g" + mode leaves the motor flags as they are.
std::optional<QByteArray> ClockState::SetMode(FieldReader& fields)
{
    const auto mode = fields.Hex(2);
    const bool modeOnly = fields.AtEnd();
    const auto motor = modeOnly ? std::optional<int>(motorFlags_) : fields.Hex(2);
    if (mode && motor) {
        if ((*mode & ~modeFlags_) & ModeFlag::AutoStandby)
            runningSince_ = now_;
        modeFlags_ = *mode;
        motorFlags_ = *motor;
    }
    return Mode(fields);
}

std::optional<QByteArray> ClockState::AutoStandby(FieldReader&)
{
    return HexField(autoStandbySeconds_, 4);
}

std::optional<QByteArray> ClockState::SetAutoStandby(FieldReader& fields)
{
    if (const auto seconds = fields.Hex(4)) {
        autoStandbySeconds_ = *seconds;
        runningSince_ = now_;
    }
    return AutoStandby(fields);
}

std::optional<QByteArray> ClockState::SoundTimes(FieldReader&)
{
    return DecField(soundFromHour_, 2) + DecField(soundToHour_, 2) + HexField(lightLimit_, 2);
}

// The parameter file's "q" + hours leaves the light limit as it is.
std::optional<QByteArray> ClockState::SetSoundTimes(FieldReader& fields)
{
    const auto from = fields.Dec(2);
    const auto to = fields.Dec(2);
    const bool hoursOnly = fields.AtEnd();
    const auto light = hoursOnly ? std::optional<int>(lightLimit_) : fields.Hex(2);
    if (from && to && light && *from <= kSoundHour.maxValue && *to <= kSoundHour.maxValue) {
        soundFromHour_ = *from;
        soundToHour_ = *to;
        lightLimit_ = *light;
    }
    return SoundTimes(fields);
}

// The current pulse and period follow the coil drive of the present state.
std::optional<QByteArray> ClockState::Pwm(FieldReader&)
{
    const bool coilOff = !running_ && (modeFlags_ & ModeFlag::NoCoilInSleep);
    const int currentPulse = coilOff ? 0 : pwm_[running_ ? 0 : 2];
    const int currentPeriod = coilOff ? 0 : pwm_[running_ ? 1 : 3];
    QByteArray fields;
    for (const int value : pwm_)
        fields += HexField(value, 2);
    return fields + HexField(currentPulse, 2) + HexField(currentPeriod, 2);
}

std::optional<QByteArray> ClockState::SetPwm(FieldReader& fields)
{
    std::array<std::optional<int>, 4> values;
    for (auto& value : values)
        value = fields.Hex(2);
    if (std::all_of(values.begin(), values.end(), [](const auto& v) { return v.has_value(); })) {
        for (size_t i = 0; i < pwm_.size(); ++i)
            pwm_[i] = *values[i];
        pwm_[0] = qMin(pwm_[0], kMaxPulse);
        pwm_[2] = qMin(pwm_[2], kMaxPulse);
    }
    return Pwm(fields);
}

// "w" + a byte with bit 7 set starts (bit 0 set) or stops the whirlbeam;
// without bit 7 it only asks for the status.
std::optional<QByteArray> ClockState::Whirlbeam(FieldReader& fields)
{
    const auto request = fields.Hex(2);
    if (request && (*request & 0x80))
        (*request & 0x01) ? StartWhirlbeam() : StopWhirlbeam();
    return WhirlbeamFields();
}

QByteArray ClockState::WhirlbeamFields() const
{
    return HexField(StatusFlags(), 2) + HexField(0, 2) + HexField(AutoStandbySecondsLeft(), 4);
}

int ClockState::StatusFlags() const
{
    namespace Flag = StatusFlag;
    int flags = running_ ? Flag::HighPowerCoil | Flag::IndexLed : Flag::StandBy | Flag::Sleep;
    if (!running_ && (modeFlags_ & ModeFlag::NoCoilInSleep))
        flags |= Flag::DeepSleep;
    return timeValid_ ? flags : flags | Flag::TimeInvalid;
}

bool ClockState::AutoStandbyArmed() const
{
    return running_ && (modeFlags_ & ModeFlag::AutoStandby) && autoStandbySeconds_ > 0;
}

// Auto standby counts from the last start and from the last change of its
// setting.
int ClockState::AutoStandbySecondsLeft() const
{
    if (!AutoStandbyArmed())
        return 0;
    return int(std::clamp<qint64>(autoStandbySeconds_ - runningSince_.secsTo(now_), 0, 0xFFFF));
}

void ClockState::StartWhirlbeam()
{
    if (!running_)
        runningSince_ = now_;
    running_ = true;
}

void ClockState::StopWhirlbeam()
{
    running_ = false;
}

std::optional<QByteArray> ClockState::Relay(FieldReader&)
{
    return RelayFields();
}

// "x" + flags (bit 0 on) + minutes. On for 0 minutes means on until "x0000".
std::optional<QByteArray> ClockState::SetRelay(FieldReader& fields)
{
    const auto flags = fields.Hex(2);
    const auto minutes = fields.Hex(2);
    if (flags && minutes)
        SwitchRelay(*flags & 0x01, *minutes);
    return RelayFields();
}

QByteArray ClockState::RelayFields() const
{
    return HexField(relayOn_ ? 0x01 : 0, 2) + HexField(RelayMinutesLeft(), 2);
}

void ClockState::SwitchRelay(bool on, int minutes)
{
    relayOn_ = on;
    relayOffAt_ = on && minutes > 0 ? now_.addSecs(minutes * 60) : QDateTime();
}

// Started minutes count as whole ones, so the count reaches 0 only as the
// relay drops.
int ClockState::RelayMinutesLeft() const
{
    if (!relayOn_ || !relayOffAt_.isValid())
        return 0;
    const qint64 msLeft = now_.msecsTo(relayOffAt_);
    return int(std::clamp<qint64>((msLeft + 59999) / 60000, 0, 0xFF));
}

// GRAVE + select + minutes: select bit 7 stores the relay on-time that RC5
// commands use; the reply echoes the select byte where the panel skips it.
std::optional<QByteArray> ClockState::RelayIrTime(FieldReader& fields)
{
    const auto select = fields.Hex(2);
    const auto minutes = fields.Hex(2);
    if (select && minutes && (*select & 0x80))
        relayIrMinutes_ = *minutes;
    return HexField(select.value_or(0), 2) + HexField(relayIrMinutes_, 2);
}

// The packet is answered as it came; it acts only when it carries the
// clock's own address.
std::optional<QByteArray> ClockState::ExecuteRc5(FieldReader& fields)
{
    const QByteArray packet = fields.Peek(4);
    const auto address = fields.Hex(2);
    const auto command = fields.Hex(2);
    if (address && command && (*address & 0x1F) == options_.rc5Address) {
        switch (*command & 0x3F) {
        case kRc5Standby: running_ ? StopWhirlbeam() : StartWhirlbeam(); break;
        case kRc5Mute: alarmSounding_ = false; break;
        case kRc5Relay: SwitchRelay(!relayOn_, relayIrMinutes_); break;
        default: break;
        }
    }
    return packet;
}

std::optional<QByteArray> ClockState::Measurements(FieldReader&)
{
    return sensors_.MeasurementFields();
}

// DEL + select + three offsets: select bits 0x80, 0x40, 0x20 choose which
// offsets to take; select 00 only asks.
std::optional<QByteArray> ClockState::SensorOffsets(FieldReader& fields)
{
    const auto select = fields.Hex(2);
    const auto temperature = fields.Hex(2);
    const auto humidity = fields.Hex(2);
    const auto pressure = fields.Hex(2);
    auto asSigned = [](int byte) { return byte > 127 ? byte - 256 : byte; };
    if (select && temperature && humidity && pressure)
        sensors_.SetOffsets(*select, asSigned(*temperature), asSigned(*humidity), asSigned(*pressure));
    return HexField(select.value_or(0), 2) + sensors_.OffsetFields();
}

// Only the DCF77 statistics are mapped; other addresses read as 00.
std::optional<QByteArray> ClockState::ReadMemory(FieldReader& fields)
{
    const auto address = fields.Hex(4);
    if (!address)
        return std::nullopt;
    return HexField(*address, 4) + HexField(dcf77_.StatisticsByte(*address).value_or(0), 2);
}

std::optional<QByteArray> ClockState::Dcf77State(FieldReader&)
{
    return dcf77_.StateFields();
}
