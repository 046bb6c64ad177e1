// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/EComPort.h"

#include <array>

namespace {

constexpr std::array<const char*, 23> kTexts = {
    "Unable to open com port",
    "WriteFile function failed",
    "ReadFile function failed",
    "Invalid Async parameter",
    "PurgeComm function failed",
    "Unable to get async status",
    "SetCommState function failed",
    "SetCommTimeouts failed",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set property while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state if ComPort is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
    "A component is linked to OnRxBuf event",
    "Registry error",
};

} // namespace

QString EComPort::TextOf(int code)
{
    if (code < 1 || code > int(kTexts.size()))
        return QString();
    return QString::fromLatin1(kTexts[size_t(code - 1)]);
}

EComPort::EComPort(int code, int winCode)
    : code_(code), winCode_(winCode)
{
    QString text = TextOf(code);
    if (winCode != -1)
        text += QStringLiteral(" (win error code: %1)").arg(winCode);
    message_ = text.toStdString();
}
