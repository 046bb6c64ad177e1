#include "link/hid/ClockDevices.h"

#include <cerrno>
#include <cstring>
#include <utility>

const char* const kClockUdevRule = "70-whirlbeam-clock.rules";

namespace {
constexpr int kQueuedInputReports = 128;
} // namespace

QList<TJvHidDevice*> ClaimClocks(TJvHidDeviceController& controller)
{
    QList<TJvHidDevice*> clocks;
    QList<TJvHidDevice*> others;
    while (TJvHidDevice* device = controller.CheckOut()) {
        if (device->VendorID() == kClockVendorId && device->ProductID() == kClockProductId) {
            device->SetNumInputBuffers(kQueuedInputReports);
            clocks.append(device);
        } else {
            others.append(device);
        }
    }
    for (TJvHidDevice* device : others)
        controller.CheckIn(device);
    return clocks;
}

void ReleaseClocks(TJvHidDeviceController& controller, QList<TJvHidDevice*>& clocks)
{
    for (TJvHidDevice* device : std::exchange(clocks, {}))
        controller.CheckIn(device);
}

QString ClockAccessProblem(const TJvHidDevice& clock)
{
    if (clock.HasReadWriteAccess())
        return QString();
    const QString node = QString::fromLocal8Bit(clock.DevicePath());
    if (clock.OpenError() != EACCES && clock.OpenError() != EPERM)
        return QStringLiteral("The clock %1 cannot be opened: %2.")
            .arg(node,
                clock.OpenError() > 0 ? QString::fromLocal8Bit(std::strerror(clock.OpenError()))
                                      : QStringLiteral("unknown error"));
    return QStringLiteral("You may not use the clock %1.\n"
                          "Install the udev rule %2 into %3 (sudo cmake --install build does it), "
                          "then unplug the clock and plug it in again.")
        .arg(node, QLatin1String(kClockUdevRule), QStringLiteral(WHIRLBEAM_UDEV_RULES_DIR));
}
