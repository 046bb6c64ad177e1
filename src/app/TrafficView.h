// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/TrafficModel.h"

#include <QDockWidget>
#include <functional>

class ClockConnection;
class DialogSeam;
class QCheckBox;
class QLabel;
class QAction;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QTableView;
struct FileProblem;

// The dock that shows what the panel and the clock say to each other: the
// traffic model behind its filter, with pause, copy, clear, save and a line
// box that queues one raw command line. It records only while open.
class TrafficView : public QDockWidget {
    Q_OBJECT
public:
    struct Parts {
        ClockConnection& connection;
        DialogSeam& dialogs;
        std::function<void(const QByteArray&)> queueCommand;
        std::function<void(const QString& what, const QString& file, const FileProblem& problem)> fileError;
    };

    TrafficView(const Parts& parts, QWidget* parent);

    // Docked in the window where the settings file says, opened if it says
    // so, toggled by the action; where the user moves or closes it is
    // stored there again.
    void Dock(QMainWindow& window, QAction& toggle, const QString& settingsFile);
    // Poll traffic shown and every pending line in the list, for a picture.
    void ShowEverything();

    // Shown and recording, or closed and costing nothing.
    void SetOpen(bool open);
    bool IsOpen() const { return model_.Attached(); }
    TrafficModel& Model() { return model_; }

signals:
    // The user closed the dock with its own button.
    void ClosedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildTools();
    QWidget* BuildCommandRow();
    void BuildTable();
    void NameControls();
    void Bind();
    void ShowPaused();
    void ShowLinkState();
    QList<int> ShownRows(bool selectedOnly) const;
    void CopyRows();
    void SaveRows();
    void SendLine();
    void NoteScrollPosition();
    void FollowNewest();
    void StoreSetting();

    Parts parts_;
    TrafficModel model_;
    TrafficFilter filter_;
    QTableView* lines_;
    QCheckBox* pollFilter_;
    QLineEdit* search_;
    QPushButton* pause_;
    QPushButton* copy_;
    QPushButton* clear_;
    QPushButton* save_;
    QLabel* paused_;
    QLineEdit* command_;
    QPushButton* send_;
    QLabel* refusal_;
    bool atNewest_ = true;
    QMainWindow* window_ = nullptr;
    QString settingsFile_;
};
