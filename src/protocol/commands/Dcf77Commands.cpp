// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/Dcf77Commands.h"

#include "protocol/commands/Fields.h"

namespace {
constexpr int kHours = 24;
constexpr int kFirstLowByte = 0xE0;
} // namespace

QList<QByteArray> StatisticsReadCommands()
{
    QList<QByteArray> commands;
    for (int hour = 0; hour < kHours; ++hour)
        commands << "fA0" + HexField(kFirstLowByte + hour, 2);
    return commands;
}
