#pragma once

#include <QObject>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;
class TLED;

// "Date - Time": the clock's date and time as last reported, and the
// computer's date and time that the set commands send.
class DateTimePage : public QObject {
    Q_OBJECT
public:
    explicit DateTimePage(QWidget* panel);

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
    TLED* TimeInvalidLED;
};
