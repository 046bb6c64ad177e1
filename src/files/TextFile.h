// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cerrno>
#include <chrono>
#include <optional>

// Writes content into a new file beside the target, flushes it to the disk
// and only then renames it over the target, so a failed save (a full disk, a
// read-only folder) never destroys the file that was there. A replaced file
// keeps its permissions. False on failure, with the errno in *error.
bool SaveBytes(const QString& path, const QByteArray& content, int* error = nullptr);

// Writes all of content to the descriptor, going on after a signal or a
// short write. False with errno set when a write fails (EIO when one writes
// nothing).
bool WriteAll(int fd, const QByteArray& content);

// The lines, each followed by CR LF, saved as SaveBytes saves.
bool SaveLines(const QString& path, const QList<QByteArray>& lines, int* error = nullptr);

// A file the programs load is never larger than this: far above any they
// write (an alarm file has at most 40 lines of 13 bytes), and small enough
// that a device or a pipe that never ends costs no more memory.
inline constexpr qsizetype kLoadLimit = 1024 * 1024;
// How long a load waits, all told, for a pipe, a FIFO or a device to bring
// its data and its end, so the window thread never waits for ever.
inline constexpr std::chrono::milliseconds kLoadWait{5000};
// The errors a load gives beside the system's.
inline constexpr int kFileTooLarge = EFBIG; // more than kLoadLimit bytes
inline constexpr int kFileWithoutEnd = ETIMEDOUT; // no end within the wait

// The whole file; nullopt when it cannot be opened or read (the errno in
// *error), holds more than kLoadLimit bytes (kFileTooLarge; at most one byte
// more is read) or has not ended within wait (kFileWithoutEnd).
std::optional<QByteArray> ReadBytes(
    const QString& path, int* error = nullptr, std::chrono::milliseconds wait = kLoadWait);

// The lines of a text file, split at LF with a CR before it dropped; a line
// end after the last line does not make an empty line.
QList<QByteArray> SplitLines(const QByteArray& content);

// The lines of the file as SplitLines gives them; nullopt when ReadBytes
// gives none, with its error in *error.
std::optional<QList<QByteArray>> ReadLines(const QString& path, int* error = nullptr);
