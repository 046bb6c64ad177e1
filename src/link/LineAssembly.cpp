// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LineAssembly.h"

#include "protocol/replies/ReplyKind.h"

#include <utility>

bool StartsWithReplyLetter(const QByteArray& line)
{
    return !line.isEmpty() && IsReplyLetter(line.front());
}

QList<QByteArray> SerialLineAssembler::Take(const QByteArray& chunk)
{
    QList<QByteArray> lines;
    qsizetype from = 0;
    qsizetype lf;
    while ((lf = chunk.indexOf('\n', from)) >= 0) {
        Append(chunk.constData() + from, lf - from);
        if (!std::exchange(discarding_, false) && !buffer_.isEmpty())
            lines.append(buffer_);
        buffer_.clear();
        from = lf + 1;
    }
    Append(chunk.constData() + from, chunk.size() - from);
    return lines;
}

// CRs are dropped on the way in, so only the line's own bytes count
// towards the bound.
void SerialLineAssembler::Append(const char* bytes, qsizetype count)
{
    for (const char* end = bytes + count; bytes < end && !discarding_; ++bytes) {
        if (*bytes == '\r')
            continue;
        if (buffer_.size() == MaxUnfinishedBytes) {
            buffer_.clear();
            discarding_ = true;
        } else {
            buffer_.append(*bytes);
        }
    }
}

QByteArray ExtractUsbReplyLine(const QByteArray& data)
{
    QByteArray line;
    for (const char byte : data) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0x00)
            break;
        if (c > 0x0F)
            line.append(byte);
    }
    return line;
}

std::optional<QByteArray> FrameUsbReport(const QByteArray& command, int reportLength)
{
    const qsizetype needed = 1 + command.size() + 2;
    if (needed > reportLength)
        return std::nullopt;
    QByteArray report(reportLength, '\0');
    report.replace(1, command.size(), command);
    report[1 + command.size()] = '\r';
    report[2 + command.size()] = '\n';
    return report;
}
