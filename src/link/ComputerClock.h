// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the kernel says of this computer's own clock (adjtimex).
struct ComputerClockState {
    int status = 0; // STA_* flags
    long maxErrorUs = 0; // the kernel's bound on its error
    bool readable = true;
};

ComputerClockState ReadComputerClock();

// The largest error a clock may have to count as synchronised.
constexpr long kSynchronisedMaxErrorUs = 100000;

// Synchronised: the kernel does not mark the clock unsynchronised
// (STA_UNSYNC) and bounds its error by 100 ms. Why not, in one sentence,
// or empty when it is.
QString WhyNotSynchronised(const ComputerClockState& state);
