// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/ClockCommands.h"

#include "protocol/commands/Fields.h"

QByteArray IdentificationQuery() { return "p"; }
QByteArray VersionQuery() { return "v"; }
QByteArray ConfigQuery() { return "o"; }

QByteArray SetDateCommand(const QDate& date)
{
    return "b" + DecField(date.year(), 4) + DecField(date.month(), 2) + DecField(date.day(), 2) + "0"
        + DecField(date.dayOfWeek(), 1);
}

QByteArray SetTimeCommand(const QTime& time)
{
    return "s" + DecField(time.hour(), 2) + DecField(time.minute(), 2) + DecField(time.second(), 2);
}

QByteArray ClearSecondsCommand() { return "c"; }
