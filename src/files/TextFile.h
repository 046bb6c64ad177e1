// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
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

// The whole file; nullopt when it cannot be opened or read, with the errno
// in *error.
std::optional<QByteArray> ReadBytes(const QString& path, int* error = nullptr);

// The lines of a text file, split at LF with a CR before it dropped; a line
// end after the last line does not make an empty line.
QList<QByteArray> SplitLines(const QByteArray& content);

// The lines of the file as SplitLines gives them; nullopt when the file
// cannot be opened or read, with the errno in *error.
std::optional<QList<QByteArray>> ReadLines(const QString& path, int* error = nullptr);
