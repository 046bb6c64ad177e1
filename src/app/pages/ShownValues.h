// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>

// Reply handlers write what the clock reports, mostly the same values poll
// after poll. A control is touched only when its value really changes: a
// line edit lays its text out again and a date or time edit formats it
// through the locale on every set, even of the value it already shows.
inline void ShowText(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

inline void ShowChecked(QAbstractButton* box, bool checked)
{
    if (box->isChecked() != checked)
        box->setChecked(checked);
}

// A date or time edit shows no value only through its special-value text,
// shown while it holds its minimum; the text is given only while the value
// is unknown, so that a real midnight still shows as 00:00:00.
inline void ShowUnknown(QDateEdit* edit)
{
    edit->setSpecialValueText(QStringLiteral(" "));
    edit->setDate(edit->minimumDate());
}

inline void ShowUnknown(QTimeEdit* edit)
{
    edit->setSpecialValueText(QStringLiteral(" "));
    edit->setTime(edit->minimumTime());
}

inline void ShowKnown(QDateTimeEdit* edit)
{
    if (!edit->specialValueText().isEmpty())
        edit->setSpecialValueText(QString());
}

inline void ShowTime(QTimeEdit* edit, QTime time)
{
    ShowKnown(edit);
    if (edit->time() != time)
        edit->setTime(time);
}

inline void ShowDate(QDateEdit* edit, QDate date)
{
    ShowKnown(edit);
    if (edit->date() != date)
        edit->setDate(date);
}
