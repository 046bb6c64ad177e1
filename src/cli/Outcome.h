#pragma once

#include <QString>

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
