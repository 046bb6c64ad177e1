// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PelkMain.h"

#include "app/ComSetup.h"
#include "app/PanelSettings.h"
#include "app/PelkTexts.h"
#include "app/ScreenCursor.h"
#include "app/UsbDeviceList.h"
#include "app/pages/AlarmTable.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/MeasurementPage.h"
#include "app/pages/Dcf77Page.h"
#include "app/pages/Rc5Page.h"
#include "app/pages/WhirlbeamPage.h"
#include "link/ClockTimeSync.h"
#include "link/ComPort.h"
#include "link/hid/HidapiBackend.h"
#include "link/hid/UdevTtyAnnouncer.h"
#include "protocol/commands/StatusRequests.h"
#include "widgets/LED.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTimer>

namespace {

constexpr int kBlinkMs = 500;

} // namespace

const char* const TForm1::kSettingsFile = "./WhirlbeamClock.ini";

TForm1::TForm1(Devices devices, QWidget* parent)
    : PanelLayout(parent)
    , connection_(std::make_unique<ClockConnection>(std::move(devices.comPort),
          devices.hidCtl ? std::move(devices.hidCtl) : std::make_unique<TJvHidDeviceController>(MakeHidapiBackend()),
          MakeUdevTtyAnnouncer()))
    , CurrentHidDevice(connection_->HookedDevice())
    , UsbLinkOpen(connection_->UsbOpen())
    , ReplySeen(connection_->Tick().ReplySeen)
    , LastCommand(connection_->Tick().LastCommand)
    , DcfHourStats(model_.Facts().hourFigures)
    , AlarmCount(model_.Facts().alarmCount)
    , InitialLoad(model_.Facts().initialLoad)
    , CommandMemo(connection_->Tick().Queue)
    , dialogs_(devices.dialogs ? std::move(devices.dialogs) : std::make_unique<QtDialogs>())
    , errors_(*this, *dialogs_, connection_->Port())
{
    BuildLayout({[this](const QByteArray& line) { QueueCommand(line); }, DcfHourStats, AlarmCount});
    files_ = std::make_unique<PanelFiles>(PanelFiles::Parts{*this, *dialogs_, errors_,
        [this](const QByteArray& line) { QueueCommand(line); }, *alarms_, *mode_, *pwm_, *rc5_, *measurement_,
        AlarmCount, DcfHourStats});
    BindControls();
    BindCore();

    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    // Started together with Timer1 and as precise, every other Timer1 tick
    // and the blink share one wakeup of the process.
    timer2_->setTimerType(Qt::PreciseTimer);
    timer2_->setInterval(kBlinkMs);
    connect(timer2_, &QTimer::timeout, this, &TForm1::Timer2Timer);
    Timer1()->start();
    timer2_->start();
    ObserveClock();

    FormCreate();
    TabControl1Change();
    BuildTrafficView();
}

// The connection's last events must not reach a half-destroyed window.
TForm1::~TForm1() { connection_->disconnect(this); }

// The layout's controls to their handlers; the entry points that may
// throw run guarded.
void TForm1::BindControls()
{
    const auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { Guarded([&] { (this->*handler)(); }); };
    };
    connect(DevListBox, &QComboBox::currentIndexChanged, this, &TForm1::DevListBoxClick);
    connect(OpenButton, &QPushButton::clicked, this, guarded(&TForm1::OpenButtonClick));
    connect(ExitButton, &QPushButton::clicked, this, guarded(&TForm1::ExitButtonClick));
    connect(tabs_, &QTabBar::currentChanged, this, &TForm1::TabControl1Change);
    connect(dateTime_->SyncTimeButton, &QPushButton::clicked, this, guarded(&TForm1::SyncTimeButtonClick));
    connect(rc5_->SaveHistoryButton, &QPushButton::clicked, this, &TForm1::SaveIRcommandhistoryClick);
    connect(dcf77_->Button5, &QPushButton::clicked, this, &TForm1::SaveDCF77statistics1Click);
    connect(measurement_->SensorExport, &QPushButton::clicked, this, &TForm1::SensorExportClick);

    connect(LoadAlarms, &QAction::triggered, this, &TForm1::LoadAlarmsClick);
    connect(SaveAlarms, &QAction::triggered, this, &TForm1::SaveAlarmsClick);
    connect(Loadparameters, &QAction::triggered, this, &TForm1::LoadparametersClick);
    connect(Saveparameters, &QAction::triggered, this, &TForm1::SaveparametersClick);
    connect(SaveIRcommandhistory, &QAction::triggered, this, &TForm1::SaveIRcommandhistoryClick);
    connect(SaveDCF77statistics1, &QAction::triggered, this, &TForm1::SaveDCF77statistics1Click);
    connect(ExitMenuItem, &QAction::triggered, this, guarded(&TForm1::ExitButtonClick));
    for (QAction* item : viewItems_)
        connect(item, &QAction::triggered, this, [this, item] { DateTime1Click(item); });
    connect(Refresh1, &QAction::triggered, this, &TForm1::Refresh1Click);
    for (QAction* item : {USB1, Serial1})
        connect(item, &QAction::triggered, this, &TForm1::USB1Click);
    connect(Reconnect1, &QAction::toggled, connection_.get(), &ClockConnection::SetReconnect);
    connect(Reconnect1, &QAction::triggered, this, &TForm1::StoreReconnect);
    connect(Parameters1, &QAction::triggered, this, guarded(&TForm1::Parameters1Click));
    connect(SaveSettings2, &QAction::triggered, this, guarded(&TForm1::SaveSettings2Click));
}

// The core under the frame: the connection's events, its tick's watch and
// sends, its reply lines into the reply log.
void TForm1::BindCore()
{
    TransmitTick& tick = connection_->Tick();
    tick.Timer().setObjectName(QStringLiteral("Timer1"));
    tick.SetRefreshOnResume(true);
    // LED1's colour is the reply watch's state, also as a test sets it.
    tick.SetAnswering([this] { return LED1->Color() == lcGreen; });
    connect(&tick, &TransmitTick::Watched, this, &TForm1::ShowReplyWatch);
    connect(&tick, &TransmitTick::Sending, this, &TForm1::ShowQueueLength);
    timeSync_ = new ClockTimeSync(*connection_, this);

    deviceList_ = std::make_unique<UsbDeviceList>(
        *DevListBox, *connection_, [this](const QString& problem) { dialogs_->ShowMessage(this, problem); });
    ClockConnection* link = connection_.get();
    link->SetLog(&TrafficLog);
    connect(link, &ClockConnection::AfterOpen, this, &TForm1::ComPort1AfterOpen);
    connect(link, &ClockConnection::BeforeClose, this, &TForm1::ComPort1BeforeClose);
    connect(link, &ClockConnection::AfterClose, this, &TForm1::ComPort1AfterClose);
    connect(link, &ClockConnection::LineReceived, this,
        [this](const QByteArray& line) { Guarded([&] { TakeReplyLine(line); }); });
    connect(link, &ClockConnection::Failed, this, &TForm1::ShowLinkFailure);
    connect(link, &ClockConnection::StateChanged, this, &TForm1::ShowLinkState);
    connect(link, &ClockConnection::ClocksListed, this, &TForm1::ShowClocks);
    ReceiveMemo.SetOnChange([this] { ReceiveMemoChange(); });
}

// ---- Start-up, pages and shut-down -------------------------------------

void TForm1::FormCreate()
{
    CurrentHidDevice = nullptr;
    Activated = false;
    UsbLinkOpen = false;
    ReplySeen = false;
    model_.Reset();
    for (QAction* item : {LoadAlarms, SaveAlarms, Loadparameters, Saveparameters, SaveIRcommandhistory})
        item->setEnabled(false);
    SetStatusText(0, PelkTexts::NotConnected());
    // The blink of the time invalid lamps, started with the window, goes on
    // until the first status reply: the time counts as invalid until then.
    ShowClockUnknown();
    alarms_->FillRowZero();
    alarms_->CreateRuntimeRows();
    ReadPortSettings(*ComPort1(), QString::fromLatin1(kSettingsFile));
    Reconnect1->setChecked(ReconnectSetting(QString::fromLatin1(kSettingsFile)));
}

void TForm1::StoreReconnect(bool on)
{
    const QString failure = ::StoreReconnect(QString::fromLatin1(kSettingsFile), on);
    if (!failure.isEmpty())
        ShowException(failure);
}

void TForm1::FormActivate()
{
    if (Activated)
        return;
    Activated = true;
    DevListBoxClick();
    if (openOnActivation_) {
        openOnActivation_ = false;
        // After the activation has been handled, as if pressed by hand.
        QTimer::singleShot(0, this, [this] { Guarded([this] { OpenButtonClick(); }); });
    }
}

void TForm1::SelectSerialLink(const QString& port)
{
    Serial1->setChecked(true);
    USB1Click();
    ComPort1()->SetPort(port);
}

// An open USB link is left as it is, as it always was; a wait for the
// clock's return ends.
void TForm1::FormClose()
{
    if (ComPort1()->Connected() || connection_->CurrentState() == ClockConnection::State::WaitingForReturn)
        connection_->Close();
    Timer1()->stop();
}

void TForm1::ExitButtonClick()
{
    FormClose();
    close();
}

// Each page shows its panel while its tab is selected, or the panel that
// stands in for it.
void TForm1::TabControl1Change()
{
    const int selected = tabs_->currentIndex();
    for (int i = 0; i < int(pages_.size()); ++i) {
        const Page& page = pages_[size_t(i)];
        const bool standsIn = i == selected && page.standIn && page.standsIn();
        page.panel->setVisible(i == selected && !standsIn);
        if (page.standIn)
            page.standIn->setVisible(standsIn);
    }
}

void TForm1::SelectPage(int index)
{
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(index);
    }
    TabControl1Change();
}

void TForm1::DateTime1Click(QObject* sender) { SelectPage(sender->property("Tag").toInt()); }

void TForm1::Parameters1Click()
{
    // A stand-in port has no line settings to edit.
    auto* port = dynamic_cast<TComPort*>(ComPort1());
    if (port && !LinkOpen())
        RunSetupDialog(*port, *dialogs_, this);
}

void TForm1::SaveSettings2Click()
{
    if (LinkOpen())
        return;
    const QString failure = StorePortSettings(*ComPort1(), QString::fromLatin1(kSettingsFile));
    if (!failure.isEmpty())
        ShowException(failure);
}

void TForm1::Refresh1Click()
{
    ScreenCursor::SetHourglass();
    for (const QByteArray& line : RefreshMenuBatch())
        QueueCommand(line);
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Guarded([this] { FormActivate(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    Guarded([this] { FormClose(); });
    event->accept();
}

// ---- Timers -------------------------------------------------------------

void TForm1::Timer1Timer() { connection_->Tick().Tick(); }

void TForm1::Timer2Timer()
{
    whirlbeam_->Blink();
    dateTime_->Blink();
}

// Red while the clock is silent; each return to green has queued the
// refresh batch, and the hourglass waits for its end.
void TForm1::ShowReplyWatch(TransmitTick::Watch watch)
{
    if (watch == TransmitTick::Watch::Answering)
        return;
    ScreenCursor::SetHourglass();
    LED1->SetColor(watch == TransmitTick::Watch::Silent ? lcRed : lcGreen);
}

void TForm1::ShowQueueLength()
{
    const int queued = CommandMemo.Count();
    SetStatusText(4, queued > 0 ? QString::number(queued) : QString());
}

// ---- Setting the clock on the second's edge ----------------------------

void TForm1::SyncTimeButtonClick() { timeSync_->Start(); }

// ---- Screenshots --------------------------------------------------------

bool TForm1::SaveScreenshots(const QString& dir, QString* error)
{
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("Cannot create the folder %1").arg(dir);
        return false;
    }
    const int shown = tabs_->currentIndex();
    const auto restore = qScopeGuard([this, shown] { SelectPage(shown); });
    for (int page = 0; page < int(pages_.size()); ++page) {
        SelectPage(page);
        const QString file = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(page));
        if (!grab().save(file)) {
            *error = QStringLiteral("Cannot write %1").arg(file);
            return false;
        }
    }
    return true;
}
