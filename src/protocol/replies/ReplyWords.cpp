// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ReplyWords.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <array>

namespace {

using Flag = WhirlbeamStatusRecord;
const QString kUnknown = QStringLiteral("?");

QString FlagWords(int flags, std::optional<int> extraFlags, WordsFor audience)
{
    QStringList words;
    const struct {
        int bit;
        const char* word;
    } kFlags[] = {{Flag::StandBy, QT_TRANSLATE_NOOP("ReplyWords", "standby")},
        {Flag::HighPowerCoil, QT_TRANSLATE_NOOP("ReplyWords", "high power on coil")},
        {Flag::IndexLed, QT_TRANSLATE_NOOP("ReplyWords", "index LED on")}};
    for (const auto& flag : kFlags)
        if (flags & flag.bit)
            words << Said(audience, flag.word);
    if (extraFlags && (*extraFlags & Flag::I2CBusError))
        words << Said(audience, QT_TRANSLATE_NOOP("ReplyWords", "I2C bus error"));
    return words.join(QStringLiteral(", "));
}

} // namespace

QString Said(WordsFor audience, const char* source)
{
    return audience == WordsFor::People ? QCoreApplication::translate("ReplyWords", source)
                                        : QString::fromUtf8(source);
}

QString NumberWords(int value, WordsFor audience)
{
    return audience == WordsFor::People ? QLocale().toString(value) : QString::number(value);
}

QString NumberWords(const std::optional<int>& value, WordsFor audience)
{
    return value ? NumberWords(*value, audience) : kUnknown;
}

// As the panel's status bar words it, with the spelling mended.
QString WhirlbeamMode(int flags, WordsFor audience)
{
    static constexpr std::array<const char*, 3> kWords = {QT_TRANSLATE_NOOP("ReplyWords", "run"),
        QT_TRANSLATE_NOOP("ReplyWords", "sleep"), QT_TRANSLATE_NOOP("ReplyWords", "deep sleep")};
    return Said(audience, kWords[size_t(StateOf(flags))]);
}

QString ChipWords(const ConfigRecord& config)
{
    return config.chipName ? QString::fromLatin1(config.chipName->trimmed()) : QString();
}

// The clock's own weekday digit, as sent, beside the date.
QString DateWords(const DateRecord& date, WordsFor audience)
{
    return date.date ? date.date->toString(Qt::ISODate)
            + Said(audience, QT_TRANSLATE_NOOP("ReplyWords", " (weekday %1)"))
                  .arg(QString::fromLatin1(date.weekday))
                     : kUnknown;
}

QString TimeWords(const std::optional<QTime>& time)
{
    return time ? time->toString(QStringLiteral("HH:mm:ss")) : kUnknown;
}

QString WhirlbeamWords(const WhirlbeamStatusRecord& w, WordsFor audience)
{
    if (!w.flags)
        return kUnknown;
    const QString text
        = Said(audience, QT_TRANSLATE_NOOP("ReplyWords", "%1 mode, remaining time %2 s"))
              .arg(WhirlbeamMode(*w.flags, audience), NumberWords(w.remainingSeconds, audience));
    const QString flags = FlagWords(*w.flags, w.extraFlags, audience);
    return flags.isEmpty() ? text : text + QStringLiteral(", ") + flags;
}

QString RelayWords(const RelayRecord& relay, WordsFor audience)
{
    if (!relay.remainingMinutes)
        return kUnknown;
    const QString state = !relay.on ? kUnknown
        : *relay.on                 ? Said(audience, QT_TRANSLATE_NOOP("ReplyWords", "on"))
                                    : Said(audience, QT_TRANSLATE_NOOP("ReplyWords", "off"));
    return Said(audience, QT_TRANSLATE_NOOP("ReplyWords", "%1, %2 min remaining"))
        .arg(state, NumberWords(*relay.remainingMinutes, audience));
}

QString SensorWords(const MeasurementRecord& m, WordsFor audience)
{
    return Said(audience,
        QT_TRANSLATE_NOOP("ReplyWords", "light %1, temperature %2 °C, humidity %3 %, air pressure %4 hPa"))
        .arg(NumberWords(m.light, audience), NumberWords(m.temperature, audience),
            NumberWords(m.humidity, audience), NumberWords(m.airPressure, audience));
}
