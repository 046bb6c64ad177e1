// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/DateTimePage.h"

#include "app/pages/PageBuilder.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "protocol/commands/ClockCommands.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

const QString kDateFormat = QStringLiteral("yyyy.MM.dd");

QDateEdit* DatePickerAt(QWidget* page, const char* name, int left, int top)
{
    auto* picker = new QDateEdit(QDate::currentDate(), page);
    picker->setObjectName(QLatin1String(name));
    picker->setDisplayFormat(kDateFormat);
    picker->setGeometry(left, top, 89, 21);
    return picker;
}

QLineEdit* WeekdayEditAt(QWidget* page, const char* name, int left, int top)
{
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, 25, 21);
    edit->setEnabled(false);
    return edit;
}

QTimeEdit* TimePickerAt(QWidget* page, const char* name, int left, int top)
{
    auto* picker = new QTimeEdit(QTime::currentTime(), page);
    picker->setObjectName(QLatin1String(name));
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    picker->setGeometry(left, top, 81, 21);
    return picker;
}

} // namespace

DateTimePage::DateTimePage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel), queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    Label(panel, tr("Date and time from Whirlbeam Clock:"), 24, 24);
    PcDatePicker = DatePickerAt(panel, "PcDatePicker", 24, 48);
    PcDatePicker->setEnabled(false);
    PcWdayEdit = WeekdayEditAt(panel, "PcWdayEdit", 120, 48);
    PcTimePicker = TimePickerAt(panel, "PcTimePicker", 152, 48);
    PcTimePicker->setEnabled(false);

    Label(panel, tr("Date and time from Computer:"), 24, 96);
    DatePicker = DatePickerAt(panel, "DatePicker", 24, 120);
    WdayEdit = WeekdayEditAt(panel, "WdayEdit", 120, 120);
    TimePicker = TimePickerAt(panel, "TimePicker", 152, 120);

    RefreshTimeCheckBox = new QCheckBox(tr("Refresh time"), panel);
    RefreshTimeCheckBox->setObjectName(QStringLiteral("RefreshTimeCheckBox"));
    RefreshTimeCheckBox->setChecked(true);
    RefreshTimeCheckBox->move(256, 120);
    RefreshTimeCheckBox->adjustSize();

    SendDateButton = Button(panel, "SendDateButton", tr("Send Date"), 24, 160);
    SendTimeButton = Button(panel, "SendTimeButton", tr("Send Time"), 128, 160);
    ClearSecButton = Button(panel, "ClearSecButton", tr("Clear seconds"), 232, 160);
    SyncTimeButton = Button(panel, "SyncTimeButton", tr("Set clock to computer time"), 336, 160);
    SyncTimeButton->setToolTip(tr("Sets the clock to this computer's date and time, its second starting on the computer's"));
    connect(SendDateButton, &QPushButton::clicked, this, &DateTimePage::SendDateButtonClick);
    connect(SendTimeButton, &QPushButton::clicked, this, &DateTimePage::SendTimeButtonClick);
    connect(ClearSecButton, &QPushButton::clicked, this, &DateTimePage::ClearSecButtonClick);

    TimeInvalidLED = Led(panel, "TimeInvalidLED", lcRed, 24, 218);
    TimeInvalidLED->setToolTip(tr("Blinks while the clock's time is invalid"));
    TimeInvalidLED->setAccessibleName(tr("Time invalid lamp"));
    PcDatePicker->setAccessibleName(tr("Clock's date"));
    PcWdayEdit->setAccessibleName(tr("Clock's day of week"));
    PcTimePicker->setAccessibleName(tr("Clock's time"));
    DatePicker->setAccessibleName(tr("Computer's date"));
    WdayEdit->setAccessibleName(tr("Computer's day of week"));
    TimePicker->setAccessibleName(tr("Computer's time"));
    Label(panel, tr("Time invalid"), 42, 217);

    connect(DatePicker, &QDateEdit::dateChanged, this, &DateTimePage::DatePickerChange);
    DatePickerChange();
}

void DateTimePage::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::DateChanged, this, &DateTimePage::DateReply);
    connect(&model, &ClockModel::TimeChanged, this, &DateTimePage::TimeReply);
    connect(&model, &ClockModel::StatusChanged, this, &DateTimePage::WhirlbeamStatusReply);
}

void DateTimePage::DateReply(const DateRecord& record)
{
    ShowDate(PcDatePicker, *record.date);
    ShowText(PcWdayEdit, QString::fromLatin1(record.weekday));
    if (RefreshTimeCheckBox->isChecked())
        ShowDate(DatePicker, QDate::currentDate());
    DatePickerChange();
}

void DateTimePage::TimeReply(const TimeRecord& record)
{
    ShowTime(PcTimePicker, *record.time);
    // Whole seconds, as the picker shows and Send Time sends them.
    const QTime now = QTime::currentTime();
    if (RefreshTimeCheckBox->isChecked())
        ShowTime(TimePicker, QTime(now.hour(), now.minute(), now.second()));
}

void DateTimePage::WhirlbeamStatusReply(const WhirlbeamStatusRecord& record)
{
    if (record.remainingSeconds)
        TimeInvalidLED->SetLit(*record.flags & WhirlbeamStatusRecord::TimeInvalid);
}

QDate DateTimePage::ShownClockDate() const { return PcDatePicker->date(); }

QTime DateTimePage::ShownClockTime() const { return PcTimePicker->time(); }

void DateTimePage::Blink() { TimeInvalidLED->SetLit(!TimeInvalidLED->Lit()); }

void DateTimePage::ShowClockUnknown()
{
    ShowUnknown(PcDatePicker);
    PcWdayEdit->clear();
    ShowUnknown(PcTimePicker);
}

void DateTimePage::SendDateButtonClick() { queueCommand_(SetDateCommand(DatePicker->date())); }

void DateTimePage::SendTimeButtonClick() { queueCommand_(SetTimeCommand(TimePicker->time())); }

void DateTimePage::ClearSecButtonClick() { queueCommand_(ClearSecondsCommand()); }

void DateTimePage::DatePickerChange()
{
    ShowText(WdayEdit, QString::number(DatePicker->date().dayOfWeek()));
}
