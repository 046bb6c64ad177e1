// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CommandLineCheck.h"

#include "files/ParameterFile.h"
#include "link/ClockLink.h"
#include "protocol/LineText.h"

#include <QCoreApplication>

namespace {

// The context of the refusals for translation.
struct CommandLineTexts {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

} // namespace

// A character outside Latin-1 would come out as another byte, so the text
// must be the very bytes it reads as.
QString CommandLineRefusal(const QString& text)
{
    const QByteArray line = text.toLatin1();
    if (IsCommandLine(line) && line == text.toUtf8())
        return QString();
    return CommandLineTexts::tr("%1 is not a command line (a command character "
                                "a..z, {, |, }, ~, ` or DEL, then printable ASCII)")
        .arg(QuotedLine(text.toUtf8()));
}

QString LinkFitRefusal(const QByteArray& line, const ClockLink& link)
{
    if (link.Fits(line))
        return QString();
    return CommandLineTexts::tr("%1 is too long for %2").arg(QuotedLine(line), link.Name());
}
