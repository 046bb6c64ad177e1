// SPDX-License-Identifier: GPL-3.0-or-later
// USB reports carry one line each way: the panel frames commands into output
// reports and extracts reply lines from input reports, and the simulated
// clock does the opposite. Both ends take whatever the other sends.
// Invariants: an extracted line holds no byte of 0x0F or less; a command
// line stops before the first CR, LF or NUL and begins the data; a framed
// report is exactly the report length, starts with report ID 0 and its
// command reads back through the clock's side, and a command that does not
// fit gets no report at all; a reply report is exactly the report length,
// and its line (cut to fit) reads back through the panel's side. Report
// data, as the link hands it over, begins after the report ID.

#include "link/LineAssembly.h"
#include "sim/PeerFraming.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kReportId = 1;
constexpr int kLineOverhead = 3; // report ID, CR, LF

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// A line as a peer would mean it: no control byte the framing drops.
bool IsPlainLine(const QByteArray& line)
{
    for (const char byte : line) {
        if (static_cast<unsigned char>(byte) <= 0x0F)
            return false;
    }
    return true;
}

void ReadAnyReport(const QByteArray& data)
{
    const QByteArray line = ExtractUsbReplyLine(data);
    Check(IsPlainLine(line));
    const QByteArray command = UsbCommandLine(data);
    Check(data.startsWith(command) && !command.contains('\0') && !command.contains('\r')
          && !command.contains('\n'));
}

void FrameCommand(const QByteArray& command, int reportLength)
{
    const std::optional<QByteArray> report = FrameUsbReport(command, reportLength);
    Check(report.has_value() == (command.size() + kLineOverhead <= reportLength));
    if (!report)
        return;
    Check(report->size() == reportLength && report->front() == '\0');
    if (UsbCommandLine(command) == command)
        Check(UsbCommandLine(report->mid(kReportId)) == command);
}

void FrameReply(const QByteArray& line, int reportLength)
{
    const QByteArray report = UsbReplyReport(line, reportLength);
    Check(report.size() == reportLength);
    if (!IsPlainLine(line))
        return;
    const QByteArray fitting = line.left(qMax(0, reportLength - kLineOverhead));
    Check(ExtractUsbReplyLine(report.mid(kReportId)) == fitting);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte is the report length (HID reports of up to 255 bytes);
    // the rest is a report, a command and a reply line at once.
    const int reportLength = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    ReadAnyReport(bytes);
    FrameCommand(bytes, reportLength);
    FrameReply(bytes, reportLength);
    return 0;
}
