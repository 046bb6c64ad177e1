// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/ModeCommands.h"

#include "protocol/commands/Fields.h"

QByteArray ModeCommand(int modeFlags, int motorFlags)
{
    return "g" + HexField(modeFlags & ModeFlag::Used, 2) + HexField(motorFlags & MotorFlag::Used, 2);
}

QByteArray AutoStandbyCommand(int seconds) { return "i" + HexField(seconds, 4); }

QByteArray SoundTimesCommand(int fromHour, int toHour, int lightLimit)
{
    return "q" + DecField(fromHour, 2) + DecField(toHour, 2) + HexField(lightLimit, 2);
}

QByteArray PwmCommand(const PwmSettings& pwm)
{
    return "m" + HexField(pwm.runPulse, 2) + HexField(pwm.highSpeed, 2) + HexField(pwm.sleepPulse, 2)
        + HexField(pwm.lowSpeed, 2);
}

QByteArray DefaultPwmCommand() { return "m28700c50"; }

// Bit 7 of the byte makes "w" a command rather than a status request.
QByteArray StartWhirlbeamCommand() { return "w81"; }
QByteArray StopWhirlbeamCommand() { return "w80"; }
