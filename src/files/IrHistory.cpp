// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/IrHistory.h"

// The oldest line goes only once the history is full, before the new line
// comes in: it grows to 101 lines and stays there.
bool IrPacketHistory::Append(const QByteArray& line)
{
    const bool full = lines_.size() >= kMaxLines;
    if (full)
        lines_.removeFirst();
    lines_.append(line);
    return full;
}
