// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TinyDisk.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace {
constexpr const char* kSize = "size=64k";
}

TinyDisk::TinyDisk()
{
    if (::geteuid() != 0) {
        why_ = QStringLiteral("mounting a small tmpfs needs root");
        return;
    }
    const QByteArray where = QFile::encodeName(dir_.path());
    mounted_ = ::mount("tinydisk", where.constData(), "tmpfs", 0, kSize) == 0;
    if (!mounted_)
        why_ = QStringLiteral("cannot mount a tmpfs here: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
}

TinyDisk::~TinyDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool TinyDisk::Put(const QString& name, const QByteArray& content) const
{
    QFile file(Path(name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
}

void TinyDisk::Fill() const
{
    const QByteArray block(4096, 'x');
    QFile file(Path(QStringLiteral("filler")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    while (file.write(block) > 0) {
    }
}

bool TinyDisk::MakeReadOnly()
{
    return ::mount("tinydisk", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                   MS_REMOUNT | MS_RDONLY, kSize) == 0;
}
