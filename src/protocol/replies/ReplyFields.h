// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Reads the fixed-position fields of one reply line. Positions count from 1
// (position 1 is the reply letter). A field running past the end of the line
// holds only the characters that are there, possibly none; a numeric field
// that is empty or not a number in its base reads as nullopt.
class ReplyFields {
public:
    explicit ReplyFields(const QByteArray& line) : line_(line) {}

    QByteArray Text(int position, int length) const;
    // Hex digits in either case; no blanks, no sign.
    std::optional<int> Hex(int position, int length) const;
    // A two-digit hex byte as two's complement: 0x80..0xFF stand for -128..-1.
    std::optional<int> SignedHex(int position) const;
    // Decimal with optional leading blanks and one leading sign.
    std::optional<int> Dec(int position, int length) const;

    int Length() const { return int(line_.size()); }

private:
    // The field's characters in the line, without a copy: numbers are read
    // several times a second for every reply.
    QByteArrayView Field(int position, int length) const;

    const QByteArray& line_;
};
