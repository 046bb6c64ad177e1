// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/ReportDescriptor.h"

#include <map>
#include <vector>

namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };
enum MainTag { kInput = 0x8, kOutput = 0x9, kFeature = 0xB };
enum GlobalTag { kReportSize = 0x7, kReportId = 0x8, kReportCount = 0x9, kPush = 0xA, kPop = 0xB };

constexpr quint8 kLongItem = 0xFE;
constexpr int kMaxPushDepth = 64;
constexpr qint64 kMaxReportBytes = 0xFFFF - 1; // the length counts the ID byte too

struct Globals {
    quint32 reportSize = 0;
    quint32 reportCount = 0;
    quint32 reportId = 0;
};

// Report IDs of one kind, with the bits their reports carry so far.
using ReportBits = std::map<quint32, qint64>;

int LongestReport(const ReportBits& reports)
{
    qint64 longest = 0;
    for (const auto& [id, bits] : reports)
        longest = std::max(longest, (bits + 7) / 8);
    return reports.empty() ? 0 : int(longest + 1);
}

} // namespace

std::optional<ReportLengths> ParseReportDescriptor(const QByteArray& descriptor)
{
    const auto* bytes = reinterpret_cast<const quint8*>(descriptor.constData());
    const qsizetype size = descriptor.size();
    Globals globals;
    std::vector<Globals> stack;
    ReportBits reports[3]; // input, output, feature
    bool reportIds = false;

    for (qsizetype at = 0; at < size;) {
        const quint8 prefix = bytes[at];
        if (prefix == kLongItem) {
            // Prefix, data size, tag, then the data.
            if (at + 3 > size)
                return std::nullopt;
            const qsizetype next = at + 3 + bytes[at + 1];
            if (next > size)
                return std::nullopt;
            at = next;
            continue;
        }
        const int dataSize = (prefix & 0x3) == 3 ? 4 : prefix & 0x3;
        if (at + 1 + dataSize > size)
            return std::nullopt;
        quint32 value = 0;
        for (int i = 0; i < dataSize; ++i)
            value |= quint32(bytes[at + 1 + i]) << (8 * i);
        at += 1 + dataSize;

        const int type = (prefix >> 2) & 0x3;
        const int tag = prefix >> 4;
        if (type == kGlobal) {
            switch (tag) {
            case kReportSize:
                globals.reportSize = value;
                break;
            case kReportCount:
                globals.reportCount = value;
                break;
            case kReportId:
                if (value == 0 || value > 255)
                    return std::nullopt;
                globals.reportId = value;
                reportIds = true;
                break;
            case kPush:
                if (stack.size() == kMaxPushDepth)
                    return std::nullopt;
                stack.push_back(globals);
                break;
            case kPop:
                if (stack.empty())
                    return std::nullopt;
                globals = stack.back();
                stack.pop_back();
                break;
            default:
                break;
            }
        } else if (type == kMain && (tag == kInput || tag == kOutput || tag == kFeature)) {
            const int kind = tag == kInput ? 0 : tag == kOutput ? 1 : 2;
            const quint64 itemBits = quint64(globals.reportSize) * globals.reportCount;
            qint64& bits = reports[kind][globals.reportId];
            if (itemBits > quint64(kMaxReportBytes * 8 - bits))
                return std::nullopt;
            bits += qint64(itemBits);
        }
    }
    return ReportLengths{
        LongestReport(reports[0]), LongestReport(reports[1]), LongestReport(reports[2]), reportIds};
}
