// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's mosquitto broker for one test: on a free port of 127.0.0.1 with
// a config of its own in a temporary folder, nothing kept on disk; stopped
// when it goes out of scope.
class MosquittoBroker {
public:
    MosquittoBroker();
    ~MosquittoBroker();

    bool Start();
    // Terminated, and waited for.
    bool Stop();
    int Port() const { return port_; }
    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    // A scratch folder beside the broker's config, for the test's files.
    QString FilePath(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    QProcess process_;
    int port_ = 0;
};
