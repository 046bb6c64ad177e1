// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <array>
#include <cmath>
#include <cstddef>
#include <deque>
#include <limits>
#include <vector>

struct MeasurementRecord;

// The four sensors, in the order of the chart and of the CSV columns.
enum class Sensor { Temperature, Humidity, Pressure, Light };
inline constexpr int kSensorCount = 4;

// One measurement reply: its time (UTC, milliseconds since the epoch) and
// the four readings, NaN where the reply lacked one. Floats hold every value
// the clock sends exactly (at most 16 bits) and keep a sample at 24 bytes.
struct SensorSample {
    static constexpr float kMissing = std::numeric_limits<float>::quiet_NaN();

    qint64 msecsUtc = 0;
    float values[kSensorCount] = {kMissing, kMissing, kMissing, kMissing};

    float Value(Sensor sensor) const { return values[int(sensor)]; }
    bool Has(Sensor sensor) const { return !std::isnan(Value(sensor)); }
    bool HasAny() const;
    static SensorSample Of(const QDateTime& time, const MeasurementRecord& record);
};

// The samples of this session, oldest first, bounded to the last 24 hours
// before the newest and to kMaxSamples, so a panel left open for weeks holds
// no more than a few MiB.
class SensorHistory {
public:
    static constexpr qint64 kSpanMs = 24LL * 60 * 60 * 1000;
    static constexpr std::size_t kMaxSamples = 86400;

    // A sample older than the newest (the computer's clock set back) drops
    // the newer ones first, so the history stays in time order. A sample
    // without any reading (a reply that decoded to nothing) is not kept.
    void Add(const SensorSample& sample);
    void Clear()
    {
        samples_.clear();
        ++revision_;
    }
    // Changes with every change of the samples, for whoever keeps what it drew of them.
    quint64 Revision() const { return revision_; }

    const std::deque<SensorSample>& Samples() const { return samples_; }
    std::size_t Size() const { return samples_.size(); }
    bool IsEmpty() const { return samples_.empty(); }

private:
    std::deque<SensorSample> samples_;
    quint64 revision_ = 0;
};

// What one pixel column of the chart shows of a sensor: the lowest and the
// highest reading in its time bucket, so that a spike of one sample stays
// visible however many samples share the column. An empty column has low
// above high.
struct ColumnRange {
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();

    bool Empty() const { return low > high; }
};
using SensorColumns = std::array<std::vector<ColumnRange>, kSensorCount>;

// The samples in [fromMs, toMs) spread over columns equal time buckets, one
// range per column and sensor (indexed by Sensor), in one pass over the
// samples; samples outside the span and missing readings are left out. No
// columns when columns < 1 or the span is empty.
SensorColumns DecimateByColumn(const std::deque<SensorSample>& samples, qint64 fromMs, qint64 toMs, int columns);

// The history as CSV lines (without their CR LF): the header, then one line
// per sample, the time in ISO 8601 UTC with milliseconds and an empty field
// for a missing reading.
QList<QByteArray> SensorCsvLines(const std::deque<SensorSample>& samples);
