// The File menu of the main window: the alarm file and the two exports.

#include "app/PelkMain.h"

#include "app/pages/AlarmTable.h"
#include "app/pages/Rc5Page.h"
#include "app/ScreenCursor.h"
#include "files/AlarmFile.h"
#include "files/Dcf77Statistics.h"
#include "files/TextFile.h"

#include <QFileInfo>

namespace {

const FileDialogSpec kSaveAlarms = {QStringLiteral("Save alarms"),
                                    QStringLiteral("Whirlbeam clock alarms *.alm|*.alm|All Files *.*|*.*"),
                                    QStringLiteral("alm")};
const FileDialogSpec kOpenAlarms = {QStringLiteral("Open alarms"), kSaveAlarms.filter,
                                    kSaveAlarms.defaultExtension};
const FileDialogSpec kSaveStatistics = {
    QStringLiteral("Save DCF77 history"),
    QStringLiteral("Whirlbeam clock DCF77 history *.txt|*.txt|All Files *.*|*.*"), QStringLiteral("txt")};
const FileDialogSpec kSaveIrHistory = {
    QStringLiteral("Save IR command history"),
    QStringLiteral("Whirlbeam clock IR history *.his|*.his|All Files *.*|*.*"), QStringLiteral("his")};

const QString kSaveError = QStringLiteral("File save error ");
const QString kReadError = QStringLiteral("File read error ");

} // namespace

// One line per alarm the clock has, in the form its Send button sends; never
// more rows than the table holds, whatever the clock claims.
void TForm1::SaveAlarmsClick()
{
    const QString file = dialogs_->SaveFileName(this, kSaveAlarms);
    if (file.isEmpty())
        return;
    QList<QByteArray> lines;
    for (int row = 0; row < qMin(AlarmCount, int(AlarmTable::kRows)); ++row)
        lines << alarms_->RowCommand(row);
    int error = 0;
    if (!SaveLines(file, lines, &error))
        ShowFileError(kSaveError, file, error);
}

// Queues the file's alarms for the clock; the rows change only when the
// clock answers them.
void TForm1::LoadAlarmsClick()
{
    const QString file = dialogs_->OpenFileName(this, kOpenAlarms);
    if (file.isEmpty())
        return;
    ScreenCursor::SetHourglass();
    int error = 0;
    const auto lines = ReadLines(file, &error);
    if (!lines) {
        ShowFileError(kReadError, file, error);
        return;
    }
    const AlarmFileLoad load = AlarmCommandsToQueue(*lines, AlarmCount);
    for (const QByteArray& command : load.commands)
        QueueCommand(command);
    if (load.rowFieldError)
        dialogs_->ShowMessage(this, kReadError + QFileInfo(file).absoluteFilePath());
}

// The hourly figures as last read from the clock; zeros until then.
void TForm1::SaveDCF77statistics1Click()
{
    const QString file = dialogs_->SaveFileName(this, kSaveStatistics);
    if (file.isEmpty())
        return;
    int error = 0;
    if (!SaveLines(file, Dcf77StatisticsLines(DcfHourStats), &error))
        ShowFileError(kSaveError, file, error);
}

// The received packets, oldest first, exactly as the page lists them.
void TForm1::SaveIRcommandhistoryClick()
{
    const QString file = dialogs_->SaveFileName(this, kSaveIrHistory);
    if (file.isEmpty())
        return;
    int error = 0;
    if (!SaveLines(file, rc5_->HistoryLines(), &error))
        ShowFileError(kSaveError, file, error);
}
