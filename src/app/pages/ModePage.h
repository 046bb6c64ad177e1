#pragma once

#include <QObject>

class TSpinEdit;

// "Mode": operating mode flags, auto standby time, sound hours, light limit.
class ModePage : public QObject {
    Q_OBJECT
public:
    explicit ModePage(QWidget* panel);

    TSpinEdit* ASTSpinEdit;
    TSpinEdit* FromSpinEdit;
    TSpinEdit* ToSpinEdit;
    TSpinEdit* LightLimitSpinEdit;
};
