// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileProblem.h"

#include "files/TextFile.h"
#include "link/SystemErrorText.h"
#include "protocol/LineText.h"

#include <QCoreApplication>
#include <QFileInfo>

static_assert(
    kLoadLimit == 1024 * 1024 && kLoadWait == std::chrono::seconds(5), "the sentences name the bounds");

QString ExplainFileProblem(const FileProblem& problem, const QString& file)
{
    if (problem.lineNumber > 0)
        return QCoreApplication::translate("FileProblem", problem.sentence)
            .arg(problem.lineNumber)
            .arg(QuotedLine(problem.line));
    // Only a load gives a sentence here; a save's EFBIG is the system's.
    if (*problem.sentence && problem.error == kFileTooLarge)
        return QCoreApplication::translate("FileProblem", problem.sentence);
    if (*problem.sentence && problem.error == kFileWithoutEnd)
        return QCoreApplication::translate("FileProblem", "did not end within 5 seconds");
    return ExplainSystemError(problem.error, QFileInfo(file).absoluteFilePath(), ErrorSite::File);
}
