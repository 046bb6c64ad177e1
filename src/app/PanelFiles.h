// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <array>
#include <functional>

class AlarmTable;
class DialogSeam;
class ErrorBoxes;
class MeasurementPage;
class ModePage;
class PwmPage;
class QWidget;
class Rc5Page;
struct FileDialogSpec;

// The File menu's work: the alarm file, the parameter file and the
// exports (the sensor history's from its page's button), each asking for its file in the window's dialogs. A load only
// queues the file's commands; the controls follow when the clock answers.
// Its texts are the window's and translate under TForm1.
class PanelFiles {
    Q_DECLARE_TR_FUNCTIONS(TForm1)

public:
    // What the files are made of and sent through, all the window's.
    struct Parts {
        QWidget& window;
        DialogSeam& dialogs;
        ErrorBoxes& errors;
        std::function<void(const QByteArray&)> queueCommand;
        AlarmTable& alarms;
        ModePage& mode;
        PwmPage& pwm;
        Rc5Page& rc5;
        MeasurementPage& measurement;
        const int& alarmCount; // as the clock last said
        const std::array<int, 24>& dcfHourStats;
    };

    explicit PanelFiles(Parts parts)
        : parts_(std::move(parts))
    {
    }

    void SaveAlarms();
    void LoadAlarms();
    void SaveDcf77Statistics();
    void SaveIrHistory();
    void SaveParameters();
    // The Measurements page's samples of this session as CSV.
    void SaveSensorHistory();
    void LoadParameters();

private:
    // Asks for a file name and saves the lines there; a failure is shown.
    void SaveLinesAs(const FileDialogSpec& spec, const std::function<QList<QByteArray>()>& lines);

    Parts parts_;
};
