// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/CustomComPort.h"

#include <QByteArray>
#include <QStringList>
#include <chrono>

// A serial port without a device: bytes "arrive" through Receive, writes are
// recorded, and Open or WriteText fail on request.
class FakeComPort : public TCustomComPort {
public:
    void Open() override;
    void Close() override;
    bool Connected() const override { return connected; }
    int ReadText(QByteArray& text, int count) override;
    int WriteText(const QByteArray& text) override;
    QString Port() const override { return port; }
    void SetPort(const QString& name) override { port = name; }
    void ReadSettings(TSettingsStore, const QString& name) override;
    void WriteSettings(TSettingsStore, const QString&) override {}

    // Puts bytes into the input queue and raises OnRxChar as the port would.
    void Receive(const QByteArray& bytes);
    // The device hangs up: the port closes itself, then reports EIO.
    void HangUp();

    bool connected = false;
    QString port = QStringLiteral("COM1");
    QByteArray input;
    QList<QByteArray> writes;
    QList<std::chrono::system_clock::time_point> writtenAt; // beside each write
    QStringList events;
    int failOpenWith = 0;   // errno for a refused Open; 0 opens
    int failWriteWith = 0;  // errno for a failing write; 0 writes
    int failReadWith = 0;   // errno for a failing read; 0 reads
    // A failing read or write closes the port first, through its close
    // events, as the real port does when its device went away.
    bool closesOnFailure = false;
    bool failReadSettings = false;
    QString settingsReadFrom;
};
