// SPDX-License-Identifier: GPL-3.0-or-later
// A HID report descriptor comes from whatever device is plugged in.
// Invariants: every length the parser gives fits the 16-bit lengths the
// link works with, and a descriptor cut inside an item is refused.

#include "link/hid/ReportDescriptor.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

bool Fits(int length) { return length >= 0 && length <= 0xFFFF; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray descriptor(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<ReportLengths> lengths = ParseReportDescriptor(descriptor);
    if (!lengths)
        return 0;
    Check(Fits(lengths->input) && Fits(lengths->output) && Fits(lengths->feature));
    // Accepted means it ended between items; a report size item whose four
    // data bytes would run past the end must then be refused.
    Check(!ParseReportDescriptor(descriptor + QByteArray(1, '\x77')));
    return 0;
}
