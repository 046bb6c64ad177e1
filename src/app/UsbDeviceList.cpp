// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UsbDeviceList.h"

#include "link/ClockConnection.h"
#include "link/hid/ClockDevices.h"
#include "link/hid/HidDevice.h"

#include <QComboBox>

UsbDeviceList::UsbDeviceList(QComboBox& box, ClockConnection& connection, std::function<void(const QString&)> tell)
    : box_(box)
    , connection_(connection)
    , tell_(std::move(tell))
{
}

bool UsbDeviceList::Show()
{
    const QList<TJvHidDevice*>& clocks = connection_.Clocks();
    {
        const QSignalBlocker quiet(&box_);
        box_.clear();
        for (const TJvHidDevice* device : clocks)
            box_.addItem(device->Caption());
        if (!clocks.isEmpty())
            box_.setCurrentIndex(int(std::max<qsizetype>(0, clocks.indexOf(connection_.HookedDevice()))));
    }
    if (clocks.isEmpty())
        return false;
    if (!connection_.HookedDevice())
        HookSelected();
    // The user learns why the clock stays silent.
    for (const TJvHidDevice* device : clocks) {
        const QString problem = ClockAccessProblem(*device);
        if (!problem.isEmpty() && !explained_.contains(device->Info().instance)) {
            explained_.insert(device->Info().instance);
            tell_(problem);
        }
    }
    return true;
}

void UsbDeviceList::HookSelected()
{
    const int selected = box_.currentIndex();
    const QList<TJvHidDevice*>& clocks = connection_.Clocks();
    connection_.Hook(selected >= 0 && selected < clocks.size() ? clocks[selected] : nullptr);
}
