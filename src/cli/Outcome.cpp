// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Outcome.h"

#include "link/ClockSession.h"

#include <cerrno>

int ExitCodeFor(const LinkFailure& failure)
{
    switch (failure.kind) {
    case LinkFailure::Kind::NotOpened:
        if (failure.error == EACCES || failure.error == EPERM)
            return ExitCode::PermissionDenied;
        if (failure.error == EBUSY || failure.error == EWOULDBLOCK)
            return ExitCode::Busy;
        return ExitCode::NoDevice;
    case LinkFailure::Kind::Gone: return ExitCode::NoDevice;
    case LinkFailure::Kind::Failed: return ExitCode::Failed;
    }
    return ExitCode::Failed;
}

Outcome OutcomeOf(const WaitEnd& end)
{
    switch (end.how) {
    case WaitEnd::How::Done: return {};
    case WaitEnd::How::Silent: return Outcome::Fail(ExitCode::NoAnswer, end.text);
    case WaitEnd::How::NotAClock: return Outcome::Fail(ExitCode::Failed, end.text);
    case WaitEnd::How::Lost: return Outcome::Fail(ExitCodeFor(end.failure), end.failure.text);
    case WaitEnd::How::Interrupted: return Outcome::Fail(ExitCode::Interrupted + end.signal, end.text);
    }
    return {};
}
