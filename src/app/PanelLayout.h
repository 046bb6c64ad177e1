// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QMainWindow>
#include <array>
#include <functional>
#include <vector>

class AlarmTable;
class ClockPage;
class DateTimePage;
class Dcf77Page;
class MeasurementPage;
class ModePage;
class PwmPage;
class Rc5Page;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTimeEdit;
class RelaisPage;
class TLED;
class WhirlbeamPage;

// The main window's controls as a form designer's layout file holds them:
// the top row, the page control with its page table, the menus and the
// status bar, each named and placed in pixels, in the order the Tab key
// walks. It exists so that the window's class holds what the window does,
// not where its controls stand: TForm1 derives from it, uses the controls
// under these names and connects them to its handlers. Its texts are the
// window's and translate under TForm1.
class PanelLayout : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(TForm1)

public:
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);

protected:
    // What the pages take from the window that shows them.
    struct PageSeams {
        std::function<void(const QByteArray&)> queueCommand;
        std::array<int, 24>& dcfHourStats;
        // The clock's alarms: with no more than one bank the Alarms II tab
        // shows its notice in place of its rows.
        const int& alarmCount;
    };

    // One tab of the page control: its captions, the panel it shows and the
    // page object that owns the panel's controls. A page may show another
    // panel in its place while standsIn says so.
    struct Page {
        const char* caption;
        const char* viewItem;
        const char* viewCaption;
        QWidget* panel;
        ClockPage* object;
        QWidget* standIn = nullptr;
        std::function<bool()> standsIn = {};
    };

    explicit PanelLayout(QWidget* parent)
        : QMainWindow(parent)
    {
    }

    // Creates every control; the window calls it once, first thing.
    void BuildLayout(const PageSeams& seams);

    std::vector<Page> pages_;

    // Top row.
    TLED* LED1;
    QLineEdit* DeviceEdit;
    QComboBox* DevListBox;
    QLineEdit* VersionEdit;
    QDateEdit* DateTimePicker3;
    QTimeEdit* DateTimePicker2;
    TLED* RunLED;
    TLED* RelaisLED;
    QPushButton* OpenButton;
    QPushButton* ExitButton;

    // Pages: the ones the frame itself talks to.
    QWidget* TabControl1;
    QTabBar* tabs_;
    DateTimePage* dateTime_;
    AlarmTable* alarms_;
    ModePage* mode_;
    PwmPage* pwm_;
    Rc5Page* rc5_;
    WhirlbeamPage* whirlbeam_;
    RelaisPage* relais_;
    Dcf77Page* dcf77_;
    MeasurementPage* measurement_;

    // Menus.
    QAction* LoadAlarms;
    QAction* SaveAlarms;
    QAction* Loadparameters;
    QAction* Saveparameters;
    QAction* SaveIRcommandhistory;
    QAction* SaveDCF77statistics1;
    QAction* ExitMenuItem;
    std::vector<QAction*> viewItems_; // one per page, its index in "Tag"
    QAction* Refresh1;
    QAction* TrafficAction; // opens and closes the traffic view
    QAction* USB1;
    QAction* Serial1;
    QAction* Reconnect1;
    QAction* Parameters1;
    QAction* SaveSettings2;
    QMenu* Communication2;
    QMenu* Settings1;

    std::array<QLabel*, 5> statusPanels_{};

private:
    void BuildTopRow(QWidget* client);
    void BuildPages(QWidget* client, const PageSeams& seams);
    void BindPageKeys();
    // The next enabled page that many tabs on, round the end, as a tab click.
    void StepPage(int step);
    void BuildMenus();
    void BuildStatusBar();
};
