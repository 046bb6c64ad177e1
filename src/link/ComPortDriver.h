// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Thin wrappers over the Linux serial driver calls that termios lacks:
// modem lines, the driver's line-event counters and RTS switching for
// sending. A pseudo terminal has none of these, so a driver that does not
// know a call counts as having nothing to report rather than as a failure.

struct TModemLines {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;
    bool operator==(const TModemLines&) const = default;
};

// Running totals the driver keeps since the device was opened.
struct TLineCounters {
    int cts = 0;
    int dsr = 0;
    int ring = 0;
    int rlsd = 0;
    int frame = 0;
    int overrun = 0;
    int parity = 0;
    int brk = 0;
    int bufferOverrun = 0;
};

// Returns 0 or the errno; lines read all low where there are none.
int QueryModemLines(int fd, TModemLines& lines);

// line is TIOCM_DTR or TIOCM_RTS. Returns 0 or the errno.
int SetModemLine(int fd, int line, bool high);

// False where the driver keeps no counters; such a driver cannot wait for
// modem line changes either.
bool QueryLineCounters(int fd, TLineCounters& counters);

// Lets the driver raise RTS only while it sends. Returns 0, ENOTSUP where
// the driver cannot, or the errno.
int EnableRtsToggle(int fd, bool on);

// The modem-status bits (TIOCM_*) of the lines whose changes are wanted.
int ModemLineMask(bool cts, bool dsr, bool ring, bool rlsd);
