// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReadProgressView.h"

#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

ReadProgressView::ReadProgressView(ReadProgress& progress, QStatusBar& bar, QObject* parent)
    : QObject(parent)
    , bar_(new QProgressBar(&bar))
{
    bar_->setObjectName(QStringLiteral("ReadProgress"));
    bar_->setAccessibleName(tr("Progress of reading the clock"));
    bar_->setTextVisible(true);
    bar_->setVisible(false);
    bar.addPermanentWidget(bar_, 1);
    connect(&progress, &ReadProgress::Changed, this, &ReadProgressView::Show);
}

QString ReadProgressView::Text(const ReadFigures& figures)
{
    using Stage = ReadFigures::Stage;
    const QString answered = QString::number(figures.answered);
    switch (figures.stage) {
    case Stage::None: return QString();
    case Stage::Parameters: return tr("Reading the clock: parameters %1 of %n", nullptr, figures.total).arg(answered);
    case Stage::Alarms: return tr("Reading the clock: alarm %1 of %n", nullptr, figures.total).arg(answered);
    case Stage::SendingAlarms: return tr("Sending alarms: %1 of %n", nullptr, figures.total).arg(answered);
    }
    return QString();
}

// The text is the bar's format, so that the percentage Qt would show
// gives way to the figures.
void ReadProgressView::Show(const ReadFigures& figures)
{
    const QString text = Text(figures);
    bar_->setVisible(!text.isEmpty());
    bar_->setRange(0, std::max(1, figures.total));
    bar_->setValue(std::min(figures.answered, figures.total));
    bar_->setFormat(text);
    bar_->setAccessibleDescription(text);
}
