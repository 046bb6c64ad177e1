// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/ClockModel.h"

#include "protocol/replies/AlarmReply.h"

namespace {

// Field by field, each one decoded replaces the one known; one that failed
// keeps it.
template <typename Record, typename... Field>
void Merge(Record& known, const Record& record, std::optional<Field> Record::*... fields)
{
    (((record.*fields) ? void(known.*fields = record.*fields) : void()), ...);
}

} // namespace

std::array<AlarmSettings, ClockFacts::kAlarmRows> ClockFacts::EmptyAlarms()
{
    std::array<AlarmSettings, kAlarmRows> rows{};
    for (int row = 0; row < kAlarmRows; ++row)
        rows[size_t(row)].row = QByteArray::number(row).rightJustified(2, '0');
    return rows;
}

std::optional<ReplyKind> ClockModel::Take(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    if (!row)
        return std::nullopt;
    Apply(row->decode(line));
    return row->kind;
}

void ClockModel::TakeAs(ReplyKind kind, const QByteArray& line)
{
    for (const ReplyRow& row : ReplyTable())
        if (row.kind == kind)
            return Apply(row.decode(line));
}

void ClockModel::Apply(const ReplyRecord& record)
{
    std::visit([this](const auto& kind) { On(kind); }, record);
}

void ClockModel::Forget()
{
    ClockFacts unknown;
    unknown.alarmCount = facts_.alarmCount;
    unknown.initialLoad = facts_.initialLoad;
    unknown.hourFigures = facts_.hourFigures;
    unknown.hourFiguresRead = facts_.hourFiguresRead;
    facts_ = unknown;
}

void ClockModel::On(const IdentificationRecord& record)
{
    facts_.identification = record;
    emit IdentificationChanged(record);
}

void ClockModel::On(const VersionRecord& record)
{
    if (!record.major)
        return;
    facts_.version = record;
    emit VersionChanged(record);
}

void ClockModel::On(const ConfigRecord& record)
{
    if (!record.alarmCount)
        return;
    facts_.config = record;
    facts_.alarmCount = *record.alarmCount;
    emit ConfigChanged(record);
}

void ClockModel::On(const EndOfReadRecord&)
{
    const bool first = facts_.initialLoad;
    facts_.initialLoad = false;
    emit ReadEnded(first);
}

void ClockModel::On(const DateRecord& record)
{
    if (!record.date)
        return;
    facts_.date = record;
    emit DateChanged(record);
}

void ClockModel::On(const TimeRecord& record)
{
    if (!record.time)
        return;
    facts_.time = record;
    emit TimeChanged(record);
}

void ClockModel::On(const WhirlbeamStatusRecord& record)
{
    using R = WhirlbeamStatusRecord;
    if (!record.flags)
        return;
    Merge(facts_.status, record, &R::flags, &R::remainingSeconds, &R::extraFlags);
    emit StatusChanged(record);
}

void ClockModel::On(const RelayRecord& record)
{
    if (!record.remainingMinutes)
        return;
    Merge(facts_.relay, record, &RelayRecord::remainingMinutes, &RelayRecord::on);
    emit RelayChanged(record);
}

void ClockModel::On(const RelayIrTimeRecord& record)
{
    if (!record.minutes)
        return;
    facts_.relayIrTime = record;
    emit RelayIrTimeChanged(record);
}

void ClockModel::On(const ModeRecord& record)
{
    Merge(facts_.mode, record, &ModeRecord::modeFlags, &ModeRecord::motorFlags);
    emit ModeChanged(record, facts_.initialLoad);
}

void ClockModel::On(const AutoStandbyRecord& record)
{
    Merge(facts_.autoStandby, record, &AutoStandbyRecord::seconds);
    emit AutoStandbyChanged(record);
}

void ClockModel::On(const SoundTimesRecord& record)
{
    using R = SoundTimesRecord;
    Merge(facts_.soundTimes, record, &R::fromHour, &R::toHour, &R::lightLimit);
    emit SoundTimesChanged(record);
}

void ClockModel::On(const PwmRecord& record)
{
    using R = PwmRecord;
    Merge(facts_.pwm, record, &R::runPulse, &R::highSpeed, &R::sleepPulse, &R::lowSpeed, &R::currentPulse,
        &R::currentPeriod);
    emit PwmChanged(record, facts_.initialLoad);
}

void ClockModel::On(const MeasurementRecord& record)
{
    using R = MeasurementRecord;
    Merge(facts_.measurement, record, &R::light, &R::temperature, &R::humidity, &R::airPressure);
    emit MeasurementChanged(record);
}

void ClockModel::On(const SensorOffsetRecord& record)
{
    using R = SensorOffsetRecord;
    Merge(facts_.offsets, record, &R::temperature, &R::humidity, &R::pressure);
    emit SensorOffsetsChanged(record);
}

void ClockModel::On(const Dcf77StateRecord& record)
{
    using R = Dcf77StateRecord;
    if (!record.total)
        return;
    Merge(facts_.dcf77, record, &R::total, &R::year, &R::month, &R::day, &R::weekday, &R::hour, &R::minute,
        &R::lastHour);
    emit Dcf77StateChanged(record);
}

void ClockModel::On(const MemoryReadRecord& record)
{
    const auto hour = record.Hour();
    if (!hour || !record.data)
        return;
    facts_.hourFigures[size_t(*hour)] = *record.data;
    facts_.hourFiguresRead = facts_.hourFiguresRead || *hour == ClockFacts::kHours - 1;
    emit HourFigureRead(*hour, *hour == ClockFacts::kHours - 1);
}

void ClockModel::On(const AlarmRecord& record)
{
    if (!record.row || !record.dayByte)
        return;
    ApplyAlarmReply(facts_.alarms[size_t(*record.row)], record);
    emit AlarmChanged(record);
}

void ClockModel::On(const Rc5PacketRecord& record)
{
    facts_.rc5Packets.append(record);
    if (facts_.rc5Packets.size() > ClockFacts::kRc5Packets)
        facts_.rc5Packets.removeFirst();
    emit Rc5PacketReceived(record);
}
