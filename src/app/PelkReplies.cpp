// SPDX-License-Identifier: GPL-3.0-or-later
// Reply handling of the main window: every reply line goes to the clock
// model, which tells the pages and the frame what changed. The frame shows
// the kinds that reach beyond one page.

#include "app/PelkMain.h"

#include "app/PelkTexts.h"
#include "app/ScreenCursor.h"
#include "app/pages/ClockPage.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/ShownValues.h"
#include "app/pages/WhirlbeamPage.h"
#include "clock/ConnectionSequence.h"
#include "widgets/LED.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <QTimer>

// The pages first, so that the frame's top row copies what they show.
void TForm1::ObserveClock()
{
    QSet<ClockPage*> observing; // one page may have two tabs
    for (const Page& page : pages_)
        if (!observing.contains(page.object)) {
            observing.insert(page.object);
            page.object->Observe(model_);
        }
    new ConnectionSequence(model_, CommandMemo, this);
    connect(&model_, &ClockModel::IdentificationChanged, this, &TForm1::ShowIdentification);
    connect(&model_, &ClockModel::VersionChanged, this, &TForm1::ShowVersion);
    connect(&model_, &ClockModel::ConfigChanged, this, &TForm1::ShowConfig);
    connect(&model_, &ClockModel::ReadEnded, this, &TForm1::ShowReadEnded);
    connect(&model_, &ClockModel::DateChanged, this, [this] { ShowDate(DateTimePicker3, dateTime_->ShownClockDate()); });
    connect(&model_, &ClockModel::TimeChanged, this, [this] { ShowTime(DateTimePicker2, dateTime_->ShownClockTime()); });
    connect(&model_, &ClockModel::StatusChanged, this, &TForm1::ShowWhirlbeamStatus);
    connect(&model_, &ClockModel::RelayChanged, this, &TForm1::ShowRelay);
}

void TForm1::DispatchReply(const QByteArray& line)
{
    emit ReplyTaken(line);
    model_.Take(line);
}

void TForm1::IdentificationReply(const QByteArray& line) { model_.TakeAs(ReplyKind::IdentificationReply, line); }
void TForm1::VersionReply(const QByteArray& line) { model_.TakeAs(ReplyKind::VersionReply, line); }
void TForm1::ConfigReply(const QByteArray& line) { model_.TakeAs(ReplyKind::ConfigReply, line); }
void TForm1::EndOfReadReply(const QByteArray& line) { model_.TakeAs(ReplyKind::EndOfReadReply, line); }
void TForm1::DateReply(const QByteArray& line) { model_.TakeAs(ReplyKind::DateReply, line); }
void TForm1::TimeReply(const QByteArray& line) { model_.TakeAs(ReplyKind::TimeReply, line); }
void TForm1::WhirlbeamStatusReply(const QByteArray& line) { model_.TakeAs(ReplyKind::WhirlbeamStatusReply, line); }
void TForm1::RelayReply(const QByteArray& line) { model_.TakeAs(ReplyKind::RelayReply, line); }
void TForm1::RelayIrTimeReply(const QByteArray& line) { model_.TakeAs(ReplyKind::RelayIrTimeReply, line); }

void TForm1::ShowIdentification(const IdentificationRecord& record)
{
    if (record.recognised)
        ShowText(DeviceEdit, QString::fromLatin1(record.line));
    else
        DeviceEdit->setText(tr("Not a whirlbeam clock"));
}

void TForm1::ShowVersion(const VersionRecord& record)
{
    if (record.Valid())
        ShowText(VersionEdit, QString::fromLatin1(record.text));
    else
        VersionEdit->setText(tr("Invalid"));
}

void TForm1::ShowConfig(const ConfigRecord& record)
{
    ScreenCursor::SetHourglass();
    SetStatusText(0, PelkTexts::Connected());
    if (record.chipName)
        DeviceEdit->setText(DeviceEdit->text() + QString::fromLatin1(*record.chipName));
}

void TForm1::ShowReadEnded(bool first)
{
    ScreenCursor::SetArrow();
    for (QAction* item : {LoadAlarms, SaveAlarms, Loadparameters, Saveparameters, SaveIRcommandhistory})
        item->setEnabled(true);
    if (first)
        emit FirstLoadDone();
}

// The blink of the time invalid lamps runs while the time is invalid.
// Enabling a running blink must not restart it: status replies come more
// often than the blink's 500 ms on USB and would stop it for good.
void TForm1::ShowWhirlbeamStatus(const WhirlbeamStatusRecord& record)
{
    using Flag = WhirlbeamStatusRecord;
    if (!record.remainingSeconds)
        return;
    const bool invalid = *record.flags & Flag::TimeInvalid;
    if (!invalid)
        timer2_->stop();
    else if (!timer2_->isActive())
        timer2_->start();
    static const std::array<const char*, 3> kModeTexts = {QT_TR_NOOP("Whirlbeam in run mode"),
        QT_TR_NOOP("Whirlbeam in sleep mode"), QT_TR_NOOP("Whirlbeam in deap sleep mode")};
    SetStatusText(1, tr(kModeTexts[size_t(StateOf(*record.flags))]));
    SetStatusText(3, invalid ? tr("Time is invalid") : tr("Time is valid"));
    if (record.extraFlags)
        RunLED->SetLit(!(*record.flags & Flag::StandBy));
}

void TForm1::ShowRelay(const RelayRecord& record)
{
    if (!record.on)
        return;
    RelaisLED->SetLit(*record.on);
    SetStatusText(2, *record.on ? tr("Relais is on") : tr("Relais is off"));
}

// With no link, nothing is known of the clock: no lamp stays lit, no status
// text or clock time stays shown from a clock that is gone or was never
// read. The next replies show the clock again.
void TForm1::ShowClockUnknown()
{
    model_.Forget();
    for (TLED* lamp : findChildren<TLED*>())
        lamp->SetLit(false);
    for (const int panel : {1, 2, 3})
        SetStatusText(panel, QString());
    dateTime_->ShowClockUnknown();
    ShowUnknown(DateTimePicker3);
    ShowUnknown(DateTimePicker2);
}
