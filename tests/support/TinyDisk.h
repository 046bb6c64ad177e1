// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A small tmpfs of its own, for saving onto a disk that is full or
// read-only. Mounting needs root (as CI runs); Mounted() says whether it
// worked and Why() why not.
class TinyDisk {
public:
    TinyDisk();
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool Mounted() const { return mounted_; }
    QString Why() const { return why_; }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes content to name; false if it does not fit.
    bool Put(const QString& name, const QByteArray& content) const;
    // Takes up every free block.
    void Fill() const;
    bool MakeReadOnly();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString why_;
};
