// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/EComPort.h"

#include <QByteArray>
#include <QString>
#include <functional>

enum TSettingsStore { ssRegistry, ssIniFile };

// What the link manager needs of a serial port. TComPort is the real one
// over termios; tests put a fake behind the same interface. Every failure is
// raised as EComPort. Events are delivered on the window thread.
class TCustomComPort {
public:
    virtual ~TCustomComPort() = default;

    // Opening an open port and closing a closed one do nothing.
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool Connected() const = 0;
    void SetConnected(bool connected)
    {
        if (connected)
            Open();
        else
            Close();
    }

    // Reads at most count bytes that have already arrived; never waits.
    virtual int ReadText(QByteArray& text, int count) = 0;
    // Writes all bytes and waits until the driver has taken them (or the
    // write time-out ends the wait); returns the number written.
    virtual int WriteText(const QByteArray& text) = 0;

    virtual QString Port() const = 0;
    virtual void SetPort(const QString& port) = 0;

    virtual void ReadSettings(TSettingsStore kind, const QString& name) = 0;
    virtual void WriteSettings(TSettingsStore kind, const QString& name) = 0;

    std::function<void()> OnBeforeOpen;
    std::function<void()> OnAfterOpen;
    std::function<void()> OnBeforeClose;
    std::function<void()> OnAfterClose;
    std::function<void(int count)> OnRxChar;
    // An error the port ran into while delivering events, outside any call
    // of the window (the device vanished, a status query failed). The port
    // has already closed itself, or keeps working, when this runs.
    std::function<void(const EComPort& error)> OnException;

protected:
    static void Raise(const std::function<void()>& event)
    {
        if (event)
            event();
    }
};
