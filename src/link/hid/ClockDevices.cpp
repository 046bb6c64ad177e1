// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hid/ClockDevices.h"
#include <QCoreApplication>

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <utility>

const char* const kClockUdevRule = "70-whirlbeam-clock.rules";

namespace {

// The context of this file's texts for translation.
struct ClockDeviceTexts {
    Q_DECLARE_TR_FUNCTIONS(ClockDeviceTexts)
};
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

ClockAccessFacts ClockAccessFactsHere()
{
    ClockAccessFacts facts;
    for (const char* folder : {WHIRLBEAM_UDEV_RULES_DIR, "/etc/udev/rules.d", "/lib/udev/rules.d", "/usr/lib/udev/rules.d"})
        facts.ruleInstalled = facts.ruleInstalled || QFileInfo::exists(QDir(QLatin1String(folder)).filePath(QLatin1String(kClockUdevRule)));
    // pam_systemd names the seat of a session at the machine; a desktop has
    // a display. A remote or scheduled session has neither, or is ssh's.
    const bool local = !qEnvironmentVariableIsEmpty("XDG_SEAT") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    facts.atTheDesk = local && qEnvironmentVariableIsEmpty("SSH_CONNECTION");
    return facts;
}

QString ClockAccessProblem(const TJvHidDevice& clock, const ClockAccessFacts& facts)
{
    if (clock.HasReadWriteAccess())
        return QString();
    const QString node = QString::fromLocal8Bit(clock.DevicePath());
    if (clock.OpenError() != EACCES && clock.OpenError() != EPERM)
        return ClockDeviceTexts::tr("The clock %1 cannot be opened: %2.")
            .arg(node,
                clock.OpenError() > 0 ? QString::fromLocal8Bit(std::strerror(clock.OpenError()))
                                      : ClockDeviceTexts::tr("unknown error"));
    const QString rule = QLatin1String(kClockUdevRule);
    if (!facts.ruleInstalled)
        return ClockDeviceTexts::tr("You may not use the clock %1.\n"
                              "Install the udev rule %2 into %3 (sudo cmake --install build does it), "
                              "then unplug the clock and plug it in again.")
            .arg(node, rule, QStringLiteral(WHIRLBEAM_UDEV_RULES_DIR));
    if (facts.atTheDesk)
        return ClockDeviceTexts::tr("You may not use the clock %1.\n"
                              "The udev rule %2 is installed; unplug the clock and plug it in again, "
                              "so that the rule applies to it.")
            .arg(node, rule);
    return ClockDeviceTexts::tr("You may not use the clock %1.\n"
                          "The udev rule %2 gives the clock to the user at the machine's own desk "
                          "(uaccess) and to the group dialout, and this session is neither (ssh, cron after "
                          "logging out). To use the clock from here, join that group "
                          "(sudo usermod -aG dialout $USER), log in again and plug the clock in again.")
        .arg(node, rule);
}

QString ClockAccessProblem(const TJvHidDevice& clock) { return ClockAccessProblem(clock, ClockAccessFactsHere()); }
