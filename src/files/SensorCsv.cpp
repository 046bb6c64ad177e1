// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/SensorCsv.h"

#include "files/TextFile.h"
#include "link/SystemErrorText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SensorCsvTexts {
    Q_DECLARE_TR_FUNCTIONS(SensorCsvTexts)
};

QByteArray Field(const std::optional<int>& value) { return value ? QByteArray::number(*value) : QByteArray(); }

} // namespace

QByteArray CsvHeader() { return "time,temperature_c,humidity_pct,pressure_hpa,light\r\n"; }

// No field holds a comma, a quote or a line break, so none is quoted.
QByteArray CsvRow(const QDateTime& at, const MeasurementRecord& measurement)
{
    return at.toUTC().toString(Qt::ISODate).toLatin1() + ',' + Field(measurement.temperature) + ','
        + Field(measurement.humidity) + ',' + Field(measurement.airPressure) + ',' + Field(measurement.light)
        + "\r\n";
}

SensorCsvFile::~SensorCsvFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool SensorCsvFile::Open(const QString& file, QString* error)
{
    file_ = QFileInfo(file).absoluteFilePath();
    fd_ = ::open(QFile::encodeName(file_).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    struct stat status {};
    if (fd_ < 0 || ::fstat(fd_, &status) != 0) {
        const int code = errno;
        *error = SensorCsvTexts::tr("cannot write %1: %2")
                     .arg(file_, ExplainSystemError(code, file_, ErrorSite::File));
        return false;
    }
    return status.st_size > 0 || Write(CsvHeader(), error);
}

bool SensorCsvFile::Append(const QDateTime& at, const MeasurementRecord& measurement, QString* error)
{
    return Write(CsvRow(at, measurement), error);
}

// One write per row with O_APPEND and no buffer of ours: the row is in the
// file when the call returns, and never interleaved with another writer's.
bool SensorCsvFile::Write(const QByteArray& bytes, QString* error)
{
    if (WriteAll(fd_, bytes))
        return true;
    const int code = errno;
    *error = SensorCsvTexts::tr("writing %1 failed: %2")
                 .arg(file_, ExplainSystemError(code, file_, ErrorSite::File));
    return false;
}
