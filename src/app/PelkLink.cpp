// SPDX-License-Identifier: GPL-3.0-or-later
// The link as the main window shows it: the Open button, the port's and the
// link's events, the USB device list, a clock that went away and is awaited.
// The connection in the core opens, sends, cuts reply lines and waits for
// the clock's return; the window shows what it does and makes its error
// boxes from the failures it reports.

#include "app/PelkMain.h"

#include "app/PelkTexts.h"
#include "app/ScreenCursor.h"
#include "app/UsbDeviceList.h"
#include "app/pages/DateTimePage.h"
#include "link/ClockTimeSync.h"
#include "widgets/LED.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

using LinkState = ClockConnection::State;

bool TForm1::LinkOpen() const { return connection_->LinkOpen(); }

void TForm1::QueueCommand(const QByteArray& text) { CommandMemo.Append(text); }

void TForm1::ClearCommandQueue() { CommandMemo.Clear(); }

// A serial write that fails comes back as the port's error box; a USB write
// that fails passes silently, and the clock's silence shows on LED1.
void TForm1::TransmitCommand(const QByteArray& text) { connection_->Transmit(text); }

// Closing also stops a wait for the clock's return.
void TForm1::OpenButtonClick()
{
    if (connection_->CurrentState() != LinkState::Closed) {
        const bool serial = connection_->Kind() == LinkKind::Serial;
        if (!connection_->Close())
            return;
        if (serial)
            ScreenCursor::SetArrow();
    } else if (!connection_->Open(USB1->isChecked() ? LinkKind::Usb : LinkKind::Serial)) {
        return;
    }
    ClearCommandQueue();
    UpdateLinkMenus();
    if (LinkOpen())
        SetStatusText(0, PelkTexts::NotConnected());
}

// Neither the link nor the serial settings may change under an open link,
// nor while its clock is awaited.
void TForm1::UpdateLinkMenus()
{
    const bool closed = connection_->CurrentState() == LinkState::Closed && !LinkOpen();
    Settings1->menuAction()->setEnabled(closed);
    Communication2->menuAction()->setEnabled(closed);
}

void TForm1::ComPort1AfterOpen()
{
    OpenButton->setText(tr("Close"));
    LED1->SetLit(true);
    Timer1()->start();
    TabControl1->setEnabled(true);
    dateTime_->DatePickerChange();
    ScreenCursor::SetHourglass();
    LastCommand.clear();
}

void TForm1::ComPort1BeforeClose()
{
    Timer1()->stop();
    timeSync_->Cancel();
    LED1->SetColor(lcRed);
}

void TForm1::ComPort1AfterClose()
{
    OpenButton->setText(tr("Open"));
    TabControl1->setEnabled(false);
    DeviceEdit->setText(PelkTexts::NoClock());
    VersionEdit->setText(PelkTexts::NoVersion());
    LED1->SetLit(false);
    // Whoever closed the link, the user or a vanished device, the panel
    // must not go on claiming a connection, nor anything of the clock. The
    // time invalid lamps go dark with the others rather than blink for a
    // clock that is no longer heard.
    SetStatusText(0, PelkTexts::NotConnected());
    timer2_->stop();
    ShowClockUnknown();
}

// The port closed itself (the device went away) or hit an error between
// calls.
void TForm1::ComPort1Exception(const EComPort& error) { connection_->TakePortException(error); }

void TForm1::USB1Click() { DevListBox->setVisible(USB1->isChecked()); }

void TForm1::ComPort1RxChar(int count) { connection_->ReceiveSerial(count); }

void TForm1::HidDeviceData(TJvHidDevice*, quint8, const QByteArray& data) { connection_->TakeReport(data); }

void TForm1::TakeReplyLine(const QByteArray& line) { ReceiveMemo.Append(line); }

void TForm1::ReceiveMemoChange()
{
    while (!ReceiveMemo.IsEmpty())
        DispatchReply(ReceiveMemo.TakeFirst());
}

// A port that closed no longer waits for the clock: the hourglass goes.
// The port's own message stays the box's first line; a USB clock that was
// unplugged gets a status text instead of a box.
void TForm1::ShowLinkFailure(const LinkFailure& why)
{
    const bool waiting = connection_->CurrentState() == LinkState::WaitingForReturn;
    if (why.kind == LinkFailure::Kind::Gone && why.portCode == 0)
        SetStatusText(0, waiting ? WaitingText() : PelkTexts::ClockUnplugged());
    if (why.portCode == 0) {
        if (why.kind != LinkFailure::Kind::Gone)
            ShowException(why.text);
        return;
    }
    if (!ComPort1()->Connected()) {
        ScreenCursor::SetArrow();
        UpdateLinkMenus();
    }
    ShowException(why.PortMessage());
}

QString TForm1::WaitingText() const
{
    return connection_->Kind() == LinkKind::Usb
        ? tr("Waiting for the clock to return (USB serial %1)").arg(connection_->Awaited())
        : tr("Waiting for the clock to return (%1)").arg(connection_->Awaited());
}

// While the clock is awaited the link shows closed but for the button,
// which stops the wait. Its return resumes as a press of Open does.
void TForm1::ShowLinkState(ClockConnection::State state, ClockConnection::State before)
{
    if (state == LinkState::WaitingForReturn) {
        OpenButton->setText(tr("Close"));
        SetStatusText(0, WaitingText());
    } else if (before == LinkState::WaitingForReturn) {
        ClearCommandQueue();
        SetStatusText(0, PelkTexts::NotConnected());
        if (state == LinkState::Closed) {
            OpenButton->setText(tr("Open"));
            if (connection_->Clocks().isEmpty())
                ShowClocks();
        }
    }
    UpdateLinkMenus();
}

void TForm1::HidCtlDeviceChange() { connection_->ListClocks(); }

// The USB link stays the choice while its clock is awaited.
void TForm1::ShowClocks()
{
    if (!deviceList_->Show() && connection_->CurrentState() != LinkState::WaitingForReturn) {
        Serial1->setChecked(true);
        DevListBox->hide();
    }
}

void TForm1::DevListBoxClick() { deviceList_->HookSelected(); }
