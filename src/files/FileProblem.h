// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Why a file a user handed the panel or whirlbeamctl was not loaded (or not
// saved): the system's error, or the first line that is not what the file
// must hold.
struct FileProblem {
    int error = 0; // errno, when the file could not be read or written
    int lineNumber = 0; // from 1, when a line is not what the file holds
    QByteArray line;
    // The sentence for the line, QT_TRANSLATE_NOOP'd in "FileProblem":
    // "Line %1 is not an alarm line: %2"; for a load, what a file larger
    // than any of its kind is not: "larger than 1 MiB: not an alarm file".
    const char* sentence = "";

    static FileProblem System(int error) { return {error, 0, {}, ""}; }
    // A file ReadBytes gave no content for; tooLarge is what one beyond
    // its bound is not.
    static FileProblem Load(int error, const char* tooLarge) { return {error, 0, {}, tooLarge}; }
    static FileProblem Line(int number, const QByteArray& line, const char* sentence)
    {
        return {0, number, line, sentence};
    }
};

// One sentence for the line under "File read error <file>" and for
// whirlbeamctl's message: "Line 3 is not an alarm line: "xyz"", or the
// system's reason in plain words. Empty when there is nothing to say.
QString ExplainFileProblem(const FileProblem& problem, const QString& file);
