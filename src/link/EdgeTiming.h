// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

// Timing to the millisecond between the computer's clock and the clock's:
// when a line handed to the link is whole at the clock, when to hand one
// over so that it is whole on a second's edge, and where the clock's second
// begins, found from the seconds it reports.
//
// The clock acts on a command when its last byte has arrived; it sets its
// time then, to the whole second the command names, and reads its time
// then for a query.

using WallTime = std::chrono::system_clock::time_point;
using Micros = std::chrono::microseconds;

// A USB output report reaches the clock within one frame of a full-speed
// interrupt endpoint.
constexpr Micros kUsbReportLatency{1000};

// How long the characters take on a serial line: each a start bit, its
// data bits, a parity bit if there is one and its stop bits (1.5 counted
// as 2), at bitsPerSecond.
Micros SerialLineTime(int characters, int bitsPerCharacter, int bitsPerSecond);

// A line sent so that it is whole at the clock on a second's edge.
struct EdgeSend {
    WallTime edge; // the whole second the line arrives on
    WallTime sendAt; // when to hand it to the link
};

// The first second's edge that leaves at least `lead` before the line must
// be handed over, for a line that takes `travel` to arrive.
EdgeSend PlanEdgeSend(WallTime now, Micros travel, Micros lead);

// Where the clock's second begins, on the computer's clock. Each reading
// (the instant a query was whole at the clock, and the second of the day the
// clock reported) says the clock's time minus the computer's lies in
// [second - instant, second - instant + 1 s); the readings together narrow
// that down. Seconds of the day are taken in one zone for both clocks, so
// an offset of whole hours is a zone apart.
class SecondEdgeFinder {
public:
    // The computer's time of day in the zone the clock keeps, as seconds
    // since that day's midnight.
    using TimeOfDay = double;

    void Take(TimeOfDay sampled, int clockSecondOfDay);

    // Whether the readings bracket the offset at all (closer than a second).
    bool Bracketed() const { return readings_ > 0 && hi_ - lo_ < 1.0; }
    // Half the width of what the readings leave, in seconds.
    double Uncertainty() const { return (hi_ - lo_) / 2.0; }
    // The clock's time minus the computer's, in seconds: the middle of what
    // the readings leave.
    double Offset() const { return (lo_ + hi_) / 2.0; }
    // When (time of day) a reading halves what is left: the instant the
    // middle of the range would make the clock change its second, the first
    // such after `earliest`. Nothing until the readings bracket the offset;
    // until then read as often as the link allows.
    std::optional<TimeOfDay> NextProbe(TimeOfDay earliest) const;

private:
    double lo_ = 0.0;
    double hi_ = 0.0;
    int readings_ = 0;
};

// The drift of the clock against the computer's, in parts per million,
// from its offsets (seconds) at times (seconds): the least-squares slope and
// its standard error. A few minutes of readings to the half millisecond say
// little about a drift of a few ppm; the error tells how little.
struct Drift {
    double ppm;
    double standardErrorPpm;
    // Whether the readings tell the drift at all: not while its error is
    // larger than the drift itself.
    bool Known() const { return standardErrorPpm <= std::abs(ppm); }
};

// readingError: the standard deviation of one offset (seconds). The scatter
// of a few readings may happen to be small; the error is never taken to be
// smaller than the readings themselves allow. Nothing from fewer than three
// readings (two give a slope, but no error to judge it by), nor from
// readings all at one time.
std::optional<Drift> FitDrift(
    const std::vector<std::pair<double, double>>& timeAndOffset, double readingError = 0.0);
