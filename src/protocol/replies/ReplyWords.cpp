// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ReplyWords.h"

#include <QStringList>

namespace {

using Flag = WhirlbeamStatusRecord;
const QString kUnknown = QStringLiteral("?");

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

} // namespace

QString NumberWords(const std::optional<int>& value) { return value ? QString::number(*value) : kUnknown; }

// As the panel's status bar words it, with the spelling mended.
QString WhirlbeamMode(int flags)
{
    if (!(flags & Flag::Sleep))
        return QStringLiteral("run");
    return flags & Flag::DeepSleep ? QStringLiteral("deep sleep") : QStringLiteral("sleep");
}

QString ChipWords(const ConfigRecord& config)
{
    return config.chipName ? QString::fromLatin1(config.chipName->trimmed()) : QString();
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

QString WhirlbeamWords(const WhirlbeamStatusRecord& w)
{
    if (!w.flags)
        return kUnknown;
    QString text = WhirlbeamMode(*w.flags) + QStringLiteral(" mode, remaining time ")
        + NumberWords(w.remainingSeconds) + QStringLiteral(" s");
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
        .arg(NumberWords(m.light), NumberWords(m.temperature), NumberWords(m.humidity),
            NumberWords(m.airPressure));
}
