// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class DialogSeam;
class QWidget;
class TCustomComPort;
struct FileProblem;

// The window's error boxes. Every Qt entry point of the window runs its
// handler through Guarded, since no exception may reach the event loop:
// what one throws becomes a box. Only one box is up at a time.
class ErrorBoxes {
public:
    ErrorBoxes(QWidget& window, DialogSeam& dialogs, const TCustomComPort& port);

    void Guarded(const std::function<void()>& handler);
    void ShowException(const QString& message);
    // "File save error " or "File read error " (what), the file's full name
    // and, on a line of its own, what was wrong: the system's reason or the
    // line that is not what the file holds, then "; " and outcome where
    // there is one (what a stopped load has done all the same).
    void ShowFileError(const QString& what, const QString& file, const FileProblem& problem,
        const QString& outcome = QString());

private:
    QWidget& window_;
    DialogSeam& dialogs_;
    const TCustomComPort& port_;
    bool open_ = false;
};
