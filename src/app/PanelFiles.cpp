// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu of the main window: the alarm file, the parameter file and
// the two exports.

#include "app/PanelFiles.h"

#include "app/Dialogs.h"
#include "app/ErrorBoxes.h"
#include "app/pages/AlarmTable.h"
#include "app/pages/MeasurementPage.h"
#include "app/pages/ModePage.h"
#include "app/pages/PwmPage.h"
#include "app/pages/Rc5Page.h"
#include "app/ScreenCursor.h"
#include "clock/SensorHistory.h"
#include "files/AlarmFile.h"
#include "files/Dcf77Statistics.h"
#include "files/FileProblem.h"
#include "files/ParameterFile.h"
#include "files/TextFile.h"
#include "protocol/commands/AlarmCommand.h"
#include "widgets/Spin.h"

#include <QFileInfo>

namespace {

// The dialogs' titles and filters, in the language chosen at start-up.
FileDialogSpec AlarmFiles(const QString& title)
{
    return {title, PanelFiles::tr("Whirlbeam clock alarms *.alm|*.alm|All Files *.*|*.*"), QStringLiteral("alm")};
}

FileDialogSpec ParameterFiles(const QString& title)
{
    return {title, PanelFiles::tr("Whirlbeam clock parameters *.par|*.par|All Files *.*|*.*"), QStringLiteral("par")};
}

QString SaveError() { return PanelFiles::tr("File save error "); }
QString ReadError() { return PanelFiles::tr("File read error "); }

// What an alarm load that a line stopped has queued all the same. English
// has no translation file, so each English source must read right for every
// count it stands for; %n gives other languages their plural forms.
QString AlarmsSentBefore(qsizetype sent, int line)
{
    if (sent == 0)
        return PanelFiles::tr("no alarm was sent to the clock");
    if (sent == 1)
        return PanelFiles::tr("1 alarm before line %1 was sent to the clock").arg(line);
    return PanelFiles::tr("%n alarms before line %1 were sent to the clock", nullptr, int(sent)).arg(line);
}

} // namespace

// One line per alarm the clock has, in the form its Send button sends; never
// more rows than the table holds, whatever the clock claims.
void PanelFiles::SaveAlarms()
{
    SaveLinesAs(AlarmFiles(tr("Save alarms")), [this] {
        QList<AlarmSettings> rows;
        for (int row = 0; row < AlarmTable::kRows; ++row)
            rows << parts_.alarms.RowSettings(row);
        return AlarmFileLines(rows, parts_.alarmCount);
    });
}

// Queues the file's alarms for the clock; the rows change only when the
// clock answers them. A line that stops the load leaves the alarms before
// it queued, and the box says how many went.
void PanelFiles::LoadAlarms()
{
    const QString file = parts_.dialogs.OpenFileName(&parts_.window, AlarmFiles(tr("Open alarms")));
    if (file.isEmpty())
        return;
    ScreenCursor::SetHourglass();
    int error = 0;
    const auto lines = ReadLines(file, &error);
    if (!lines) {
        parts_.errors.ShowFileError(ReadError(), file, FileProblem::Load(error, kNotAnAlarmFile));
        return;
    }
    const AlarmFileLoad load = AlarmCommandsToQueue(*lines, parts_.alarmCount);
    for (const QByteArray& command : load.commands)
        parts_.queueCommand(command);
    if (const int stopped = load.stoppedAtLine)
        parts_.errors.ShowFileError(ReadError(), file,
            FileProblem::Line(stopped, (*lines)[stopped - 1], kNotAnAlarmLine),
            AlarmsSentBefore(load.commands.size(), stopped));
}

// The hourly figures as last read from the clock; zeros until then.
void PanelFiles::SaveDcf77Statistics()
{
    SaveLinesAs({tr("Save DCF77 history"), tr("Whirlbeam clock DCF77 history *.txt|*.txt|All Files *.*|*.*"),
                    QStringLiteral("txt")},
        [this] { return Dcf77StatisticsLines(parts_.dcfHourStats); });
}

// The received packets, oldest first, exactly as the page lists them.
void PanelFiles::SaveIrHistory()
{
    SaveLinesAs({tr("Save IR command history"), tr("Whirlbeam clock IR history *.his|*.his|All Files *.*|*.*"),
                    QStringLiteral("his")},
        [this] { return parts_.rc5.HistoryLines(); });
}

// CR LF line ends, as RFC 4180 has them, from the same safe save as the
// other exports.
void PanelFiles::SaveSensorHistory()
{
    SaveLinesAs({tr("Export sensor history"), tr("Comma-separated values *.csv|*.csv|All Files *.*|*.*"),
                    QStringLiteral("csv")},
        [this] { return SensorCsvLines(parts_.measurement.History().Samples()); });
}

// Each value as its control shows it at this moment; the pulse widths are
// the clock's last report, not the new values entered beside them.
void PanelFiles::SaveParameters()
{
    SaveLinesAs(ParameterFiles(tr("Save parameters")), [this] {
        ClockParameters parameters;
        parts_.mode.ReadParameters(parameters);
        parts_.measurement.ReadParameters(parameters);
        parts_.pwm.ReadParameters(parameters);
        return ParameterFileLines(parameters);
    });
}

// Plays a parameter file back into the clock; the controls follow only
// when the clock reports the new values.
void PanelFiles::LoadParameters()
{
    const QString file = parts_.dialogs.OpenFileName(&parts_.window, ParameterFiles(tr("Open parameters")));
    if (file.isEmpty())
        return;
    int error = 0;
    const auto lines = ReadLines(file, &error);
    if (!lines) {
        parts_.errors.ShowFileError(ReadError(), file, FileProblem::Load(error, kNotAParameterFile));
        return;
    }
    for (const QByteArray& command : ParameterFileCommands(*lines))
        parts_.queueCommand(command);
}

void PanelFiles::SaveLinesAs(const FileDialogSpec& spec, const std::function<QList<QByteArray>()>& lines)
{
    const QString file = parts_.dialogs.SaveFileName(&parts_.window, spec);
    if (file.isEmpty())
        return;
    int error = 0;
    if (!SaveLines(file, lines(), &error))
        parts_.errors.ShowFileError(SaveError(), file, FileProblem::System(error));
}
