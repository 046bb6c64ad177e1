#include "files/TextFile.h"

#include <QFile>
#include <QSaveFile>

bool SaveLines(const QString& path, const QList<QByteArray>& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray& line : lines) {
        if (file.write(line + "\r\n") != line.size() + 2) {
            file.cancelWriting();
            break;
        }
    }
    return file.commit();
}

std::optional<QList<QByteArray>> ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QList<QByteArray> lines = content.split('\n');
    if (content.isEmpty() || content.endsWith('\n'))
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}
