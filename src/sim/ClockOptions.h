// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/ProtocolBits.h"

#include <optional>

// How the simulated clock presents itself and how its link misbehaves.
// Every field may be changed while the clock runs (ClockPeer::SetOptions).
struct ClockPeerOptions {
    // What the clock says about itself.
    int alarmCount = kAlarmRows;        // 20 (16F628/648 builds) or 40
    std::optional<int> chipCode;        // none: the configuration reply stays 5 characters
    int rc5Address = 0x1D;              // the clock's own RC5 address
    bool wrongIdentification = false;   // answer "p" with a text the panel must refuse
    bool versionTwo = false;            // answer "v" with a version the panel must refuse

    // How the link behaves.
    int replyDelayMs = 0;               // every reply waits this long, order kept
    int garbageEvery = 0;               // a garbage line precedes every n-th reply; 0: never

    // Periods of the clock's own timers. 0 stops a timer; the step it would
    // run is then left to the caller, which is how tests stay deterministic.
    int silenceTimeoutMs = 100;         // a partial serial command ends after this silence
    int driftIntervalMs = 2000;         // sensors drift, countdowns and minute marks run
    int rc5IntervalMs = 6000;           // a remote control somewhere in the room is used
};
