// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
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

// The whole file; a null array on failure (an empty file gives an empty,
// not a null, array).
QByteArray ReadAll(const QByteArray& path, int* error)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Fail(error, errno);
        return {};
    }
    QByteArray content("");
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            Fail(error, errno);
            ::close(fd);
            return {};
        }
        if (n == 0)
            break;
        content.append(chunk, n);
    }
    ::close(fd);
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

std::optional<QByteArray> ReadBytes(const QString& path, int* error)
{
    QByteArray content = ReadAll(QFile::encodeName(path), error);
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
