// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/PeerFraming.h"

#include "link/LineAssembly.h"

#include <utility>

namespace {
constexpr char kGrave = 0x60;
constexpr char kDel = 0x7F;
constexpr int kUsbLineOverhead = 3; // report ID, CR, LF

bool IsLineEnd(char byte)
{
    return byte == '\r' || byte == '\n';
}
} // namespace

std::optional<int> CommandLength(char prefix)
{
    switch (prefix) {
    case 'p': case 'v': case 'o': case 'd': case 't': case 'n':
    case 'h': case 'j': case 'r': case 'y': case '|': case '{':
    case 'c':
        return 1;
    case 'w': case 'l': case '~':
        return 3;
    case 'x': case 'z': case 'g': case 'i': case 'a': case 'f': case kGrave:
        return 5;
    case 's': case 'q':
        return 7;
    case 'm': case kDel:
        return 9;
    case 'b': case 'k':
        return 11;
    default:
        return std::nullopt;
    }
}

QList<QByteArray> SerialCommandSplitter::Take(const QByteArray& bytes)
{
    QList<QByteArray> commands;
    for (const char byte : bytes)
        TakeByte(byte, commands);
    return commands;
}

void SerialCommandSplitter::TakeByte(char byte, QList<QByteArray>& commands)
{
    if (IsLineEnd(byte)) {
        if (HasPartial())
            commands.append(EndPartial());
        return;
    }
    if (!HasPartial()) {
        const std::optional<int> length = CommandLength(byte);
        if (!length)
            return;
        expected_ = *length;
    }
    partial_.append(byte);
    if (partial_.size() == expected_)
        commands.append(EndPartial());
}

QByteArray SerialCommandSplitter::EndPartial()
{
    expected_ = 0;
    return std::exchange(partial_, QByteArray());
}

QByteArray UsbCommandLine(const QByteArray& data)
{
    qsizetype end = 0;
    while (end < data.size() && data[end] != '\0' && !IsLineEnd(data[end]))
        ++end;
    return data.left(end);
}

QByteArray UsbReplyReport(const QByteArray& line, int reportLength)
{
    const QByteArray fitting = line.left(qMax(0, reportLength - kUsbLineOverhead));
    return FrameUsbReport(fitting, reportLength).value_or(QByteArray(reportLength, '\0'));
}
