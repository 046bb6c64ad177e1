// SPDX-License-Identifier: GPL-3.0-or-later
// The window's traffic view, docked as the settings file says and toggled
// by View > Traffic.

#include "app/PelkMain.h"
#include "app/TrafficView.h"

#include <QAction>
#include <QDir>

void TForm1::BuildTrafficView()
{
    traffic_ = new TrafficView({*connection_, *dialogs_, [this](const QByteArray& line) { QueueCommand(line); },
                                   [this](const QString& what, const QString& file, const FileProblem& problem) {
                                       ShowFileError(what, file, problem);
                                   }},
        this);
    traffic_->Dock(*this, *TrafficAction, QString::fromLatin1(kSettingsFile));
}

void TForm1::OpenTrafficView() { TrafficAction->setChecked(true); }

// What the view shows after the clock has been read is mostly the poll
// cycle, so the picture shows it too.
bool TForm1::SaveTrafficScreenshot(const QString& dir, QString* error)
{
    OpenTrafficView();
    traffic_->ShowEverything();
    const QString file = QDir(dir).filePath(QStringLiteral("traffic.png"));
    if (!grab().save(file)) {
        *error = QStringLiteral("Cannot write %1").arg(file);
        return false;
    }
    return true;
}
