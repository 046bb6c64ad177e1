// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/WhirlbeamPage.h"

#include "app/pages/PageBuilder.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "protocol/commands/ModeCommands.h"
#include "protocol/replies/StatusReplies.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QCheckBox* StatusBox(QWidget* page, const char* name, const QString& caption, int top)
{
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    box->move(24, top);
    box->adjustSize();
    box->setEnabled(false);
    return box;
}

} // namespace

WhirlbeamPage::WhirlbeamPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel), queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    Label(panel, tr("Whirlbeam state:"), 24, 16);
    StandByCheckBox = StatusBox(panel, "StandByCheckBox", tr("In StandBy mode"), 40);
    SleepCheckBox = StatusBox(panel, "SleepCheckBox", tr("In Sleep mode"), 64);
    DeapSleepCheckBox = StatusBox(panel, "DeapSleepCheckBox", tr("In Deep Sleep mode"), 88);
    CoilCheckBox = StatusBox(panel, "CoilCheckBox", tr("High power on coil"), 112);
    IndexCheckBox = StatusBox(panel, "IndexCheckBox", tr("Index LED on"), 136);
    InvalidTimeCheckBox = StatusBox(panel, "InvalidTimeCheckBox", tr("Time invalid"), 160);
    InvalidTimeCheckBox->setChecked(true);
    I2CBusCheckBox = StatusBox(panel, "I2CBusCheckBox", tr("I2C bus error"), 184);
    ErrorLED = Led(panel, "ErrorLED", lcRed, 200, 162);
    ErrorLED->setToolTip(tr("Blinks while the clock's time is invalid"));
    IndexLED = Led(panel, "IndexLED", lcGreen, 200, 138);
    IndexLED->setToolTip(tr("Lit while the index LED is on"));
    ErrorLED->setAccessibleName(tr("Time invalid lamp"));
    IndexLED->setAccessibleName(tr("Index LED lamp"));

    QLabel* remaining = Label(panel, tr("Remaining time [sec]"), 24, 224);
    RemainingTimeEdit = NamedBy(remaining, new QLineEdit(panel));
    RemainingTimeEdit->setObjectName(QStringLiteral("RemainingTimeEdit"));
    RemainingTimeEdit->setGeometry(160, 221, 73, 21);
    RemainingTimeEdit->setReadOnly(true);

    StartButton = Button(panel, "StartButton", tr("Start"), 24, 264);
    StopButton = Button(panel, "StopButton", tr("Stop"), 128, 264);
    connect(StartButton, &QPushButton::clicked, this, &WhirlbeamPage::StartButtonClick);
    connect(StopButton, &QPushButton::clicked, this, &WhirlbeamPage::StopButtonClick);
}

void WhirlbeamPage::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::StatusChanged, this, &WhirlbeamPage::WhirlbeamStatusReply);
}

void WhirlbeamPage::WhirlbeamStatusReply(const WhirlbeamStatusRecord& record)
{
    using Flags = WhirlbeamStatusRecord;
    const int flags = *record.flags;
    ShowChecked(StandByCheckBox, flags & Flags::StandBy);
    ShowChecked(SleepCheckBox, flags & Flags::Sleep);
    ShowChecked(CoilCheckBox, flags & Flags::HighPowerCoil);
    ShowChecked(IndexCheckBox, flags & Flags::IndexLed);
    ShowChecked(DeapSleepCheckBox, flags & Flags::DeepSleep);
    ShowChecked(InvalidTimeCheckBox, flags & Flags::TimeInvalid);
    if (!record.remainingSeconds)
        return;
    ShowText(RemainingTimeEdit, QString::asprintf("%8d", *record.remainingSeconds));
    ErrorLED->SetLit(flags & Flags::TimeInvalid);
    IndexLED->SetLit(flags & Flags::IndexLed);
    if (record.extraFlags)
        ShowChecked(I2CBusCheckBox, *record.extraFlags & Flags::I2CBusError);
}

void WhirlbeamPage::Blink() { ErrorLED->SetLit(!ErrorLED->Lit()); }

void WhirlbeamPage::StartButtonClick() { queueCommand_(StartWhirlbeamCommand()); }

void WhirlbeamPage::StopButtonClick() { queueCommand_(StopWhirlbeamCommand()); }
