// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <algorithm>
#include <functional>
#include <vector>

// Every benchmark prints its figures one to a line, "name value unit", for
// scripts/bench to collect into its table; anything else goes to stderr.
inline void PrintMeasurement(const char* name, double value, const char* unit)
{
    std::printf("%s %.6g %s\n", name, value, unit);
    std::fflush(stdout);
}

// Runs events until the condition holds or the time is up, looking every
// 10 ms; whether it holds.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer look;
    look.callOnTimeout(&loop, [&loop, &done] {
        if (done())
            loop.quit();
    });
    look.start(10);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

// The middle of the values (of the middle two when they are even).
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
