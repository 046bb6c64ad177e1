// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/TextFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(int* error, int value)
{
    if (error)
        *error = value;
    return false;
}

// A link is saved through, as an editor would: the link stays a link.
QString FinalTarget(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

// A name of our own beside the target, created exclusively; permissions as
// a new file gets them (the umask applies), or as the replaced file had them.
int CreateBeside(const QString& target, QByteArray* tempPath)
{
    const QFileInfo info(target);
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.part")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        *tempPath = QFile::encodeName(info.dir().filePath(name));
        const int fd = ::open(tempPath->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replacing && S_ISREG(old.st_mode))
                ::fchmod(fd, old.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// Until the descriptor has data or its end, or the deadline has passed
// (false, with errno set). A regular file is ready at once.
bool AwaitData(int fd, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        const int n = ::poll(&ready, 1, int(qMin<qint64>(left, std::numeric_limits<int>::max())));
        if (n > 0)
            return true;
        if (n == 0) {
            errno = kFileWithoutEnd;
            return false;
        }
        if (errno != EINTR)
            return false;
    }
}

// The whole file, at most kLoadLimit bytes of it; a null array on failure
// (an empty file gives an empty, not a null, array).
QByteArray ReadAll(const QByteArray& path, std::chrono::milliseconds wait, int* error)
{
    // Not blocking: a FIFO without a writer would hold the open, and a
    // terminal every read; poll() waits instead, for a limited time. A
    // terminal must not become the program's own.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Fail(error, errno);
        return {};
    }
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        Fail(error, errno);
        return {};
    }
    if (S_ISREG(info.st_mode) && info.st_size > kLoadLimit) {
        Fail(error, kFileTooLarge);
        return {};
    }
    // One byte more than a file may hold tells that it holds more. The
    // buffer is left uninitialised, so only the pages read into take memory.
    QByteArray content(kLoadLimit + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    const QDeadlineTimer deadline(wait);
    for (;;) {
        if (!AwaitData(fd, deadline)) {
            Fail(error, errno);
            return {};
        }
        const ssize_t n = ::read(fd, content.data() + filled, size_t(content.size() - filled));
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0) {
            Fail(error, errno);
            return {};
        }
        if (n == 0)
            break;
        filled += n;
        if (filled > kLoadLimit) {
            Fail(error, kFileTooLarge);
            return {};
        }
    }
    content.truncate(filled);
    content.squeeze();
    return content;
}

} // namespace

bool WriteAll(int fd, const QByteArray& content)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

bool SaveBytes(const QString& path, const QByteArray& content, int* error)
{
    const QString target = FinalTarget(path);
    QByteArray tempPath;
    const int fd = CreateBeside(target, &tempPath);
    if (fd < 0)
        return Fail(error, errno);
    // A full disk shows only when the data reach it: at the write, at the
    // flush to the disk, or at the close.
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    int failure = written ? 0 : errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(tempPath.constData(), QFile::encodeName(target).constData()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(tempPath.constData());
        return Fail(error, failure);
    }
    return true;
}

bool SaveLines(const QString& path, const QList<QByteArray>& lines, int* error)
{
    QByteArray content;
    for (const QByteArray& line : lines)
        content += line + "\r\n";
    return SaveBytes(path, content, error);
}

std::optional<QByteArray> ReadBytes(const QString& path, int* error, std::chrono::milliseconds wait)
{
    QByteArray content = ReadAll(QFile::encodeName(path), wait, error);
    if (content.isNull())
        return std::nullopt;
    return content;
}

QList<QByteArray> SplitLines(const QByteArray& content)
{
    QList<QByteArray> lines = content.split('\n');
    if (content.isEmpty() || content.endsWith('\n'))
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

std::optional<QList<QByteArray>> ReadLines(const QString& path, int* error)
{
    const std::optional<QByteArray> content = ReadBytes(path, error);
    if (!content)
        return std::nullopt;
    return SplitLines(*content);
}
