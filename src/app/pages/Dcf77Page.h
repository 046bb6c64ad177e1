// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;
class TLEDLabel;
class TMavoTrend;
struct Dcf77StateRecord;
struct ModeRecord;

// "DCF77 synchron": the decoder's state and the last date and time it
// decoded, and the chart of successful synchronisations per hour of the day.
// The hourly figures themselves belong to the window, which also exports
// them; the page fills them from the clock's memory replies.
class Dcf77Page : public ClockPage {
    Q_OBJECT
public:
    static constexpr int kHours = 24;

    Dcf77Page(QWidget* panel, std::array<int, kHours>& hourStats,
        std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;

    void Dcf77StateReply(const Dcf77StateRecord& record);
    // The model has stored one hour's figure; the last hour's reply redraws
    // the chart with all 24, so a lost reply leaves that hour's previous one.
    void MemoryReadReply(int hour, bool complete);
    void ModeReply(const ModeRecord& record);

    void getStatisticsButtonClick();

    QLineEdit* DCFSuccessEdit;
    QLineEdit* DCFPSuccessEdit;
    QLineEdit* DCFYearEdit;
    QLineEdit* DCFMonthEdit;
    QLineEdit* DCFDayEdit;
    QLineEdit* DCFWDayEdit;
    QLineEdit* DCFHourEdit;
    QLineEdit* DCFMinuteEdit;
    TLEDLabel* DCFWaitSyncLEDlabel;
    TLEDLabel* DCFReadyLEDLabel;
    TLEDLabel* DCFParityErrorLEDLabel;
    TLEDLabel* DCFErrorLEDLabel;
    TLEDLabel* DCFSummerTimeLEDLabel;
    TLEDLabel* DCFEnabledLEDLabel;
    TLEDLabel* LEDLabel1;
    TMavoTrend* MavoTrend1;
    QPushButton* getStatisticsButton;
    QPushButton* Button5; // "Save statistics": the window's export

private:
    std::array<int, kHours>& hourStats_;
    std::function<void(const QByteArray&)> queueCommand_;
};
