// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComSelect.h"

#include "link/ComPortTexts.h"

#include <utility>

namespace {

TComSelect::PortLister& CurrentPortLister()
{
    static TComSelect::PortLister lister;
    return lister;
}

} // namespace

TComSelect::~TComSelect()
{
    if (port_)
        port_->UnregisterLink(this);
}

void TComSelect::SetComPort(TComPort* port)
{
    if (port == port_)
        return;
    if (port_)
        port_->UnregisterLink(this);
    port_ = port;
    if (port_)
        port_->RegisterLink(this);
}

void TComSelect::PortDestroyed()
{
    port_ = nullptr;
    if (OnPortDestroyed)
        OnPortDestroyed();
}

TComSelect::PortLister TComSelect::SetPortLister(PortLister lister)
{
    return std::exchange(CurrentPortLister(), std::move(lister));
}

QStringList TComSelect::ItemsFor(TComProperty property)
{
    switch (property) {
    case cpPort: {
        const PortLister& lister = CurrentPortLister();
        QStringList ports = lister ? lister() : TComPort::EnumComPorts();
        ports.sort(Qt::CaseInsensitive);
        return ports;
    }
    case cpBaudRate: return TComTexts<TBaudRate>::Texts();
    case cpDataBits: return TComTexts<TDataBits>::Texts();
    case cpStopBits: return TComTexts<TStopBits>::Texts();
    case cpParity: return TComTexts<TParityBits>::Texts();
    case cpFlowControl: return TComTexts<TFlowControl>::Texts();
    case cpNone: break;
    }
    return {};
}

QString TComSelect::PortValueText() const
{
    if (!port_)
        return QString();
    switch (property_) {
    case cpPort: return port_->Port();
    case cpBaudRate: return ComText(port_->BaudRate());
    case cpDataBits: return ComText(port_->DataBits());
    case cpStopBits: return ComText(port_->StopBits());
    case cpParity: return ComText(port_->Parity().Bits());
    case cpFlowControl: return ComText(port_->FlowControl().FlowControl());
    case cpNone: break;
    }
    return QString();
}

qsizetype TComSelect::IndexOfPortValue(const QStringList& items) const
{
    if (!port_ || property_ == cpNone)
        return -1;
    const QString text = PortValueText();
    const qsizetype index = IndexOfComText(items, text);
    if (index >= 0 || property_ != cpPort)
        return index;
    const QString device = TComPort::DevicePath(text);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (TComPort::DevicePath(items[i]) == device)
            return i;
    }
    return -1;
}

QString TComSelect::PendingText() const
{
    switch (property_) {
    case cpPort: return pending_.port;
    case cpBaudRate: return ComText(pending_.baudRate);
    case cpDataBits: return ComText(pending_.dataBits);
    case cpStopBits: return ComText(pending_.stopBits);
    case cpParity: return ComText(pending_.parity);
    case cpFlowControl: return ComText(pending_.flowControl);
    case cpNone: break;
    }
    return QString();
}

void TComSelect::Take(const QString& text)
{
    switch (property_) {
    case cpPort: pending_.port = text; break;
    case cpBaudRate: pending_.baudRate = ComValueOf<TBaudRate>(text); break;
    case cpDataBits: pending_.dataBits = ComValueOf<TDataBits>(text); break;
    case cpStopBits: pending_.stopBits = ComValueOf<TStopBits>(text); break;
    case cpParity: pending_.parity = ComValueOf<TParityBits>(text); break;
    case cpFlowControl: pending_.flowControl = ComValueOf<TFlowControl>(text); break;
    case cpNone: break;
    }
}

void TComSelect::ApplyToPort()
{
    if (!port_)
        return;
    switch (property_) {
    case cpPort: port_->SetPort(pending_.port); break;
    case cpBaudRate: port_->SetBaudRate(pending_.baudRate); break;
    case cpDataBits: port_->SetDataBits(pending_.dataBits); break;
    case cpStopBits: port_->SetStopBits(pending_.stopBits); break;
    case cpParity: port_->Parity().SetBits(pending_.parity); break;
    case cpFlowControl: port_->FlowControl().SetFlowControl(pending_.flowControl); break;
    case cpNone: break;
    }
}
