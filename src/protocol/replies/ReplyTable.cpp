// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ReplyTable.h"

#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/Fields.h"
#include "protocol/replies/ReplyWords.h"

#include <QStringList>
#include <array>

namespace {

using Flag = WhirlbeamStatusRecord;
const QString kUnknown = QStringLiteral("?");

// ---- Decoders whose value gets a record of its own -------------------------

EndOfReadRecord DecodeEndOfRead(const QByteArray&) { return {}; }
TimeRecord DecodeTimeRecord(const QByteArray& line) { return {DecodeTime(line)}; }
AutoStandbyRecord DecodeAutoStandbyRecord(const QByteArray& line) { return {DecodeAutoStandby(line)}; }
RelayIrTimeRecord DecodeRelayIrTimeRecord(const QByteArray& line) { return {DecodeRelayIrTime(line)}; }

// ---- Which fields were read, in step order -------------------------------

// An identification is read whole when it names a whirlbeam clock.
QList<bool> Read(const IdentificationRecord& r) { return {r.recognised}; }
QList<bool> Read(const VersionRecord& r) { return {r.major.has_value()}; }
QList<bool> Read(const ConfigRecord& r) { return {r.alarmCount.has_value(), r.chipName.has_value()}; }
QList<bool> Read(const EndOfReadRecord&) { return {}; }
QList<bool> Read(const DateRecord& r) { return {r.date.has_value()}; }
QList<bool> Read(const TimeRecord& r) { return {r.time.has_value()}; }
QList<bool> Read(const WhirlbeamStatusRecord& r)
{
    return {r.flags.has_value(), r.remainingSeconds.has_value(), r.extraFlags.has_value()};
}
QList<bool> Read(const RelayRecord& r) { return {r.remainingMinutes.has_value(), r.on.has_value()}; }
QList<bool> Read(const RelayIrTimeRecord& r) { return {r.minutes.has_value()}; }
QList<bool> Read(const AlarmRecord& r)
{
    return {r.row.has_value(), r.dayByte.has_value(), r.hourValue.has_value(), r.minute.has_value(),
        r.actionByte.has_value()};
}
QList<bool> Read(const ModeRecord& r) { return {r.modeFlags.has_value(), r.motorFlags.has_value()}; }
QList<bool> Read(const AutoStandbyRecord& r) { return {r.seconds.has_value()}; }
QList<bool> Read(const PwmRecord& r)
{
    return {r.runPulse.has_value(), r.highSpeed.has_value(), r.sleepPulse.has_value(), r.lowSpeed.has_value(),
        r.currentPulse.has_value(), r.currentPeriod.has_value()};
}
QList<bool> Read(const SoundTimesRecord& r)
{
    return {r.fromHour.has_value(), r.toHour.has_value(), r.lightLimit.has_value()};
}
// The data byte is read for the statistics addresses only.
QList<bool> Read(const MemoryReadRecord& r)
{
    return {r.address.has_value(), r.address && (r.data || !r.Hour())};
}
QList<bool> Read(const Dcf77StateRecord& r)
{
    return {r.total.has_value(), r.year.has_value(), r.month.has_value(), r.day.has_value(), r.hour.has_value(),
        r.minute.has_value(), r.lastHour.has_value()};
}
QList<bool> Read(const Rc5PacketRecord&) { return {}; }
QList<bool> Read(const MeasurementRecord& r)
{
    return {r.light.has_value(), r.temperature.has_value(), r.humidity.has_value(), r.airPressure.has_value()};
}
QList<bool> Read(const SensorOffsetRecord& r)
{
    return {r.temperature.has_value(), r.humidity.has_value(), r.pressure.has_value()};
}

// ---- Words -------------------------------------------------------------------

QString Words(const IdentificationRecord& r)
{
    return r.recognised ? QStringLiteral("identification") : QStringLiteral("not a whirlbeam clock");
}

QString Words(const VersionRecord& v)
{
    return !v.major ? QStringLiteral("version ?")
                    : QStringLiteral("version %1%2")
                          .arg(QString::fromLatin1(v.text), v.Valid() ? QString() : QStringLiteral(", too old"));
}

QString Words(const ConfigRecord& c)
{
    if (!c.alarmCount)
        return QStringLiteral("configuration ?");
    const QString chip = ChipWords(c);
    return QStringLiteral("%1 alarms, RC5 address %2%3")
        .arg(*c.alarmCount)
        .arg(QString::fromLatin1(c.selfAddress), chip.isEmpty() ? QString() : QStringLiteral(", chip ") + chip);
}

QString Words(const EndOfReadRecord&) { return QStringLiteral("end of read"); }
QString Words(const DateRecord& r) { return QStringLiteral("date ") + DateWords(r); }
QString Words(const TimeRecord& r) { return QStringLiteral("time ") + TimeWords(r.time); }

QString Words(const WhirlbeamStatusRecord& w)
{
    const QString valid = !w.flags       ? QString()
        : (*w.flags & Flag::TimeInvalid) ? QStringLiteral(", time invalid")
                                         : QStringLiteral(", time valid");
    return QStringLiteral("whirlbeam ") + WhirlbeamWords(w) + valid;
}

QString Words(const RelayRecord& r) { return QStringLiteral("relay ") + RelayWords(r); }

QString Words(const RelayIrTimeRecord& r)
{
    return QStringLiteral("relay on-time for IR commands %1 min").arg(NumberWords(r.minutes));
}

QString Words(const AlarmRecord& record)
{
    if (!record.row)
        return QStringLiteral("alarm ?");
    AlarmSettings row;
    row.row = DecField(*record.row, 2);
    ApplyAlarmReply(row, record);
    QString days;
    for (size_t day = 0; day < row.days.size(); ++day)
        if (row.days[day])
            days += QString::number(day + 1);
    QStringList words{row.enabled ? QStringLiteral("enabled") : QStringLiteral("disabled"),
        QStringLiteral("days ") + (days.isEmpty() ? QStringLiteral("none") : days)};
    if (record.minute)
        words << (row.ignoreHour ? QStringLiteral("every hour at :%1").arg(row.minute, 2, 10, QLatin1Char('0'))
                                 : QTime(row.hour, row.minute).toString(QStringLiteral("HH:mm")));
    if (record.actionByte) {
        if (row.relayOn)
            words << QStringLiteral("relay on for %1 min").arg(row.count);
        if (row.whirlbeamOn)
            words << QStringLiteral("whirlbeam on");
        if (row.whirlbeamOff)
            words << QStringLiteral("whirlbeam off");
        if (row.sound)
            words << QStringLiteral("sound");
        if (!row.relayOn)
            words << QStringLiteral("count %1").arg(row.count);
    }
    return QStringLiteral("alarm %1: ").arg(*record.row, 2, 10, QLatin1Char('0')) + words.join(QStringLiteral(", "));
}

QString Words(const ModeRecord& m)
{
    const auto hex = [](const std::optional<int>& v) { return v ? QString::fromLatin1(HexField(*v, 2)) : kUnknown; };
    return QStringLiteral("mode flags %1, motor flags %2").arg(hex(m.modeFlags), hex(m.motorFlags));
}

QString Words(const AutoStandbyRecord& r) { return QStringLiteral("auto standby %1 s").arg(NumberWords(r.seconds)); }

QString Words(const PwmRecord& p)
{
    return QStringLiteral("run pulse %1, high speed %2, sleep pulse %3, low speed %4, current pulse %5, "
                          "current period %6")
        .arg(NumberWords(p.runPulse), NumberWords(p.highSpeed), NumberWords(p.sleepPulse),
            NumberWords(p.lowSpeed), NumberWords(p.currentPulse), NumberWords(p.currentPeriod));
}

QString Words(const SoundTimesRecord& s)
{
    return QStringLiteral("sound from %1 to %2 h, light limit %3")
        .arg(NumberWords(s.fromHour), NumberWords(s.toHour), NumberWords(s.lightLimit));
}

QString Words(const MemoryReadRecord& m)
{
    if (const auto hour = m.Hour())
        return QStringLiteral("DCF77 statistics, hour %1: %2").arg(*hour).arg(NumberWords(m.data));
    return QStringLiteral("memory %1").arg(m.address ? QString::fromLatin1(HexField(*m.address, 4)) : kUnknown);
}

QString Words(const Dcf77StateRecord& d)
{
    QString text = QStringLiteral("DCF77 %1 synchronisations").arg(NumberWords(d.total));
    if (!d.day)
        return text;
    text += QStringLiteral(", decoded %1-%2-%3")
                .arg(QString::fromLatin1(*d.year), NumberWords(d.month).rightJustified(2, QLatin1Char('0')))
                .arg(d.day->day, 2, 10, QLatin1Char('0'));
    if (d.hour && d.minute)
        text += QStringLiteral(" %1:%2")
                    .arg(d.hour->hour, 2, 10, QLatin1Char('0'))
                    .arg(d.minute->minute, 2, 10, QLatin1Char('0'));
    text += QStringLiteral(" weekday %1").arg(NumberWords(d.weekday));
    const struct {
        bool on;
        const char* word;
    } kStates[] = {{d.day->dataReady, "data ready"}, {d.day->waitForSync, "waiting for synchron"},
        {d.hour && d.hour->parityError, "parity error"}, {d.hour && d.hour->error, "error"},
        {d.minute && d.minute->summerTime, "CEST"}};
    for (const auto& state : kStates)
        if (state.on)
            text += QStringLiteral(", ") + QLatin1String(state.word);
    if (d.lastHour)
        text += QStringLiteral(", %1 in the last hour").arg(*d.lastHour);
    return text;
}

QString Words(const Rc5PacketRecord& p)
{
    return QStringLiteral("RC5 packet, address %1, command %2")
        .arg(QString::fromLatin1(p.address), QString::fromLatin1(p.command));
}

QString Words(const MeasurementRecord& m) { return SensorWords(m); }

QString Words(const SensorOffsetRecord& o)
{
    return QStringLiteral("sensor offsets: temperature %1, humidity %2, pressure %3")
        .arg(NumberWords(o.temperature), NumberWords(o.humidity), NumberWords(o.pressure));
}

// ---- The rows ------------------------------------------------------------------

// A row of the kind whose decoder gives Record: the record's own field list
// and words, picked by its type.
template <typename Record, Record (*Decode)(const QByteArray&)>
constexpr ReplyRow Row(ReplyKind kind, const char* letters)
{
    return {kind, letters, [](const QByteArray& line) { return ReplyRecord(Decode(line)); },
        [](const ReplyRecord& record) { return Read(std::get<Record>(record)); },
        [](const ReplyRecord& record) { return Words(std::get<Record>(record)); }};
}

constexpr std::array kRows = {
    Row<RelayIrTimeRecord, DecodeRelayIrTimeRecord>(ReplyKind::RelayIrTimeReply, "@"),
    Row<Rc5PacketRecord, DecodeRc5Packet>(ReplyKind::Rc5PacketReply, "A"),
    Row<DateRecord, DecodeDate>(ReplyKind::DateReply, "BD"),
    Row<TimeRecord, DecodeTimeRecord>(ReplyKind::TimeReply, "CST"),
    Row<MemoryReadRecord, DecodeMemoryRead>(ReplyKind::MemoryReadReply, "EF"),
    Row<ModeRecord, DecodeMode>(ReplyKind::ModeReply, "GH"),
    Row<AutoStandbyRecord, DecodeAutoStandbyRecord>(ReplyKind::AutoStandbyReply, "IJ"),
    Row<AlarmRecord, DecodeAlarm>(ReplyKind::AlarmReply, "KL"),
    Row<PwmRecord, DecodePwm>(ReplyKind::PwmReply, "MN"),
    Row<ConfigRecord, DecodeConfig>(ReplyKind::ConfigReply, "O"),
    Row<IdentificationRecord, DecodeIdentification>(ReplyKind::IdentificationReply, "P"),
    Row<SoundTimesRecord, DecodeSoundTimes>(ReplyKind::SoundTimesReply, "QR"),
    Row<VersionRecord, DecodeVersion>(ReplyKind::VersionReply, "V"),
    Row<WhirlbeamStatusRecord, DecodeWhirlbeamStatus>(ReplyKind::WhirlbeamStatusReply, "W"),
    Row<RelayRecord, DecodeRelay>(ReplyKind::RelayReply, "XY"),
    Row<EndOfReadRecord, DecodeEndOfRead>(ReplyKind::EndOfReadReply, "Z"),
    Row<Dcf77StateRecord, DecodeDcf77State>(ReplyKind::Dcf77StateReply, "["),
    Row<MeasurementRecord, DecodeMeasurement>(ReplyKind::MeasurementReply, "\\"),
    Row<SensorOffsetRecord, DecodeSensorOffset>(ReplyKind::SensorOffsetReply, "_"),
};
static_assert(kRows.size() == std::variant_size_v<ReplyRecord>, "one row for every record");

// The row of each character 0x40..0x5F, or none.
const std::array<const ReplyRow*, 0x20>& RowsByLetter()
{
    static const std::array<const ReplyRow*, 0x20> rows = [] {
        std::array<const ReplyRow*, 0x20> byLetter{};
        for (const ReplyRow& row : kRows)
            for (const char* letter = row.letters; *letter; ++letter)
                byLetter[size_t(*letter - 0x40)] = &row;
        return byLetter;
    }();
    return rows;
}

} // namespace

std::span<const ReplyRow> ReplyTable() { return kRows; }

const ReplyRow* ReplyRowOf(const QByteArray& line)
{
    if (line.isEmpty())
        return nullptr;
    const auto first = static_cast<unsigned char>(line.front());
    return first >= 0x40 && first < 0x60 ? RowsByLetter()[first - 0x40] : nullptr;
}

std::optional<ReplyRecord> DecodeReply(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    return row ? std::optional<ReplyRecord>(row->decode(line)) : std::nullopt;
}

QString DescribeReply(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    return row ? row->describe(row->decode(line)) : QString();
}

std::optional<ReplyKind> KindOf(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    return row ? std::optional<ReplyKind>(row->kind) : std::nullopt;
}
