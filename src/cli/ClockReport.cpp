#include "cli/ClockReport.h"

#include "protocol/commands/AlarmCommand.h"
#include "protocol/commands/Fields.h"
#include "protocol/replies/AlarmReply.h"
#include "protocol/replies/Dcf77Replies.h"
#include "protocol/replies/ModeReplies.h"
#include "protocol/replies/ReplyKind.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

using Flag = WhirlbeamStatusRecord;
const QString kUnknown = QStringLiteral("?");

QString Number(const std::optional<int>& value) { return value ? QString::number(*value) : kUnknown; }

QJsonValue Json(const std::optional<int>& value) { return value ? QJsonValue(*value) : QJsonValue(); }
QJsonValue Json(const std::optional<bool>& value) { return value ? QJsonValue(*value) : QJsonValue(); }
QJsonValue Json(const QByteArray& text) { return QJsonValue(QString::fromLatin1(text)); }
// A number the clock sends as text (a weekday digit, a hex address); null
// when the text is no number.
QJsonValue JsonNumber(const QByteArray& text, int base)
{
    bool ok = false;
    const int value = text.toInt(&ok, base);
    return ok ? QJsonValue(value) : QJsonValue();
}

// As the panel's status bar words it, with the spelling mended.
QString WhirlbeamMode(int flags)
{
    if (!(flags & Flag::Sleep))
        return QStringLiteral("run");
    return flags & Flag::DeepSleep ? QStringLiteral("deep sleep") : QStringLiteral("sleep");
}

QString FlagWords(int flags, std::optional<int> extraFlags)
{
    QStringList words;
    const struct {
        int bit;
        const char* word;
    } kFlags[] = {{Flag::StandBy, "standby"}, {Flag::HighPowerCoil, "high power on coil"},
        {Flag::IndexLed, "index LED on"}};
    for (const auto& flag : kFlags)
        if (flags & flag.bit)
            words << QLatin1String(flag.word);
    if (extraFlags && (*extraFlags & Flag::I2CBusError))
        words << QStringLiteral("I2C bus error");
    return words.join(QStringLiteral(", "));
}

QString Chip(const ConfigRecord& config)
{
    return config.chipName ? QString::fromLatin1(config.chipName->trimmed()) : QString();
}

QString WhirlbeamWords(const WhirlbeamStatusRecord& w)
{
    if (!w.flags)
        return kUnknown;
    QString text = WhirlbeamMode(*w.flags) + QStringLiteral(" mode, remaining time ")
        + Number(w.remainingSeconds) + QStringLiteral(" s");
    const QString flags = FlagWords(*w.flags, w.extraFlags);
    return flags.isEmpty() ? text : text + QStringLiteral(", ") + flags;
}

QString RelayWords(const RelayRecord& relay)
{
    if (!relay.remainingMinutes)
        return kUnknown;
    const QString state = !relay.on ? kUnknown : *relay.on ? QStringLiteral("on") : QStringLiteral("off");
    return QStringLiteral("%1, %2 min remaining").arg(state).arg(*relay.remainingMinutes);
}

QString SensorWords(const MeasurementRecord& m)
{
    return QStringLiteral("light %1, temperature %2 °C, humidity %3 %, air pressure %4 hPa")
        .arg(Number(m.light), Number(m.temperature), Number(m.humidity), Number(m.airPressure));
}

QString DateWords(const DateRecord& date)
{
    return date.date ? date.date->toString(Qt::ISODate)
            + QStringLiteral(" (weekday %1)").arg(QString::fromLatin1(date.weekday))
                     : kUnknown;
}

QString TimeWords(const std::optional<QTime>& time)
{
    return time ? time->toString(QStringLiteral("HH:mm:ss")) : kUnknown;
}

QString AlarmWords(const AlarmRecord& record)
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
        words << (row.ignoreHour
                ? QStringLiteral("every hour at :%1").arg(row.minute, 2, 10, QLatin1Char('0'))
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
    return QStringLiteral("alarm %1: ").arg(*record.row, 2, 10, QLatin1Char('0'))
        + words.join(QStringLiteral(", "));
}

QString Dcf77Words(const Dcf77StateRecord& d)
{
    QString text = QStringLiteral("DCF77 %1 synchronisations").arg(Number(d.total));
    if (!d.day)
        return text;
    text += QStringLiteral(", decoded %1-%2-%3")
                .arg(QString::fromLatin1(*d.year), Number(d.month).rightJustified(2, QLatin1Char('0')))
                .arg(d.day->day, 2, 10, QLatin1Char('0'));
    if (d.hour && d.minute)
        text += QStringLiteral(" %1:%2")
                    .arg(d.hour->hour, 2, 10, QLatin1Char('0'))
                    .arg(d.minute->minute, 2, 10, QLatin1Char('0'));
    text += QStringLiteral(" weekday %1").arg(Number(d.weekday));
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

} // namespace

QString StatusText(const ClockStatus& s)
{
    const QString chip = Chip(s.config);
    const QString clock = QString::fromLatin1(s.identification.line)
        + (chip.isEmpty() ? QString() : QStringLiteral(", chip ") + chip);
    const QString valid = !s.whirlbeam.flags       ? QString()
        : (*s.whirlbeam.flags & Flag::TimeInvalid) ? QStringLiteral(" (invalid)")
                                                   : QStringLiteral(" (valid)");
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("Device"), s.device},
        {QStringLiteral("Clock"), clock},
        {QStringLiteral("Version"), s.version.major ? QString::fromLatin1(s.version.text) : kUnknown},
        {QStringLiteral("Alarms"), Number(s.config.alarmCount)},
        {QStringLiteral("Date"), DateWords(s.date)},
        {QStringLiteral("Time"), TimeWords(s.time) + valid},
        {QStringLiteral("Whirlbeam"), WhirlbeamWords(s.whirlbeam)},
        {QStringLiteral("Relay"), RelayWords(s.relay)},
        {QStringLiteral("Sensors"), SensorWords(s.sensors)},
    };
    QString text;
    for (const auto& [name, value] : rows)
        text += (name + QLatin1Char(':')).leftJustified(11) + value + QLatin1Char('\n');
    return text;
}

QByteArray StatusJson(const ClockStatus& s)
{
    QJsonObject whirlbeam;
    if (const auto& w = s.whirlbeam; w.flags) {
        whirlbeam = {{"mode", WhirlbeamMode(*w.flags)}, {"standby", bool(*w.flags & Flag::StandBy)},
            {"sleep", bool(*w.flags & Flag::Sleep)}, {"deepSleep", bool(*w.flags & Flag::DeepSleep)},
            {"highPowerCoil", bool(*w.flags & Flag::HighPowerCoil)},
            {"indexLed", bool(*w.flags & Flag::IndexLed)}, {"remainingSeconds", Json(w.remainingSeconds)},
            {"i2cBusError",
                w.extraFlags ? QJsonValue(bool(*w.extraFlags & Flag::I2CBusError)) : QJsonValue()}};
    }
    const QString chip = Chip(s.config);
    const QJsonObject status{
        {"device", s.device},
        {"identification", Json(s.identification.line)},
        {"chip", chip.isEmpty() ? QJsonValue() : QJsonValue(chip)},
        {"version", s.version.major ? Json(s.version.text) : QJsonValue()},
        {"alarmCount", Json(s.config.alarmCount)},
        {"rc5Address", s.config.alarmCount ? JsonNumber(s.config.selfAddress, 16) : QJsonValue()},
        {"date", s.date.date ? QJsonValue(s.date.date->toString(Qt::ISODate)) : QJsonValue()},
        {"weekday", s.date.date ? JsonNumber(s.date.weekday, 10) : QJsonValue()},
        {"time", s.time ? QJsonValue(TimeWords(s.time)) : QJsonValue()},
        {"timeValid",
            s.whirlbeam.flags ? QJsonValue(!(*s.whirlbeam.flags & Flag::TimeInvalid)) : QJsonValue()},
        {"whirlbeam", s.whirlbeam.flags ? QJsonValue(whirlbeam) : QJsonValue()},
        {"relay",
            s.relay.remainingMinutes ? QJsonValue(
                QJsonObject{{"on", Json(s.relay.on)}, {"remainingMinutes", *s.relay.remainingMinutes}})
                                     : QJsonValue()},
        {"sensors",
            QJsonObject{{"light", Json(s.sensors.light)}, {"temperature", Json(s.sensors.temperature)},
                {"humidity", Json(s.sensors.humidity)}, {"airPressure", Json(s.sensors.airPressure)}}},
    };
    return QJsonDocument(status).toJson(QJsonDocument::Indented);
}

QString DescribeReply(const QByteArray& line)
{
    const auto kind = KindOf(line);
    if (!kind)
        return QString();
    switch (*kind) {
    case ReplyKind::IdentificationReply:
        return DecodeIdentification(line).recognised ? QStringLiteral("identification")
                                                     : QStringLiteral("not a whirlbeam clock");
    case ReplyKind::VersionReply: {
        const VersionRecord v = DecodeVersion(line);
        return !v.major
            ? QStringLiteral("version ?")
            : QStringLiteral("version %1%2")
                  .arg(QString::fromLatin1(v.text), v.Valid() ? QString() : QStringLiteral(", too old"));
    }
    case ReplyKind::ConfigReply: {
        const ConfigRecord c = DecodeConfig(line);
        if (!c.alarmCount)
            return QStringLiteral("configuration ?");
        const QString chip = Chip(c);
        return QStringLiteral("%1 alarms, RC5 address %2%3")
            .arg(*c.alarmCount)
            .arg(QString::fromLatin1(c.selfAddress),
                chip.isEmpty() ? QString() : QStringLiteral(", chip ") + chip);
    }
    case ReplyKind::EndOfReadReply:
        return QStringLiteral("end of read");
    case ReplyKind::DateReply:
        return QStringLiteral("date ") + DateWords(DecodeDate(line));
    case ReplyKind::TimeReply:
        return QStringLiteral("time ") + TimeWords(DecodeTime(line));
    case ReplyKind::WhirlbeamStatusReply: {
        const WhirlbeamStatusRecord w = DecodeWhirlbeamStatus(line);
        const QString valid = !w.flags       ? QString()
            : (*w.flags & Flag::TimeInvalid) ? QStringLiteral(", time invalid")
                                             : QStringLiteral(", time valid");
        return QStringLiteral("whirlbeam ") + WhirlbeamWords(w) + valid;
    }
    case ReplyKind::RelayReply:
        return QStringLiteral("relay ") + RelayWords(DecodeRelay(line));
    case ReplyKind::RelayIrTimeReply:
        return QStringLiteral("relay on-time for IR commands %1 min").arg(Number(DecodeRelayIrTime(line)));
    case ReplyKind::AlarmReply:
        return AlarmWords(DecodeAlarm(line));
    case ReplyKind::ModeReply: {
        const ModeRecord m = DecodeMode(line);
        const auto hex
            = [](const std::optional<int>& v) { return v ? QString::fromLatin1(HexField(*v, 2)) : kUnknown; };
        return QStringLiteral("mode flags %1, motor flags %2").arg(hex(m.modeFlags), hex(m.motorFlags));
    }
    case ReplyKind::AutoStandbyReply:
        return QStringLiteral("auto standby %1 s").arg(Number(DecodeAutoStandby(line)));
    case ReplyKind::PwmReply: {
        const PwmRecord p = DecodePwm(line);
        return QStringLiteral("run pulse %1, high speed %2, sleep pulse %3, low speed %4, current pulse %5, "
                              "current period %6")
            .arg(Number(p.runPulse), Number(p.highSpeed), Number(p.sleepPulse), Number(p.lowSpeed),
                Number(p.currentPulse), Number(p.currentPeriod));
    }
    case ReplyKind::SoundTimesReply: {
        const SoundTimesRecord s = DecodeSoundTimes(line);
        return QStringLiteral("sound from %1 to %2 h, light limit %3")
            .arg(Number(s.fromHour), Number(s.toHour), Number(s.lightLimit));
    }
    case ReplyKind::MemoryReadReply: {
        const MemoryReadRecord m = DecodeMemoryRead(line);
        if (const auto hour = m.Hour())
            return QStringLiteral("DCF77 statistics, hour %1: %2").arg(*hour).arg(Number(m.data));
        return QStringLiteral("memory %1")
            .arg(m.address ? QString::fromLatin1(HexField(*m.address, 4)) : kUnknown);
    }
    case ReplyKind::Dcf77StateReply:
        return Dcf77Words(DecodeDcf77State(line));
    case ReplyKind::Rc5PacketReply: {
        const Rc5PacketRecord p = DecodeRc5Packet(line);
        return QStringLiteral("RC5 packet, address %1, command %2")
            .arg(QString::fromLatin1(p.address), QString::fromLatin1(p.command));
    }
    case ReplyKind::MeasurementReply:
        return SensorWords(DecodeMeasurement(line));
    case ReplyKind::SensorOffsetReply: {
        const SensorOffsetRecord o = DecodeSensorOffset(line);
        return QStringLiteral("sensor offsets: temperature %1, humidity %2, pressure %3")
            .arg(Number(o.temperature), Number(o.humidity), Number(o.pressure));
    }
    }
    return QString();
}
