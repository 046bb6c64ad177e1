// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Texts of the window's frame that more than one of its parts writes.
namespace PelkTexts {
inline const QString kNoClock = QStringLiteral("Press open to connect to the clock");
inline const QString kNoVersion = QStringLiteral("Version not read");
inline const QString kNotConnected = QStringLiteral("Not connected");
inline const QString kConnected = QStringLiteral("Connected");
inline const QString kClockUnplugged = QStringLiteral("Clock unplugged");
} // namespace PelkTexts
