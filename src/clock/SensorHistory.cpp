// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/SensorHistory.h"

#include "files/SensorCsv.h"
#include "protocol/replies/PeripheralReplies.h"

#include <algorithm>
#include <iterator>

namespace {

float ValueOr(const std::optional<int>& value)
{
    return value ? float(*value) : SensorSample::kMissing;
}

// Whole numbers as such ("1013", "-10"), anything else in the fewest digits
// that give the float back.
QByteArray CsvField(float value)
{
    if (std::isnan(value))
        return {};
    return QByteArray::number(double(value), 'g', std::numeric_limits<float>::max_digits10 - 1);
}

QByteArray CsvTime(qint64 msecsUtc)
{
    return QDateTime::fromMSecsSinceEpoch(msecsUtc, Qt::UTC).toString(Qt::ISODateWithMs).toLatin1();
}

} // namespace

SensorSample SensorSample::Of(const QDateTime& time, const MeasurementRecord& record)
{
    SensorSample sample;
    sample.msecsUtc = time.toMSecsSinceEpoch();
    sample.values[int(Sensor::Temperature)] = ValueOr(record.temperature);
    sample.values[int(Sensor::Humidity)] = ValueOr(record.humidity);
    sample.values[int(Sensor::Pressure)] = ValueOr(record.airPressure);
    sample.values[int(Sensor::Light)] = ValueOr(record.light);
    return sample;
}

bool SensorSample::HasAny() const
{
    return std::any_of(std::begin(values), std::end(values), [](float value) { return !std::isnan(value); });
}

void SensorHistory::Add(const SensorSample& sample)
{
    if (!sample.HasAny())
        return;
    while (!samples_.empty() && samples_.back().msecsUtc > sample.msecsUtc)
        samples_.pop_back();
    samples_.push_back(sample);
    ++revision_;
    const qint64 oldestKept = sample.msecsUtc - kSpanMs;
    while (samples_.front().msecsUtc < oldestKept || samples_.size() > kMaxSamples)
        samples_.pop_front();
}

SensorColumns DecimateByColumn(const std::deque<SensorSample>& samples, qint64 fromMs, qint64 toMs, int columns)
{
    SensorColumns ranges;
    if (columns < 1 || toMs <= fromMs)
        return ranges;
    for (auto& series : ranges)
        series.resize(std::size_t(columns));
    const auto first = std::lower_bound(samples.begin(), samples.end(), fromMs,
        [](const SensorSample& sample, qint64 ms) { return sample.msecsUtc < ms; });
    const double columnsPerMs = double(columns) / double(toMs - fromMs);
    for (auto it = first; it != samples.end() && it->msecsUtc < toMs; ++it) {
        const auto column = std::size_t(std::min(columns - 1, int(double(it->msecsUtc - fromMs) * columnsPerMs)));
        for (int sensor = 0; sensor < kSensorCount; ++sensor) {
            const float value = it->values[sensor];
            if (std::isnan(value))
                continue;
            ColumnRange& range = ranges[std::size_t(sensor)][column];
            range.low = std::min(range.low, value);
            range.high = std::max(range.high, value);
        }
    }
    return ranges;
}

QList<QByteArray> SensorCsvLines(const std::deque<SensorSample>& samples)
{
    QList<QByteArray> lines;
    lines.reserve(qsizetype(samples.size()) + 1);
    lines << CsvHeader().chopped(2); // the columns of whirlbeamctl log --csv
    for (const SensorSample& sample : samples) {
        QByteArray line = CsvTime(sample.msecsUtc);
        for (const float value : sample.values)
            line += ',' + CsvField(value);
        lines << line;
    }
    return lines;
}
