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

inline void ShowTime(QTimeEdit* edit, QTime time)
{
    if (edit->time() != time)
        edit->setTime(time);
}

inline void ShowDate(QDateEdit* edit, QDate date)
{
    if (edit->date() != date)
        edit->setDate(date);
}
