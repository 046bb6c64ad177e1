#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Writes the lines, each followed by CR LF, into a temporary file beside the
// target and puts it in the target's place only when all of it was written:
// a failed save never destroys the file that was there. False on failure.
bool SaveLines(const QString& path, const QList<QByteArray>& lines);

// The lines of a text file, split at LF with a CR before it dropped; a line
// end after the last line does not make an empty line. nullopt when the file
// cannot be opened or read.
std::optional<QList<QByteArray>> ReadLines(const QString& path);
