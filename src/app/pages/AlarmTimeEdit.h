// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimeEdit>

// An alarm row's time, hours and minutes. The table has always shown it five
// spaces in; spaces in the format would be a literal the cursor stands in at
// first and after Home, where the arrows and typing do nothing, so the digits
// are set in by a text margin of that width instead.
//
// A digit typed over the whole text (Ctrl+A) starts the time anew at the
// hour, where a plain time edit drops it: the digit alone is no valid time.
class AlarmTimeEdit : public QTimeEdit {
    Q_OBJECT
public:
    explicit AlarmTimeEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
