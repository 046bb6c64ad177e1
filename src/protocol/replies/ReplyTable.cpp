// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ReplyTable.h"

#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/Fields.h"
#include "protocol/replies/ReplyWords.h"

#include <QJsonValue>
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
// Each source is marked for lupdate where it stands; Said() gives it as it
// stands for scripts, translated for people.

QString Words(const IdentificationRecord& r, WordsFor a)
{
    return r.recognised ? Said(a, QT_TRANSLATE_NOOP("ReplyWords", "identification"))
                        : Said(a, QT_TRANSLATE_NOOP("ReplyWords", "not a whirlbeam clock"));
}

QString Words(const VersionRecord& v, WordsFor a)
{
    if (!v.major)
        return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "version ?"));
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "version %1%2"))
        .arg(QString::fromLatin1(v.text),
            v.Valid() ? QString() : Said(a, QT_TRANSLATE_NOOP("ReplyWords", ", too old")));
}

QString Words(const ConfigRecord& c, WordsFor a)
{
    if (!c.alarmCount)
        return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "configuration ?"));
    const QString chip = ChipWords(c);
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "%1 alarms, RC5 address %2%3"))
        .arg(NumberWords(*c.alarmCount, a), QString::fromLatin1(c.selfAddress),
            chip.isEmpty() ? QString() : Said(a, QT_TRANSLATE_NOOP("ReplyWords", ", chip %1")).arg(chip));
}

QString Words(const EndOfReadRecord&, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "end of read"));
}
QString Words(const DateRecord& r, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "date %1")).arg(DateWords(r, a));
}
QString Words(const TimeRecord& r, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "time %1")).arg(TimeWords(r.time));
}

QString Words(const WhirlbeamStatusRecord& w, WordsFor a)
{
    const QString valid = !w.flags       ? QString()
        : (*w.flags & Flag::TimeInvalid) ? Said(a, QT_TRANSLATE_NOOP("ReplyWords", ", time invalid"))
                                         : Said(a, QT_TRANSLATE_NOOP("ReplyWords", ", time valid"));
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "whirlbeam %1%2")).arg(WhirlbeamWords(w, a), valid);
}

QString Words(const RelayRecord& r, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "relay %1")).arg(RelayWords(r, a));
}

QString Words(const RelayIrTimeRecord& r, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "relay on-time for IR commands %1 min"))
        .arg(NumberWords(r.minutes, a));
}

QString Words(const AlarmRecord& record, WordsFor a)
{
    if (!record.row)
        return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "alarm ?"));
    AlarmSettings row;
    row.row = DecField(*record.row, 2);
    ApplyAlarmReply(row, record);
    QString days;
    for (size_t day = 0; day < row.days.size(); ++day)
        if (row.days[day])
            days += QString::number(day + 1);
    QStringList words{row.enabled ? Said(a, QT_TRANSLATE_NOOP("ReplyWords", "enabled"))
                                  : Said(a, QT_TRANSLATE_NOOP("ReplyWords", "disabled")),
        Said(a, QT_TRANSLATE_NOOP("ReplyWords", "days %1"))
            .arg(days.isEmpty() ? Said(a, QT_TRANSLATE_NOOP("ReplyWords", "none")) : days)};
    if (record.minute)
        words << (row.ignoreHour ? Said(a, QT_TRANSLATE_NOOP("ReplyWords", "every hour at :%1"))
                                       .arg(row.minute, 2, 10, QLatin1Char('0'))
                                 : QTime(row.hour, row.minute).toString(QStringLiteral("HH:mm")));
    if (record.actionByte) {
        if (row.relayOn)
            words << Said(a, QT_TRANSLATE_NOOP("ReplyWords", "relay on for %1 min"))
                         .arg(NumberWords(row.count, a));
        if (row.whirlbeamOn)
            words << Said(a, QT_TRANSLATE_NOOP("ReplyWords", "whirlbeam on"));
        if (row.whirlbeamOff)
            words << Said(a, QT_TRANSLATE_NOOP("ReplyWords", "whirlbeam off"));
        if (row.sound)
            words << Said(a, QT_TRANSLATE_NOOP("ReplyWords", "sound"));
        if (!row.relayOn)
            words << Said(a, QT_TRANSLATE_NOOP("ReplyWords", "count %1")).arg(NumberWords(row.count, a));
    }
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "alarm %1: %2"))
        .arg(
            QStringLiteral("%1").arg(*record.row, 2, 10, QLatin1Char('0')), words.join(QStringLiteral(", ")));
}

QString Words(const ModeRecord& m, WordsFor a)
{
    const auto hex = [](const std::optional<int>& v) { return v ? QString::fromLatin1(HexField(*v, 2)) : kUnknown; };
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "mode flags %1, motor flags %2"))
        .arg(hex(m.modeFlags), hex(m.motorFlags));
}

QString Words(const AutoStandbyRecord& r, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "auto standby %1 s")).arg(NumberWords(r.seconds, a));
}

QString Words(const PwmRecord& p, WordsFor a)
{
    return Said(a,
        QT_TRANSLATE_NOOP("ReplyWords",
            "run pulse %1, high speed %2, sleep pulse %3, low speed %4, "
            "current pulse %5, current period %6"))
        .arg(NumberWords(p.runPulse, a), NumberWords(p.highSpeed, a), NumberWords(p.sleepPulse, a),
            NumberWords(p.lowSpeed, a), NumberWords(p.currentPulse, a), NumberWords(p.currentPeriod, a));
}

QString Words(const SoundTimesRecord& s, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "sound from %1 to %2 h, light limit %3"))
        .arg(NumberWords(s.fromHour, a), NumberWords(s.toHour, a), NumberWords(s.lightLimit, a));
}

QString Words(const MemoryReadRecord& m, WordsFor a)
{
    if (const auto hour = m.Hour())
        return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "DCF77 statistics, hour %1: %2"))
            .arg(NumberWords(*hour, a), NumberWords(m.data, a));
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "memory %1"))
        .arg(m.address ? QString::fromLatin1(HexField(*m.address, 4)) : kUnknown);
}

QString Words(const Dcf77StateRecord& d, WordsFor a)
{
    QString text
        = Said(a, QT_TRANSLATE_NOOP("ReplyWords", "DCF77 %1 synchronisations")).arg(NumberWords(d.total, a));
    if (!d.day)
        return text;
    text += Said(a, QT_TRANSLATE_NOOP("ReplyWords", ", decoded %1-%2-%3"))
                .arg(QString::fromLatin1(*d.year), NumberWords(d.month).rightJustified(2, QLatin1Char('0')),
                    QStringLiteral("%1").arg(d.day->day, 2, 10, QLatin1Char('0')));
    if (d.hour && d.minute)
        text += QStringLiteral(" %1:%2")
                    .arg(d.hour->hour, 2, 10, QLatin1Char('0'))
                    .arg(d.minute->minute, 2, 10, QLatin1Char('0'));
    text += Said(a, QT_TRANSLATE_NOOP("ReplyWords", " weekday %1")).arg(NumberWords(d.weekday, a));
    const struct {
        bool on;
        const char* word;
    } kStates[] = {{d.day->dataReady, QT_TRANSLATE_NOOP("ReplyWords", "data ready")},
        {d.day->waitForSync, QT_TRANSLATE_NOOP("ReplyWords", "waiting for synchron")},
        {d.hour && d.hour->parityError, QT_TRANSLATE_NOOP("ReplyWords", "parity error")},
        {d.hour && d.hour->error, QT_TRANSLATE_NOOP("ReplyWords", "error")},
        {d.minute && d.minute->summerTime, QT_TRANSLATE_NOOP("ReplyWords", "CEST")}};
    for (const auto& state : kStates)
        if (state.on)
            text += QStringLiteral(", ") + Said(a, state.word);
    if (d.lastHour)
        text += Said(a, QT_TRANSLATE_NOOP("ReplyWords", ", %1 in the last hour"))
                    .arg(NumberWords(*d.lastHour, a));
    return text;
}

QString Words(const Rc5PacketRecord& p, WordsFor a)
{
    return Said(a, QT_TRANSLATE_NOOP("ReplyWords", "RC5 packet, address %1, command %2"))
        .arg(QString::fromLatin1(p.address), QString::fromLatin1(p.command));
}

QString Words(const MeasurementRecord& m, WordsFor a) { return SensorWords(m, a); }

QString Words(const SensorOffsetRecord& o, WordsFor a)
{
    return Said(
        a, QT_TRANSLATE_NOOP("ReplyWords", "sensor offsets: temperature %1, humidity %2, pressure %3"))
        .arg(NumberWords(o.temperature, a), NumberWords(o.humidity, a), NumberWords(o.pressure, a));
}

// ---- Fields for scripts ------------------------------------------------------
// The record's fields under their own names, numbers as numbers; a field
// not read (or, for a text sent as a number, not a number) is null.

QJsonValue Json(const std::optional<int>& value) { return value ? QJsonValue(*value) : QJsonValue(); }
QJsonValue Json(const std::optional<bool>& value) { return value ? QJsonValue(*value) : QJsonValue(); }
QJsonValue Number(const QByteArray& text, int base)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    return ok ? QJsonValue(value) : QJsonValue();
}
QJsonValue Bit(const std::optional<int>& flags, int bit)
{
    return flags ? QJsonValue(bool(*flags & bit)) : QJsonValue();
}

QJsonObject Fields(const IdentificationRecord& r) { return {{"recognised", r.recognised}}; }
QJsonObject Fields(const VersionRecord& v)
{
    return {{"major", Json(v.major)}, {"text", QString::fromLatin1(v.text)}, {"supported", v.Valid()}};
}
QJsonObject Fields(const ConfigRecord& c)
{
    return {{"alarmCount", Json(c.alarmCount)},
        {"rc5Address", c.alarmCount ? Number(c.selfAddress, 16) : QJsonValue()},
        {"chip", c.chipName && !c.chipName->trimmed().isEmpty() ? QJsonValue(ChipWords(c)) : QJsonValue()}};
}
QJsonObject Fields(const EndOfReadRecord&) { return {}; }
QJsonObject Fields(const DateRecord& r)
{
    return {{"date", r.date ? QJsonValue(r.date->toString(Qt::ISODate)) : QJsonValue()},
        {"weekday", r.date ? Number(r.weekday, 10) : QJsonValue()}};
}
QJsonObject Fields(const TimeRecord& r)
{
    return {{"time", r.time ? QJsonValue(TimeWords(r.time)) : QJsonValue()}};
}
QJsonObject Fields(const WhirlbeamStatusRecord& w)
{
    return {{"flags", Json(w.flags)}, {"remainingSeconds", Json(w.remainingSeconds)},
        {"extraFlags", Json(w.extraFlags)},
        {"mode", w.flags ? QJsonValue(WhirlbeamMode(*w.flags)) : QJsonValue()},
        {"standby", Bit(w.flags, Flag::StandBy)}, {"sleep", Bit(w.flags, Flag::Sleep)},
        {"deepSleep", Bit(w.flags, Flag::DeepSleep)}, {"highPowerCoil", Bit(w.flags, Flag::HighPowerCoil)},
        {"indexLed", Bit(w.flags, Flag::IndexLed)},
        {"timeValid", w.flags ? QJsonValue(!(*w.flags & Flag::TimeInvalid)) : QJsonValue()},
        {"i2cBusError", Bit(w.extraFlags, Flag::I2CBusError)}};
}
QJsonObject Fields(const RelayRecord& r)
{
    return {{"remainingMinutes", Json(r.remainingMinutes)}, {"on", Json(r.on)}};
}
QJsonObject Fields(const RelayIrTimeRecord& r) { return {{"minutes", Json(r.minutes)}}; }
QJsonObject Fields(const AlarmRecord& r)
{
    return {{"row", Json(r.row)}, {"dayByte", Json(r.dayByte)}, {"hourValue", Json(r.hourValue)},
        {"minute", Json(r.minute)}, {"actionByte", Json(r.actionByte)}};
}
QJsonObject Fields(const ModeRecord& m)
{
    return {{"modeFlags", Json(m.modeFlags)}, {"motorFlags", Json(m.motorFlags)}};
}
QJsonObject Fields(const AutoStandbyRecord& r) { return {{"seconds", Json(r.seconds)}}; }
QJsonObject Fields(const PwmRecord& p)
{
    return {{"runPulse", Json(p.runPulse)}, {"highSpeed", Json(p.highSpeed)},
        {"sleepPulse", Json(p.sleepPulse)}, {"lowSpeed", Json(p.lowSpeed)},
        {"currentPulse", Json(p.currentPulse)}, {"currentPeriod", Json(p.currentPeriod)}};
}
QJsonObject Fields(const SoundTimesRecord& s)
{
    return {{"fromHour", Json(s.fromHour)}, {"toHour", Json(s.toHour)}, {"lightLimit", Json(s.lightLimit)}};
}
QJsonObject Fields(const MemoryReadRecord& m)
{
    return {{"address", Json(m.address)}, {"data", Json(m.data)}, {"hour", Json(m.Hour())}};
}
QJsonObject Fields(const Dcf77StateRecord& d)
{
    return {{"total", Json(d.total)}, {"year", d.year ? Number(*d.year, 10) : QJsonValue()},
        {"month", Json(d.month)}, {"day", d.day ? QJsonValue(d.day->day) : QJsonValue()},
        {"dataReady", d.day ? QJsonValue(d.day->dataReady) : QJsonValue()},
        {"waitForSync", d.day ? QJsonValue(d.day->waitForSync) : QJsonValue()}, {"weekday", Json(d.weekday)},
        {"hour", d.hour ? QJsonValue(d.hour->hour) : QJsonValue()},
        {"parityError", d.hour ? QJsonValue(d.hour->parityError) : QJsonValue()},
        {"error", d.hour ? QJsonValue(d.hour->error) : QJsonValue()},
        {"minute", d.minute ? QJsonValue(d.minute->minute) : QJsonValue()},
        {"summerTime", d.minute ? QJsonValue(d.minute->summerTime) : QJsonValue()},
        {"lastHour", Json(d.lastHour)}};
}
QJsonObject Fields(const Rc5PacketRecord& p)
{
    return {{"address", Number(p.address, 16)}, {"command", Number(p.command, 16)}};
}
QJsonObject Fields(const MeasurementRecord& m)
{
    return {{"light", Json(m.light)}, {"temperature", Json(m.temperature)}, {"humidity", Json(m.humidity)},
        {"airPressure", Json(m.airPressure)}};
}
QJsonObject Fields(const SensorOffsetRecord& o)
{
    return {
        {"temperature", Json(o.temperature)}, {"humidity", Json(o.humidity)}, {"pressure", Json(o.pressure)}};
}

// ---- The rows ------------------------------------------------------------------

// A row of the kind whose decoder gives Record: the record's own field list
// and words, picked by its type.
template <typename Record, Record (*Decode)(const QByteArray&)>
constexpr ReplyRow Row(ReplyKind kind, const char* name, const char* letters)
{
    return {kind, name, letters, [](const QByteArray& line) { return ReplyRecord(Decode(line)); },
        [](const ReplyRecord& record) { return Read(std::get<Record>(record)); },
        [](const ReplyRecord& record, WordsFor audience) {
            return Words(std::get<Record>(record), audience);
        },
        [](const ReplyRecord& record) { return Fields(std::get<Record>(record)); }};
}

constexpr std::array kRows = {
    Row<RelayIrTimeRecord, DecodeRelayIrTimeRecord>(ReplyKind::RelayIrTimeReply, "RelayIrTimeReply", "@"),
    Row<Rc5PacketRecord, DecodeRc5Packet>(ReplyKind::Rc5PacketReply, "Rc5PacketReply", "A"),
    Row<DateRecord, DecodeDate>(ReplyKind::DateReply, "DateReply", "BD"),
    Row<TimeRecord, DecodeTimeRecord>(ReplyKind::TimeReply, "TimeReply", "CST"),
    Row<MemoryReadRecord, DecodeMemoryRead>(ReplyKind::MemoryReadReply, "MemoryReadReply", "EF"),
    Row<ModeRecord, DecodeMode>(ReplyKind::ModeReply, "ModeReply", "GH"),
    Row<AutoStandbyRecord, DecodeAutoStandbyRecord>(ReplyKind::AutoStandbyReply, "AutoStandbyReply", "IJ"),
    Row<AlarmRecord, DecodeAlarm>(ReplyKind::AlarmReply, "AlarmReply", "KL"),
    Row<PwmRecord, DecodePwm>(ReplyKind::PwmReply, "PwmReply", "MN"),
    Row<ConfigRecord, DecodeConfig>(ReplyKind::ConfigReply, "ConfigReply", "O"),
    Row<IdentificationRecord, DecodeIdentification>(
        ReplyKind::IdentificationReply, "IdentificationReply", "P"),
    Row<SoundTimesRecord, DecodeSoundTimes>(ReplyKind::SoundTimesReply, "SoundTimesReply", "QR"),
    Row<VersionRecord, DecodeVersion>(ReplyKind::VersionReply, "VersionReply", "V"),
    Row<WhirlbeamStatusRecord, DecodeWhirlbeamStatus>(
        ReplyKind::WhirlbeamStatusReply, "WhirlbeamStatusReply", "W"),
    Row<RelayRecord, DecodeRelay>(ReplyKind::RelayReply, "RelayReply", "XY"),
    Row<EndOfReadRecord, DecodeEndOfRead>(ReplyKind::EndOfReadReply, "EndOfReadReply", "Z"),
    Row<Dcf77StateRecord, DecodeDcf77State>(ReplyKind::Dcf77StateReply, "Dcf77StateReply", "["),
    Row<MeasurementRecord, DecodeMeasurement>(ReplyKind::MeasurementReply, "MeasurementReply", "\\"),
    Row<SensorOffsetRecord, DecodeSensorOffset>(ReplyKind::SensorOffsetReply, "SensorOffsetReply", "_"),
};
static_assert(kRows.size() == std::variant_size_v<ReplyRecord>, "one row for every record");

// The row of each reply letter, or none.
using RowByLetter = std::array<const ReplyRow*, kReplyLetters>;
const RowByLetter& RowsByLetter()
{
    static const RowByLetter rows = [] {
        RowByLetter byLetter{};
        for (const ReplyRow& row : kRows)
            for (const char* letter = row.letters; *letter; ++letter)
                byLetter[size_t(*letter - kFirstReplyLetter)] = &row;
        return byLetter;
    }();
    return rows;
}

} // namespace

std::span<const ReplyRow> ReplyTable() { return kRows; }

const ReplyRow* ReplyRowOf(const QByteArray& line)
{
    if (line.isEmpty() || !IsReplyLetter(line.front()))
        return nullptr;
    return RowsByLetter()[size_t(line.front() - kFirstReplyLetter)];
}

std::optional<ReplyRecord> DecodeReply(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    return row ? std::optional<ReplyRecord>(row->decode(line)) : std::nullopt;
}

QString DescribeReply(const QByteArray& line, WordsFor audience)
{
    const ReplyRow* row = ReplyRowOf(line);
    return row ? row->describe(row->decode(line), audience) : QString();
}

QJsonObject ReplyJson(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    if (!row)
        return {{"kind", QJsonValue()}, {"fields", QJsonValue()}};
    return {{"kind", QLatin1String(row->name)}, {"fields", row->fields(row->decode(line))}};
}

std::optional<ReplyKind> KindOf(const QByteArray& line)
{
    const ReplyRow* row = ReplyRowOf(line);
    return row ? std::optional<ReplyKind>(row->kind) : std::nullopt;
}
