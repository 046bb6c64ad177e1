// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeComPort.h"

#include <cerrno>

void FakeComPort::Open()
{
    if (connected)
        return;
    events << QStringLiteral("BeforeOpen");
    if (OnBeforeOpen)
        OnBeforeOpen();
    if (failOpenWith != 0)
        throw EComPort(1, failOpenWith);
    connected = true;
    events << QStringLiteral("AfterOpen");
    Raise(OnAfterOpen);
}

void FakeComPort::Close()
{
    if (!connected)
        return;
    events << QStringLiteral("BeforeClose");
    Raise(OnBeforeClose);
    connected = false;
    events << QStringLiteral("AfterClose");
    Raise(OnAfterClose);
}

int FakeComPort::ReadText(QByteArray& text, int count)
{
    if (failReadWith != 0) {
        if (closesOnFailure)
            Close();
        throw EComPort(3, failReadWith);
    }
    text = input.left(qMax(count, 0));
    input.remove(0, text.size());
    return int(text.size());
}

int FakeComPort::WriteText(const QByteArray& text)
{
    if (failWriteWith != 0) {
        if (closesOnFailure)
            Close();
        throw EComPort(2, failWriteWith);
    }
    if (!text.isEmpty()) {
        writes.append(text);
        writtenAt.append(std::chrono::system_clock::now());
    }
    return int(text.size());
}

void FakeComPort::ReadSettings(TSettingsStore, const QString& name)
{
    settingsReadFrom = name;
    if (failReadSettings)
        throw EComPort(17);
}

void FakeComPort::Receive(const QByteArray& bytes)
{
    input.append(bytes);
    if (OnRxChar && !input.isEmpty())
        OnRxChar(int(input.size()));
}

void FakeComPort::HangUp()
{
    Close();
    if (OnException)
        OnException(EComPort(3, EIO));
}
