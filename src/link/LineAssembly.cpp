#include "link/LineAssembly.h"

bool IsReplyLetter(char first)
{
    const auto c = static_cast<unsigned char>(first);
    return c >= 0x40 && c <= 0x5F;
}

bool StartsWithReplyLetter(const QByteArray& line)
{
    return !line.isEmpty() && IsReplyLetter(line.front());
}

QList<QByteArray> SerialLineAssembler::Take(const QByteArray& chunk)
{
    buffer_.append(chunk);
    QList<QByteArray> lines;
    qsizetype lf;
    while ((lf = buffer_.indexOf('\n')) >= 0) {
        QByteArray line = buffer_.left(lf);
        line.replace("\r", "");
        buffer_.remove(0, lf + 1);
        if (!line.isEmpty())
            lines.append(line);
    }
    if (buffer_.size() > MaxUnfinishedBytes)
        buffer_.clear();
    return lines;
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
