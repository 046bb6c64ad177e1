// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// Texts of the window's frame that more than one of its parts writes; asked
// for when shown, so that they come in the language chosen at start-up.
namespace PelkTexts {
inline QString NoClock() { return QCoreApplication::translate("TForm1", "Press open to connect to the clock"); }
inline QString NoVersion() { return QCoreApplication::translate("TForm1", "Version not read"); }
inline QString NotConnected() { return QCoreApplication::translate("TForm1", "Not connected"); }
inline QString Connected() { return QCoreApplication::translate("TForm1", "Connected"); }
inline QString ClockUnplugged() { return QCoreApplication::translate("TForm1", "Clock unplugged"); }
} // namespace PelkTexts
