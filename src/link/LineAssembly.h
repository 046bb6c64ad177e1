// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// A line that starts with a reply letter (IsReplyLetter) counts as an
// answer from the clock for the link LED.
bool StartsWithReplyLetter(const QByteArray& line);

// Cuts the bytes of the serial link into reply lines (the window's RxBuffer).
// A line ends at LF; every CR is dropped wherever it stands; empty lines are
// consumed silently. Bytes of an unfinished line stay for the next chunk,
// also across a close and re-open of the port. The lines out depend only on
// the bytes in, never on how the link happened to cut them into chunks.
class SerialLineAssembler {
public:
    // A peer that never sends LF must not grow the buffer without limit: a
    // line of more bytes than this (CRs not counted) is thrown away whole,
    // up to and including its LF, and is never taken in part.
    static constexpr int MaxUnfinishedBytes = 4096;

    // Adds a received chunk and returns every line it completes, in order.
    QList<QByteArray> Take(const QByteArray& chunk);

    const QByteArray& Pending() const { return buffer_; }
    // Inside an over-long line whose LF has not come yet.
    bool Discarding() const { return discarding_; }

private:
    void Append(const char* bytes, qsizetype count);

    QByteArray buffer_;
    bool discarding_ = false;
};

// The reply line carried by one USB input report: the data bytes after the
// report ID up to the first 0x00, without any byte of 0x0F or less (which
// drops the CR LF that ends the line). Empty when the report holds no line.
QByteArray ExtractUsbReplyLine(const QByteArray& data);

// One output report of exactly reportLength bytes: report ID 0, the command,
// CR, LF, zero fill. No report (nullopt) when the command with its CR LF does
// not fit: a truncated command could do something else on the clock.
std::optional<QByteArray> FrameUsbReport(const QByteArray& command, int reportLength);
