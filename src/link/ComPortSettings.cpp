// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ComPortSettings.h"

TComParity& TComParity::operator=(const TComParity& other)
{
    values_ = other.values_;
    Changed();
    return *this;
}

TComFlowControl& TComFlowControl::operator=(const TComFlowControl& other)
{
    values_ = other.values_;
    Changed();
    return *this;
}

TComTimeouts& TComTimeouts::operator=(const TComTimeouts& other)
{
    values_ = other.values_;
    Changed();
    return *this;
}

TComBuffer& TComBuffer::operator=(const TComBuffer& other)
{
    values_ = other.values_;
    Changed();
    return *this;
}

TFlowControl TComFlowControl::FlowControl() const
{
    const Values& v = values_;
    if (v.controlRTS == rtsHandshake && v.outCTSFlow && !v.xonXoffIn && !v.xonXoffOut)
        return fcHardware;
    if (v.controlRTS == rtsDisable && !v.outCTSFlow && v.xonXoffIn && v.xonXoffOut)
        return fcSoftware;
    if (v.controlRTS != rtsDisable || v.outCTSFlow || v.xonXoffIn || v.xonXoffOut)
        return fcCustom;
    return fcNone;
}

void TComFlowControl::SetFlowControl(TFlowControl flow)
{
    if (flow != fcCustom) {
        const bool hardware = flow == fcHardware;
        const bool software = flow == fcSoftware;
        values_.controlRTS = hardware ? rtsHandshake : rtsDisable;
        values_.outCTSFlow = hardware;
        values_.xonXoffIn = software;
        values_.xonXoffOut = software;
    }
    Changed();
}
