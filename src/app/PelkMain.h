// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Dialogs.h"
#include "app/ErrorBoxes.h"
#include "app/PanelFiles.h"
#include "app/PanelLayout.h"
#include "clock/ClockModel.h"
#include "link/ClockConnection.h"
#include "link/CommandQueue.h"
#include "link/CustomComPort.h"
#include "link/LinkLog.h"
#include "link/ReplyLog.h"
#include "link/hid/HidDevice.h"

#include <QTime>
#include <array>
#include <functional>
#include <memory>

class ClockTimeSync;
class FrameView;
class ReadProgress;
class QTimer;
class TrafficView;
class UsbDeviceList;

// The main window, a frame around the clock core: the controls of its
// layout (top row, the ten pages, menus, status bar) and the dialogs, wired
// to the clock connection (serial port or USB HID device, its transmit tick
// Timer1) and the clock model. Its handlers keep their names and delegate
// to the core, the File menu's to PanelFiles.
class TForm1 : public PanelLayout {
    Q_OBJECT

    // First, so the state below can refer to them.
    const std::unique_ptr<ClockConnection> connection_;
    ClockModel model_;

public:
    // What the window talks through. Anything left empty gets the real one:
    // the termios serial port, the machine's HID devices, the desktop's dialogs.
    struct Devices {
        std::unique_ptr<TCustomComPort> comPort;
        std::unique_ptr<TJvHidDeviceController> hidCtl;
        std::unique_ptr<DialogSeam> dialogs;
    };

    static const char* const kSettingsFile;

    explicit TForm1(Devices devices = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Window state; the link's own lives in the core and is shown here
    // under its names.
    TJvHidDevice*& CurrentHidDevice;
    bool Activated = false;
    bool& UsbLinkOpen;
    bool& ReplySeen;
    QByteArray& LastCommand;
    std::array<int, 24>& DcfHourStats;
    int& AlarmCount;
    bool& InitialLoad;
    CommandQueue& CommandMemo;
    ReplyLog ReceiveMemo;
    LinkLog TrafficLog; // written only when opened (--log)

    // Start-up, pages and shut-down.
    void FormCreate();
    void FormActivate();
    void FormClose();
    void ExitButtonClick();
    void TabControl1Change();
    void DateTime1Click(QObject* sender);
    void Parameters1Click();
    void SaveSettings2Click();
    void Refresh1Click();

    // Files.
    void SaveAlarmsClick() { files_->SaveAlarms(); }
    void LoadAlarmsClick() { files_->LoadAlarms(); }
    void SaveDCF77statistics1Click() { files_->SaveDcf77Statistics(); }
    // The menu item and the RC5 page's Save button, which works while the
    // menu item still waits for the first read of the clock.
    void SaveIRcommandhistoryClick() { files_->SaveIrHistory(); }
    void SaveparametersClick() { files_->SaveParameters(); }
    void LoadparametersClick() { files_->LoadParameters(); }
    void SensorExportClick() { files_->SaveSensorHistory(); }

    // The transmit tick and the blink tick.
    void Timer1Timer();
    void Timer2Timer();
    // "Set clock to computer time": the date line at the tick's pace, then
    // the time line out of turn, whole at the clock on a second's edge.
    void SyncTimeButtonClick();

    // The link.
    void QueueCommand(const QByteArray& text);
    void ClearCommandQueue();
    void TransmitCommand(const QByteArray& text);
    void OpenButtonClick();
    void ComPort1AfterOpen();
    void ComPort1BeforeClose();
    void ComPort1AfterClose();
    void ComPort1RxChar(int count);
    void ComPort1Exception(const EComPort& error);
    void HidDeviceData(TJvHidDevice* device, quint8 reportId, const QByteArray& data);
    void USB1Click();
    void HidCtlDeviceChange();
    void DevListBoxClick();
    void ReceiveMemoChange();

    // Reply handling of the frame: each line goes to the clock model as its
    // kind, and what changed is shown by the pages and the frame in the
    // order of the fields, up to one that failed.
    void IdentificationReply(const QByteArray& line);
    void VersionReply(const QByteArray& line);
    void ConfigReply(const QByteArray& line);
    void EndOfReadReply(const QByteArray& line);
    void DateReply(const QByteArray& line);
    void TimeReply(const QByteArray& line);
    void WhirlbeamStatusReply(const QByteArray& line);
    void RelayReply(const QByteArray& line);
    void RelayIrTimeReply(const QByteArray& line);
    // Whether some handler shows the reply kind.
    bool HandlesReply(ReplyKind kind) const { return int(kind) >= 0 && int(kind) < kReplyKinds; }

    // For the command line: choose the serial link on this port, and press
    // Open once the window has first been activated.
    void SelectSerialLink(const QString& port);
    void OpenOnFirstActivation() { openOnActivation_ = true; }

    bool LinkOpen() const;
    QList<TJvHidDevice*> ListedHidDevices() const { return connection_->Clocks(); }

    // The file error box; see ErrorBoxes::ShowFileError.
    void ShowFileError(const QString& what, const QString& file, const FileProblem& problem,
        const QString& outcome = QString())
    {
        errors_.ShowFileError(what, file, problem, outcome);
    }

    // Renders each page to DIR/page-N.png; false with a message on failure.
    bool SaveScreenshots(const QString& dir, QString* error);
    // Renders the window with the traffic view open to DIR/traffic.png.
    bool SaveTrafficScreenshot(const QString& dir, QString* error);
    TrafficView* Traffic() const { return traffic_; }
    // As View > Traffic does, without storing it.
    void OpenTrafficView();

    TCustomComPort* ComPort1() const { return &connection_->Port(); }
    ClockConnection& Connection() const { return *connection_; }
    ClockModel& Model() { return model_; }
    AlarmTable* Alarms() const { return alarms_; }
    QTimer* Timer1() const { return &connection_->Tick().Timer(); }
    QTimer* Timer2() const { return timer2_; }

signals:
    // Every reply line the reply log hands to reply handling, in order.
    void ReplyTaken(const QByteArray& line);
    // The clock's first end-of-read reply: everything has been read once.
    void FirstLoadDone();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BindControls();
    void BindCore();
    void ObserveClock();
    void SelectPage(int index);
    void ShowReplyWatch(TransmitTick::Watch watch);
    void TakeReplyLine(const QByteArray& line);
    void DispatchReply(const QByteArray& line);
    void ShowReadEnded(bool first);
    void ShowClockUnknown();
    void UpdateLinkMenus();
    void ShowLinkState(ClockConnection::State state, ClockConnection::State before);
    void ShowLinkFailure(const LinkFailure& why);
    QString WaitingText() const;
    void ShowClocks();
    void StoreReconnect(bool on);
    void ShowQueueLength();
    void BuildTrafficView();
    void Guarded(const std::function<void()>& handler) { errors_.Guarded(handler); }
    void ShowException(const QString& message) { errors_.ShowException(message); }

    std::unique_ptr<DialogSeam> dialogs_;
    ErrorBoxes errors_;
    bool openOnActivation_ = false;
    std::unique_ptr<UsbDeviceList> deviceList_;
    std::unique_ptr<PanelFiles> files_;

    ClockTimeSync* timeSync_;
    FrameView* frameView_ = nullptr;
    ReadProgress* readProgress_ = nullptr;
    TrafficView* traffic_ = nullptr;

    QTimer* timer2_;
};
