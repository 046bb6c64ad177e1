// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/EdgeTiming.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDay = 86400.0;
constexpr double kHalfDay = kDay / 2.0;

// The same offset within half a day of near: the seconds of the day wrap.
double Near(double offset, double near)
{
    while (offset - near > kHalfDay)
        offset -= kDay;
    while (offset - near <= -kHalfDay)
        offset += kDay;
    return offset;
}

} // namespace

Micros SerialLineTime(int characters, int bitsPerCharacter, int bitsPerSecond)
{
    if (bitsPerSecond <= 0)
        return Micros(0);
    return Micros(std::llround(1e6 * characters * bitsPerCharacter / double(bitsPerSecond)));
}

EdgeSend PlanEdgeSend(WallTime now, Micros travel, Micros lead)
{
    using std::chrono::seconds;
    const WallTime arrival = now + lead + travel;
    const WallTime edge = std::chrono::ceil<seconds>(arrival);
    return {edge, edge - travel};
}

void SecondEdgeFinder::Take(TimeOfDay sampled, int clockSecondOfDay)
{
    const double lower = Near(clockSecondOfDay - sampled, readings_ > 0 ? Offset() : 0.0);
    const double lo = readings_ > 0 ? std::max(lo_, lower) : lower;
    const double hi = readings_ > 0 ? std::min(hi_, lower + 1.0) : lower + 1.0;
    // Readings that contradict each other (the clock was set meanwhile, or
    // a reading landed on the edge itself): the newest one stands alone.
    if (lo >= hi) {
        lo_ = lower;
        hi_ = lower + 1.0;
        readings_ = 1;
        return;
    }
    lo_ = lo;
    hi_ = hi;
    ++readings_;
}

std::optional<SecondEdgeFinder::TimeOfDay> SecondEdgeFinder::NextProbe(TimeOfDay earliest) const
{
    if (!Bracketed())
        return std::nullopt;
    const double middle = Offset();
    return std::ceil(earliest + middle) - middle;
}

std::optional<Drift> FitDrift(
    const std::vector<std::pair<double, double>>& timeAndOffset, double readingError)
{
    const auto n = double(timeAndOffset.size());
    if (timeAndOffset.size() < 3)
        return std::nullopt;
    // Centred, so that times since the epoch lose no precision.
    double meanT = 0, meanO = 0;
    for (const auto& [t, o] : timeAndOffset) {
        meanT += t;
        meanO += o;
    }
    meanT /= n;
    meanO /= n;
    double stt = 0, sto = 0;
    for (const auto& [t, o] : timeAndOffset) {
        stt += (t - meanT) * (t - meanT);
        sto += (t - meanT) * (o - meanO);
    }
    if (stt <= 1e-9)
        return std::nullopt;
    const double slope = sto / stt;
    double residuals = 0;
    for (const auto& [t, o] : timeAndOffset) {
        const double r = o - meanO - slope * (t - meanT);
        residuals += r * r;
    }
    const double variance = std::max(residuals / (n - 2.0), readingError * readingError);
    const double standardError = std::sqrt(variance / stt);
    return Drift{1e6 * slope, 1e6 * standardError};
}
