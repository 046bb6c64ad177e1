#include "app/DateTimePage.h"

#include "app/PageBuilder.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
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

DateTimePage::DateTimePage(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    Label(panel, QStringLiteral("Date and time from Whirlbeam Clock:"), 24, 24);
    PcDatePicker = DatePickerAt(panel, "PcDatePicker", 24, 48);
    PcDatePicker->setEnabled(false);
    PcWdayEdit = WeekdayEditAt(panel, "PcWdayEdit", 120, 48);
    PcTimePicker = TimePickerAt(panel, "PcTimePicker", 152, 48);
    PcTimePicker->setEnabled(false);

    Label(panel, QStringLiteral("Date and time from Computer:"), 24, 96);
    DatePicker = DatePickerAt(panel, "DatePicker", 24, 120);
    WdayEdit = WeekdayEditAt(panel, "WdayEdit", 120, 120);
    TimePicker = TimePickerAt(panel, "TimePicker", 152, 120);

    RefreshTimeCheckBox = new QCheckBox(QStringLiteral("Refresh time"), panel);
    RefreshTimeCheckBox->setObjectName(QStringLiteral("RefreshTimeCheckBox"));
    RefreshTimeCheckBox->setChecked(true);
    RefreshTimeCheckBox->move(256, 120);
    RefreshTimeCheckBox->adjustSize();

    TimeInvalidLED = Led(panel, "TimeInvalidLED", lcRed, 24, 170);
    Label(panel, QStringLiteral("Time invalid"), 42, 169);

    connect(DatePicker, &QDateEdit::dateChanged, this, &DateTimePage::DatePickerChange);
    DatePickerChange();
}

void DateTimePage::DatePickerChange()
{
    WdayEdit->setText(QString::number(DatePicker->date().dayOfWeek()));
}
