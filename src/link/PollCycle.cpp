// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PollCycle.h"

#include "protocol/commands/ClockCommands.h"

QByteArray NextPollCommand(const QByteArray& lastCommand)
{
    if (lastCommand.isEmpty())
        return IdentificationQuery();
    switch (lastCommand.front()) {
    case '0': return IdentificationQuery();
    case 'p': return VersionQuery();
    case 'v': return ConfigQuery();
    case 'o': return "d";
    case 'd': return "t";
    case 't': return "y";
    case 'y': return "n";
    case 'n': return "w00";
    case 'w': return "|";
    case '|': return "{";
    default:  return "d";
    }
}
