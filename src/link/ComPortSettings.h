// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>
#include <initializer_list>

// The serial port's enumerations keep the names and the order under which
// the settings file and the settings dialog know them.
enum TBaudRate {
    brCustom, br110, br300, br600, br1200, br2400, br4800, br9600, br14400,
    br19200, br38400, br56000, br57600, br115200, br128000, br256000
};
enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TFlowControl { fcHardware, fcSoftware, fcNone, fcCustom };
enum TComEvent { evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full };
enum TComError { ceFrame, ceRxParity, ceOverrun, ceBreak, ceIO, ceMode, ceRxOver, ceTxFull };
enum TSyncMethod { smThreadSync, smWindowSync, smNone };

// A set of the values of one small enumeration.
template <typename Enum>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<Enum> items)
    {
        for (const Enum item : items)
            Include(item);
    }

    constexpr bool Contains(Enum item) const { return (bits_ & Bit(item)) != 0; }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr void Include(Enum item) { bits_ |= Bit(item); }
    constexpr void Exclude(Enum item) { bits_ &= ~Bit(item); }

    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    static constexpr quint32 Bit(Enum item) { return quint32(1) << unsigned(item); }

    quint32 bits_ = 0;
};

using TComEvents = TEnumSet<TComEvent>;
using TComErrors = TEnumSet<TComError>;

inline constexpr TComEvents kAllComEvents{evRxChar, evTxEmpty, evRxFlag, evRing, evBreak,
                                          evCTS,    evDSR,     evError,  evRLSD, evRx80Full};

// One group of port settings. Changing a field tells the port, which applies
// the group to an open device at once. A copy carries the values only, so a
// copy can be edited freely and assigned back as a whole.
class TComSettingsGroup {
public:
    TComSettingsGroup() = default;
    TComSettingsGroup(const TComSettingsGroup&) {}
    TComSettingsGroup& operator=(const TComSettingsGroup&) { return *this; }

protected:
    ~TComSettingsGroup() = default;

    void Changed() const
    {
        if (changed_)
            changed_();
    }

    template <typename T>
    void Store(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }

private:
    friend class TComPort;
    std::function<void()> changed_;
};

class TComParity : public TComSettingsGroup {
public:
    TComParity() = default;
    TComParity(const TComParity&) = default;
    TComParity& operator=(const TComParity& other);
    friend bool operator==(const TComParity& a, const TComParity& b) { return a.values_ == b.values_; }

    TParityBits Bits() const { return values_.bits; }
    void SetBits(TParityBits bits) { Store(values_.bits, bits); }
    bool Check() const { return values_.check; }
    void SetCheck(bool check) { Store(values_.check, check); }
    bool Replace() const { return values_.replace; }
    void SetReplace(bool replace) { Store(values_.replace, replace); }
    char ReplaceChar() const { return values_.replaceChar; }
    void SetReplaceChar(char replaceChar) { Store(values_.replaceChar, replaceChar); }

private:
    struct Values {
        TParityBits bits = prNone;
        bool check = false;
        bool replace = false;
        char replaceChar = 0;
        bool operator==(const Values&) const = default;
    } values_;
};

class TComFlowControl : public TComSettingsGroup {
public:
    TComFlowControl() = default;
    TComFlowControl(const TComFlowControl&) = default;
    TComFlowControl& operator=(const TComFlowControl& other);
    friend bool operator==(const TComFlowControl& a, const TComFlowControl& b) { return a.values_ == b.values_; }

    bool OutCTSFlow() const { return values_.outCTSFlow; }
    void SetOutCTSFlow(bool on) { Store(values_.outCTSFlow, on); }
    bool OutDSRFlow() const { return values_.outDSRFlow; }
    void SetOutDSRFlow(bool on) { Store(values_.outDSRFlow, on); }
    TDTRFlowControl ControlDTR() const { return values_.controlDTR; }
    void SetControlDTR(TDTRFlowControl control) { Store(values_.controlDTR, control); }
    TRTSFlowControl ControlRTS() const { return values_.controlRTS; }
    void SetControlRTS(TRTSFlowControl control) { Store(values_.controlRTS, control); }
    bool XonXoffOut() const { return values_.xonXoffOut; }
    void SetXonXoffOut(bool on) { Store(values_.xonXoffOut, on); }
    bool XonXoffIn() const { return values_.xonXoffIn; }
    void SetXonXoffIn(bool on) { Store(values_.xonXoffIn, on); }
    bool DSRSensitivity() const { return values_.dsrSensitivity; }
    void SetDSRSensitivity(bool on) { Store(values_.dsrSensitivity, on); }
    bool TxContinueOnXoff() const { return values_.txContinueOnXoff; }
    void SetTxContinueOnXoff(bool on) { Store(values_.txContinueOnXoff, on); }
    char XonChar() const { return values_.xonChar; }
    void SetXonChar(char xon) { Store(values_.xonChar, xon); }
    char XoffChar() const { return values_.xoffChar; }
    void SetXoffChar(char xoff) { Store(values_.xoffChar, xoff); }

    // The summary of RTS, CTS and XON/XOFF. Assigning fcCustom keeps the
    // fields; every assignment applies the group again.
    TFlowControl FlowControl() const;
    void SetFlowControl(TFlowControl flow);

private:
    struct Values {
        bool outCTSFlow = false;
        bool outDSRFlow = false;
        TDTRFlowControl controlDTR = dtrDisable;
        TRTSFlowControl controlRTS = rtsDisable;
        bool xonXoffOut = false;
        bool xonXoffIn = false;
        bool dsrSensitivity = false;
        bool txContinueOnXoff = false;
        char xonChar = 17;
        char xoffChar = 19;
        bool operator==(const Values&) const = default;
    } values_;
};

// Milliseconds; a ReadInterval of -1 with both read factors 0 lets a read
// return at once, and a write of n bytes gives up after
// WriteTotalConstant + WriteTotalMultiplier * n (never when both are 0).
class TComTimeouts : public TComSettingsGroup {
public:
    TComTimeouts() = default;
    TComTimeouts(const TComTimeouts&) = default;
    TComTimeouts& operator=(const TComTimeouts& other);
    friend bool operator==(const TComTimeouts& a, const TComTimeouts& b) { return a.values_ == b.values_; }

    qint32 ReadInterval() const { return values_.readInterval; }
    void SetReadInterval(qint32 ms) { Store(values_.readInterval, ms); }
    qint32 ReadTotalMultiplier() const { return values_.readTotalMultiplier; }
    void SetReadTotalMultiplier(qint32 ms) { Store(values_.readTotalMultiplier, ms); }
    qint32 ReadTotalConstant() const { return values_.readTotalConstant; }
    void SetReadTotalConstant(qint32 ms) { Store(values_.readTotalConstant, ms); }
    qint32 WriteTotalMultiplier() const { return values_.writeTotalMultiplier; }
    void SetWriteTotalMultiplier(qint32 ms) { Store(values_.writeTotalMultiplier, ms); }
    qint32 WriteTotalConstant() const { return values_.writeTotalConstant; }
    void SetWriteTotalConstant(qint32 ms) { Store(values_.writeTotalConstant, ms); }

private:
    struct Values {
        qint32 readInterval = -1;
        qint32 readTotalMultiplier = 0;
        qint32 readTotalConstant = 0;
        qint32 writeTotalMultiplier = 100;
        qint32 writeTotalConstant = 1000;
        bool operator==(const Values&) const = default;
    } values_;
};

// Driver queue sizes in bytes; an odd size is stored one lower.
class TComBuffer : public TComSettingsGroup {
public:
    TComBuffer() = default;
    TComBuffer(const TComBuffer&) = default;
    TComBuffer& operator=(const TComBuffer& other);
    friend bool operator==(const TComBuffer& a, const TComBuffer& b) { return a.values_ == b.values_; }

    int InputSize() const { return values_.inputSize; }
    void SetInputSize(int size) { Store(values_.inputSize, size & ~1); }
    int OutputSize() const { return values_.outputSize; }
    void SetOutputSize(int size) { Store(values_.outputSize, size & ~1); }

private:
    struct Values {
        int inputSize = 1024;
        int outputSize = 1024;
        bool operator==(const Values&) const = default;
    } values_;
};
