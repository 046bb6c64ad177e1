// SPDX-License-Identifier: GPL-3.0-or-later
// The link of the main window: the Open button, the choice between USB and
// the serial port, the port's events and the USB device list. The lines
// themselves go through the core: the transmit tick sends, the links frame
// and cut, the reply log hands each line to reply handling.

#include "app/PelkMain.h"

#include "app/PelkTexts.h"
#include "app/ScreenCursor.h"
#include "app/pages/DateTimePage.h"
#include "link/hid/ClockDevices.h"
#include "widgets/LED.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

bool TForm1::LinkOpen() const { return comPort_->Connected() || UsbLinkOpen; }

void TForm1::QueueCommand(const QByteArray& text) { CommandMemo.Append(text); }

void TForm1::ClearCommandQueue() { CommandMemo.Clear(); }

ClockLink& TForm1::ActiveLink()
{
    if (USB1->isChecked() && UsbLinkOpen)
        return usbLink_;
    return serialLink_;
}

// A serial write that fails throws the port's error out of the tick; a USB
// write that fails passes silently, and the clock's silence shows on LED1.
void TForm1::TransmitCommand(const QByteArray& text) { ActiveLink().Transmit(text); }

void TForm1::OpenButtonClick()
{
    if (!USB1->isChecked()) {
        if (comPort_->Connected()) {
            comPort_->Close();
            ScreenCursor::SetArrow();
        } else {
            comPort_->Open();
        }
        tick_->SetLink(LinkKind::Serial);
    } else if (UsbLinkOpen) {
        CloseUsbLink();
    } else if (CurrentHidDevice && !CurrentHidDevice->HasReadWriteAccess()) {
        // Opened, the link would only seem to work.
        ShowException(ClockAccessProblem(*CurrentHidDevice));
        return;
    } else {
        ComPort1AfterOpen();
        tick_->SetLink(LinkKind::Usb);
        UsbLinkOpen = true;
    }
    ClearCommandQueue();
    UpdateLinkMenus();
    if (LinkOpen())
        SetStatusText(0, PelkTexts::NotConnected());
}

void TForm1::CloseUsbLink()
{
    ComPort1BeforeClose();
    UsbLinkOpen = false;
    tick_->SetLink(LinkKind::Serial);
    ComPort1AfterClose();
}

// Neither the link nor the serial settings may change under an open link.
void TForm1::UpdateLinkMenus()
{
    const bool closed = !LinkOpen();
    Settings1->menuAction()->setEnabled(closed);
    Communication2->menuAction()->setEnabled(closed);
}

void TForm1::ComPort1AfterOpen()
{
    OpenButton->setText(tr("Close"));
    LED1->SetLit(true);
    tick_->Timer().start();
    TabControl1->setEnabled(true);
    dateTime_->DatePickerChange();
    ScreenCursor::SetHourglass();
    LastCommand.clear();
}

void TForm1::ComPort1BeforeClose()
{
    tick_->Timer().stop();
    CancelClockSync();
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
// calls; a port that closed no longer waits for the clock.
void TForm1::ComPort1Exception(const EComPort& error)
{
    if (!comPort_->Connected()) {
        ScreenCursor::SetArrow();
        UpdateLinkMenus();
    }
    ShowComPortError(error);
}

void TForm1::USB1Click() { DevListBox->setVisible(USB1->isChecked()); }

void TForm1::ComPort1RxChar(int count) { serialLink_.Receive(count); }

void TForm1::HidDeviceData(TJvHidDevice*, quint8, const QByteArray& data) { usbLink_.TakeReport(data); }

void TForm1::TakeReplyLine(const QByteArray& line)
{
    tick_->NoteReply(line);
    ReceiveMemo.Append(line);
}

void TForm1::ReceiveMemoChange()
{
    while (!ReceiveMemo.IsEmpty())
        DispatchReply(ReceiveMemo.TakeFirst());
}

void TForm1::HidCtlDeviceChange()
{
    const bool hookedVanished = CurrentHidDevice && !CurrentHidDevice->IsPluggedIn();
    HookHidDevice(nullptr);
    ReleaseClocks(*hidCtl_, listedHidDevices_);
    {
        const QSignalBlocker quiet(DevListBox);
        DevListBox->clear();
        listedHidDevices_ = ClaimClocks(*hidCtl_);
        for (TJvHidDevice* device : listedHidDevices_)
            DevListBox->addItem(device->Caption());
        if (!listedHidDevices_.isEmpty())
            DevListBox->setCurrentIndex(0);
    }
    // A link whose clock is gone closes; so does one with no clock at all,
    // which would otherwise aim its ticks at the serial port the choice
    // falls back to.
    if (UsbLinkOpen && (hookedVanished || listedHidDevices_.isEmpty())) {
        CloseUsbLink();
        UpdateLinkMenus();
        if (hookedVanished)
            SetStatusText(0, PelkTexts::ClockUnplugged());
    }
    if (listedHidDevices_.isEmpty()) {
        Serial1->setChecked(true);
        DevListBox->hide();
        return;
    }
    DevListBoxClick();
    ShowClockAccessProblems();
}

// Once for each plugging-in: the user learns why the clock stays silent.
void TForm1::ShowClockAccessProblems()
{
    for (const TJvHidDevice* device : listedHidDevices_) {
        const QString problem = ClockAccessProblem(*device);
        if (!problem.isEmpty() && !accessProblemsShown_.contains(device->Info().instance)) {
            accessProblemsShown_.insert(device->Info().instance);
            dialogs_->ShowMessage(this, problem);
        }
    }
}

void TForm1::DevListBoxClick()
{
    const int selected = DevListBox->currentIndex();
    HookHidDevice(selected >= 0 && selected < listedHidDevices_.size() ? listedHidDevices_[selected] : nullptr);
}

// The device the USB link writes to and reads from; its reports reach
// HidDeviceData on the window thread.
void TForm1::HookHidDevice(TJvHidDevice* device)
{
    if (CurrentHidDevice)
        CurrentHidDevice->SetOnData({});
    CurrentHidDevice = device;
    if (!device)
        return;
    device->SetOnData([this](TJvHidDevice* from, quint8 reportId, const QByteArray& data) {
        Guarded([&] { HidDeviceData(from, reportId, data); });
    });
}
