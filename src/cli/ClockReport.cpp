// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClockReport.h"

#include "cli/CliTexts.h"
#include "protocol/replies/ReplyWords.h"

#include <algorithm>

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

using Flag = WhirlbeamStatusRecord;
const QString kUnknown = QStringLiteral("?");
constexpr WordsFor kPeople = WordsFor::People;

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

} // namespace

QString StatusText(const ClockStatus& s)
{
    const QString chip = ChipWords(s.config);
    const QString clock = QString::fromLatin1(s.identification.line)
        + (chip.isEmpty() ? QString() : CliTexts::tr(", chip %1").arg(chip));
    const QString valid = !s.whirlbeam.flags       ? QString()
        : (*s.whirlbeam.flags & Flag::TimeInvalid) ? CliTexts::tr(" (invalid)")
                                                   : CliTexts::tr(" (valid)");
    const QList<QPair<QString, QString>> rows = {
        {CliTexts::tr("Device:"), s.device},
        {CliTexts::tr("Clock:"), clock},
        {CliTexts::tr("Version:"), s.version.major ? QString::fromLatin1(s.version.text) : kUnknown},
        {CliTexts::tr("Alarms:"), NumberWords(s.config.alarmCount, kPeople)},
        {CliTexts::tr("Date:"), DateWords(s.date, kPeople)},
        {CliTexts::tr("Time:"), TimeWords(s.time) + valid},
        {CliTexts::tr("Whirlbeam:"), WhirlbeamWords(s.whirlbeam, kPeople)},
        {CliTexts::tr("Relay:"), RelayWords(s.relay, kPeople)},
        {CliTexts::tr("Sensors:"), SensorWords(s.sensors, kPeople)},
    };
    // The values start in one column, a blank after the longest name.
    qsizetype column = 0;
    for (const auto& row : rows)
        column = std::max(column, row.first.size() + 1);
    QString text;
    for (const auto& [name, value] : rows)
        text += name.leftJustified(column) + value + QLatin1Char('\n');
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
    const QString chip = ChipWords(s.config);
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
