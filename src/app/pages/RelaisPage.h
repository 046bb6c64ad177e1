// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/ClockPage.h"

#include <QObject>
#include <functional>

class QLineEdit;
class QPushButton;
class TLEDLabel;
class TSpinEdit;
struct RelayIrTimeRecord;
struct RelayRecord;

// "Relais": relay state and remaining minutes, switching the relay on for a
// time and off, and the on-time the clock uses for RC5 commands.
class RelaisPage : public ClockPage {
    Q_OBJECT
public:
    RelaisPage(QWidget* panel, std::function<void(const QByteArray&)> queueCommand);

    void Observe(ClockModel& model) override;
    void RelayReply(const RelayRecord& record);
    void RelayIrTimeReply(const RelayIrTimeRecord& record);

    void RelaisOnButtonClick();
    void relaisOffButtonClick();
    void RelaisOnIrButtonClick();
    // "Turn On" only with an on-time of at least one minute: on for 0
    // minutes would mean on for good.
    void RelaisSpinEditChange();

    TLEDLabel* RelaisLEDLabel;
    QLineEdit* RelaisRemainingEdit;
    TSpinEdit* RelaisSpinEdit;
    QPushButton* RelaisOnButton;
    QPushButton* relaisOffButton;
    TSpinEdit* RelOnIrSpinEdit;
    QPushButton* RelaisOnIrButton;

private:
    std::function<void(const QByteArray&)> queueCommand_;
};
