// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/PwmPage.h"

#include "app/pages/PageBuilder.h"
#include "clock/ClockModel.h"
#include "files/ParameterFile.h"
#include "protocol/SpinRanges.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/replies/ModeReplies.h"
#include "widgets/Spin.h"

#include <QPushButton>

namespace {
constexpr int kPulseRow = 48;
// The speed row leaves room above it for the captions of its two speeds.
constexpr int kSpeedCaptionRow = 78;
constexpr int kSpeedRow = 96;
constexpr int kWidth = 49;
} // namespace

PwmPage::PwmPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel), queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    Label(panel, tr("Run mode:"), 120, 24);
    Label(panel, tr("Sleep mode:"), 264, 24);
    Label(panel, tr("Current setting:"), 408, 24);
    Label(panel, tr("Pulse width:"), 16, kPulseRow + 3);
    Label(panel, tr("Speed:"), 16, kSpeedRow + 3);
    Label(panel, tr("High speed:"), 120, kSpeedCaptionRow);
    Label(panel, tr("Low speed:"), 264, kSpeedCaptionRow);

    RunPulseSpinEdit = SpinEdit(panel, ClockValue::RunPulse, 120, kPulseRow, kWidth);
    NewRPulseSpinEdit = SpinEdit(panel, ClockValue::RunPulseToSend, 176, kPulseRow, kWidth);
    HighSpeedSpinEdit = SpinEdit(panel, ClockValue::HighSpeed, 120, kSpeedRow, kWidth);
    NewHighSpeedSpinEdit = SpinEdit(panel, ClockValue::HighSpeedToSend, 176, kSpeedRow, kWidth);
    SleepPulseSpinEdit = SpinEdit(panel, ClockValue::SleepPulse, 264, kPulseRow, kWidth);
    NewSPulseSpinEdit = SpinEdit(panel, ClockValue::SleepPulseToSend, 320, kPulseRow, kWidth);
    LowSpeedSpinEdit = SpinEdit(panel, ClockValue::LowSpeed, 264, kSpeedRow, kWidth);
    NewLowSpeedSpinEdit = SpinEdit(panel, ClockValue::LowSpeedToSend, 320, kSpeedRow, kWidth);
    CurrentPulseSpinEdit = SpinEdit(panel, ClockValue::CurrentPulse, 408, kPulseRow, kWidth);
    CurrentPeriodSpinEdit = SpinEdit(panel, ClockValue::CurrentPeriod, 408, kSpeedRow, kWidth);
    for (TSpinEdit* readBack : {RunPulseSpinEdit, HighSpeedSpinEdit, SleepPulseSpinEdit, LowSpeedSpinEdit,
                                CurrentPulseSpinEdit, CurrentPeriodSpinEdit})
        readBack->setEnabled(false);
    const std::pair<TSpinEdit*, QString> names[] = {
        {RunPulseSpinEdit, tr("Run mode pulse width, as the clock reports it")},
        {NewRPulseSpinEdit, tr("Run mode pulse width to send")},
        {HighSpeedSpinEdit, tr("High speed, as the clock reports it")},
        {NewHighSpeedSpinEdit, tr("High speed to send")},
        {SleepPulseSpinEdit, tr("Sleep mode pulse width, as the clock reports it")},
        {NewSPulseSpinEdit, tr("Sleep mode pulse width to send")},
        {LowSpeedSpinEdit, tr("Low speed, as the clock reports it")},
        {NewLowSpeedSpinEdit, tr("Low speed to send")},
        {CurrentPulseSpinEdit, tr("Current pulse width")},
        {CurrentPeriodSpinEdit, tr("Current period")},
    };
    for (const auto& [edit, name] : names)
        edit->setAccessibleName(name);

    SendPwmButton = Button(panel, "SendPwmButton", tr("Send"), 496, kPulseRow - 2);
    SendPwmButton->setProperty("Tag", 0);
    SendPwmButton->setAccessibleName(tr("Send pulse widths and speeds"));
    Button1 = Button(panel, "Button1", tr("Dafault"), 496, kSpeedRow - 2);
    Button1->setProperty("Tag", 1);
    for (QPushButton* sender : {SendPwmButton, Button1})
        connect(sender, &QPushButton::clicked, this, [this, sender] { SendPwmButtonClick(sender); });

    Label(panel, tr("Run mode:"), 16, 136);
    CoilHpLED = Led(panel, "CoilHpLED", lcRed, 120, 137);
    Label(panel, tr("Sleep mode:"), 16, 160);
    CoilLpLED = Led(panel, "CoilLpLED", lcYellow, 120, 161);
    Label(panel, tr("Deep Sleep mode:"), 16, 184);
    CoilNoLED = Led(panel, "CoilNoLED", lcGreen, 120, 185);
    CoilHpLED->setToolTip(tr("Lit while the coil runs with high power"));
    CoilLpLED->setToolTip(tr("Lit while the whirlbeam sleeps"));
    CoilNoLED->setToolTip(tr("Lit while the whirlbeam is in deep sleep"));
    CoilHpLED->setAccessibleName(tr("Run mode lamp"));
    CoilLpLED->setAccessibleName(tr("Sleep mode lamp"));
    CoilNoLED->setAccessibleName(tr("Deep Sleep mode lamp"));

    Label(panel, tr("Whirlbeam commands:"), 264, 136);
    Button2 = Button(panel, "Button2", tr("Start"), 264, 158);
    Button3 = Button(panel, "Button3", tr("Stop"), 368, 158);
    connect(Button2, &QPushButton::clicked, this, &PwmPage::StartButtonClick);
    connect(Button3, &QPushButton::clicked, this, &PwmPage::StopButtonClick);
}

// Each step shows one reply field; the pulse widths also become the values
// to send while the clock is read for the first time.
void PwmPage::PwmReply(const PwmRecord& record, bool initialLoad)
{
    if (!record.runPulse)
        return;
    RunPulseSpinEdit->SetValue(*record.runPulse);
    if (initialLoad)
        NewRPulseSpinEdit->SetValue(RunPulseSpinEdit->Value());
    if (!record.highSpeed)
        return;
    HighSpeedSpinEdit->SetValue(*record.highSpeed);
    if (!record.sleepPulse)
        return;
    SleepPulseSpinEdit->SetValue(*record.sleepPulse);
    if (initialLoad)
        NewSPulseSpinEdit->SetValue(SleepPulseSpinEdit->Value());
    if (!record.lowSpeed)
        return;
    LowSpeedSpinEdit->SetValue(*record.lowSpeed);
    if (!record.currentPulse)
        return;
    CurrentPulseSpinEdit->SetValue(*record.currentPulse);
    if (record.currentPeriod)
        CurrentPeriodSpinEdit->SetValue(*record.currentPeriod);
}

void PwmPage::SendPwmButtonClick(QObject* sender)
{
    if (sender->property("Tag").toInt() != 0) {
        queueCommand_(DefaultPwmCommand());
        return;
    }
    using PageBuilder::ValueInRange;
    queueCommand_(PwmCommand({ValueInRange(NewRPulseSpinEdit), ValueInRange(NewHighSpeedSpinEdit),
        ValueInRange(NewSPulseSpinEdit), ValueInRange(NewLowSpeedSpinEdit)}));
}

void PwmPage::StartButtonClick() { queueCommand_(StartWhirlbeamCommand()); }

void PwmPage::StopButtonClick() { queueCommand_(StopWhirlbeamCommand()); }

void PwmPage::ReadParameters(ClockParameters& parameters) const
{
    parameters.runPulse = RunPulseSpinEdit->Value();
    parameters.sleepPulse = SleepPulseSpinEdit->Value();
}

void PwmPage::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::PwmChanged, this, &PwmPage::PwmReply);
    connect(&model, &ClockModel::StatusChanged, this, &PwmPage::WhirlbeamStatusReply);
}

void PwmPage::WhirlbeamStatusReply(const WhirlbeamStatusRecord& record)
{
    if (!record.remainingSeconds)
        return;
    using Flag = WhirlbeamStatusRecord;
    // The coil is off with the deep sleep flag, in the clock's sleep or not.
    CoilHpLED->SetLit(*record.flags & Flag::HighPowerCoil);
    CoilLpLED->SetLit(StateOf(*record.flags) == WhirlbeamState::Sleep);
    CoilNoLED->SetLit(*record.flags & Flag::DeepSleep);
}
