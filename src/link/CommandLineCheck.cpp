// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CommandLineCheck.h"

#include "link/ClockLink.h"
#include "protocol/LineText.h"

#include <QCoreApplication>

namespace {

// The context of the refusals for translation.
struct CommandLineTexts {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

} // namespace

QString LinkFitRefusal(const QByteArray& line, const ClockLink& link)
{
    if (link.Fits(line))
        return QString();
    return CommandLineTexts::tr("%1 is too long for %2").arg(QuotedLine(line), link.Name());
}
