// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// The fixed length of every command that begins with this prefix character,
// or nothing when the clock knows no such command.
std::optional<int> CommandLength(char prefix);

// Cuts the unterminated serial byte stream into commands: each prefix
// character announces its command's length. A command that stops short of
// its length (the parameter file's "g" + mode and "q" + hours) waits for
// EndPartial, which the clock calls after a short silence. CR and LF end a
// partial command at once, so a terminal works too, and are otherwise skipped.
// A byte that starts no known command is dropped, which also brings the
// stream back in step after noise.
class SerialCommandSplitter {
public:
    QList<QByteArray> Take(const QByteArray& bytes);
    QByteArray EndPartial();
    bool HasPartial() const { return !partial_.isEmpty(); }

private:
    void TakeByte(char byte, QList<QByteArray>& commands);

    QByteArray partial_;
    int expected_ = 0;
};

// The command carried by a USB line: everything before the first CR, LF or
// NUL, so a whole output report (after its report ID) may be passed as well.
QByteArray UsbCommandLine(const QByteArray& data);

// One USB input report for a reply: report ID 0, the line, CR LF and zero
// fill to reportLength. A line too long for the report is cut to fit.
QByteArray UsbReplyReport(const QByteArray& line, int reportLength);
