// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/AlarmTimeEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

AlarmTimeEdit::AlarmTimeEdit(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm"));
    lineEdit()->setTextMargins(fontMetrics().horizontalAdvance(QString(5, QLatin1Char(' '))), 0, 0, 0);
}

void AlarmTimeEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const QLineEdit* text = lineEdit();
    if (typed.size() == 1 && typed.front().isDigit() && text->selectedText() == text->text())
        setSelectedSection(sectionAt(0));
    QTimeEdit::keyPressEvent(event);
}
