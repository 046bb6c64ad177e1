// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ParameterFile.h"

#include "protocol/LineText.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/Fields.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/commands/PeripheralCommands.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {

constexpr int kFileModeFlags = ModeFlag::Used & ~ModeFlag::Dcf77Sync;
constexpr int kAllOffsets = kTemperatureOffsetSelect | kHumidityOffsetSelect | kPressureOffsetSelect;
// Both speeds of the file's coil line are this fixed value, not the clock's.
const QByteArray kFileSpeed = "31";

QByteArray ByteField(int value) { return HexField(qBound(0, value, 0xFF), 2); }

} // namespace

ClockParameters HeldByControls(ClockParameters p)
{
    using enum ClockValue;
    p.autoStandbySeconds = SpinRangeOf(AutoStandbySeconds).Held(p.autoStandbySeconds);
    p.soundFromHour = SpinRangeOf(SoundFromHour).Held(p.soundFromHour);
    p.soundToHour = SpinRangeOf(SoundToHour).Held(p.soundToHour);
    p.temperatureOffset = SpinRangeOf(TemperatureOffset).Held(p.temperatureOffset);
    p.humidityOffset = SpinRangeOf(HumidityOffset).Held(p.humidityOffset);
    p.pressureOffset = SpinRangeOf(PressureOffset).Held(p.pressureOffset);
    p.runPulse = SpinRangeOf(RunPulse).Held(p.runPulse);
    p.sleepPulse = SpinRangeOf(SleepPulse).Held(p.sleepPulse);
    return p;
}

QList<QByteArray> ParameterFileLines(const ClockParameters& p)
{
    return {
        "g" + ByteField(p.modeFlags & kFileModeFlags),
        "i" + HexField(qBound(0, p.autoStandbySeconds, 0xFFFF), 4),
        "q" + DecField(qBound(0, p.soundFromHour, 99), 2) + DecField(qBound(0, p.soundToHour, 99), 2),
        SensorOffsetCommand(kAllOffsets, p.temperatureOffset, p.humidityOffset, p.pressureOffset),
        "m" + ByteField(p.runPulse) + kFileSpeed + ByteField(p.sleepPulse) + kFileSpeed,
    };
}

QList<QByteArray> ParameterFileCommands(const QList<QByteArray>& lines)
{
    QList<QByteArray> commands;
    for (const QByteArray& line : lines)
        if (!line.isEmpty())
            commands << line;
    return commands;
}

bool IsCommandLine(const QByteArray& line)
{
    const auto command = line.isEmpty() ? 0 : static_cast<unsigned char>(line.front());
    if (command < 0x60 || command > 0x7F)
        return false;
    for (qsizetype i = 1; i < line.size(); ++i)
        if (line[i] < 0x20 || line[i] > 0x7E)
            return false;
    return true;
}

QString WhyNotACommandLine(const QByteArray& line)
{
    if (IsCommandLine(line))
        return QString();
    return QCoreApplication::translate("whirlbeamctl",
        "%1 is not a command line (a command character a..z, {, |, }, ~, ` or DEL, then printable ASCII)")
        .arg(QuotedLine(line));
}

int FirstDamagedParameterLine(const QList<QByteArray>& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty() && !IsCommandLine(lines[i]))
            return int(i + 1);
    return 0;
}
