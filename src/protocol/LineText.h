// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Lines of the link and of the clock's files as people read them.

// Printable ASCII as it is and every other byte as \xNN (upper-case hex),
// so a line stays one line of plain text whatever it holds. A backslash
// stays itself: it is a reply letter.
QByteArray EscapedLine(const QByteArray& line);

// A quoted line shows at most this many characters of its escaped text, so
// a message stays readable whatever a file's line holds.
inline constexpr qsizetype kQuotedLength = 60;

// The line between double quotes, escaped as above: how a message quotes a
// line of the clock or of a file. A longer one is cut before the escaped
// byte that would pass kQuotedLength (an escape stays whole) and "..."
// follows the closing quote.
QString QuotedLine(const QByteArray& line);

// The line as one line of a list or a terminal: each byte its Latin-1
// character, and one that is not printable (a line break, a control
// character) U+FFFD.
QString VisibleLine(const QByteArray& line);
