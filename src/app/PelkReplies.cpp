// SPDX-License-Identifier: GPL-3.0-or-later
// Reply handling of the main window: every reply line goes to the clock
// model, which tells the pages and the frame what changed.

#include "app/PelkMain.h"

#include "app/FrameView.h"
#include "app/ReadProgressView.h"
#include "app/ScreenCursor.h"
#include "app/pages/ClockPage.h"
#include "clock/ConnectionSequence.h"
#include "clock/ReadProgress.h"
#include "widgets/LED.h"

#include <QAction>
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
    frameView_ = new FrameView(model_,
        {DeviceEdit, VersionEdit, DateTimePicker3, DateTimePicker2, RunLED, RelaisLED, timer2_, dateTime_,
            [this](int panel, const QString& text) { SetStatusText(panel, text); }},
        this);
    connect(&model_, &ClockModel::ReadEnded, this, &TForm1::ShowReadEnded);
    readProgress_ = new ReadProgress(model_, connection_->Tick(), this);
    new ReadProgressView(*readProgress_, *statusBar(), this);
}

void TForm1::DispatchReply(const QByteArray& line)
{
    emit ReplyTaken(line);
    model_.Take(line);
    readProgress_->Take(line);
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

void TForm1::ShowReadEnded(bool first)
{
    ScreenCursor::SetArrow();
    for (QAction* item : {LoadAlarms, SaveAlarms, Loadparameters, Saveparameters, SaveIRcommandhistory})
        item->setEnabled(true);
    if (first)
        emit FirstLoadDone();
}

// With no link, nothing is known of the clock and no lamp stays lit. The
// next replies show the clock again.
void TForm1::ShowClockUnknown()
{
    model_.Forget();
    readProgress_->Stop();
    for (TLED* lamp : findChildren<TLED*>())
        lamp->SetLit(false);
    frameView_->ShowClockUnknown();
}
