#pragma once

#include <QObject>

class TLEDLabel;
class TSpinEdit;

// "Relais": relay state, remaining minutes, on-times.
class RelaisPage : public QObject {
    Q_OBJECT
public:
    explicit RelaisPage(QWidget* panel);

    TLEDLabel* RelaisLEDLabel;
    TSpinEdit* RelaisSpinEdit;
    TSpinEdit* RelOnIrSpinEdit;
};
