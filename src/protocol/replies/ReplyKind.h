// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

// The kinds of reply line, named by their first character. A reply's letter
// is the letter of the command it answers with bit 0x20 cleared, so a
// setting command and the query for that setting share one kind. The
// letters of each kind are in the reply table (ReplyTable.h).
enum class ReplyKind {
    RelayIrTimeReply,     // "@"
    Rc5PacketReply,       // "A"
    DateReply,            // "B", "D"
    TimeReply,            // "C", "S", "T"
    MemoryReadReply,      // "E", "F"
    ModeReply,            // "G", "H"
    AutoStandbyReply,     // "I", "J"
    AlarmReply,           // "K", "L"
    PwmReply,             // "M", "N"
    ConfigReply,          // "O"
    IdentificationReply,  // "P"
    SoundTimesReply,      // "Q", "R"
    VersionReply,         // "V"
    WhirlbeamStatusReply, // "W"
    RelayReply,           // "X", "Y"
    EndOfReadReply,       // "Z"
    Dcf77StateReply,      // "["
    MeasurementReply,     // backslash
    SensorOffsetReply,    // "_"
};
constexpr int kReplyKinds = int(ReplyKind::SensorOffsetReply) + 1;

// The characters a reply line can start with: 0x40..0x5F ('@', 'A'..'Z',
// '[', backslash, ']', '^', '_'). A line that starts with one counts as an
// answer from the clock, even where no kind has that letter.
constexpr char kFirstReplyLetter = 0x40;
constexpr int kReplyLetters = 0x20;
constexpr bool IsReplyLetter(char first)
{
    const auto c = static_cast<unsigned char>(first);
    return c >= kFirstReplyLetter && c < kFirstReplyLetter + kReplyLetters;
}

// nullopt for an empty line and for every first character without a kind
// (lower case, digits, "U", "]", "^", anything that is no reply letter).
std::optional<ReplyKind> KindOf(const QByteArray& line);

// The letter of the reply that answers a command: the command's first
// character with bit 0x20 cleared ("d" gives "D", "{" gives "[", "|" the
// backslash, the grave accent "@", DEL "_"). NUL for an empty command.
inline char ReplyLetterOf(const QByteArray& command)
{
    return command.isEmpty() ? '\0' : char(command.front() & ~0x20);
}
