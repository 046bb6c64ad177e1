// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/Rc5Page.h"

#include "app/pages/PageBuilder.h"
#include "app/pages/ShownValues.h"
#include "clock/ClockModel.h"
#include "protocol/LineText.h"
#include "protocol/commands/PeripheralCommands.h"
#include "protocol/replies/PeripheralReplies.h"
#include "widgets/HexEdits.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

THexEdit* HexEditAt(QWidget* page, const char* name, int maxValue, int left, int top)
{
    auto* edit = new THexEdit(page);
    edit->setObjectName(QLatin1String(name));
    edit->SetNumBase(THexEdit::ebHex);
    edit->setMaxLength(2);
    edit->SetMinValue(0);
    edit->SetMaxValue(maxValue);
    edit->SetValidate(false);
    edit->SetValue(0);
    edit->setGeometry(left, top, 33, 21);
    return edit;
}

} // namespace

Rc5Page::Rc5Page(QWidget* panel, std::function<void(const QByteArray&)> queueCommand)
    : ClockPage(panel)
    , queueCommand_(std::move(queueCommand))
{
    using namespace PageBuilder;
    SelfAddressEdit = NamedBy(Label(panel, tr("Address of clock:"), 24, 19),
        ReadOnlyEdit(panel, "SelfAddressEdit", 136, 16, 33));

    Label(panel, tr("Last received RC5 packet:"), 24, 56);
    Label(panel, tr("Address:"), 24, 83);
    RC5AddressEdit = ReadOnlyEdit(panel, "RC5AddressEdit", 136, 80, 33);
    Label(panel, tr("Commad:"), 24, 107);
    RC5CommandEdit = ReadOnlyEdit(panel, "RC5CommandEdit", 136, 104, 33);

    IRPacketMemo = NamedBy(Label(panel, tr("Received packet history:"), 24, 144), new QPlainTextEdit(panel));
    IRPacketMemo->setObjectName(QStringLiteral("IRPacketMemo"));
    IRPacketMemo->setGeometry(24, 160, 145, 305);
    IRPacketMemo->setReadOnly(true);
    IRPacketMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    IRPacketMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    IRPacketMemo->setMaximumBlockCount(IrPacketHistory::kMaxLines);
    SaveHistoryButton = Button(panel, "SaveHistoryButton", tr("Save"), 24, 474, 97);

    Label(panel, tr("Execute RC5 packet:"), 296, 56);
    Label(panel, tr("Address:"), 296, 83);
    AddressHexEdit = HexEditAt(panel, "AddressHexEdit", kMaxRc5Address, 360, 80);
    Label(panel, tr("Commad:"), 296, 107);
    CommandHexEdit = HexEditAt(panel, "CommandHexEdit", kMaxRc5Command, 360, 104);
    Label(panel, tr("Add 0x80 to set toggle bit"), 408, 107);
    Rc5Button = Button(panel, "Rc5Button", tr("Send"), 296, 136, 97);
    // Two columns share their captions; the names say which is which.
    RC5AddressEdit->setAccessibleName(tr("Address of the last received RC5 packet"));
    RC5CommandEdit->setAccessibleName(tr("Command of the last received RC5 packet"));
    AddressHexEdit->setAccessibleName(tr("Address of the RC5 packet to execute"));
    CommandHexEdit->setAccessibleName(tr("Command of the RC5 packet to execute"));
    Rc5Button->setAccessibleName(tr("Send RC5 packet"));
    connect(Rc5Button, &QPushButton::clicked, this, &Rc5Page::Rc5ButtonClick);
}

void Rc5Page::Rc5PacketReply(const Rc5PacketRecord& record)
{
    ShowText(RC5AddressEdit, QString::fromLatin1(record.address));
    ShowText(RC5CommandEdit, QString::fromLatin1(record.command));
    const QByteArray line = record.HistoryLine();
    history_.Append(line);
    // The memo drops its oldest line by itself, as the history does.
    IRPacketMemo->appendPlainText(VisibleLine(line));
}

void Rc5Page::Rc5ButtonClick()
{
    queueCommand_(Rc5Command(AddressHexEdit->Value(), CommandHexEdit->Value()));
}

void Rc5Page::Observe(ClockModel& model)
{
    connect(&model, &ClockModel::Rc5PacketReceived, this, &Rc5Page::Rc5PacketReply);
    connect(&model, &ClockModel::ConfigChanged, this, &Rc5Page::ConfigReply);
}

void Rc5Page::ConfigReply(const ConfigRecord& record) { SelfAddressEdit->setText(QString::fromLatin1(record.selfAddress)); }
