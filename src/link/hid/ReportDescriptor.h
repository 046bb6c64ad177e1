// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// The report lengths a HID report descriptor declares, each the longest
// report of its kind in bytes plus the report ID byte (counted also when the
// device numbers no reports); 0 when there is no report of that kind.
struct ReportLengths {
    int input = 0;
    int output = 0;
    int feature = 0;
    // The device numbers its reports: the first byte of each is its ID.
    bool reportIds = false;
};

// Nothing for a descriptor that is cut short or contradicts itself (an item
// running past the end, a pop without a push, a report ID of 0 or above 255,
// a report longer than 65535 bytes).
std::optional<ReportLengths> ParseReportDescriptor(const QByteArray& descriptor);
