// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/ReadProgress.h"

#include <QObject>

class QProgressBar;
class QStatusBar;

// The read's progress as a bar in the status bar, behind the five panels,
// with the stage and its figures as the bar's text; hidden between reads.
class ReadProgressView : public QObject {
    Q_OBJECT
public:
    ReadProgressView(ReadProgress& progress, QStatusBar& bar, QObject* parent = nullptr);

    // "Reading the clock: alarm 12 of 40"; empty with no read running.
    static QString Text(const ReadFigures& figures);

private:
    void Show(const ReadFigures& figures);

    QProgressBar* bar_;
};
