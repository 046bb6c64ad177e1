#pragma once

#include <QObject>

class QLineEdit;
class TLEDLabel;
class TSpinEdit;

// "Relais": relay state, remaining minutes, on-times.
class RelaisPage : public QObject {
    Q_OBJECT
public:
    explicit RelaisPage(QWidget* panel);

    void ShowRemainingMinutes(int minutes);

    TLEDLabel* RelaisLEDLabel;
    QLineEdit* RelaisRemainingEdit;
    TSpinEdit* RelaisSpinEdit;
    TSpinEdit* RelOnIrSpinEdit;
};
