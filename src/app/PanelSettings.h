// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtCore/qnamespace.h>

class TCustomComPort;

// The panel's own settings in the settings file, in a section of their own
// ([Panel]), so that the serial port's section stays byte for byte.

// "Reconnect automatically": on unless the file says Reconnect=0.
bool ReconnectSetting(const QString& file);
// False when the file cannot be read or written.
bool StoreReconnectSetting(const QString& file, bool on);

// The traffic view: whether it is open, and the dock area it stands in.
// Closed, under the pages, unless the file says otherwise.
struct TrafficViewSetting {
    bool open = false;
    Qt::DockWidgetArea area = Qt::BottomDockWidgetArea;
};
TrafficViewSetting ReadTrafficViewSetting(const QString& file);
// False when the file cannot be read or written.
bool StoreTrafficViewSetting(const QString& file, const TrafficViewSetting& setting);

// The serial port's section, as the port reads and writes it. Reading at
// start-up may fail quietly, since there may be no file yet: the port keeps
// its built-in settings.
void ReadPortSettings(TCustomComPort& port, const QString& file);

// A store the user asked for must not fail quietly: these give the error
// box's text, the port's message and the file's full name; empty when stored.
QString StorePortSettings(TCustomComPort& port, const QString& file);
QString StoreReconnect(const QString& file, bool on);
