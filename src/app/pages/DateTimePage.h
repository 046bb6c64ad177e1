// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QDate>
#include <QObject>
#include <QTime>
#include <functional>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class TLED;
struct DateRecord;
struct TimeRecord;
struct WhirlbeamStatusRecord;

// "Date - Time": the clock's date and time as last reported, and the
// computer's date and time that the set commands send.
class DateTimePage : public ClockPage {
    Q_OBJECT
public:
    DateTimePage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    // The clock's date and weekday digit as it reported them; the computer
    // side follows the computer's clock while "Refresh time" is ticked.
    void Observe(ClockModel& model) override;
    void DateReply(const DateRecord& record);
    void TimeReply(const TimeRecord& record);
    void WhirlbeamStatusReply(const WhirlbeamStatusRecord& record);
    // The clock's date and time as the page shows them.
    QDate ShownClockDate() const;
    QTime ShownClockTime() const;
    // The time invalid lamp blinks while the clock's time is invalid.
    void Blink();
    // No clock is heard: its date, weekday and time show nothing until it
    // reports them.
    void ShowClockUnknown();

    void SendDateButtonClick();
    void SendTimeButtonClick();
    void ClearSecButtonClick();

    // Keeps the weekday digit (1 = Monday .. 7 = Sunday) in step with the
    // computer-side date.
    void DatePickerChange();

    QDateEdit* PcDatePicker;
    QLineEdit* PcWdayEdit;
    QTimeEdit* PcTimePicker;
    QDateEdit* DatePicker;
    QLineEdit* WdayEdit;
    QTimeEdit* TimePicker;
    QCheckBox* RefreshTimeCheckBox;
    QPushButton* SendDateButton;
    QPushButton* SendTimeButton;
    QPushButton* ClearSecButton;
    // Sets the clock to the computer's time on a second's edge; the window
    // runs it, as it needs the link and its tick.
    QPushButton* SyncTimeButton;
    TLED* TimeInvalidLED;

private:
    std::function<void(const QByteArray&)> queueCommand_;
};
