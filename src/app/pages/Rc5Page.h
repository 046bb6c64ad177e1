// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include "files/IrHistory.h"

#include <QObject>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class THexEdit;
struct ConfigRecord;
struct Rc5PacketRecord;

// "Infra RC5 commands": the clock's own RC5 address, the last packet it
// received with the history of packets, and making it execute a packet.
class Rc5Page : public ClockPage {
    Q_OBJECT
public:
    Rc5Page(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;

    void Rc5PacketReply(const Rc5PacketRecord& record);
    // The clock's own RC5 address, from its configuration.
    void ConfigReply(const ConfigRecord& record);
    void Rc5ButtonClick();

    // The received packets as the history file holds them.
    const QList<QByteArray>& HistoryLines() const { return history_.Lines(); }

    QLineEdit* SelfAddressEdit;
    QLineEdit* RC5AddressEdit;
    QLineEdit* RC5CommandEdit;
    QPlainTextEdit* IRPacketMemo;
    QPushButton* SaveHistoryButton;
    THexEdit* AddressHexEdit;
    THexEdit* CommandHexEdit;
    QPushButton* Rc5Button;

private:
    IrPacketHistory history_;
    std::function<void(const QByteArray&)> queueCommand_;
};
