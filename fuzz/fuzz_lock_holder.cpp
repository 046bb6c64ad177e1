// SPDX-License-Identifier: GPL-3.0-or-later
// An "in use" error reads what another program left: a lock file in
// /run/lock, which any program may write, and the holder's cgroup.
// Input: the bytes of either. Invariants: a PID read from a lock is
// positive and its own lock text reads back as itself; the instance the
// cgroup names is found only in a whirlbeam-mqtt@ unit, and the text is
// read the same way twice.

#include "link/PortLock.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const pid_t pid = PidInLock(text);
    Check(pid >= 0);
    if (pid > 0)
        Check(PidInLock(LockText(pid)) == pid && LockText(pid).size() >= 11);

    const QString cgroup = QString::fromUtf8(text);
    const QString instance = BridgeInstanceOf(cgroup);
    Check(instance == BridgeInstanceOf(cgroup));
    if (!instance.isEmpty())
        Check(cgroup.contains(QLatin1String("/whirlbeam-mqtt@")));
    return 0;
}
