// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/EComPort.h"

#include <QCoreApplication>

#include <array>

namespace {

constexpr std::array<const char*, 23> kTexts = {
    QT_TRANSLATE_NOOP("EComPort", "Unable to open com port"),
    QT_TRANSLATE_NOOP("EComPort", "WriteFile function failed"),
    QT_TRANSLATE_NOOP("EComPort", "ReadFile function failed"),
    QT_TRANSLATE_NOOP("EComPort", "Invalid Async parameter"),
    QT_TRANSLATE_NOOP("EComPort", "PurgeComm function failed"),
    QT_TRANSLATE_NOOP("EComPort", "Unable to get async status"),
    QT_TRANSLATE_NOOP("EComPort", "SetCommState function failed"),
    QT_TRANSLATE_NOOP("EComPort", "SetCommTimeouts failed"),
    QT_TRANSLATE_NOOP("EComPort", "SetupComm function failed"),
    QT_TRANSLATE_NOOP("EComPort", "ClearCommError function failed"),
    QT_TRANSLATE_NOOP("EComPort", "GetCommModemStatus function failed"),
    QT_TRANSLATE_NOOP("EComPort", "EscapeCommFunction function failed"),
    QT_TRANSLATE_NOOP("EComPort", "TransmitCommChar function failed"),
    QT_TRANSLATE_NOOP("EComPort", "Cannot set property while connected"),
    QT_TRANSLATE_NOOP("EComPort", "EnumPorts function failed"),
    QT_TRANSLATE_NOOP("EComPort", "Failed to store settings"),
    QT_TRANSLATE_NOOP("EComPort", "Failed to load settings"),
    QT_TRANSLATE_NOOP("EComPort", "Link (un)registration failed"),
    QT_TRANSLATE_NOOP("EComPort", "Cannot change led state if ComPort is selected"),
    QT_TRANSLATE_NOOP("EComPort", "Cannot wait for event if event thread is created"),
    QT_TRANSLATE_NOOP("EComPort", "WaitForEvent method failed"),
    QT_TRANSLATE_NOOP("EComPort", "A component is linked to OnRxBuf event"),
    QT_TRANSLATE_NOOP("EComPort", "Registry error"),
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

// The message in the language chosen at start-up; what() stays English, for
// logs and the sanitizers.
QString EComPort::Message() const
{
    QString text = QCoreApplication::translate("EComPort", TextOf(code_).toLatin1().constData());
    if (winCode_ != -1)
        text += QCoreApplication::translate("EComPort", " (win error code: %1)").arg(winCode_);
    return text;
}
