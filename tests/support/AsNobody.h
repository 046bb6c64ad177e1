// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <functional>

// A pseudo terminal whose slave only root may open (mode 0600), for opening
// it as somebody else. Needs root; Ok() tells whether it was made.
class OwnerOnlyPty {
public:
    OwnerOnlyPty();
    ~OwnerOnlyPty();
    OwnerOnlyPty(const OwnerOnlyPty&) = delete;
    OwnerOnlyPty& operator=(const OwnerOnlyPty&) = delete;

    bool Ok() const { return ok_; }
    QByteArray SlavePath() const { return slave_; }

private:
    int master_ = -1;
    QByteArray slave_;
    bool ok_ = false;
};

// What a child run as the unprivileged user nobody wrote to its pipe, and
// how it ended (as waitpid gives it).
struct NobodysRun {
    int status = 0;
    QByteArray output;
};

// Forks, drops to nobody, and runs work with the pipe's writing end; work
// ends the child itself (_exit or exec), or the child exits 0 after it.
// The child works in "/": nobody may not enter a checkout in /root or in a
// home folder of mode 0700.
NobodysRun RunAsNobody(const std::function<void(int out)>& work);

// Runs the program as nobody, its standard error into the pipe. The program
// is opened before the drop, so it runs wherever the build lies.
NobodysRun ExecAsNobody(const char* program, const QList<QByteArray>& arguments);
