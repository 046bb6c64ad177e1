// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabBar>

// The tabs of the ten pages in one row over the page control's width, all
// captions whole and no scroll arrows. The styles pad each caption by more
// than ten tabs leave room for, so this bar asks its style for a narrower
// padding; the style still draws the tabs, so the selected one looks as it
// does in every other program.
class PageTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit PageTabBar(QWidget* parent = nullptr);

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};
