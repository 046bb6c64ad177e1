#include "app/PelkMain.h"

#include "app/ComSetup.h"
#include "app/pages/AlarmTable.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/Dcf77Page.h"
#include "app/Dialogs.h"
#include "app/PageTabBar.h"
#include "app/PanelFont.h"
#include "app/pages/MeasurementPage.h"
#include "app/pages/ModePage.h"
#include "app/pages/PwmPage.h"
#include "app/pages/Rc5Page.h"
#include "app/pages/RelaisPage.h"
#include "app/ScreenCursor.h"
#include "app/pages/WhirlbeamPage.h"
#include "files/FileProblem.h"
#include "link/ComPort.h"
#include "link/hid/ClockDevices.h"
#include "link/hid/HidapiBackend.h"
#include "link/PollCycle.h"
#include "link/SystemErrorText.h"
#include "protocol/commands/StatusRequests.h"
#include "widgets/LED.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabBar>
#include <QTimeEdit>
#include <QTimer>

namespace {

const QString kNoClockText = QStringLiteral("Press open to connect to the clock");
const QString kNoVersionText = QStringLiteral("Version not read");
const QString kNotConnected = QStringLiteral("Not connected");
const QString kClockUnplugged = QStringLiteral("Clock unplugged");

constexpr int kClientWidth = 753;
constexpr int kClientHeight = 593;
constexpr QRect kTabControlRect(8, 40, 737, 545);
constexpr QRect kPanelRect(0, 20, 737, 525);
constexpr std::array<int, 5> kStatusPanelWidths = {100, 150, 100, 100, 50};
constexpr int kBlinkMs = 500;

struct PageEntry {
    const char* caption;
    const char* viewItem;
    const char* viewCaption;
};

constexpr std::array<PageEntry, 10> kPages = {{
    {"Date - Time", "DateTime1", "&Date Time"},
    {"Alarms I", "Alarms1", "&Alarms I"},
    {"Alarms II", "AlarmsII1", "A&larms II"},
    {"Mode", "Mode1", "&Mode"},
    {"PWM parameters", "PWM1", "&PWM parameters"},
    {"Infra RC5 commands", "Rc5commands1", "&Infra RC5 commands"},
    {"Whirlbeam", "Whirlbeam1", "Whirl&beam"},
    {"Relais", "Relais1", "&Relais"},
    {"DCF77 synchron", "DCF771", "D&CF77"},
    {"Measurements", "Measurements1", "M&easurements"},
}};

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QLineEdit* DisabledEdit(QWidget* parent, const char* name, const QString& text, const QRect& rect)
{
    auto* edit = Named(new QLineEdit(text, parent), name);
    edit->setGeometry(rect);
    // Long texts show from their start, not scrolled to the caret.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { edit->home(false); });
    edit->home(false);
    edit->setEnabled(false);
    return edit;
}

QWidget* Panel(QWidget* parent, const char* name)
{
    auto* panel = Named(new QFrame(parent), name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(kPanelRect);
    panel->setAutoFillBackground(true);
    return panel;
}

QAction* Item(QMenu* menu, const char* name, const QString& caption)
{
    return Named(menu->addAction(caption), name);
}

QAction* Separator(QMenu* menu, const char* name)
{
    return Named(menu->addSeparator(), name);
}

} // namespace

const char* const TForm1::kSettingsFile = "./WhirlbeamClock.ini";

TForm1::TForm1(Devices devices, QWidget* parent)
    : QMainWindow(parent),
      comPort_(devices.comPort ? std::move(devices.comPort) : std::make_unique<TComPort>()),
      hidCtl_(devices.hidCtl ? std::move(devices.hidCtl)
                             : std::make_unique<TJvHidDeviceController>(MakeHidapiBackend())),
      dialogs_(devices.dialogs ? std::move(devices.dialogs) : std::make_unique<QtDialogs>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Whirlbeam clock V4.02"));
    setFont(PanelFont());
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    BuildTopRow(client);
    BuildPages(client);
    BuildMenus();
    BuildStatusBar();

    timer1_ = Named(new QTimer(this), "Timer1");
    // The USB tick of 20 ms must really give 50 lines a second.
    timer1_->setTimerType(Qt::PreciseTimer);
    timer1_->setInterval(kSerialTickMs);
    connect(timer1_, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    timer1_->start();
    timer2_ = Named(new QTimer(this), "Timer2");
    // Started together with Timer1 and as precise, every other Timer1 tick
    // and the blink share one wakeup of the process.
    timer2_->setTimerType(Qt::PreciseTimer);
    timer2_->setInterval(kBlinkMs);
    connect(timer2_, &QTimer::timeout, this, &TForm1::Timer2Timer);
    timer2_->start();

    BindComPortEvents();
    ReceiveMemo.SetOnChange([this] { ReceiveMemoChange(); });
    connect(hidCtl_.get(), &TJvHidDeviceController::OnDeviceChange, this, &TForm1::HidCtlDeviceChange);

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

void TForm1::BuildTopRow(QWidget* client)
{
    LED1 = Named(new TLED(client), "LED1");
    LED1->SetColor(lcRed);
    LED1->move(8, 13);
    DeviceEdit = DisabledEdit(client, "DeviceEdit", kNoClockText, QRect(32, 8, 193, 21));
    DevListBox = Named(new QComboBox(client), "DevListBox");
    DevListBox->setGeometry(32, 8, 193, 21);
    DevListBox->setPlaceholderText(QStringLiteral("No device found"));
    connect(DevListBox, &QComboBox::currentIndexChanged, this, &TForm1::DevListBoxClick);
    VersionEdit = DisabledEdit(client, "VersionEdit", kNoVersionText, QRect(248, 8, 89, 21));

    DateTimePicker3 = Named(new QDateEdit(QDate::currentDate(), client), "DateTimePicker3");
    DateTimePicker3->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    DateTimePicker3->setGeometry(344, 8, 89, 21);
    DateTimePicker3->setEnabled(false);
    DateTimePicker2 = Named(new QTimeEdit(QTime::currentTime(), client), "DateTimePicker2");
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    DateTimePicker2->setGeometry(440, 8, 81, 21);
    DateTimePicker2->setEnabled(false);

    RunLED = Named(new TLED(client), "RunLED");
    RunLED->SetColor(lcGreen);
    RunLED->move(527, 13);
    RelaisLED = Named(new TLED(client), "RelaisLED");
    RelaisLED->SetColor(lcYellow);
    RelaisLED->move(544, 13);

    OpenButton = Named(new QPushButton(QStringLiteral("Open"), client), "OpenButton");
    OpenButton->setGeometry(568, 8, 81, 25);
    connect(OpenButton, &QPushButton::clicked, this, [this] { Guarded([this] { OpenButtonClick(); }); });
    ExitButton = Named(new QPushButton(QStringLiteral("Exit"), client), "ExitButton");
    ExitButton->setGeometry(664, 8, 81, 25);
    connect(ExitButton, &QPushButton::clicked, this, [this] { Guarded([this] { ExitButtonClick(); }); });
}

void TForm1::BuildPages(QWidget* client)
{
    TabControl1 = Named(new QWidget(client), "TabControl1");
    TabControl1->setGeometry(kTabControlRect);
    TabControl1->setEnabled(false);
    tabs_ = Named(new PageTabBar(TabControl1), "TabControl1Tabs");
    tabs_->setGeometry(0, 0, kTabControlRect.width(), kPanelRect.top() + 1);
    for (const PageEntry& page : kPages)
        tabs_->addTab(QString::fromLatin1(page.caption));
    connect(tabs_, &QTabBar::currentChanged, this, &TForm1::TabControl1Change);

    DateTimePanel = Panel(TabControl1, "DateTimePanel");
    AlarmPanel = Panel(TabControl1, "AlarmPanel");
    AlarmIIPanel = Panel(TabControl1, "AlarmIIPanel");
    AlarmIIDisablePanel = Panel(TabControl1, "AlarmIIDisablePanel");
    auto* notice = new QLabel(
        QStringLiteral("Not avaible on Whirlbeam Clock's base built with 16F628(A) or 16F648A."),
        AlarmIIDisablePanel);
    notice->setObjectName(QStringLiteral("AlarmIINoticeLabel"));
    notice->setGeometry(0, 0, kPanelRect.width(), kPanelRect.height());
    notice->setAlignment(Qt::AlignCenter);
    ModePanel = Panel(TabControl1, "ModePanel");
    PWMPanel = Panel(TabControl1, "PWMPanel");
    RC5Panel = Panel(TabControl1, "RC5Panel");
    WhirlbeamPanel = Panel(TabControl1, "WhirlbeamPanel");
    RelaisPanel = Panel(TabControl1, "RelaisPanel");
    DCF77Panel = Panel(TabControl1, "DCF77Panel");
    MeasurementPanel = Panel(TabControl1, "MeasurementPanel");

    const auto queue = [this](const QByteArray& line) { QueueCommand(line); };
    dateTime_ = new DateTimePage(DateTimePanel, queue);
    connect(DateTimePicker3, &QDateEdit::dateChanged, dateTime_, &DateTimePage::DatePickerChange);
    alarms_ = new AlarmTable(AlarmPanel, AlarmIIPanel, queue, this);
    mode_ = new ModePage(ModePanel, queue);
    pwm_ = new PwmPage(PWMPanel, queue);
    rc5_ = new Rc5Page(RC5Panel, queue);
    connect(rc5_->SaveHistoryButton, &QPushButton::clicked, this, &TForm1::SaveIRcommandhistoryClick);
    whirlbeam_ = new WhirlbeamPage(WhirlbeamPanel, queue);
    relais_ = new RelaisPage(RelaisPanel, queue);
    dcf77_ = new Dcf77Page(DCF77Panel, DcfHourStats, queue);
    connect(dcf77_->Button5, &QPushButton::clicked, this, &TForm1::SaveDCF77statistics1Click);
    measurement_ = new MeasurementPage(MeasurementPanel, queue);
    connect(mode_, &ModePage::Dcf77SyncOff, dcf77_->DCFEnabledLEDLabel, &TLEDLabel::SetLit);
}

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = Named(bar->addMenu(QStringLiteral("&File")), "File1");
    LoadAlarms = Item(file, "LoadAlarms", QStringLiteral("&Load Alarms"));
    connect(LoadAlarms, &QAction::triggered, this, &TForm1::LoadAlarmsClick);
    SaveAlarms = Item(file, "SaveAlarms", QStringLiteral("&Save Alarms"));
    connect(SaveAlarms, &QAction::triggered, this, &TForm1::SaveAlarmsClick);
    Separator(file, "N2");
    Loadparameters = Item(file, "Loadparameters", QStringLiteral("Load &parameters"));
    connect(Loadparameters, &QAction::triggered, this, &TForm1::LoadparametersClick);
    Saveparameters = Item(file, "Saveparameters", QStringLiteral("Save pa&rameters"));
    connect(Saveparameters, &QAction::triggered, this, &TForm1::SaveparametersClick);
    Separator(file, "N4");
    SaveIRcommandhistory = Item(file, "SaveIRcommandhistory", QStringLiteral("Save IR command &history"));
    connect(SaveIRcommandhistory, &QAction::triggered, this, &TForm1::SaveIRcommandhistoryClick);
    Separator(file, "N1");
    QAction* saveStatistics = Item(file, "SaveDCF77statistics1", QStringLiteral("Save &DCF77 statistics"));
    connect(saveStatistics, &QAction::triggered, this, &TForm1::SaveDCF77statistics1Click);
    Separator(file, "N6");
    QAction* exitItem = Item(file, "ExitMenuItem", QStringLiteral("&Exit"));
    connect(exitItem, &QAction::triggered, this, [this] { Guarded([this] { ExitButtonClick(); }); });

    QMenu* view = Named(bar->addMenu(QStringLiteral("&View")), "View1");
    for (size_t tag = 0; tag < kPages.size(); ++tag) {
        QAction* item = Item(view, kPages[tag].viewItem, QString::fromLatin1(kPages[tag].viewCaption));
        item->setProperty("Tag", int(tag));
        connect(item, &QAction::triggered, this, [this, item] { DateTime1Click(item); });
    }
    Separator(view, "N3");
    QAction* refresh = Item(view, "Refresh1", QStringLiteral("R&efresh"));
    connect(refresh, &QAction::triggered, this, &TForm1::Refresh1Click);

    Communication2 = Named(bar->addMenu(QStringLiteral("&Communication")), "Communication2");
    auto* links = new QActionGroup(this);
    USB1 = Item(Communication2, "USB1", QStringLiteral("&USB"));
    Serial1 = Item(Communication2, "Serial1", QStringLiteral("&Serial"));
    for (QAction* item : {USB1, Serial1}) {
        item->setCheckable(true);
        links->addAction(item);
        connect(item, &QAction::triggered, this, &TForm1::USB1Click);
    }
    USB1->setChecked(true);

    Settings1 = Named(bar->addMenu(QStringLiteral("&Settings")), "Settings1");
    QMenu* serial = Named(Settings1->addMenu(QStringLiteral("&Serial")), "Communication1");
    QAction* parameters = Item(serial, "Parameters1", QStringLiteral("&Parameters"));
    connect(parameters, &QAction::triggered, this, [this] { Guarded([this] { Parameters1Click(); }); });
    QAction* saveSettings = Item(serial, "SaveSettings2", QStringLiteral("Save Settings"));
    connect(saveSettings, &QAction::triggered, this, [this] { Guarded([this] { SaveSettings2Click(); }); });
    Separator(serial, "N5");
}

void TForm1::BuildStatusBar()
{
    QStatusBar* bar = Named(new QStatusBar(this), "StatusBar1");
    bar->setSizeGripEnabled(false);
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFixedWidth(kStatusPanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panel);
        statusPanels_[i] = panel;
    }
    setStatusBar(bar);
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
    RxBuffer = SerialLineAssembler();
    ReplySeen = false;
    DcfHourStats.fill(0);
    AlarmCount = 0;
    for (QAction* item : {LoadAlarms, SaveAlarms, Loadparameters, Saveparameters, SaveIRcommandhistory})
        item->setEnabled(false);
    InitialLoad = true;
    SetStatusText(0, kNotConnected);
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
    timer1_->stop();
}

void TForm1::ExitButtonClick()
{
    if (comPort_->Connected())
        comPort_->Close();
    timer1_->stop();
    close();
}

void TForm1::TabControl1Change()
{
    const int i = tabs_->currentIndex();
    DateTimePanel->setVisible(i == 0);
    AlarmPanel->setVisible(i == 1);
    AlarmIIPanel->setVisible(i == 2 && AlarmCount > 20);
    AlarmIIDisablePanel->setVisible(i == 2 && AlarmCount <= 20);
    ModePanel->setVisible(i == 3);
    PWMPanel->setVisible(i == 4);
    RC5Panel->setVisible(i == 5);
    WhirlbeamPanel->setVisible(i == 6);
    RelaisPanel->setVisible(i == 7);
    DCF77Panel->setVisible(i == 8);
    MeasurementPanel->setVisible(i == 9);
}

void TForm1::SelectPage(int index)
{
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(index);
    }
    TabControl1Change();
}

void TForm1::DateTime1Click(QObject* sender)
{
    SelectPage(sender->property("Tag").toInt());
}

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

void TForm1::Timer1Timer()
{
    if (!LinkOpen())
        return;
    WatchReplies();
    LastCommand = CommandMemo.IsEmpty() ? NextPollCommand(LastCommand) : CommandMemo.TakeFirst();
    ShowQueueLength();
    TransmitCommand(LastCommand);
    ReplySeen = false;
}

// Red while the clock is silent; each return to green asks for everything
// again, since the clock may have been changed or replaced meanwhile.
void TForm1::WatchReplies()
{
    if (!ReplySeen) {
        LED1->SetColor(lcRed);
        ScreenCursor::SetHourglass();
    } else if (LED1->Color() != lcGreen) {
        ScreenCursor::SetHourglass();
        // A clock a little slower than the 20 ms tick turns the LED red now
        // and then; asking again while the last batch still waits would
        // grow the queue without end.
        if (CommandMemo.Passed(refreshBatchEnd_)) {
            for (const QByteArray& line : ReplyResumedBatch())
                QueueCommand(line);
            refreshBatchEnd_ = CommandMemo.EndMark();
        }
        LED1->SetColor(lcGreen);
    }
}

void TForm1::ShowQueueLength()
{
    const int queued = CommandMemo.Count();
    SetStatusText(4, queued > 0 ? QString::number(queued) : QString());
}

void TForm1::Timer2Timer()
{
    for (TLED* led : {whirlbeam_->ErrorLED, dateTime_->TimeInvalidLED})
        led->SetLit(!led->Lit());
}

// ---- The link ---------------------------------------------------------------

bool TForm1::LinkOpen() const { return comPort_->Connected() || UsbLinkOpen; }

void TForm1::QueueCommand(const QByteArray& text) { CommandMemo.Append(text); }

void TForm1::ClearCommandQueue() { CommandMemo.Clear(); }

void TForm1::TransmitCommand(const QByteArray& text)
{
    TrafficLog.Sent(text);
    if (USB1->isChecked() && UsbLinkOpen) {
        if (!CurrentHidDevice)
            return;
        // A failed write passes silently; the clock's silence shows on LED1.
        if (const auto report = FrameUsbReport(text, CurrentHidDevice->OutputReportLength()))
            CurrentHidDevice->WriteReport(*report);
        return;
    }
    comPort_->WriteText(text);
}

void TForm1::OpenButtonClick()
{
    if (!USB1->isChecked()) {
        if (comPort_->Connected()) {
            comPort_->Close();
            ScreenCursor::SetArrow();
        } else {
            comPort_->Open();
        }
        timer1_->setInterval(kSerialTickMs);
    } else if (UsbLinkOpen) {
        CloseUsbLink();
    } else if (CurrentHidDevice && !CurrentHidDevice->HasReadWriteAccess()) {
        // Opened, the link would only seem to work.
        ShowException(ClockAccessProblem(*CurrentHidDevice));
        return;
    } else {
        ComPort1AfterOpen();
        timer1_->setInterval(kUsbTickMs);
        UsbLinkOpen = true;
    }
    ClearCommandQueue();
    UpdateLinkMenus();
    if (LinkOpen())
        SetStatusText(0, kNotConnected);
}

void TForm1::CloseUsbLink()
{
    ComPort1BeforeClose();
    UsbLinkOpen = false;
    timer1_->setInterval(kSerialTickMs);
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
    OpenButton->setText(QStringLiteral("Close"));
    LED1->SetLit(true);
    timer1_->start();
    TabControl1->setEnabled(true);
    dateTime_->DatePickerChange();
    ScreenCursor::SetHourglass();
    LastCommand.clear();
}

void TForm1::ComPort1BeforeClose()
{
    timer1_->stop();
    LED1->SetColor(lcRed);
}

void TForm1::ComPort1AfterClose()
{
    OpenButton->setText(QStringLiteral("Open"));
    TabControl1->setEnabled(false);
    DeviceEdit->setText(kNoClockText);
    VersionEdit->setText(kNoVersionText);
    LED1->SetLit(false);
    // Whoever closed the link, the user or a vanished device, the panel
    // must not go on claiming a connection.
    SetStatusText(0, kNotConnected);
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

void TForm1::USB1Click()
{
    DevListBox->setVisible(USB1->isChecked());
}

void TForm1::ComPort1RxChar(int count)
{
    QByteArray text;
    comPort_->ReadText(text, count);
    for (const QByteArray& line : RxBuffer.Take(text))
        TakeReplyLine(line);
}

void TForm1::HidDeviceData(TJvHidDevice*, quint8, const QByteArray& data)
{
    const QByteArray line = ExtractUsbReplyLine(data);
    if (!line.isEmpty())
        TakeReplyLine(line);
}

void TForm1::TakeReplyLine(const QByteArray& line)
{
    TrafficLog.Received(line);
    if (StartsWithReplyLetter(line))
        ReplySeen = true;
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
    if (CurrentHidDevice) {
        CurrentHidDevice->SetOnData({});
        CurrentHidDevice = nullptr;
    }
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
            SetStatusText(0, kClockUnplugged);
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
    if (CurrentHidDevice) {
        CurrentHidDevice->SetOnData({});
        CurrentHidDevice = nullptr;
    }
    const int selected = DevListBox->currentIndex();
    if (selected < 0 || selected >= listedHidDevices_.size())
        return;
    CurrentHidDevice = listedHidDevices_[selected];
    CurrentHidDevice->SetOnData([this](TJvHidDevice* device, quint8 reportId, const QByteArray& data) {
        Guarded([&] { HidDeviceData(device, reportId, data); });
    });
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
                           : error.Code() == EComPort::kOpenFailed  ? ErrorSite::OpeningPort
                                                                    : ErrorSite::OpenPort;
    const QString explanation =
        ExplainSystemError(error.WinCode(), site == ErrorSite::PortList ? TComPort::kTtyClassDir : device, site);
    ShowException(explanation.isEmpty() ? error.Message() : error.Message() + QLatin1Char('\n') + explanation);
}

void TForm1::ShowFileError(const QString& what, const QString& file, const FileProblem& problem)
{
    const QString name = QFileInfo(file).absoluteFilePath();
    const QString reason = ExplainFileProblem(problem, name);
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
    for (int page = 0; page < int(kPages.size()); ++page) {
        SelectPage(page);
        const QString file = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(page));
        if (!grab().save(file)) {
            *error = QStringLiteral("Cannot write %1").arg(file);
            return false;
        }
    }
    return true;
}
