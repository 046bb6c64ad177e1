// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct LinkFailure;
struct WaitEnd;

// Exit codes of whirlbeamctl, for scripts to branch on.
namespace ExitCode {
constexpr int Ok = 0;
constexpr int Failed = 1; // the clock answered, but not as asked
constexpr int Usage = 2; // the command line is wrong
constexpr int NoDevice = 3; // no such port, no clock on USB, or it went away
constexpr int PermissionDenied = 4;
constexpr int NoAnswer = 5; // the clock did not answer within the timeout
constexpr int BadFile = 6; // a file cannot be read or written, or is damaged
constexpr int Busy = 7; // another program holds the port
constexpr int NotSynchronised = 8; // this computer's own clock is not synchronised (--require-synced)
constexpr int Interrupted = 128; // plus the signal's number
} // namespace ExitCode

// How a step ended: an exit code and, for a failure, one sentence saying
// what went wrong.
struct Outcome {
    int exitCode = ExitCode::Ok;
    QString message;

    bool Ok() const { return exitCode == ExitCode::Ok; }
    static Outcome Fail(int code, const QString& message) { return {code, message}; }
};

// The exit code of a link that would not open or failed: a refusal of
// access 4, a port another program holds 7, no device or one that went away
// 3, anything else 1.
int ExitCodeFor(const LinkFailure& failure);

// How a wait of the session ends for the tool: every answer came (Ok), the
// clock stayed silent (NoAnswer), something else answered (Failed), the link
// failed, or a signal came.
Outcome OutcomeOf(const WaitEnd& end);
