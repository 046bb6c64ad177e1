// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

#include "widgets/LED.h"

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TSpinEdit;
enum class ClockValue;

// Small helpers that place the named controls of a page at fixed positions,
// the way the pages are laid out.
namespace PageBuilder {

QLabel* Label(QWidget* page, const QString& text, int left, int top);
// The objectName of the spin edit that holds the clock value; the alarm
// rows' edits are named as row 0's.
const char* SpinEditName(ClockValue value);
// The spin edit of the clock value, by that name, with the value's range,
// first value and width from the table of spin ranges.
TSpinEdit* SpinEdit(QWidget* page, ClockValue value, int left, int top, int width);
// A display the clock writes and the operator only reads, 21 pixels high.
QLineEdit* ReadOnlyEdit(QWidget* page, const char* name, int left, int top, int width);
TLED* Led(QWidget* page, const char* name, TLEDColor color, int left, int top);
TLEDLabel* LedLabel(QWidget* page, const char* name, TLEDColor color, const QString& caption,
                    int left, int top, int width = 97);
// Sized to its caption.
QCheckBox* CheckBox(QWidget* page, const char* name, const QString& caption, int left, int top);
// 25 pixels high and at least as wide as its caption needs.
QPushButton* Button(QWidget* page, const char* name, const QString& caption, int left, int top,
                    int width = 97);

// The spin edit's value held to its range: text typed past the range is
// bounded only when the edit loses the focus, and a command must not carry
// it before that.
int ValueInRange(const TSpinEdit* edit);

// The label names the control for a screen reader (and its mnemonic
// focuses it); returns the control.
template <typename T> T* NamedBy(QLabel* label, T* control)
{
    label->setBuddy(control);
    return control;
}

} // namespace PageBuilder
