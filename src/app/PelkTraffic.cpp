// SPDX-License-Identifier: GPL-3.0-or-later
// The window's traffic view: made, placed and opened as the settings file
// says, toggled by View > Traffic, its state stored when the user changes it.

#include "app/PanelSettings.h"
#include "app/PelkMain.h"
#include "app/TrafficView.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>

void TForm1::BuildTrafficView()
{
    traffic_ = new TrafficView({*connection_, *dialogs_, [this](const QByteArray& line) { QueueCommand(line); },
                                   [this](const QString& what, const QString& file, const FileProblem& problem) {
                                       ShowFileError(what, file, problem);
                                   }},
        this);
    const TrafficViewSetting setting = ReadTrafficViewSetting(QString::fromLatin1(kSettingsFile));
    addDockWidget(setting.area, traffic_);
    traffic_->SetOpen(setting.open);
    TrafficAction->setChecked(setting.open);
    connect(TrafficAction, &QAction::toggled, traffic_, &TrafficView::SetOpen);
    connect(TrafficAction, &QAction::triggered, this, &TForm1::StoreTrafficView);
    connect(traffic_, &TrafficView::ClosedByUser, this, [this] {
        TrafficAction->setChecked(false);
        StoreTrafficView();
    });
    connect(traffic_, &QDockWidget::dockLocationChanged, this, &TForm1::StoreTrafficView);
}

// Kept quietly, as the window's placement is: a view that opens elsewhere
// next time is no loss to warn about.
void TForm1::StoreTrafficView()
{
    StoreTrafficViewSetting(
        QString::fromLatin1(kSettingsFile), {traffic_->IsOpen(), dockWidgetArea(traffic_)});
}

// What the view shows after the clock has been read is mostly the poll
// cycle, so the picture shows it too.
void TForm1::OpenTrafficView() { TrafficAction->setChecked(true); }

bool TForm1::SaveTrafficScreenshot(const QString& dir, QString* error)
{
    OpenTrafficView();
    if (auto* poll = traffic_->findChild<QCheckBox*>(QStringLiteral("TrafficPollFilter")))
        poll->setChecked(true);
    traffic_->Model().Flush();
    const QString file = QDir(dir).filePath(QStringLiteral("traffic.png"));
    if (!grab().save(file)) {
        *error = QStringLiteral("Cannot write %1").arg(file);
        return false;
    }
    return true;
}
