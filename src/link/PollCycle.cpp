// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PollCycle.h"

QByteArray NextPollCommand(const QByteArray& lastCommand)
{
    if (lastCommand.isEmpty())
        return "p";
    switch (lastCommand.front()) {
    case '0': return "p";
    case 'p': return "v";
    case 'v': return "o";
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
