// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileProblem.h"

#include "link/SystemErrorText.h"
#include "protocol/LineText.h"

#include <QFileInfo>

QString ExplainFileProblem(const FileProblem& problem, const QString& file)
{
    if (problem.lineNumber > 0)
        return QStringLiteral("Line %1 is not %2: %3")
            .arg(problem.lineNumber)
            .arg(QLatin1String(problem.expected), QuotedLine(problem.line));
    return ExplainSystemError(problem.error, QFileInfo(file).absoluteFilePath(), ErrorSite::File);
}
