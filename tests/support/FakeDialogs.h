// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Dialogs.h"

#include <QDialog>
#include <QStringList>
#include <functional>

// Records what the window would have shown. While an error "box" is open,
// whileOpen runs, standing for the events a modal loop would deliver. A
// modal dialog is handed to onModal, which acts as its user (picks, clicks
// OK or Cancel); left alone, it counts as closed without OK.
class FakeDialogs : public DialogSeam {
public:
    void ShowError(QWidget*, const QString& text) override
    {
        errors << text;
        if (whileOpen)
            whileOpen();
    }
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    QString OpenFileName(QWidget*, const FileDialogSpec& spec) override
    {
        specs << spec.title;
        return openFile;
    }
    QString SaveFileName(QWidget*, const FileDialogSpec& spec) override
    {
        specs << spec.title;
        lastSpec = spec;
        return saveFile;
    }

    int RunModal(QDialog& dialog) override
    {
        modals << dialog.windowTitle();
        if (onModal)
            onModal(dialog);
        return dialog.result();
    }

    QStringList errors;
    QStringList messages;
    QStringList specs;
    FileDialogSpec lastSpec;
    QString openFile;
    QString saveFile;
    std::function<void()> whileOpen;
    QStringList modals;
    std::function<void(QDialog&)> onModal;
};
