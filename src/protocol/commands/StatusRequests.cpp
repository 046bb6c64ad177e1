// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/commands/StatusRequests.h"

#include "protocol/commands/ClockCommands.h"

namespace {

QList<QByteArray> BatchWithTwelfth(const QByteArray& twelfth)
{
    return {IdentificationQuery(), VersionQuery(), ConfigQuery(), "d", "t", "n", "h", "j", "r", "y", "|",
            twelfth, "\x7f" "00000000", "w00"};
}

} // namespace

QList<QByteArray> ReplyResumedBatch() { return BatchWithTwelfth("\x60" "0000"); }

QList<QByteArray> RefreshMenuBatch() { return BatchWithTwelfth("{"); }
