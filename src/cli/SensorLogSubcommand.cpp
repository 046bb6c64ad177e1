// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SensorLogSubcommand.h"

#include "files/SensorCsv.h"
#include "link/ClockSession.h"
#include "protocol/replies/ReplyKind.h"

namespace {

const QByteArray kMeasurementQuery = "|";

} // namespace

// The file is opened before the clock, so that a file that cannot be
// written is refused at once. Every measurement reply makes a row, whoever
// asked for it: a clock that comes back answers the batch it is sent then.
Outcome SensorLog(CliContext& context, const QStringList&)
{
    const SensorLogOptions& options = context.options.sensorLog;
    SensorCsvFile csv;
    QString failure;
    if (!csv.Open(options.csvFile, &failure))
        return Outcome::Fail(ExitCode::BadFile, failure);
    Outcome outcome;
    ClockSession* session = context.connect(&outcome);
    if (!session)
        return outcome;
    bool writeFailed = false;
    QObject::connect(session, &ClockSession::LineReceived, session, [&](const QByteArray& line) {
        if (writeFailed || KindOf(line) != ReplyKind::MeasurementReply)
            return;
        if (csv.Append(QDateTime::currentDateTimeUtc(), DecodeMeasurement(line), &failure))
            return;
        writeFailed = true;
        // Ends the waits for good, as a signal would; the failure is told instead.
        session->Interrupt(0);
    });
    // Each wait of the session is one interval; the file lives across them.
    WaitEnd end;
    do {
        session->Queue(kMeasurementQuery);
        end = session->Linger(options.intervalSeconds * 1000);
    } while (end.Done());
    QObject::disconnect(session, &ClockSession::LineReceived, session, nullptr);
    return writeFailed ? Outcome::Fail(ExitCode::BadFile, failure) : OutcomeOf(end);
}
