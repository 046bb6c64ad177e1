#include "app/pages/PwmPage.h"

#include "app/pages/PageBuilder.h"
#include "widgets/Spin.h"

namespace {
constexpr int kPulseRow = 48;
constexpr int kSpeedRow = 80;
constexpr int kWidth = 49;
} // namespace

PwmPage::PwmPage(QWidget* panel) : QObject(panel)
{
    using namespace PageBuilder;
    Label(panel, QStringLiteral("Run mode:"), 120, 24);
    Label(panel, QStringLiteral("Sleep mode:"), 264, 24);
    Label(panel, QStringLiteral("Current setting:"), 408, 24);
    Label(panel, QStringLiteral("Pulse width:"), 16, kPulseRow + 3);
    Label(panel, QStringLiteral("Speed:"), 16, kSpeedRow + 3);

    RunPulseSpinEdit = SpinEdit(panel, "RunPulseSpinEdit", 120, kPulseRow, kWidth, 0, 115, 32);
    NewRPulseSpinEdit = SpinEdit(panel, "NewRPulseSpinEdit", 176, kPulseRow, kWidth, 0, 115, 40);
    HighSpeedSpinEdit = SpinEdit(panel, "HighSpeedSpinEdit", 120, kSpeedRow, kWidth, 0, 255, 32, 3);
    NewHighSpeedSpinEdit = SpinEdit(panel, "NewHighSpeedSpinEdit", 176, kSpeedRow, kWidth, 0, 255, 40, 3);
    SleepPulseSpinEdit = SpinEdit(panel, "SleepPulseSpinEdit", 264, kPulseRow, kWidth, 0, 115, 32);
    NewSPulseSpinEdit = SpinEdit(panel, "NewSPulseSpinEdit", 320, kPulseRow, kWidth, 0, 115, 12);
    LowSpeedSpinEdit = SpinEdit(panel, "LowSpeedSpinEdit", 264, kSpeedRow, kWidth, 0, 255, 32, 3);
    NewLowSpeedSpinEdit = SpinEdit(panel, "NewLowSpeedSpinEdit", 320, kSpeedRow, kWidth, 0, 255, 32, 3);
    CurrentPulseSpinEdit = SpinEdit(panel, "CurrentPulseSpinEdit", 408, kPulseRow, kWidth, 0, 255, 32, 3);
    CurrentPeriodSpinEdit = SpinEdit(panel, "CurrentPeriodSpinEdit", 408, kSpeedRow, kWidth, 0, 255, 32, 3);
    for (TSpinEdit* readBack : {RunPulseSpinEdit, HighSpeedSpinEdit, SleepPulseSpinEdit, LowSpeedSpinEdit,
                                CurrentPulseSpinEdit, CurrentPeriodSpinEdit})
        readBack->setEnabled(false);

    Label(panel, QStringLiteral("Run mode:"), 16, 136);
    CoilHpLED = Led(panel, "CoilHpLED", lcRed, 120, 137);
    Label(panel, QStringLiteral("Sleep mode:"), 16, 160);
    CoilLpLED = Led(panel, "CoilLpLED", lcYellow, 120, 161);
    Label(panel, QStringLiteral("Deep Sleep mode:"), 16, 184);
    CoilNoLED = Led(panel, "CoilNoLED", lcGreen, 120, 185);
}
