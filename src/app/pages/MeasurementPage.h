#pragma once

#include <QObject>

class TSpinEdit;

// "Measurements": sensor readings and the offsets the clock applies.
class MeasurementPage : public QObject {
    Q_OBJECT
public:
    explicit MeasurementPage(QWidget* panel);

    TSpinEdit* TempOffsetSpinEdit;
    TSpinEdit* HumidityOffsetSpinEdit;
    TSpinEdit* PressureOffsetSpinEdit;
};
