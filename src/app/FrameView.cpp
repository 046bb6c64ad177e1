// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FrameView.h"

#include "app/PelkTexts.h"
#include "app/ScreenCursor.h"
#include "app/pages/DateTimePage.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "widgets/LED.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <QTimer>
#include <array>

FrameView::FrameView(ClockModel& model, Controls controls, QObject* parent)
    : QObject(parent)
    , c_(std::move(controls))
{
    connect(&model, &ClockModel::IdentificationChanged, this, &FrameView::ShowIdentification);
    connect(&model, &ClockModel::VersionChanged, this, &FrameView::ShowVersion);
    connect(&model, &ClockModel::ConfigChanged, this, &FrameView::ShowConfig);
    connect(&model, &ClockModel::DateChanged, this, [this] { ShowDate(c_.date, c_.dateTime->ShownClockDate()); });
    connect(&model, &ClockModel::TimeChanged, this, [this] { ShowTime(c_.time, c_.dateTime->ShownClockTime()); });
    connect(&model, &ClockModel::StatusChanged, this, &FrameView::ShowWhirlbeamStatus);
    connect(&model, &ClockModel::RelayChanged, this, &FrameView::ShowRelay);
}

void FrameView::ShowIdentification(const IdentificationRecord& record)
{
    if (record.recognised)
        ShowText(c_.device, QString::fromLatin1(record.line));
    else
        c_.device->setText(tr("Not a whirlbeam clock"));
}

void FrameView::ShowVersion(const VersionRecord& record)
{
    if (record.Valid())
        ShowText(c_.version, QString::fromLatin1(record.text));
    else
        c_.version->setText(tr("Invalid"));
}

// The alarm read-out has been queued: the hourglass waits for its end.
void FrameView::ShowConfig(const ConfigRecord& record)
{
    ScreenCursor::SetHourglass();
    c_.setStatusText(0, PelkTexts::Connected());
    if (record.chipName)
        c_.device->setText(c_.device->text() + QString::fromLatin1(*record.chipName));
}

// Enabling a running blink must not restart it: status replies come more
// often than the blink's 500 ms on USB and would stop it for good.
void FrameView::ShowWhirlbeamStatus(const WhirlbeamStatusRecord& record)
{
    using Flag = WhirlbeamStatusRecord;
    if (!record.remainingSeconds)
        return;
    const bool invalid = *record.flags & Flag::TimeInvalid;
    if (!invalid)
        c_.blink->stop();
    else if (!c_.blink->isActive())
        c_.blink->start();
    static const std::array<const char*, 3> kModeTexts = {QT_TR_NOOP("Whirlbeam in run mode"),
        QT_TR_NOOP("Whirlbeam in sleep mode"), QT_TR_NOOP("Whirlbeam in deap sleep mode")};
    c_.setStatusText(1, tr(kModeTexts[size_t(StateOf(*record.flags))]));
    c_.setStatusText(3, invalid ? tr("Time is invalid") : tr("Time is valid"));
    if (record.extraFlags)
        c_.run->SetLit(!(*record.flags & Flag::StandBy));
}

void FrameView::ShowRelay(const RelayRecord& record)
{
    if (!record.on)
        return;
    c_.relais->SetLit(*record.on);
    c_.setStatusText(2, *record.on ? tr("Relais is on") : tr("Relais is off"));
}

void FrameView::ShowClockUnknown()
{
    for (const int panel : {1, 2, 3})
        c_.setStatusText(panel, QString());
    c_.dateTime->ShowClockUnknown();
    ShowUnknown(c_.date);
    ShowUnknown(c_.time);
}
