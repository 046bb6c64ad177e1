// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PelkMain.h"

#include "app/ComSetup.h"
#include "app/PanelFont.h"
#include "app/PelkTexts.h"
#include "app/ScreenCursor.h"
#include "app/pages/AlarmTable.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/WhirlbeamPage.h"
#include "files/FileProblem.h"
#include "link/ComPort.h"
#include "link/SystemErrorText.h"
#include "link/hid/HidapiBackend.h"
#include "protocol/commands/ClockCommands.h"
#include "protocol/commands/StatusRequests.h"
#include "widgets/LED.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QTabBar>
#include <QTimer>

namespace {

constexpr int kClientWidth = 753;
constexpr int kClientHeight = 593;
constexpr int kBlinkMs = 500;

} // namespace

const char* const TForm1::kSettingsFile = "./WhirlbeamClock.ini";

TForm1::TForm1(Devices devices, QWidget* parent)
    : QMainWindow(parent)
    , tick_(new TransmitTick(this))
    , CurrentHidDevice(usbLink_.HidDeviceSlot())
    , ReplySeen(tick_->ReplySeen)
    , LastCommand(tick_->LastCommand)
    , CommandMemo(tick_->Queue)
    , comPort_(devices.comPort ? std::move(devices.comPort) : std::make_unique<TComPort>())
    , hidCtl_(devices.hidCtl ? std::move(devices.hidCtl)
                             : std::make_unique<TJvHidDeviceController>(MakeHidapiBackend()))
    , dialogs_(devices.dialogs ? std::move(devices.dialogs) : std::make_unique<QtDialogs>())
    , serialLink_(*comPort_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Whirlbeam clock V4.02"));
    setFont(PanelFont());
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    BuildTopRow(client);
    BuildPages(client);
    BuildMenus();
    BuildStatusBar();
    BindCore();
    ConnectReplies();

    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    // Started together with Timer1 and as precise, every other Timer1 tick
    // and the blink share one wakeup of the process.
    timer2_->setTimerType(Qt::PreciseTimer);
    timer2_->setInterval(kBlinkMs);
    connect(timer2_, &QTimer::timeout, this, &TForm1::Timer2Timer);
    tick_->Timer().start();
    timer2_->start();

    FormCreate();
    TabControl1Change();
}

TForm1::~TForm1()
{
    // The port's close events must not reach a half-destroyed window.
    comPort_->OnBeforeClose = nullptr;
    comPort_->OnAfterClose = nullptr;
    if (CurrentHidDevice)
        CurrentHidDevice->SetOnData({});
}

// The core under the frame: the transmit tick on the chosen link, the two
// links delivering reply lines, the serial port's events.
void TForm1::BindCore()
{
    QTimer& timer1 = tick_->Timer();
    timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    tick_->SetRefreshOnResume(true);
    tick_->SetLinkOpen([this] { return LinkOpen(); });
    tick_->SetTransmit([this](const QByteArray& line) { TransmitCommand(line); });
    // LED1's colour is the reply watch's state, also as a test sets it.
    tick_->SetAnswering([this] { return LED1->Color() == lcGreen; });
    connect(tick_, &TransmitTick::Watched, this, &TForm1::ShowReplyWatch);
    connect(tick_, &TransmitTick::Sending, this, &TForm1::ShowQueueLength);
    connect(tick_, &TransmitTick::Sending, this, &TForm1::ClockSyncLineSent);
    connect(&tick_->HoldTimer(), &QTimer::timeout, this, [this] { Guarded([this] { tick_->SendHeld(); }); });

    for (ClockLink* link : std::initializer_list<ClockLink*>{&serialLink_, &usbLink_}) {
        link->SetLog(&TrafficLog);
        connect(link, &ClockLink::LineReceived, this, &TForm1::TakeReplyLine);
    }
    BindComPortEvents();
    ReceiveMemo.SetOnChange([this] { ReceiveMemoChange(); });
    connect(hidCtl_.get(), &TJvHidDeviceController::OnDeviceChange, this, &TForm1::HidCtlDeviceChange);
}

void TForm1::BindComPortEvents()
{
    comPort_->OnAfterOpen = [this] { ComPort1AfterOpen(); };
    comPort_->OnBeforeClose = [this] { ComPort1BeforeClose(); };
    comPort_->OnAfterClose = [this] { ComPort1AfterClose(); };
    comPort_->OnRxChar = [this](int count) { Guarded([this, count] { ComPort1RxChar(count); }); };
    comPort_->OnException = [this](const EComPort& error) { ComPort1Exception(error); };
}

// ---- Start-up, pages and shut-down -------------------------------------

void TForm1::FormCreate()
{
    CurrentHidDevice = nullptr;
    Activated = false;
    UsbLinkOpen = false;
    ReplySeen = false;
    DcfHourStats.fill(0);
    AlarmCount = 0;
    for (QAction* item : {LoadAlarms, SaveAlarms, Loadparameters, Saveparameters, SaveIRcommandhistory})
        item->setEnabled(false);
    InitialLoad = true;
    SetStatusText(0, PelkTexts::NotConnected());
    // The blink of the time invalid lamps, started with the window, goes on
    // until the first status reply: the time counts as invalid until then.
    ShowClockUnknown();
    alarms_->FillRowZero();
    alarms_->CreateRuntimeRows();
    try {
        comPort_->ReadSettings(ssIniFile, QString::fromLatin1(kSettingsFile));
    } catch (const EComPort&) {
        // A missing or unreadable settings file leaves the built-in settings.
    }
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
    comPort_->SetPort(port);
}

void TForm1::FormClose()
{
    if (comPort_->Connected())
        comPort_->Close();
    tick_->Timer().stop();
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
    auto* port = dynamic_cast<TComPort*>(comPort_.get());
    if (port && !LinkOpen())
        RunSetupDialog(*port, *dialogs_, this);
}

// Reading at start-up may fail quietly, since there may be no file yet; a
// store the user asked for must not.
void TForm1::SaveSettings2Click()
{
    if (LinkOpen())
        return;
    const QString file = QString::fromLatin1(kSettingsFile);
    try {
        comPort_->WriteSettings(ssIniFile, file);
    } catch (const EComPort& error) {
        ShowException(error.Message() + QLatin1Char('\n') + QFileInfo(file).absoluteFilePath());
    }
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

void TForm1::Timer1Timer() { tick_->Tick(); }

void TForm1::Timer2Timer()
{
    for (TLED* led : {whirlbeam_->ErrorLED, dateTime_->TimeInvalidLED})
        led->SetLit(!led->Lit());
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

void TForm1::SyncTimeButtonClick()
{
    if (!LinkOpen() || clockSync_ || tick_->Holding())
        return;
    PlanClockSync(0);
}

// The edge leaves room for the lines queued before and the date line to go
// out at the tick's pace, and for the date line's answer. Both lines name
// the second that begins on the edge, its date too.
void TForm1::PlanClockSync(int plan)
{
    using namespace std::chrono;
    const ClockLink& link = ActiveLink();
    const Micros travel = link.TravelTime(int(SetTimeCommand(QTime(0, 0)).size()));
    const Micros lead = milliseconds((CommandMemo.Count() + 2) * link.TickMs() + 300);
    const EdgeSend edge = PlanEdgeSend(system_clock::now(), travel, lead);
    const QDateTime second
        = QDateTime::fromMSecsSinceEpoch(duration_cast<milliseconds>(edge.edge.time_since_epoch()).count());
    const QByteArray dateLine = SetDateCommand(second.date());
    QueueCommand(dateLine);
    clockSync_ = ClockSync{dateLine, CommandMemo.EndMark(), edge, second.time(), plan};
}

// Once the tick sends the date line, it holds the time line for the edge.
// A date line that went later than planned leaves the time line less than
// a tick of its own: a new plan then, three in all.
void TForm1::ClockSyncLineSent(const QByteArray& line, bool queued)
{
    using namespace std::chrono;
    if (!clockSync_ || !CommandMemo.Passed(clockSync_->dateQueued))
        return;
    const ClockSync sync = *clockSync_;
    clockSync_.reset();
    // Otherwise the date line was cleared from the queue unsent.
    if (!queued || line != sync.dateLine)
        return;
    if (system_clock::now() + milliseconds(ActiveLink().TickMs()) > sync.edge.sendAt) {
        if (sync.plan < 2)
            PlanClockSync(sync.plan + 1);
        return;
    }
    tick_->SendAt(SetTimeCommand(sync.second), sync.edge.sendAt);
}

void TForm1::CancelClockSync()
{
    clockSync_.reset();
    tick_->CancelSendAt();
}

// ---- Status bar, errors, screenshots -----------------------------------

QString TForm1::StatusText(int panel) const { return statusPanels_[size_t(panel)]->text(); }

void TForm1::SetStatusText(int panel, const QString& text) { statusPanels_[size_t(panel)]->setText(text); }

void TForm1::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const EComPort& error) {
        ShowComPortError(error);
    } catch (const std::exception& error) {
        ShowException(QString::fromLocal8Bit(error.what()));
    }
}

// The port's own message stays as it is; the line under it says in plain
// words what the system error means for this port.
void TForm1::ShowComPortError(const EComPort& error)
{
    const QString device = TComPort::DevicePath(comPort_->Port());
    const ErrorSite site = error.Code() == EComPort::kRegistryError ? ErrorSite::PortList
        : error.Code() == EComPort::kOpenFailed                     ? ErrorSite::OpeningPort
                                                                    : ErrorSite::OpenPort;
    const QString explanation
        = ExplainSystemError(error.WinCode(), site == ErrorSite::PortList ? TComPort::kTtyClassDir : device, site);
    ShowException(explanation.isEmpty() ? error.Message() : error.Message() + QLatin1Char('\n') + explanation);
}

void TForm1::ShowFileError(
    const QString& what, const QString& file, const FileProblem& problem, const QString& outcome)
{
    const QString name = QFileInfo(file).absoluteFilePath();
    QString reason = ExplainFileProblem(problem, name);
    if (!outcome.isEmpty())
        reason += QStringLiteral("; ") + outcome;
    dialogs_->ShowMessage(this, reason.isEmpty() ? what + name : what + name + QLatin1Char('\n') + reason);
}

// While the error box is up the ticks go on; a failure in one of them must
// not pile a second box on the first.
void TForm1::ShowException(const QString& message)
{
    if (errorBoxOpen_)
        return;
    errorBoxOpen_ = true;
    const auto reopen = qScopeGuard([this] { errorBoxOpen_ = false; });
    dialogs_->ShowError(this, message);
}

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
