// SPDX-License-Identifier: GPL-3.0-or-later
// Reply handling of the main window: each reply line goes to the handler of
// its kind, which applies the decoded fields to the window in order.

#include "app/PelkMain.h"

#include "app/PelkTexts.h"
#include "app/pages/ClockPage.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/RelaisPage.h"
#include "app/pages/Rc5Page.h"
#include "app/ScreenCursor.h"
#include "app/pages/ShownValues.h"
#include "app/pages/WhirlbeamPage.h"
#include "app/pages/PwmPage.h"
#include "protocol/commands/AlarmCommand.h"
#include "protocol/replies/ConnectionReplies.h"
#include "protocol/replies/StatusReplies.h"
#include "widgets/LED.h"
#include "widgets/Spin.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <QTimer>

// The frame shows the kinds that reach beyond one page; every page
// registers its own.
void TForm1::ConnectReplies()
{
    const std::initializer_list<std::pair<ReplyKind, void (TForm1::*)(const QByteArray&)>> frameKinds = {
        {ReplyKind::IdentificationReply, &TForm1::IdentificationReply},
        {ReplyKind::VersionReply, &TForm1::VersionReply},
        {ReplyKind::ConfigReply, &TForm1::ConfigReply},
        {ReplyKind::EndOfReadReply, &TForm1::EndOfReadReply},
        {ReplyKind::DateReply, &TForm1::DateReply},
        {ReplyKind::TimeReply, &TForm1::TimeReply},
        {ReplyKind::WhirlbeamStatusReply, &TForm1::WhirlbeamStatusReply},
        {ReplyKind::RelayReply, &TForm1::RelayReply},
        {ReplyKind::RelayIrTimeReply, &TForm1::RelayIrTimeReply},
    };
    for (const auto& [kind, handler] : frameKinds)
        router_.On(kind, [this, handler = handler](const QByteArray& line) { (this->*handler)(line); });
    QSet<ClockPage*> connected; // one page may have two tabs
    for (const Page& page : pages_) {
        if (connected.contains(page.object))
            continue;
        connected.insert(page.object);
        page.object->ConnectReplies(router_, InitialLoad);
    }
}

void TForm1::DispatchReply(const QByteArray& line)
{
    emit ReplyTaken(line);
    router_.Route(line);
}

// A clock that does not say "Pelk" is asked again, and nothing else is
// sent to it meanwhile.
void TForm1::IdentificationReply(const QByteArray& line)
{
    const IdentificationRecord record = DecodeIdentification(line);
    if (record.recognised) {
        ShowText(DeviceEdit, QString::fromLatin1(record.line));
        return;
    }
    ClearCommandQueue();
    QueueCommand("p");
    DeviceEdit->setText(tr("Not a whirlbeam clock"));
}

void TForm1::VersionReply(const QByteArray& line)
{
    const VersionRecord record = DecodeVersion(line);
    if (!record.major)
        return;
    if (record.Valid()) {
        ShowText(VersionEdit, QString::fromLatin1(record.text));
        return;
    }
    VersionEdit->setText(tr("Invalid"));
    ClearCommandQueue();
    QueueCommand("p");
    QueueCommand("v");
}

void TForm1::ConfigReply(const QByteArray& line)
{
    const ConfigRecord record = DecodeConfig(line);
    if (!record.alarmCount)
        return;
    AlarmCount = *record.alarmCount;
    rc5_->SelfAddressEdit->setText(QString::fromLatin1(record.selfAddress));
    ScreenCursor::SetHourglass();
    for (const QByteArray& query : AlarmReadOut(0, AlarmCount))
        QueueCommand(query);
    SetStatusText(0, PelkTexts::Connected());
    if (record.chipName)
        DeviceEdit->setText(DeviceEdit->text() + QString::fromLatin1(*record.chipName));
}

void TForm1::EndOfReadReply(const QByteArray&)
{
    ScreenCursor::SetArrow();
    for (QAction* item : {LoadAlarms, SaveAlarms, Loadparameters, Saveparameters, SaveIRcommandhistory})
        item->setEnabled(true);
    const bool first = InitialLoad;
    InitialLoad = false;
    if (first)
        emit FirstLoadDone();
}

void TForm1::DateReply(const QByteArray& line)
{
    const DateRecord record = DecodeDate(line);
    if (!record.date)
        return;
    dateTime_->ShowClockDate(*record.date, record.weekday);
    ShowDate(DateTimePicker3, dateTime_->PcDatePicker->date());
}

void TForm1::TimeReply(const QByteArray& line)
{
    const auto time = DecodeTime(line);
    if (!time)
        return;
    dateTime_->ShowClockTime(*time);
    ShowTime(DateTimePicker2, dateTime_->PcTimePicker->time());
}

void TForm1::WhirlbeamStatusReply(const QByteArray& line)
{
    const WhirlbeamStatusRecord record = DecodeWhirlbeamStatus(line);
    if (!record.flags)
        return;
    whirlbeam_->ShowStatusFlags(*record.flags);
    if (!record.remainingSeconds)
        return;
    whirlbeam_->ShowRemainingSeconds(*record.remainingSeconds);
    ShowWhirlbeamState();
    if (!record.extraFlags)
        return;
    ShowChecked(whirlbeam_->I2CBusCheckBox, *record.extraFlags & WhirlbeamStatusRecord::I2CBusError);
    RunLED->SetLit(!whirlbeam_->StandBy());
}

// LEDs, blinking and status texts all follow the status check boxes, the
// one record of the clock's last status reply.
void TForm1::ShowWhirlbeamState()
{
    const bool invalid = whirlbeam_->TimeInvalid();
    whirlbeam_->ErrorLED->SetLit(invalid);
    dateTime_->TimeInvalidLED->SetLit(invalid);
    // Enabling a running blink must not restart it: status replies come
    // more often than the blink's 500 ms on USB and would stop it for good.
    if (!invalid)
        timer2_->stop();
    else if (!timer2_->isActive())
        timer2_->start();
    whirlbeam_->IndexLED->SetLit(whirlbeam_->IndexLedOn());
    pwm_->CoilHpLED->SetLit(whirlbeam_->HighPowerCoil());
    pwm_->CoilLpLED->SetLit(whirlbeam_->Sleep() && !whirlbeam_->DeepSleep());
    pwm_->CoilNoLED->SetLit(whirlbeam_->DeepSleep());
    if (!whirlbeam_->Sleep())
        SetStatusText(1, tr("Whirlbeam in run mode"));
    else if (whirlbeam_->DeepSleep())
        SetStatusText(1, tr("Whirlbeam in deap sleep mode"));
    else
        SetStatusText(1, tr("Whirlbeam in sleep mode"));
    SetStatusText(3, invalid ? tr("Time is invalid") : tr("Time is valid"));
}

// With no link, nothing is known of the clock: no lamp stays lit, no status
// text or clock time stays shown from a clock that is gone or was never
// read. The next replies show the clock again.
void TForm1::ShowClockUnknown()
{
    for (TLED* lamp : findChildren<TLED*>())
        lamp->SetLit(false);
    for (const int panel : {1, 2, 3})
        SetStatusText(panel, QString());
    dateTime_->ShowClockUnknown();
    ShowUnknown(DateTimePicker3);
    ShowUnknown(DateTimePicker2);
}

void TForm1::RelayReply(const QByteArray& line)
{
    const RelayRecord record = DecodeRelay(line);
    if (!record.remainingMinutes)
        return;
    relais_->ShowRemainingMinutes(*record.remainingMinutes);
    if (!record.on)
        return;
    relais_->RelaisLEDLabel->SetLit(*record.on);
    RelaisLED->SetLit(relais_->RelaisLEDLabel->Lit());
    SetStatusText(2, *record.on ? tr("Relais is on") : tr("Relais is off"));
}

void TForm1::RelayIrTimeReply(const QByteArray& line)
{
    if (const auto minutes = DecodeRelayIrTime(line))
        relais_->RelOnIrSpinEdit->SetValue(*minutes);
}
