// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/AlarmTable.h"
#include "app/PelkMain.h"
#include "app/ScreenCursor.h"
#include "app/WindowPlacement.h"
#include "support/FakeComPort.h"
#include "support/FakeDialogs.h"
#include "support/FakeHid.h"
#include "support/PanelFixture.h"
#include "link/EdgeTiming.h"
#include "protocol/commands/ClockCommands.h"
#include "protocol/commands/StatusRequests.h"
#include "widgets/LED.h"
#include "widgets/Spin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabBar>
#include <QTimeEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>


class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ScreenCursor::SetArrow(); }

    void startsClosedOnTheDatePage();
    void namedControlsExist_data();
    void namedControlsExist();
    void menusHoldTheirItems_data();
    void menusHoldTheirItems();
    void settingsAreReadAtStartAndErrorsIgnored();
    void alarmRowsAreLaidOut_data();
    void alarmRowsAreLaidOut();
    void sharedHandlersFindTheirRowByTag();
    void alarmsIIPageFollowsAlarmCount_data();
    void alarmsIIPageFollowsAlarmCount();
    void pageKeysStepLikeATabClick_data();
    void pageKeysStepLikeATabClick();

    void serialOpenAndClose();
    void serialOpenFailureLeavesTheRestUndone();
    void readProgressInTheStatusBar();
    void usbOpenWithoutDevice();
    void openClearsTheQueue();
    void linkChoiceShowsDeviceList();

    void idleTicksSendNothing();
    void firstTickWithoutReply();
    void firstReplyQueuesTheBatch();
    void queuedCommandThenPollResumes();
    void queueLengthShowsInPanelFour_data();
    void queueLengthShowsInPanelFour();
    void everyReturnToGreenRefreshes();
    void tickWatchIsLed1_data();
    void tickWatchIsLed1();
    void syncTimeSetsTheClockOnTheEdge_data();
    void syncTimeSetsTheClockOnTheEdge();
    void writeErrorShowsOneBox();
    void usbTicksWithoutDeviceSendNothing();
    void usbFraming_data();
    void usbFraming();
    void serialFramingIsBare();
    void usbTickIsPrecise();
    void blinkTickTogglesBothLeds();
    void clockIsUnknownWithoutALink_data();
    void clockIsUnknownWithoutALink();
    void unknownClockShowsAgainOnItsReplies();

    void serialRepliesReachReplyHandling_data();
    void serialRepliesReachReplyHandling();
    void unfinishedLineSurvivesReopen();
    void usbReportsReachReplyHandling();
    void deviceListHooksTheFirstClock();
    void lostClockIsAwaited_data();
    void lostClockIsAwaited();
    void reconnectIsKeptInItsOwnSection();

    void firstActivationHooksTheSelectedDevice();
    void refreshQueuesBehindQueuedLines();
    void exitClosesThePortFirst();
    void screenshotsWriteEveryPage();
};

void MainWindowTest::startsClosedOnTheDatePage()
{
    Panel p;
    QCOMPARE(p.form.windowTitle(), QStringLiteral("Whirlbeam clock V4.02"));
    QVERIFY(p.Visible("DateTimePanel"));
    QVERIFY(!p.Get("TabControl1")->isEnabled());
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), QStringLiteral("Press open to connect to the clock"));
    QCOMPARE(p.Get<QLineEdit>("VersionEdit")->text(), QStringLiteral("Version not read"));
    QCOMPARE(p.form.StatusText(0), QStringLiteral("Not connected"));
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QVERIFY(!p.Led1()->Lit());
    QCOMPARE(p.Led1()->Color(), lcRed);
    QVERIFY(p.Action("USB1")->isChecked());
    QVERIFY(p.Visible("DevListBox"));
    QCOMPARE(p.Get<QComboBox>("DevListBox")->placeholderText(), QStringLiteral("No device found"));
    QVERIFY(p.form.InitialLoad);
    QCOMPARE(p.form.AlarmCount, 0);
    QVERIFY(p.form.Timer1()->isActive());
    QCOMPARE(p.form.Timer1()->interval(), 250);
    QCOMPARE(p.form.Timer2()->interval(), 500);
    QVERIFY(p.Get("StatusBar1"));
    QCOMPARE(p.Get("TabControl1")->geometry(), QRect(8, 40, 737, 545));
}

void MainWindowTest::namedControlsExist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    const QList<std::pair<const char*, const char*>> controls = {
        {"LED1", "TLED"}, {"DeviceEdit", "QLineEdit"}, {"DevListBox", "QComboBox"},
        {"VersionEdit", "QLineEdit"}, {"DateTimePicker3", "QDateEdit"}, {"DateTimePicker2", "QTimeEdit"},
        {"RunLED", "TLED"}, {"RelaisLED", "TLED"}, {"OpenButton", "QPushButton"},
        {"ExitButton", "QPushButton"}, {"TabControl1", "QWidget"}, {"StatusBar1", "QStatusBar"},
        {"DateTimePanel", "QFrame"}, {"AlarmPanel", "QFrame"}, {"AlarmIIPanel", "QFrame"},
        {"AlarmIIDisablePanel", "QFrame"}, {"ModePanel", "QFrame"}, {"PWMPanel", "QFrame"},
        {"RC5Panel", "QFrame"}, {"WhirlbeamPanel", "QFrame"}, {"RelaisPanel", "QFrame"},
        {"DCF77Panel", "QFrame"}, {"MeasurementPanel", "QFrame"},
        {"TimeInvalidLED", "TLED"}, {"ErrorLED", "TLED"}, {"IndexLED", "TLED"},
        {"CoilHpLED", "TLED"}, {"CoilLpLED", "TLED"}, {"CoilNoLED", "TLED"},
        {"RelaisLEDLabel", "TLEDLabel"}, {"LEDLabel1", "TLEDLabel"}, {"DCFErrorLEDLabel", "TLEDLabel"},
        {"DCFParityErrorLEDLabel", "TLEDLabel"}, {"DCFReadyLEDLabel", "TLEDLabel"},
        {"DCFWaitSyncLEDlabel", "TLEDLabel"}, {"DCFEnabledLEDLabel", "TLEDLabel"},
        {"DCFSummerTimeLEDLabel", "TLEDLabel"}, {"Alm00Edit", "QLineEdit"},
        {"Alm00EnableCheckBox", "QCheckBox"}, {"Alm00W7CheckBox", "QCheckBox"},
        {"Alm00TimePicker", "QTimeEdit"}, {"Alm00IgnoreHourCheckBox", "QCheckBox"},
        {"Alm00PonCheckBox", "QCheckBox"}, {"Alm00PoffCheckBox", "QCheckBox"},
        {"Alm00SoundCheckBox", "QCheckBox"}, {"Alm00RelOnCheckBox", "QCheckBox"},
        {"Alm00SpinEdit", "TSpinEdit"}, {"Alm00SendButton", "QPushButton"},
        {"Alm39SendButton", "QPushButton"}};
    for (const auto& [name, kind] : controls)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind);
}

void MainWindowTest::namedControlsExist()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    Panel p;
    const QList<QWidget*> found = p.form.findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QVERIFY2(found.first()->inherits(kind.toLatin1()), qPrintable(name));
}

void MainWindowTest::menusHoldTheirItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("tag");
    const struct { const char* name; const char* caption; bool enabled; int tag; } items[] = {
        {"LoadAlarms", "&Load Alarms", false, -1}, {"SaveAlarms", "&Save Alarms", false, -1},
        {"Loadparameters", "Load &parameters", false, -1}, {"Saveparameters", "Save pa&rameters", false, -1},
        {"SaveIRcommandhistory", "Save IR command &history", false, -1},
        {"SaveDCF77statistics1", "Save &DCF77 statistics", true, -1}, {"ExitMenuItem", "&Exit", true, -1},
        {"DateTime1", "&Date Time", true, 0}, {"Alarms1", "&Alarms I", true, 1},
        {"AlarmsII1", "A&larms II", true, 2}, {"Mode1", "&Mode", true, 3},
        {"PWM1", "&PWM parameters", true, 4}, {"Rc5commands1", "&Infra RC5 commands", true, 5},
        {"Whirlbeam1", "Whirl&beam", true, 6}, {"Relais1", "&Relais", true, 7},
        {"DCF771", "D&CF77", true, 8}, {"Measurements1", "M&easurements", true, 9},
        {"Refresh1", "R&efresh", true, -1}, {"USB1", "&USB", true, -1}, {"Serial1", "&Serial", true, -1},
        {"Reconnect1", "Reconnect automatically", true, -1},
        {"Parameters1", "&Parameters", true, -1}, {"SaveSettings2", "Save Settings", true, -1}};
    for (const auto& item : items)
        QTest::newRow(item.name) << QString::fromLatin1(item.name) << QString::fromLatin1(item.caption)
                                 << item.enabled << item.tag;
}

void MainWindowTest::menusHoldTheirItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(int, tag);
    Panel p;
    auto* item = p.form.findChild<QAction*>(name);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->isEnabled(), enabled);
    if (tag >= 0)
        QCOMPARE(item->property("Tag").toInt(), tag);
    for (const char* separator : {"N1", "N2", "N3", "N4", "N5", "N6"})
        QVERIFY(p.Action(separator)->isSeparator());
    QCOMPARE(p.Get<QMenu>("Communication2")->title(), QStringLiteral("&Communication"));
    QCOMPARE(p.Get<QMenu>("Settings1")->title(), QStringLiteral("&Settings"));
    QCOMPARE(p.Get<QMenu>("Communication1")->title(), QStringLiteral("&Serial"));
}

void MainWindowTest::settingsAreReadAtStartAndErrorsIgnored()
{
    auto* port = new FakeComPort;
    port->failReadSettings = true;
    auto* dialogs = new FakeDialogs;
    TForm1 form{TForm1::Devices{std::unique_ptr<TCustomComPort>(port), nullptr,
                                std::unique_ptr<DialogSeam>(dialogs)}};
    QCOMPARE(port->settingsReadFrom, QStringLiteral("./WhirlbeamClock.ini"));
    QVERIFY(dialogs->errors.isEmpty());
}

void MainWindowTest::alarmRowsAreLaidOut_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("top");
    QTest::newRow("0") << 0 << "AlarmPanel" << 24;
    QTest::newRow("1") << 1 << "AlarmPanel" << 46;
    QTest::newRow("19") << 19 << "AlarmPanel" << 442;
    QTest::newRow("20") << 20 << "AlarmIIPanel" << 24;
    QTest::newRow("27") << 27 << "AlarmIIPanel" << 178;
    QTest::newRow("39") << 39 << "AlarmIIPanel" << 442;
}

void MainWindowTest::alarmRowsAreLaidOut()
{
    QFETCH(int, row);
    QFETCH(QString, page);
    QFETCH(int, top);
    Panel p;
    const AlarmRow& r = p.form.Alarms()->AlarmRows[size_t(row)];
    const QList<QWidget*> controls = {r.Edit, r.EnableCheckBox, r.WCheckBoxes[0], r.WCheckBoxes[6],
                                      r.TimePicker, r.IgnoreHourCheckBox, r.PonCheckBox, r.PoffCheckBox,
                                      r.SoundCheckBox, r.RelOnCheckBox, r.SpinEdit, r.SendButton};
    for (QWidget* control : controls) {
        QCOMPARE(control->parentWidget()->objectName(), page);
        QCOMPARE(control->y(), top);
    }
    QCOMPARE(r.Edit->text(), QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')));
    QVERIFY(!r.Edit->isEnabled());
    QCOMPARE(r.Edit->geometry(), QRect(16, top, 25, 21));
    QCOMPARE(r.WCheckBoxes[3]->x(), 144);
    QCOMPARE(r.WCheckBoxes[3]->toolTip(), QStringLiteral("4"));
    QCOMPARE(r.TimePicker->geometry(), QRect(224, top, 89, 21));
    QCOMPARE(r.TimePicker->displayFormat(), QStringLiteral("HH:mm"));
    QCOMPARE(r.TimePicker->time(), QTime(0, 0));
    QCOMPARE(r.SpinEdit->x(), 600);
    QCOMPARE(r.SpinEdit->width(), 41);
    QCOMPARE(r.SpinEdit->MaxValue(), 127);
    QCOMPARE(r.SpinEdit->maxLength(), 3);
    QCOMPARE(r.SendButton->geometry(), QRect(656, top, 65, 21));
    QCOMPARE(r.SendButton->text(), QStringLiteral("Send"));
    for (QObject* tagged : {static_cast<QObject*>(r.PonCheckBox), static_cast<QObject*>(r.SoundCheckBox),
                            static_cast<QObject*>(r.SendButton)})
        QCOMPARE(tagged->property("Tag").toInt(), row);
}

void MainWindowTest::sharedHandlersFindTheirRowByTag()
{
    Panel p;
    const AlarmRow& row27 = p.form.Alarms()->AlarmRows[27];
    const AlarmRow& row26 = p.form.Alarms()->AlarmRows[26];
    row27.RelOnCheckBox->setChecked(true);
    row26.RelOnCheckBox->setChecked(true);
    row27.SoundCheckBox->toggle();
    QVERIFY(row27.SoundCheckBox->isChecked());
    QVERIFY(!row27.RelOnCheckBox->isChecked());
    QVERIFY(row26.RelOnCheckBox->isChecked());

    row27.PoffCheckBox->setChecked(true);
    row27.PonCheckBox->toggle();
    QVERIFY(row27.PonCheckBox->isChecked());
    QVERIFY(!row27.PoffCheckBox->isChecked());
    row27.RelOnCheckBox->toggle();
    QVERIFY(!row27.PonCheckBox->isChecked());
    QVERIFY(!row27.SoundCheckBox->isChecked());

    row27.SpinEdit->SetValue(10);
    p.form.Alarms()->Alm00SendButtonClick(row27.SendButton);
    QCOMPARE(p.Queue(), Lines{"k270000008A"});
}

void MainWindowTest::alarmsIIPageFollowsAlarmCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("rowsShown");
    QTest::newRow("not reported") << 0 << false;
    QTest::newRow("20") << 20 << false;
    QTest::newRow("21") << 21 << true;
    QTest::newRow("40") << 40 << true;
}

void MainWindowTest::alarmsIIPageFollowsAlarmCount()
{
    QFETCH(int, count);
    QFETCH(bool, rowsShown);
    Panel p;
    p.Action("AlarmsII1")->trigger();
    QVERIFY(p.Visible("AlarmIIDisablePanel"));
    QVERIFY(!p.Visible("AlarmIIPanel"));
    QVERIFY(!p.Visible("DateTimePanel"));

    p.form.AlarmCount = count;
    QVERIFY2(p.Visible("AlarmIIDisablePanel"), "the choice is made on a page switch only");
    p.Action("Mode1")->trigger();
    QVERIFY(p.Visible("ModePanel"));
    p.Action("AlarmsII1")->trigger();
    QCOMPARE(p.Visible("AlarmIIPanel"), rowsShown);
    QCOMPARE(p.Visible("AlarmIIDisablePanel"), !rowsShown);
    QCOMPARE(p.Get<QTabBar>("TabControl1Tabs")->currentIndex(), 2);
}

void MainWindowTest::pageKeysStepLikeATabClick_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("alarmsII"); // whether its tab is enabled
    QTest::addColumn<int>("to");
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+Tab") << 0 << int(Qt::Key_Tab) << ctrl << true << 1;
    QTest::newRow("Ctrl+Tab round the end") << 9 << int(Qt::Key_Tab) << ctrl << true << 0;
    QTest::newRow("Ctrl+Shift+Tab as X11 sends it") << 1 << int(Qt::Key_Backtab) << ctrlShift << true << 0;
    QTest::newRow("Ctrl+Shift+Tab") << 0 << int(Qt::Key_Tab) << ctrlShift << true << 9;
    QTest::newRow("Ctrl+PgDown") << 2 << int(Qt::Key_PageDown) << ctrl << true << 3;
    QTest::newRow("Ctrl+PgUp") << 3 << int(Qt::Key_PageUp) << ctrl << true << 2;
    QTest::newRow("over a disabled tab") << 1 << int(Qt::Key_Tab) << ctrl << false << 3;
    QTest::newRow("back over a disabled tab") << 3 << int(Qt::Key_PageUp) << ctrl << false << 1;
}

// The key reaches the window from a time edit, which takes most keys itself.
void MainWindowTest::pageKeysStepLikeATabClick()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, alarmsII);
    QFETCH(int, to);
    const char* const panels[] = {"DateTimePanel", "AlarmPanel", "AlarmIIDisablePanel", "ModePanel", "PWMPanel",
        "RC5Panel", "WhirlbeamPanel", "RelaisPanel", "DCF77Panel", "MeasurementPanel"};
    Panel p;
    p.ChooseSerial();
    p.Open();
    auto* tabs = p.Get<QTabBar>("TabControl1Tabs");
    tabs->setTabEnabled(2, alarmsII);
    p.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&p.form));
    auto* picker = p.Get<QTimeEdit>("TimePicker");
    picker->setFocus();
    tabs->setCurrentIndex(from);
    QTest::keyClick(from == 0 ? static_cast<QWidget*>(picker) : &p.form, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(tabs->currentIndex(), to);
    QVERIFY(p.Visible(panels[to]));
    QVERIFY(!p.Visible(panels[from]));
}

void MainWindowTest::serialOpenAndClose()
{
    Panel p;
    p.ChooseSerial();
    p.form.LastCommand = "d";
    p.Open();
    QVERIFY(p.port->connected);
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Close"));
    QVERIFY(p.Led1()->Lit());
    QCOMPARE(p.Led1()->Color(), lcRed);
    QVERIFY(p.form.Timer1()->isActive());
    QCOMPARE(p.form.Timer1()->interval(), 250);
    QVERIFY(p.Get("TabControl1")->isEnabled());
    QVERIFY(!p.Get<QMenu>("Settings1")->menuAction()->isEnabled());
    QVERIFY(!p.Get<QMenu>("Communication2")->menuAction()->isEnabled());
    QCOMPARE(p.form.StatusText(0), QStringLiteral("Not connected"));
    QVERIFY(ScreenCursor::IsHourglass());
    QVERIFY(p.form.LastCommand.isEmpty());

    p.form.SetStatusText(0, QStringLiteral("Connected"));
    p.Get<QLineEdit>("DeviceEdit")->setText(QStringLiteral("Pelk clock"));
    p.Open();
    QVERIFY(!p.port->connected);
    QCOMPARE(p.port->events, (QStringList{"BeforeOpen", "AfterOpen", "BeforeClose", "AfterClose"}));
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QVERIFY(!p.Led1()->Lit());
    QVERIFY(!p.form.Timer1()->isActive());
    QVERIFY(!p.Get("TabControl1")->isEnabled());
    QCOMPARE(p.Get<QLineEdit>("DeviceEdit")->text(), QStringLiteral("Press open to connect to the clock"));
    QVERIFY(p.Get<QMenu>("Settings1")->menuAction()->isEnabled());
    QCOMPARE(p.form.StatusText(0), QStringLiteral("Not connected"));
    QVERIFY(!ScreenCursor::IsHourglass());
}

void MainWindowTest::serialOpenFailureLeavesTheRestUndone()
{
    Panel p;
    p.ChooseSerial();
    p.port->failOpenWith = 2;
    p.form.QueueCommand("c");
    p.Open();
    QCOMPARE(p.dialogs->errors.size(), 1);
    QCOMPARE(p.dialogs->errors[0].section('\n', 0, 0), QStringLiteral("Unable to open com port (win error code: 2)"));
    QVERIFY(p.dialogs->errors[0].contains(QStringLiteral("\nNo device /dev/ttyS0. Serial ports found: ")));
    QVERIFY(!p.form.LinkOpen());
    QCOMPARE(p.Queue(), Lines{"c"});
    QVERIFY(p.Get<QMenu>("Settings1")->menuAction()->isEnabled());
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
}

void MainWindowTest::usbOpenWithoutDevice()
{
    Panel p;
    p.Open();
    QVERIFY(p.form.UsbLinkOpen);
    QCOMPARE(p.form.Timer1()->interval(), 20);
    QVERIFY(p.form.Timer1()->isActive());
    QVERIFY(p.Get("TabControl1")->isEnabled());
    QVERIFY(!p.Get<QMenu>("Communication2")->menuAction()->isEnabled());
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Close"));

    p.Open();
    QVERIFY(!p.form.UsbLinkOpen);
    QCOMPARE(p.form.Timer1()->interval(), 250);
    QVERIFY(!p.form.Timer1()->isActive());
    QVERIFY(!p.Led1()->Lit());
    QVERIFY(p.Get<QMenu>("Communication2")->menuAction()->isEnabled());
    QVERIFY2(ScreenCursor::IsHourglass(), "closing the USB link leaves the cursor alone");
}

void MainWindowTest::openClearsTheQueue()
{
    Panel p;
    p.form.QueueCommand("c");
    p.Open();
    QVERIFY(p.Queue().isEmpty());
    p.form.QueueCommand("c");
    p.Open();
    QVERIFY(p.Queue().isEmpty());
}

void MainWindowTest::linkChoiceShowsDeviceList()
{
    Panel p;
    p.ChooseSerial();
    QVERIFY(!p.Visible("DevListBox"));
    QVERIFY(p.Action("Serial1")->isChecked());
    QVERIFY(!p.Action("USB1")->isChecked());
    p.Action("USB1")->trigger();
    QVERIFY(p.Visible("DevListBox"));
}

void MainWindowTest::idleTicksSendNothing()
{
    Panel p;
    p.ChooseSerial();
    p.form.QueueCommand("c");
    p.form.ReplySeen = true;
    p.form.Timer1Timer();
    QVERIFY(p.port->writes.isEmpty());
    QCOMPARE(p.Queue(), Lines{"c"});
    QVERIFY(p.form.ReplySeen);
    QVERIFY(!ScreenCursor::IsHourglass());
}

void MainWindowTest::firstTickWithoutReply()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    ScreenCursor::SetArrow();
    p.form.Timer1Timer();
    QCOMPARE(p.port->writes, Lines{"p"});
    QCOMPARE(p.Led1()->Color(), lcRed);
    QVERIFY(ScreenCursor::IsHourglass());
    QCOMPARE(p.form.LastCommand, QByteArray("p"));
}

void MainWindowTest::firstReplyQueuesTheBatch()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.form.Timer1Timer();
    p.port->Receive("PelkClock\n");
    QVERIFY(p.form.ReplySeen);
    p.form.Timer1Timer();
    QCOMPARE(p.Led1()->Color(), lcGreen);
    QCOMPARE(p.port->writes, (Lines{"p", "p"}));
    QCOMPARE(p.Queue().size(), 13);
    QCOMPARE(p.Queue().first(), QByteArray("v"));
    QCOMPARE(p.form.StatusText(4), QStringLiteral("13"));
    QVERIFY(!p.form.ReplySeen);
}

// The bar shows the read beside the queue length, which stays as it was,
// and goes with the end-of-read reply.
void MainWindowTest::readProgressInTheStatusBar()
{
    Panel p;
    ShowCentredAtFixedSize(p.form);
    QTRY_COMPARE(p.form.maximumSize(), p.form.size());
    const QSize size = p.form.size();
    p.ChooseSerial();
    p.Open();
    auto* bar = p.Get<QProgressBar>("ReadProgress");
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->accessibleName(), QStringLiteral("Progress of reading the clock"));
    p.form.Timer1Timer();
    p.port->Receive("Pelk Whirlbeam Clock\n");
    p.form.Timer1Timer();
    p.port->Receive("Pelk Whirlbeam Clock\n");
    QVERIFY(!bar->isHidden());
    QCOMPARE(bar->format(), QStringLiteral("Reading the clock: parameters 1 of 14"));
    // The window keeps its fixed size while the bar is shown.
    QTest::qWait(50);
    QCOMPARE(p.form.size(), size);
    QCOMPARE(p.form.StatusText(4), QStringLiteral("13"));
    p.port->Receive("Z\n");
    QVERIFY(bar->isHidden());
    QVERIFY(!ScreenCursor::IsHourglass());
}

void MainWindowTest::queuedCommandThenPollResumes()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.form.LastCommand = "t";
    p.form.QueueCommand("b2024031505");
    p.form.Timer1Timer();
    p.form.Timer1Timer();
    QCOMPARE(p.port->writes, (Lines{"b2024031505", "d"}));
    QVERIFY(p.form.StatusText(4).isEmpty());
}

void MainWindowTest::queueLengthShowsInPanelFour_data()
{
    QTest::addColumn<int>("queued");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << 0 << "";
    QTest::newRow("one, sent") << 1 << "";
    QTest::newRow("two") << 2 << "1";
    QTest::newRow("forty-one") << 41 << "40";
}

void MainWindowTest::queueLengthShowsInPanelFour()
{
    QFETCH(int, queued);
    QFETCH(QString, shown);
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.form.SetStatusText(4, QStringLiteral("99"));
    for (int i = 0; i < queued; ++i)
        p.form.QueueCommand("l" + QByteArray::number(i));
    p.form.Timer1Timer();
    QCOMPARE(p.form.StatusText(4), shown);
}

void MainWindowTest::everyReturnToGreenRefreshes()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    const auto tickWith = [&p](bool reply) {
        if (reply)
            p.port->Receive("D20240315052\n");
        p.form.Timer1Timer();
    };
    tickWith(true);
    p.form.ClearCommandQueue();
    tickWith(true);
    QVERIFY2(p.Queue().isEmpty(), "staying green queues nothing");
    tickWith(false);
    QCOMPARE(p.Led1()->Color(), lcRed);
    tickWith(true);
    QCOMPARE(p.Led1()->Color(), lcGreen);
    QCOMPARE(p.Queue().size(), 13);
}

// The reply watch's state is LED1's colour, however it got it; a write that
// fails leaves the tick after the watch, ReplySeen kept for the next.
void MainWindowTest::tickWatchIsLed1_data()
{
    QTest::addColumn<bool>("green");
    QTest::addColumn<bool>("replySeen");
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<bool>("batch");
    QTest::addColumn<bool>("greenAfter");
    QTest::addColumn<bool>("replySeenAfter");
    QTest::newRow("green, answered: nothing new") << true << true << false << false << true << false;
    QTest::newRow("red, answered: batch, green") << false << true << false << true << true << false;
    QTest::newRow("green, silent: red") << true << false << false << false << false << false;
    QTest::newRow("red, answered, write fails") << false << true << true << true << true << true;
    QTest::newRow("green, answered, write fails") << true << true << true << false << true << true;
    QTest::newRow("green, silent, write fails") << true << false << true << false << false << false;
}

void MainWindowTest::tickWatchIsLed1()
{
    QFETCH(bool, green);
    QFETCH(bool, replySeen);
    QFETCH(bool, writeFails);
    QFETCH(bool, batch);
    QFETCH(bool, greenAfter);
    QFETCH(bool, replySeenAfter);
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.Led1()->SetColor(green ? lcGreen : lcRed);
    p.form.ReplySeen = replySeen;
    p.port->failWriteWith = writeFails ? 5 : 0;
    QMetaObject::invokeMethod(p.form.Timer1(), "timeout");
    QCOMPARE(p.Queue(), batch ? ReplyResumedBatch().mid(1) : Lines{});
    QCOMPARE(p.Led1()->Color(), greenAfter ? lcGreen : lcRed);
    QCOMPARE(p.form.ReplySeen, replySeenAfter);
    QCOMPARE(p.dialogs->errors.size(), writeFails ? 1 : 0);
    QCOMPARE(p.port->writes, writeFails ? Lines{} : Lines{"p"});
}

// The date line at the tick, then the time line whole at the clock (seven
// characters at 9600 baud) as the second it names begins, nothing between
// them; a link closed meanwhile sends no time line.
void MainWindowTest::syncTimeSetsTheClockOnTheEdge_data()
{
    QTest::addColumn<bool>("closeOnTheWay");
    QTest::newRow("set") << false;
    QTest::newRow("closed before the edge") << true;
}

void MainWindowTest::syncTimeSetsTheClockOnTheEdge()
{
    using namespace std::chrono;
    QFETCH(bool, closeOnTheWay);
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.form.QueueCommand("c");
    p.Get<QPushButton>("SyncTimeButton")->click();
    p.Get<QPushButton>("SyncTimeButton")->click();
    QTRY_COMPARE(p.port->writes.size(), 2);
    QCOMPARE(p.port->writes[0], QByteArray("c"));
    if (closeOnTheWay) {
        p.Open();
        QTest::qWait(2200);
        QCOMPARE(p.port->writes.size(), 2);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(p.port->writes.size() >= 3, 3000);
    const system_clock::time_point whole = p.port->writtenAt[2] + SerialLineTime(7, 10, 9600);
    const QDateTime second = QDateTime::fromMSecsSinceEpoch(duration_cast<milliseconds>(whole.time_since_epoch()).count());
    QCOMPARE(p.port->writes[1], SetDateCommand(second.date()));
    QCOMPARE(p.port->writes[2], SetTimeCommand(second.time()));
    QVERIFY2(second.time().msec() < 500, "on the second's edge, not anywhere in the second");
}

void MainWindowTest::writeErrorShowsOneBox()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.port->Receive("C\n");
    p.port->failWriteWith = 5;
    for (int i = 0; i < 3; ++i)
        p.form.QueueCommand("c");
    // Two ticks fall while the box is up, as they would in its modal loop.
    p.dialogs->whileOpen = [&p] {
        for (int i = 0; i < 2; ++i)
            QMetaObject::invokeMethod(p.form.Timer1(), "timeout");
    };
    QMetaObject::invokeMethod(p.form.Timer1(), "timeout");

    QCOMPARE(p.dialogs->errors, QStringList{"WriteFile function failed (win error code: 5)\n"
                                            "The device is gone (unplugged?). Plug it in again and press Open."});
    QVERIFY(p.port->writes.isEmpty());
    QVERIFY2(p.form.ReplySeen, "a failed write keeps ReplySeen for the next tick");
    QCOMPARE(p.Queue(), ReplyResumedBatch());

    p.dialogs->whileOpen = nullptr;
    p.port->failWriteWith = 0;
    QMetaObject::invokeMethod(p.form.Timer1(), "timeout");
    QCOMPARE(p.port->writes, Lines{"p"});
}

void MainWindowTest::usbTicksWithoutDeviceSendNothing()
{
    Panel p;
    p.Open();
    p.form.QueueCommand("c");
    p.form.Timer1Timer();
    p.form.Timer1Timer();
    QVERIFY(p.Queue().isEmpty());
    QVERIFY(p.port->writes.isEmpty());
    QCOMPARE(p.form.LastCommand, QByteArray("d"));
    QCOMPARE(p.Led1()->Color(), lcRed);
}

void MainWindowTest::usbFraming_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("w00") << QByteArray("w00") << 65
                         << QByteArray("\0w00\r\n", 6) + QByteArray(59, '\0');
    QTest::newRow("empty") << QByteArray() << 8 << QByteArray("\0\r\n\0\0\0\0\0", 8);
    QTest::newRow("too long: nothing") << QByteArray("k039F063013") << 12 << QByteArray();
}

void MainWindowTest::usbFraming()
{
    QFETCH(QByteArray, command);
    QFETCH(int, reportLength);
    QFETCH(QByteArray, report);
    FakeHidDevice clock;
    Panel p;
    clock.outputReportLength = reportLength;
    p.hid->devices = {&clock};
    p.hid->Change();
    p.Open();
    p.form.TransmitCommand(command);
    QCOMPARE(clock.reports, report.isEmpty() ? Lines{} : Lines{report});
    QVERIFY(p.port->writes.isEmpty());
}

void MainWindowTest::serialFramingIsBare()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.form.TransmitCommand("w00");
    p.form.TransmitCommand("");
    QCOMPARE(p.port->writes, Lines{QByteArray("\x77\x30\x30")});
}

void MainWindowTest::usbTickIsPrecise()
{
    Panel p;
    QCOMPARE(p.form.Timer1()->timerType(), Qt::PreciseTimer);
}

void MainWindowTest::blinkTickTogglesBothLeds()
{
    Panel p;
    auto* error = p.Get<TLED>("ErrorLED");
    auto* invalid = p.Get<TLED>("TimeInvalidLED");
    QVERIFY(!error->Lit() && !invalid->Lit());
    p.form.Timer2Timer();
    QVERIFY(error->Lit() && invalid->Lit());
    p.form.Timer2Timer();
    QVERIFY(!error->Lit() && !invalid->Lit());
    QVERIFY(p.form.Timer2()->isActive());
}

// However the link ended, or before there was one, nothing the clock
// reported stays shown; the blink of start-up alone goes on.
void MainWindowTest::clockIsUnknownWithoutALink_data()
{
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("blinks");
    QTest::newRow("start-up") << QString() << true;
    QTest::newRow("closed by the owner") << "Close" << false;
    QTest::newRow("serial port lost") << "lost" << false;
    QTest::newRow("USB clock unplugged") << "unplugged" << false;
}

void MainWindowTest::clockIsUnknownWithoutALink()
{
    QFETCH(QString, end);
    QFETCH(bool, blinks);
    FakeHidDevice clock;
    Panel p;
    if (!end.isEmpty()) {
        if (end == QLatin1String("unplugged")) {
            p.hid->devices = {&clock};
            p.hid->Change();
        } else {
            p.ChooseSerial();
        }
        p.Open();
        // Time invalid, sleep, coil, index; the relay on; DCF77 lamps; the mode's DCF77 sync off.
        for (const QByteArray& line :
            Lines{"W8E000000", "X0100", "D2024022904", "S070509", "[FF2608C700003C", "G0000"})
            p.form.ReceiveMemo.Append(line);
        QVERIFY(p.Get<TLED>("RunLED")->Lit() && p.Get<TLED>("RelaisLED")->Lit());
        QVERIFY(p.Get<TLED>("DCFEnabledLEDLabel")->Lit());
        if (end == QLatin1String("Close")) {
            p.Open();
        } else if (end == QLatin1String("lost")) {
            p.port->Close();
        } else {
            p.hid->devices.clear();
            p.hid->Change();
        }
        QVERIFY(!p.form.LinkOpen());
    }
    QStringList lit;
    for (const TLED* lamp : p.form.findChildren<TLED*>())
        if (lamp->Lit())
            lit << lamp->objectName();
    QVERIFY2(lit.isEmpty(), qPrintable(lit.join(QLatin1Char(' '))));
    for (const int panel : {1, 2, 3})
        QVERIFY2(p.form.StatusText(panel).isEmpty(), qPrintable(p.form.StatusText(panel)));
    for (const char* picker : {"PcDatePicker", "PcTimePicker", "DateTimePicker3", "DateTimePicker2"})
        QVERIFY2(p.Get<QAbstractSpinBox>(picker)->text().trimmed().isEmpty(), picker);
    QVERIFY(p.Get<QLineEdit>("PcWdayEdit")->text().isEmpty());
    QCOMPARE(p.form.Timer2()->isActive(), blinks);
}

// Midnight is a time like any other, though it is the edits' minimum.
void MainWindowTest::unknownClockShowsAgainOnItsReplies()
{
    Panel p;
    p.form.ReceiveMemo.Append("D2024022904");
    p.form.ReceiveMemo.Append("S000000");
    QCOMPARE(p.Get<QDateEdit>("PcDatePicker")->text(), QStringLiteral("2024.02.29"));
    QCOMPARE(p.Get<QDateEdit>("DateTimePicker3")->text(), QStringLiteral("2024.02.29"));
    QCOMPARE(p.Get<QTimeEdit>("PcTimePicker")->text(), QStringLiteral("00:00:00"));
    QCOMPARE(p.Get<QTimeEdit>("DateTimePicker2")->text(), QStringLiteral("00:00:00"));
}

void MainWindowTest::serialRepliesReachReplyHandling_data()
{
    QTest::addColumn<Lines>("chunks");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<bool>("replySeen");
    QTest::newRow("two lines in one chunk") << Lines{"P1\r\nV04\r\n"} << Lines{"P1", "V04"} << true;
    QTest::newRow("three chunks") << Lines{"V", "402", "\r\n"} << Lines{"V402"} << true;
    QTest::newRow("lower case") << Lines{"pelk\n"} << Lines{"pelk"} << false;
    QTest::newRow("digit") << Lines{"0123\n"} << Lines{"0123"} << false;
    QTest::newRow("@ counts") << Lines{"@80FF\n"} << Lines{"@80FF"} << true;
    QTest::newRow("_ counts") << Lines{"_000000\n"} << Lines{"_000000"} << true;
    QTest::newRow("lone CR LF") << Lines{"\r\n"} << Lines{} << false;
}

void MainWindowTest::serialRepliesReachReplyHandling()
{
    QFETCH(Lines, chunks);
    QFETCH(Lines, lines);
    QFETCH(bool, replySeen);
    Panel p;
    p.ChooseSerial();
    p.Open();
    for (const QByteArray& chunk : chunks)
        p.port->Receive(chunk);
    QCOMPARE(p.replies, lines);
    QCOMPARE(p.form.ReplySeen, replySeen);
    QVERIFY2(p.form.ReceiveMemo.IsEmpty(), "the log is empty whenever reply handling is idle");
}

void MainWindowTest::unfinishedLineSurvivesReopen()
{
    Panel p;
    p.ChooseSerial();
    p.Open();
    p.port->Receive("Pel");
    p.Open();
    p.Open();
    p.port->Receive("k\n");
    QCOMPARE(p.replies, Lines{"Pelk"});
}

void MainWindowTest::usbReportsReachReplyHandling()
{
    FakeHidDevice clock;
    Panel p;
    p.hid->devices = {&clock};
    p.hid->Change();
    p.Open();
    p.form.Timer1()->stop(); // a tick while the reports are on their way would clear ReplySeen
    QVERIFY(clock.Deliver(QByteArray("\0Z\r\n\0\0", 6)));
    QVERIFY(clock.Deliver(QByteArray("\0\0Z\r\n", 5)));
    QVERIFY(clock.Deliver(QByteArray("\0a1\r\n", 5)));
    QCOMPARE(p.replies, (Lines{"Z", "a1"}));
    QVERIFY(p.form.ReplySeen);
}

void MainWindowTest::deviceListHooksTheFirstClock()
{
    FakeHidDevice first;
    FakeHidDevice second;
    second.product.clear();
    second.serial = QStringLiteral("123");
    FakeHidDevice keyboard;
    keyboard.vendorId = 0x046D;
    Panel p;
    p.hid->devices = {&first, &keyboard, &second};
    p.hid->Change();
    auto* list = p.Get<QComboBox>("DevListBox");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QStringLiteral("Device VID=04D8 PID=AB02 (Serial=123)"));
    QCOMPARE(p.form.CurrentHidDevice, p.hid->DeviceOf(first));
    QVERIFY(p.hid->DeviceOf(first)->Reading());

    list->setCurrentIndex(1);
    QCOMPARE(p.form.CurrentHidDevice, p.hid->DeviceOf(second));
    QVERIFY(!p.hid->DeviceOf(first)->Reading());
    QVERIFY(p.hid->DeviceOf(second)->Reading());

    p.Action("Reconnect1")->setChecked(false);
    p.Open();
    QVERIFY(p.form.UsbLinkOpen);
    p.hid->devices = {&keyboard};
    p.hid->Change();
    QVERIFY2(!p.form.UsbLinkOpen, "unplugging the clock closes the USB link");
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
    QVERIFY(p.Get<QMenu>("Communication2")->menuAction()->isEnabled());
    QCOMPARE(list->count(), 0);
    QVERIFY(!p.form.CurrentHidDevice);
    QCOMPARE(second.OpenConnections(), 0);
    QVERIFY(p.Action("Serial1")->isChecked());
    QVERIFY(!p.Visible("DevListBox"));
}

// A clock gone while its link is open is awaited: the link shows closed
// but for the button, which stops the wait; a return resumes as Open does.
void MainWindowTest::lostClockIsAwaited_data()
{
    QTest::addColumn<bool>("usb");
    QTest::addColumn<bool>("back");
    QTest::addColumn<QString>("waiting");
    QTest::newRow("serial port hung up, the owner stops waiting")
        << false << false << "Waiting for the clock to return (/dev/ttyS0)";
    QTest::newRow("USB clock unplugged and back") << true << true << "Waiting for the clock to return (USB serial A1)";
}

void MainWindowTest::lostClockIsAwaited()
{
    QFETCH(bool, usb);
    QFETCH(bool, back);
    QFETCH(QString, waiting);
    FakeHidDevice clock;
    clock.serial = QStringLiteral("A1");
    Panel p;
    QVERIFY(p.Action("Reconnect1")->isChecked());
    if (usb) {
        p.hid->devices = {&clock};
        p.hid->Change();
    } else {
        p.ChooseSerial();
    }
    p.Open();
    p.form.QueueCommand("c");
    if (usb) {
        p.hid->devices.clear();
        p.hid->Change();
    } else {
        p.port->failOpenWith = ENOENT;
        p.port->HangUp();
    }
    QCOMPARE(p.form.StatusText(0), waiting);
    auto* panel = p.Get<QLabel>("StatusBar1Panel0");
    QVERIFY2(panel->minimumWidth() >= panel->sizeHint().width(), "the waiting text shows whole");
    QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Close"));
    QVERIFY(!p.Led1()->Lit() && !p.Get("TabControl1")->isEnabled());
    QVERIFY(!p.Get<QMenu>("Communication2")->menuAction()->isEnabled());
    QCOMPARE(p.Action("USB1")->isChecked(), usb);
    QCOMPARE(p.dialogs->errors.size(), usb ? 0 : 1);
    p.form.Timer1Timer();
    QVERIFY(p.port->writes.isEmpty() && clock.reports.isEmpty());

    if (back) {
        p.hid->devices = {&clock};
        p.hid->Change();
        QCOMPARE(p.form.CurrentHidDevice, p.hid->DeviceOf(clock));
        QCOMPARE(p.Get<QComboBox>("DevListBox")->currentIndex(), 0);
        QVERIFY(p.form.UsbLinkOpen && p.Led1()->Lit() && p.Get("TabControl1")->isEnabled());
        QVERIFY(p.Queue().isEmpty());
        p.form.Timer1Timer();
        QCOMPARE(clock.reports.size(), 1);
        QVERIFY(clock.reports[0].startsWith(QByteArray("\0p\r\n", 4)));
    } else {
        p.Open();
        QCOMPARE(p.Get<QPushButton>("OpenButton")->text(), QStringLiteral("Open"));
        QVERIFY(p.Get<QMenu>("Communication2")->menuAction()->isEnabled());
    }
    QCOMPARE(p.form.StatusText(0), QStringLiteral("Not connected"));
}

// The port's section stays byte for byte; the panel's own goes after it.
void MainWindowTest::reconnectIsKeptInItsOwnSection()
{
    QTemporaryDir dir;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(oldDir); });
    const QByteArray port = "[ComPort]\nPort = COM3 ; kept\n";
    QFile file(QStringLiteral("WhirlbeamClock.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(port) == port.size());
    file.close();
    {
        Panel p;
        p.Action("Reconnect1")->trigger();
        QVERIFY(!p.form.Connection().Reconnects());
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), port + "\n[Panel]\nReconnect=0\n");
    Panel again;
    QVERIFY(!again.Action("Reconnect1")->isChecked());
}

void MainWindowTest::firstActivationHooksTheSelectedDevice()
{
    FakeHidDevice clock;
    Panel p;
    p.hid->devices = {&clock};
    p.hid->Change();
    TJvHidDevice* device = p.hid->DeviceOf(clock);
    p.form.CurrentHidDevice->SetOnData({});
    p.form.CurrentHidDevice = nullptr;
    p.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&p.form));
    QVERIFY(p.form.Activated);
    QCOMPARE(p.form.CurrentHidDevice, device);
    QVERIFY(device->Reading());

    device->SetOnData({});
    p.form.FormActivate();
    QVERIFY2(!device->Reading(), "later activations do nothing");
}

void MainWindowTest::refreshQueuesBehindQueuedLines()
{
    Panel p;
    p.form.QueueCommand("c");
    p.Action("Refresh1")->trigger();
    QCOMPARE(p.Queue(), Lines{"c"} + RefreshMenuBatch());
    QVERIFY(ScreenCursor::IsHourglass());
}

void MainWindowTest::exitClosesThePortFirst()
{
    Panel p;
    p.form.show();
    p.ChooseSerial();
    p.Open();
    p.Get<QLineEdit>("VersionEdit")->setText(QStringLiteral("04.02"));
    p.Get<QPushButton>("ExitButton")->click();
    QVERIFY(!p.port->connected);
    QCOMPARE(p.port->events.last(), QStringLiteral("AfterClose"));
    QCOMPARE(p.Get<QLineEdit>("VersionEdit")->text(), QStringLiteral("Version not read"));
    QVERIFY(!p.form.Timer1()->isActive());
    QVERIFY(!p.form.isVisible());
}

void MainWindowTest::screenshotsWriteEveryPage()
{
    Panel p;
    p.form.show();
    QTemporaryDir dir;
    QString error;
    QVERIFY(p.form.SaveScreenshots(dir.filePath(QStringLiteral("shots")), &error));
    for (int page = 0; page < 10; ++page) {
        const QImage image(dir.filePath(QStringLiteral("shots/page-%1.png").arg(page)));
        QCOMPARE(image.size(), p.form.size());
    }
    QVERIFY(p.Visible("DateTimePanel"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
