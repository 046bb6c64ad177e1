// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/replies/PeripheralReplies.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Measurements as comma-separated values (RFC 4180: CRLF line ends), one
// row per measurement reply: the time in ISO 8601 UTC to the second, then
// the values as the clock gave them; a value not read is an empty field.
QByteArray CsvHeader();
QByteArray CsvRow(const QDateTime& at, const MeasurementRecord& measurement);

// A CSV file rows are appended to, each written and flushed at once, so
// that a crash loses at most the row being written; a file that is new or
// empty gets the header first.
class SensorCsvFile {
public:
    SensorCsvFile() = default;
    ~SensorCsvFile();
    SensorCsvFile(const SensorCsvFile&) = delete;
    SensorCsvFile& operator=(const SensorCsvFile&) = delete;

    // False, with one line saying why, when the file cannot be written.
    bool Open(const QString& file, QString* error);
    bool Append(const QDateTime& at, const MeasurementRecord& measurement, QString* error);

private:
    bool Write(const QByteArray& bytes, QString* error);

    QString file_;
    int fd_ = -1;
};
