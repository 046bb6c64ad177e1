// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ComPort.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace ComProperties {
Q_NAMESPACE
// Which of the port's settings a settings control edits.
enum TComProperty { cpNone, cpPort, cpBaudRate, cpDataBits, cpStopBits, cpParity, cpFlowControl };
Q_ENUM_NS(TComProperty)
} // namespace ComProperties

using ComProperties::TComProperty;
using enum ComProperties::TComProperty;

// The widget-free half of a settings control: the setting it edits, the
// port it is bound to, and the value picked for that setting, which waits
// here until ApplyToPort hands it to the port.
class TComSelect : public TComPortLink {
public:
    TComSelect() = default;
    ~TComSelect();
    TComSelect(const TComSelect&) = delete;
    TComSelect& operator=(const TComSelect&) = delete;

    TComProperty ComProperty() const { return property_; }
    void SetComProperty(TComProperty property) { property_ = property; }
    TComPort* ComPort() const { return port_; }
    void SetComPort(TComPort* port);
    bool AutoApply() const { return autoApply_; }
    void SetAutoApply(bool on) { autoApply_ = on; }

    // What a control offers for a setting: the machine's serial ports as
    // names Open accepts, sorted ignoring case, or the setting's texts in
    // the order of its enumeration. Code 23 when the ports cannot be listed.
    static QStringList ItemsFor(TComProperty property);

    // Where the bound port's current value stands in items, -1 if nowhere.
    // A port is also found under another name for the same device (COM1
    // and ttyS0).
    qsizetype IndexOfPortValue(const QStringList& items) const;
    // The pending value as its text; a port name as it stands.
    QString PendingText() const;
    // The text becomes the pending value (a text that names no value gives
    // the setting's fallback).
    void Take(const QString& text);
    // Hands the pending value to the bound port through its own setter.
    void ApplyToPort();

    // Runs when the bound port is destroyed, after the binding is dropped.
    std::function<void()> OnPortDestroyed;

    // The source of the port list: the machine's serial devices, unless a
    // test has put a fixed list in their place. Returns the source it
    // replaces; an empty one restores the machine's.
    using PortLister = std::function<QStringList()>;
    static PortLister SetPortLister(PortLister lister);

private:
    void PortDestroyed() override;
    QString PortValueText() const;

    TComProperty property_ = cpNone;
    TComPort* port_ = nullptr;
    bool autoApply_ = false;
    struct {
        QString port;
        TBaudRate baudRate = brCustom;
        TDataBits dataBits = dbFive;
        TStopBits stopBits = sbOneStopBit;
        TParityBits parity = prNone;
        TFlowControl flowControl = fcHardware;
    } pending_;
};
