// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComputerClock.h"

#include <QCoreApplication>

#include <sys/timex.h>

namespace {
struct ComputerClockTexts {
    Q_DECLARE_TR_FUNCTIONS(ComputerClockTexts)
};
} // namespace

ComputerClockState ReadComputerClock()
{
    timex now{};
    now.modes = 0;
    if (::adjtimex(&now) < 0)
        return {STA_UNSYNC, 0, false};
    return {now.status, now.maxerror, true};
}

QString WhyNotSynchronised(const ComputerClockState& state)
{
    if (!state.readable)
        return ComputerClockTexts::tr("this computer's clock cannot be asked whether it is synchronised");
    if (state.status & STA_UNSYNC)
        return ComputerClockTexts::tr("this computer's clock is not synchronised to a time source");
    if (state.maxErrorUs > kSynchronisedMaxErrorUs)
        return ComputerClockTexts::tr("this computer's clock may be %1 ms off, more than the 100 ms allowed")
            .arg(state.maxErrorUs / 1000);
    return QString();
}
