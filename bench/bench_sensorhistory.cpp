// SPDX-License-Identifier: GPL-3.0-or-later
// The Measurements page's history after 24 simulated hours at the panel's
// pace (one measurement reply per poll cycle of 7 ticks: every 1.75 s on
// the serial link, every 140 ms on USB, where the sample cap bounds it), fed
// with synthetic times rather than waited for: the heap it holds, from
// glibc's own count; and how long the chart takes to paint a full history
// at the page's size, offscreen, after a new sample and as the pointer moves.
//
//     bench_sensorhistory [paints]

#include "Measurement.h"

#include "app/pages/SensorChart.h"
#include "link/TransmitTick.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <cmath>
#include <cstdlib>
#include <malloc.h>

namespace {

constexpr int kPollCycle = 7;
constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// Slowly drifting readings with now and then a spike, as a room's sensors give.
SensorSample Reading(qint64 ms, qint64 index)
{
    SensorSample sample;
    sample.msecsUtc = ms;
    const double phase = double(ms) / kDayMs * 2 * M_PI;
    sample.values[0] = float(std::round(20 + 3 * std::sin(phase)));
    sample.values[1] = float(std::round(45 + 10 * std::cos(phase)));
    sample.values[2] = float(1013 + index % 3);
    sample.values[3] = float(index % 997 == 0 ? 255 : std::round(120 + 100 * std::sin(phase * 2)));
    return sample;
}

// The history's heap after a day at one sample every intervalMs.
double DayOfSamplesMiB(int intervalMs, SensorHistory& history, std::size_t* samples)
{
    const std::size_t before = HeapInUse();
    qint64 index = 0;
    for (qint64 ms = 0; ms <= kDayMs; ms += intervalMs)
        history.Add(Reading(ms, index++));
    *samples = history.Size();
    return double(HeapInUse() - before) / (1024.0 * 1024.0);
}

// Each paint after a new sample (decimated again) or of the same history
// (the pointer moved: drawn from the columns kept).
double MedianPaintMs(SensorHistory& history, int paints, bool newSample)
{
    SensorChart chart(history, nullptr);
    chart.resize(705, 329);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    chart.render(&image);
    std::vector<double> times;
    for (int i = 0; i < paints; ++i) {
        if (newSample)
            history.Add(Reading(history.Samples().back().msecsUtc + kPollCycle * kUsbTickMs, i));
        QElapsedTimer timer;
        timer.start();
        chart.render(&image);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int paints = argc > 1 ? std::atoi(argv[1]) : 50;

    std::size_t samples = 0;
    SensorHistory serial;
    const double serialMiB = DayOfSamplesMiB(kPollCycle * kSerialTickMs, serial, &samples);
    PrintMeasurement("sensor_history_serial_mib", serialMiB, "MiB");
    PrintMeasurement("sensor_history_serial_samples", double(samples), "samples");
    SensorHistory usb;
    const double usbMiB = DayOfSamplesMiB(kPollCycle * kUsbTickMs, usb, &samples);
    PrintMeasurement("sensor_history_usb_mib", usbMiB, "MiB");
    PrintMeasurement("sensor_history_usb_samples", double(samples), "samples");
    PrintMeasurement("sensor_chart_paint_ms", MedianPaintMs(usb, paints, true), "ms");
    PrintMeasurement("sensor_chart_repaint_ms", MedianPaintMs(usb, paints, false), "ms");
    return 0;
}
