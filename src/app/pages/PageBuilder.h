#pragma once

#include "widgets/LED.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TSpinEdit;

// Small helpers that place the named controls of a page at fixed positions,
// the way the pages are laid out.
namespace PageBuilder {

QLabel* Label(QWidget* page, const QString& text, int left, int top);
TSpinEdit* SpinEdit(QWidget* page, const char* name, int left, int top, int width,
                    int minValue, int maxValue, int value, int maxLength = 0);
// A display the clock writes and the operator only reads, 21 pixels high.
QLineEdit* ReadOnlyEdit(QWidget* page, const char* name, int left, int top, int width);
QPushButton* Button(QWidget* page, const char* name, const QString& caption, int left, int top, int width,
                    int height = 25);
TLED* Led(QWidget* page, const char* name, TLEDColor color, int left, int top);
TLEDLabel* LedLabel(QWidget* page, const char* name, TLEDColor color, const QString& caption,
                    int left, int top, int width = 97);

} // namespace PageBuilder
