// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout: the top row, the page control with its page
// table, the menus and the status bar, laid out in pixels.

#include "app/PanelLayout.h"

#include "app/PageTabBar.h"
#include "app/PanelFont.h"
#include "app/PelkTexts.h"
#include "app/pages/AlarmTable.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/Dcf77Page.h"
#include "app/pages/MeasurementPage.h"
#include "app/pages/ModePage.h"
#include "app/pages/PwmPage.h"
#include "app/pages/Rc5Page.h"
#include "app/pages/RelaisPage.h"
#include "app/pages/WhirlbeamPage.h"
#include "widgets/LED.h"

#include <QActionGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QTimeEdit>

namespace {

constexpr int kClientWidth = 753;
constexpr int kClientHeight = 593;
constexpr QRect kTabControlRect(8, 40, 737, 545);
constexpr QRect kPanelRect(0, 20, 737, 525);
constexpr std::array<int, 5> kStatusPanelWidths = {100, 150, 100, 100, 50};

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

QAction* Separator(QMenu* menu, const char* name) { return Named(menu->addSeparator(), name); }

} // namespace

void PanelLayout::BuildLayout(const PageSeams& seams)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Whirlbeam clock V4.02"));
    setFont(PanelFont());
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    BuildTopRow(client);
    BuildPages(client, seams);
    BuildMenus();
    BuildStatusBar();
}

void PanelLayout::BuildTopRow(QWidget* client)
{
    LED1 = Named(new TLED(client), "LED1");
    LED1->SetColor(lcRed);
    LED1->move(8, 13);
    DeviceEdit = DisabledEdit(client, "DeviceEdit", PelkTexts::NoClock(), QRect(32, 8, 193, 21));
    DevListBox = Named(new QComboBox(client), "DevListBox");
    DevListBox->setGeometry(32, 8, 193, 21);
    DevListBox->setPlaceholderText(tr("No device found"));
    VersionEdit = DisabledEdit(client, "VersionEdit", PelkTexts::NoVersion(), QRect(248, 8, 89, 21));
    DeviceEdit->setAccessibleName(tr("Clock"));
    DevListBox->setAccessibleName(tr("Clock on USB"));
    VersionEdit->setAccessibleName(tr("Clock's version"));
    LED1->setToolTip(tr("Link: green while the clock answers, red while it is silent"));
    LED1->setAccessibleName(tr("Link lamp"));
    LED1->SetColorSpoken(true);

    DateTimePicker3 = Named(new QDateEdit(QDate::currentDate(), client), "DateTimePicker3");
    DateTimePicker3->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    DateTimePicker3->setGeometry(344, 8, 89, 21);
    DateTimePicker3->setEnabled(false);
    DateTimePicker2 = Named(new QTimeEdit(QTime::currentTime(), client), "DateTimePicker2");
    DateTimePicker2->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    DateTimePicker2->setGeometry(440, 8, 81, 21);
    DateTimePicker2->setEnabled(false);
    DateTimePicker3->setAccessibleName(tr("Clock's date"));
    DateTimePicker2->setAccessibleName(tr("Clock's time"));

    RunLED = Named(new TLED(client), "RunLED");
    RunLED->SetColor(lcGreen);
    RunLED->move(527, 13);
    RelaisLED = Named(new TLED(client), "RelaisLED");
    RelaisLED->SetColor(lcYellow);
    RelaisLED->move(544, 13);
    RunLED->setToolTip(tr("Whirlbeam running: lit while it is not in standby"));
    RelaisLED->setToolTip(tr("Relay: lit while it is on"));
    RunLED->setAccessibleName(tr("Whirlbeam running lamp"));
    RelaisLED->setAccessibleName(tr("Relay lamp"));

    OpenButton = Named(new QPushButton(tr("Open"), client), "OpenButton");
    OpenButton->setGeometry(568, 8, 81, 25);
    ExitButton = Named(new QPushButton(tr("Exit"), client), "ExitButton");
    ExitButton->setGeometry(664, 8, 81, 25);
}

// The page table: each tab's captions, its panel and the page object that
// owns the panel's controls and shows its reply kinds.
void PanelLayout::BuildPages(QWidget* client, const PageSeams& seams)
{
    TabControl1 = Named(new QWidget(client), "TabControl1");
    TabControl1->setGeometry(kTabControlRect);
    TabControl1->setEnabled(false);
    tabs_ = Named(new PageTabBar(TabControl1), "TabControl1Tabs");
    tabs_->setGeometry(0, 0, kTabControlRect.width(), kPanelRect.top() + 1);

    // Panels first, then the pages' controls, in tab order: the order of
    // creation is the order the Tab key walks.
    const auto panel = [this](const char* name) { return Panel(TabControl1, name); };
    QWidget* dateTimePanel = panel("DateTimePanel");
    QWidget* alarmsI = panel("AlarmPanel");
    QWidget* alarmsII = panel("AlarmIIPanel");
    QWidget* alarmsIINotice = panel("AlarmIIDisablePanel");
    auto* notice = Named(new QLabel(tr("Not avaible on Whirlbeam Clock's base built with 16F628(A) or 16F648A."),
                             alarmsIINotice),
        "AlarmIINoticeLabel");
    notice->setGeometry(0, 0, kPanelRect.width(), kPanelRect.height());
    notice->setAlignment(Qt::AlignCenter);
    const std::array<QWidget*, 7> panels = {panel("ModePanel"), panel("PWMPanel"), panel("RC5Panel"),
        panel("WhirlbeamPanel"), panel("RelaisPanel"), panel("DCF77Panel"), panel("MeasurementPanel")};

    const auto& queue = seams.queueCommand;
    const int& alarmCount = seams.alarmCount;
    pages_ = {
        {QT_TR_NOOP("Date - Time"), "DateTime1", QT_TR_NOOP("&Date Time"), dateTimePanel, dateTime_ = new DateTimePage(dateTimePanel, queue)},
        {QT_TR_NOOP("Alarms I"), "Alarms1", QT_TR_NOOP("&Alarms I"), alarmsI, alarms_ = new AlarmTable(alarmsI, alarmsII, queue, this)},
        {QT_TR_NOOP("Alarms II"), "AlarmsII1", QT_TR_NOOP("A&larms II"), alarmsII, alarms_, alarmsIINotice,
            [&alarmCount] { return alarmCount <= AlarmTable::kRowsPerBank; }},
        {QT_TR_NOOP("Mode"), "Mode1", QT_TR_NOOP("&Mode"), panels[0], mode_ = new ModePage(panels[0], queue)},
        {QT_TR_NOOP("PWM parameters"), "PWM1", QT_TR_NOOP("&PWM parameters"), panels[1], pwm_ = new PwmPage(panels[1], queue)},
        {QT_TR_NOOP("Infra RC5 commands"), "Rc5commands1", QT_TR_NOOP("&Infra RC5 commands"), panels[2], rc5_ = new Rc5Page(panels[2], queue)},
        {QT_TR_NOOP("Whirlbeam"), "Whirlbeam1", QT_TR_NOOP("Whirl&beam"), panels[3], whirlbeam_ = new WhirlbeamPage(panels[3], queue)},
        {QT_TR_NOOP("Relais"), "Relais1", QT_TR_NOOP("&Relais"), panels[4], relais_ = new RelaisPage(panels[4], queue)},
        {QT_TR_NOOP("DCF77 synchron"), "DCF771", QT_TR_NOOP("D&CF77"), panels[5], dcf77_ = new Dcf77Page(panels[5], seams.dcfHourStats, queue)},
        {QT_TR_NOOP("Measurements"), "Measurements1", QT_TR_NOOP("M&easurements"), panels[6],
            measurement_ = new MeasurementPage(panels[6], queue)},
    };
    for (const Page& entry : pages_)
        tabs_->addTab(tr(entry.caption));

    connect(DateTimePicker3, &QDateEdit::dateChanged, dateTime_, &DateTimePage::DatePickerChange);
    BindPageKeys();
}

// The page keys of every tabbed window, wherever the focus is in it.
void PanelLayout::BindPageKeys()
{
    const struct {
        QKeySequence keys;
        int step;
    } bindings[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1}, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1}, {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& binding : bindings) {
        auto* shortcut = new QShortcut(binding.keys, this);
        const int step = binding.step;
        connect(shortcut, &QShortcut::activated, this, [this, step] { StepPage(step); });
    }
}

// The tab bar's own signal runs the tab handler, as a click does.
void PanelLayout::StepPage(int step)
{
    const int count = tabs_->count();
    int page = tabs_->currentIndex();
    for (int tried = 1; tried < count; ++tried) {
        page = (page + step + count) % count;
        if (tabs_->isTabEnabled(page)) {
            tabs_->setCurrentIndex(page);
            return;
        }
    }
}

void PanelLayout::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = Named(bar->addMenu(tr("&File")), "File1");
    LoadAlarms = Item(file, "LoadAlarms", tr("&Load Alarms"));
    SaveAlarms = Item(file, "SaveAlarms", tr("&Save Alarms"));
    Separator(file, "N2");
    Loadparameters = Item(file, "Loadparameters", tr("Load &parameters"));
    Saveparameters = Item(file, "Saveparameters", tr("Save pa&rameters"));
    Separator(file, "N4");
    SaveIRcommandhistory = Item(file, "SaveIRcommandhistory", tr("Save IR command &history"));
    Separator(file, "N1");
    SaveDCF77statistics1 = Item(file, "SaveDCF77statistics1", tr("Save &DCF77 statistics"));
    Separator(file, "N6");
    ExitMenuItem = Item(file, "ExitMenuItem", tr("&Exit"));

    QMenu* view = Named(bar->addMenu(tr("&View")), "View1");
    for (size_t tag = 0; tag < pages_.size(); ++tag) {
        QAction* item = Item(view, pages_[tag].viewItem, tr(pages_[tag].viewCaption));
        item->setProperty("Tag", int(tag));
        viewItems_.push_back(item);
    }
    Separator(view, "N3");
    Refresh1 = Item(view, "Refresh1", tr("R&efresh"));
    Separator(view, "N8");
    TrafficAction = Item(view, "TrafficAction", tr("&Traffic"));
    TrafficAction->setCheckable(true);

    Communication2 = Named(bar->addMenu(tr("&Communication")), "Communication2");
    auto* links = new QActionGroup(this);
    USB1 = Item(Communication2, "USB1", tr("&USB"));
    Serial1 = Item(Communication2, "Serial1", tr("&Serial"));
    for (QAction* item : {USB1, Serial1}) {
        item->setCheckable(true);
        links->addAction(item);
    }
    USB1->setChecked(true);
    Separator(Communication2, "N7");
    Reconnect1 = Item(Communication2, "Reconnect1", tr("Reconnect automatically"));
    Reconnect1->setCheckable(true);

    Settings1 = Named(bar->addMenu(tr("&Settings")), "Settings1");
    QMenu* serial = Named(Settings1->addMenu(tr("&Serial")), "Communication1");
    Parameters1 = Item(serial, "Parameters1", tr("&Parameters"));
    SaveSettings2 = Item(serial, "SaveSettings2", tr("Save Settings"));
    Separator(serial, "N5");
}

void PanelLayout::BuildStatusBar()
{
    QStatusBar* bar = Named(new QStatusBar(this), "StatusBar1");
    bar->setSizeGripEnabled(false);
    const std::array<QString, 5> kinds = {tr("Connection"), tr("Whirlbeam mode"), tr("Relay"), tr("Time"),
        tr("Command lines waiting to be sent to the clock")};
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFixedWidth(kStatusPanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setToolTip(kinds[i]);
        bar->addWidget(panel);
        statusPanels_[i] = panel;
    }
    setStatusBar(bar);
}

QString PanelLayout::StatusText(int panel) const { return statusPanels_[size_t(panel)]->text(); }

// The connection's panel grows for a text it cannot show whole (a port's
// long path while its clock is awaited) rather than cut it.
void PanelLayout::SetStatusText(int panel, const QString& text)
{
    QLabel* label = statusPanels_[size_t(panel)];
    label->setText(text);
    if (panel == 0)
        label->setFixedWidth(std::max(kStatusPanelWidths[0], label->sizeHint().width()));
}
