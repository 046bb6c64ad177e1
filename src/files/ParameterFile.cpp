#include "files/ParameterFile.h"

#include "protocol/commands/Fields.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/commands/PeripheralCommands.h"

#include <QtGlobal>

namespace {

constexpr int kFileModeFlags = ModeFlag::Used & ~ModeFlag::Dcf77Sync;
constexpr int kAllOffsets = kTemperatureOffsetSelect | kHumidityOffsetSelect | kPressureOffsetSelect;
// Both speeds of the file's coil line are this fixed value, not the clock's.
const QByteArray kFileSpeed = "31";

QByteArray ByteField(int value) { return HexField(qBound(0, value, 0xFF), 2); }

} // namespace

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
