// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The status request the transmit tick sends when nothing is queued, chosen
// by the first character of the command sent last. An idle link thus sends
// "p", "v", "o" once after opening and then cycles through
// "d", "t", "y", "n", "w00", "|", "{".
QByteArray NextPollCommand(const QByteArray& lastCommand);
