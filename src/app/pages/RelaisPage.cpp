// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/RelaisPage.h"

#include "app/pages/PageBuilder.h"
#include "protocol/SpinRanges.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "protocol/commands/PeripheralCommands.h"
#include "widgets/Spin.h"

#include <QLineEdit>
#include <QPushButton>

RelaisPage::RelaisPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel)
    , queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    RelaisLEDLabel = LedLabel(panel, "RelaisLEDLabel", lcYellow, tr("Relais is on"), 24, 24);
    RelaisRemainingEdit = NamedBy(Label(panel, tr("Remaining time:"), 24, 51),
        ReadOnlyEdit(panel, "RelaisRemainingEdit", 184, 48, 49));
    Label(panel, tr("[minute]"), 240, 51);
    RelaisSpinEdit
        = NamedBy(Label(panel, tr("On time:"), 24, 75), SpinEdit(panel, ClockValue::RelayOnMinutes, 184, 72, 49));
    Label(panel, tr("[minute]"), 240, 75);
    RelaisOnButton = Button(panel, "RelaisOnButton", tr("Turn On"), 296, 70, 81);
    relaisOffButton = Button(panel, "relaisOffButton", tr("Turn Off"), 392, 70, 81);
    RelOnIrSpinEdit = NamedBy(Label(panel, tr("On time for IR commands:"), 24, 115),
        SpinEdit(panel, ClockValue::RelayIrMinutes, 184, 112, 49));
    Label(panel, tr("[minute]"), 240, 115);
    RelaisOnIrButton = Button(panel, "RelaisOnIrButton", tr("Send"), 296, 110, 81);
    RelaisOnIrButton->setAccessibleName(tr("Send on time for IR commands"));

    RelaisOnButton->setEnabled(false);
    connect(RelaisSpinEdit, &TSpinEdit::OnChange, this, &RelaisPage::RelaisSpinEditChange);
    connect(RelOnIrSpinEdit, &TSpinEdit::OnChange, this, &RelaisPage::RelaisSpinEditChange);
    connect(RelaisOnButton, &QPushButton::clicked, this, &RelaisPage::RelaisOnButtonClick);
    connect(relaisOffButton, &QPushButton::clicked, this, &RelaisPage::relaisOffButtonClick);
    connect(RelaisOnIrButton, &QPushButton::clicked, this, &RelaisPage::RelaisOnIrButtonClick);
}

void RelaisPage::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::RelayChanged, this, &RelaisPage::RelayReply);
    connect(&model, &ClockModel::RelayIrTimeChanged, this, &RelaisPage::RelayIrTimeReply);
}

void RelaisPage::RelayReply(const RelayRecord& record)
{
    ShowText(RelaisRemainingEdit, QString::asprintf("%3d", *record.remainingMinutes));
    if (record.on)
        RelaisLEDLabel->SetLit(*record.on);
}

void RelaisPage::RelayIrTimeReply(const RelayIrTimeRecord& record) { RelOnIrSpinEdit->SetValue(*record.minutes); }

void RelaisPage::RelaisOnButtonClick()
{
    queueCommand_(RelayOnCommand(PageBuilder::ValueInRange(RelaisSpinEdit)));
}

void RelaisPage::relaisOffButtonClick() { queueCommand_(RelayOffCommand()); }

void RelaisPage::RelaisOnIrButtonClick()
{
    queueCommand_(RelayIrTimeCommand(PageBuilder::ValueInRange(RelOnIrSpinEdit)));
}

void RelaisPage::RelaisSpinEditChange() { RelaisOnButton->setEnabled(RelaisSpinEdit->Value() > 0); }
