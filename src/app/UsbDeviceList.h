// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSet>
#include <functional>

class ClockConnection;
class QComboBox;

// The window's list of USB clocks (DevListBox): the connection's clocks as
// it claimed them, the selected one hooked. A clock that may not be opened
// is explained once per plugging-in.
class UsbDeviceList {
public:
    UsbDeviceList(QComboBox& box, ClockConnection& connection, std::function<void(const QString&)> tell);

    // Rebuilds the list; the first clock is selected and hooked, unless a
    // clock that came back for the link is hooked already. False when it
    // lists none.
    bool Show();
    // Hooks the selected clock, or none.
    void HookSelected();

private:
    QComboBox& box_;
    ClockConnection& connection_;
    std::function<void(const QString&)> tell_;
    QSet<QByteArray> explained_;
};
