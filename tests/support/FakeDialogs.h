#pragma once

#include "app/Dialogs.h"

#include <QStringList>
#include <functional>

// Records what the window would have shown. While an error "box" is open,
// whileOpen runs, standing for the events a modal loop would deliver.
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

    QStringList errors;
    QStringList messages;
    QStringList specs;
    FileDialogSpec lastSpec;
    QString openFile;
    QString saveFile;
    std::function<void()> whileOpen;
};
