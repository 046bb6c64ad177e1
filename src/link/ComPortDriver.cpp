// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPortDriver.h"

#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>

namespace {

bool IsUnknownCall(int error)
{
    return error == ENOTTY || error == EINVAL || error == EOPNOTSUPP;
}

} // namespace

int QueryModemLines(int fd, TModemLines& lines)
{
    lines = TModemLines{};
    int bits = 0;
    if (::ioctl(fd, TIOCMGET, &bits) != 0)
        return IsUnknownCall(errno) ? 0 : errno;
    lines.cts = (bits & TIOCM_CTS) != 0;
    lines.dsr = (bits & TIOCM_DSR) != 0;
    lines.ring = (bits & TIOCM_RNG) != 0;
    lines.rlsd = (bits & TIOCM_CD) != 0;
    return 0;
}

int SetModemLine(int fd, int line, bool high)
{
    if (::ioctl(fd, high ? TIOCMBIS : TIOCMBIC, &line) != 0)
        return IsUnknownCall(errno) ? 0 : errno;
    return 0;
}

bool QueryLineCounters(int fd, TLineCounters& counters)
{
    serial_icounter_struct driver{};
    if (::ioctl(fd, TIOCGICOUNT, &driver) != 0)
        return false;
    counters.cts = driver.cts;
    counters.dsr = driver.dsr;
    counters.ring = driver.rng;
    counters.rlsd = driver.dcd;
    counters.frame = driver.frame;
    counters.overrun = driver.overrun;
    counters.parity = driver.parity;
    counters.brk = driver.brk;
    counters.bufferOverrun = driver.buf_overrun;
    return true;
}

int EnableRtsToggle(int fd, bool on)
{
    serial_rs485 config{};
    if (::ioctl(fd, TIOCGRS485, &config) != 0)
        return IsUnknownCall(errno) ? ENOTSUP : errno;
    if (on) {
        config.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        config.flags &= ~__u32(SER_RS485_RTS_AFTER_SEND);
    } else {
        config.flags &= ~__u32(SER_RS485_ENABLED);
    }
    if (::ioctl(fd, TIOCSRS485, &config) != 0)
        return IsUnknownCall(errno) ? ENOTSUP : errno;
    return 0;
}

int ModemLineMask(bool cts, bool dsr, bool ring, bool rlsd)
{
    return (cts ? TIOCM_CTS : 0) | (dsr ? TIOCM_DSR : 0) | (ring ? TIOCM_RNG : 0) | (rlsd ? TIOCM_CD : 0);
}
