// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkLog.h"

#include "files/TextFile.h"
#include "link/SystemErrorText.h"
#include "protocol/LineText.h"
#include <QCoreApplication>

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The context of this file's texts for translation.
struct LinkLogTexts {
    Q_DECLARE_TR_FUNCTIONS(LinkLogTexts)
};

QString Reason(int error, const QString& file) { return ExplainSystemError(error, file, ErrorSite::File); }

} // namespace

LinkLog::LinkLog(Clock clock)
    : clock_(std::move(clock))
{
}

LinkLog::~LinkLog() { Close(); }

bool LinkLog::Open(const QString& file, QString* error)
{
    Close();
    file_ = QFileInfo(file).absoluteFilePath();
    fd_ = ::open(QFile::encodeName(file_).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        *error = LinkLogTexts::tr("cannot write the log %1: %2").arg(file_, Reason(errno, file_));
        return false;
    }
    return true;
}

void LinkLog::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

QByteArray LinkLog::Entry(const QDateTime& at, char direction, const QByteArray& line)
{
    QByteArray entry = at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toLatin1();
    entry += ' ';
    entry += direction;
    entry += ' ';
    entry += EscapedLine(line);
    entry += '\n';
    return entry;
}

// One write per entry, unbuffered: the log must hold the last line before a
// crash or a hung clock, which is when it is read.
void LinkLog::Write(char direction, const QByteArray& line)
{
    if (fd_ < 0)
        return;
    if (WriteAll(fd_, Entry(clock_(), direction, line)))
        return;
    const int error = errno;
    Close();
    if (onFailure_)
        onFailure_(LinkLogTexts::tr("writing the log %1 failed: %2; the log ends here")
                       .arg(file_, Reason(error, file_)));
}
