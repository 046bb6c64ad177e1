// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace {

// Both dialogs start in the current directory, and choosing a file makes its
// folder the current one, where the next dialog starts and against which the
// settings file resolves.
QString RunFileDialog(QWidget* parent, const FileDialogSpec& spec, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, spec.title, QDir::currentPath(), QtFilterOf(spec.filter));
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(spec.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString file = dialog.selectedFiles().constFirst();
    QDir::setCurrent(QFileInfo(file).absolutePath());
    return file;
}

} // namespace

QString QtFilterOf(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return entries.join(QStringLiteral(";;"));
}

void QtDialogs::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}

void QtDialogs::ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

QString QtDialogs::OpenFileName(QWidget* parent, const FileDialogSpec& spec)
{
    return RunFileDialog(parent, spec, QFileDialog::AcceptOpen);
}

QString QtDialogs::SaveFileName(QWidget* parent, const FileDialogSpec& spec)
{
    return RunFileDialog(parent, spec, QFileDialog::AcceptSave);
}

int QtDialogs::RunModal(QDialog& dialog) { return dialog.exec(); }
