// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDialog;
class QWidget;

// What a file dialog asks: its title, its filter in the form
// "Description *.ext|*.ext|All Files *.*|*.*", and the extension added to a
// name typed without one.
struct FileDialogSpec {
    QString title;
    QString filter;
    QString defaultExtension;
};

// The one way the window opens modal dialogs. Tests replace it so that no
// test ever waits on a modal window.
class DialogSeam {
public:
    virtual ~DialogSeam() = default;

    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // Empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    virtual QString SaveFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    // Runs a dialog of the window's own modally; its result
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int RunModal(QDialog& dialog) = 0;
};

// The desktop's own message boxes and file dialogs, and a real modal loop.
class QtDialogs : public DialogSeam {
public:
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const FileDialogSpec& spec) override;
    QString SaveFileName(QWidget* parent, const FileDialogSpec& spec) override;
    int RunModal(QDialog& dialog) override;
};

// "Description *.ext|*.ext|All Files *.*|*.*" as Qt's filter list
// "Description *.ext (*.ext);;All Files *.* (*.*)".
QString QtFilterOf(const QString& filter);
