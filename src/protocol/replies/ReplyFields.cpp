// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/replies/ReplyFields.h"

#include <limits>

QByteArrayView ReplyFields::Field(int position, int length) const
{
    if (position < 1 || position > line_.size() || length <= 0)
        return {};
    return QByteArrayView(line_).sliced(position - 1, qMin(qsizetype(length), line_.size() - position + 1));
}

QByteArray ReplyFields::Text(int position, int length) const
{
    if (position < 1 || position > line_.size())
        return QByteArray();
    return line_.mid(position - 1, length);
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::optional<int> ReplyFields::Hex(int position, int length) const
{
    const QByteArrayView field = Field(position, length);
    if (field.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const char c : field) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

std::optional<int> ReplyFields::SignedHex(int position) const
{
    const auto value = Hex(position, 2);
    if (!value)
        return std::nullopt;
    return *value > 127 ? *value - 256 : *value;
}

std::optional<int> ReplyFields::Dec(int position, int length) const
{
    const QByteArrayView field = Field(position, length);
    qsizetype at = 0;
    while (at < field.size() && field[at] == ' ')
        ++at;
    const bool negative = at < field.size() && field[at] == '-';
    if (at < field.size() && (field[at] == '-' || field[at] == '+'))
        ++at;
    if (at == field.size())
        return std::nullopt;
    qint64 value = 0;
    for (; at < field.size(); ++at) {
        const char c = field[at];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        // Fields are a few digits wide; a wider one must not overflow.
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return int(negative ? -value : value);
}
