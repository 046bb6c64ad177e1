#pragma once

#include <cstdio>

// Every benchmark prints its figures one to a line, "name value unit", for
// scripts/bench to collect into its table; anything else goes to stderr.
inline void PrintMeasurement(const char* name, double value, const char* unit)
{
    std::printf("%s %.6g %s\n", name, value, unit);
    std::fflush(stdout);
}
