// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileProblem.h"

#include "link/SystemErrorText.h"
#include "protocol/LineText.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ExplainFileProblem(const FileProblem& problem, const QString& file)
{
    if (problem.lineNumber > 0)
        return QCoreApplication::translate("FileProblem", problem.sentence)
            .arg(problem.lineNumber)
            .arg(QuotedLine(problem.line));
    return ExplainSystemError(problem.error, QFileInfo(file).absoluteFilePath(), ErrorSite::File);
}
